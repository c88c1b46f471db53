// TAVR: the window, or with a command such as "convert" the command line
// without any window.
#include <QApplication>
#include <QStyleFactory>

#include "LibLoader.h"
#include "frmMain.h"

#if TAVR_HAVE_CLI
#include "Cli.h"
#endif

int main(int argc, char* argv[]) {
#if TAVR_HAVE_CLI
    if (tavr::cli::IsCommandLineInvocation(argc, argv)) return tavr::cli::RunCommandLine(argc, argv);
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName("TAVR");
    QApplication::setApplicationVersion("18.0");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    frmMain window;
    window.Load();
    return app.exec();
}
