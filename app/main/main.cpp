// TAVR: the window, or with a command such as "convert" the command line
// without any window.
#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>

#include "base/LibLoader.h"
#include "cli/Cli.h"
#include "main/frmMain.h"

namespace {

// On X11/Wayland systems without a display, say so plainly instead of letting
// the toolkit abort.
bool HasDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (tavr::cli::IsCommandLineInvocation(argc, argv)) return tavr::cli::RunCommandLine(argc, argv);
    if (!HasDisplay()) {
        std::fputs("tavr180: there is no display to open the window on (DISPLAY is not set).\n"
                   "The command line works without one: tavr180 convert \"2000-01-01 CE\" (see --help).\n",
                   stderr);
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
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    frmMain window;
    window.Load();
    return app.exec();
}
