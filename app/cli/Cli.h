// The command line of the program: the same path as the window's Convert
// (and Now), without any window.
//
//   tavr180 convert [--calendar CODE] [--zone ZONE] [--greenwich] [--days N]
//                   [--minus] [--json] [--now] TEXT
//   tavr180 --help | --version
//
// Exit statuses: 0 shown, 1 wrong use of the command line, 2 the entry was
// refused (the window's message on standard error), 3 the result lies
// outside the accepted range, 4 a shared library could not be loaded (the
// loader's message, naming it, on standard error; nothing on standard output).
#ifndef TAVR_CLI_H
#define TAVR_CLI_H

#include <string>
#include <vector>

namespace tavr::cli {

inline constexpr int kExitShown = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitOutOfRange = 3;
inline constexpr int kExitLibrary = 4;

// A text as it is echoed in a usage error: control characters and DEL
// escaped ("\n", "\t", "\r", else "\xHH"), everything else as it is.
std::string Escaped(const std::string& text);

// True when the arguments ask for the command line ("convert", "--help",
// "--version") rather than the window.
bool IsCommandLineInvocation(int argc, char** argv);

// Runs the command line; writes to standard output and error; gives the exit status.
int RunCommandLine(int argc, char** argv);

// The same for the arguments after the program name, with both outputs kept
// as texts (the tests call this).
int Run(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace tavr::cli

#endif
