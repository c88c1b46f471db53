// tavr180: the command line, and with no command the window. The window is a
// program of its own (tavr180-window, beside this one), so that a command such
// as "convert" never loads the widget libraries; this program links the
// command line and the session layer only.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <climits>
#include <unistd.h>

#include "cli/Cli.h"

namespace {

// Folder of the running program after every link is resolved (the installed
// bin/tavr180 is a link into lib/tavr/, where the window program lives).
std::string ProgramFolder(const char* argv0) {
    std::string path;
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        path.assign(buffer, static_cast<size_t>(n));
    } else if (argv0 && std::strchr(argv0, '/')) {
        char resolved[PATH_MAX];
        path = realpath(argv0, resolved) ? resolved : argv0;
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

int main(int argc, char* argv[]) {
    if (tavr::cli::IsCommandLineInvocation(argc, argv)) return tavr::cli::RunCommandLine(argc, argv);
    const std::string window = ProgramFolder(argc > 0 ? argv[0] : nullptr) + "/" + tavr::cli::kWindowProgram;
    execv(window.c_str(), argv);
    std::fprintf(stderr, "tavr180: cannot start the window (%s): %s\n", window.c_str(), std::strerror(errno));
    return tavr::cli::kExitUsage;
}
