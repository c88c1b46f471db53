// tavr180: the command line, and with no command the window. The window is a
// program of its own (tavr180-window, beside this one), so that a command such
// as "convert" never loads the widget libraries; this program links the
// command line and the session layer only.
#include <cstdio>
#include <string>
#include <vector>

#include "base/Platform.h"
#include "cli/Cli.h"

int main(int argc, char* argv[]) {
    // Output is bytes: the log and calendar texts carry their own CR LF.
    tavr::platform::UseBinaryStandardStreams();
    if (tavr::cli::IsCommandLineInvocation(argc, argv)) return tavr::cli::RunCommandLine(argc, argv);
    // The installed bin/tavr180 is a link into lib/tavr/, where the window
    // program lives: its folder is the one of the resolved program.
    std::string folder = tavr::platform::ProgramFolder(argc > 0 ? argv[0] : nullptr);
    if (folder.empty()) folder = ".";
    const std::string window = folder + "/" + tavr::platform::ProgramFileName(tavr::cli::kWindowProgram);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.emplace_back(argv[i] ? argv[i] : "");
    std::string error;
    const int status = tavr::platform::RunInstead(window, args, error);
    if (status >= 0) return status;
    std::fprintf(stderr, "tavr180: cannot start the window (%s): %s\n", window.c_str(), error.c_str());
    return tavr::cli::kExitUsage;
}
