// TAVR: the window, or with a command such as "convert" the command line
// without any window.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

#include "base/LibLoader.h"
#include "cli/Cli.h"
#include "main/DisplayCheck.h"
#include "main/Scheme.h"
#include "main/ShutdownSignals.h"
#include "main/frmMain.h"

int main(int argc, char* argv[]) {
    if (tavr::cli::IsCommandLineInvocation(argc, argv)) return tavr::cli::RunCommandLine(argc, argv);
    // On X11/Wayland systems without a display that answers, say so plainly
    // instead of letting the toolkit abort.
    if (const tavr::ui::DisplayCheck display = tavr::ui::CheckDisplay(); !display.ok) {
        std::fprintf(stderr,
                     "tavr180: %s\n"
                     "The command line works without one: tavr180 convert \"2000-01-01 CE\" (see --help).\n",
                     display.problem.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("TAVR");
    QApplication::setApplicationVersion("18.0");
    // The desktop entry and the icon theme know the program by this name; a
    // build tree or an unusual prefix has the icon beside the program.
    QApplication::setDesktopFileName("org.tavr.tavr180");
    QApplication::setWindowIcon(
        QIcon::fromTheme("org.tavr.tavr180", QIcon(QApplication::applicationDirPath() + "/tavr180.png")));
    // One look for every window and message box, before the first is built.
    tavr::ui::InstallScheme();
    frmMain window;
    // A logout ends the window as Quit does: the state is saved first.
    tavr::ui::InstallShutdownSignals(&app, [&window] {
        window.close();
        QApplication::quit();
    });
    window.Load();
    return app.exec();
}
