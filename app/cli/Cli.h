// The command line of the program: the same path as the window's Convert
// (and Now), without any window.
//
//   tavr180 convert [--calendar CODE] [--zone ZONE] [--greenwich] [--days N]
//                   [--minus] [--json] [--now] [--log [--log-format F]] TEXT
//   tavr180 move STEP forward|back [--times N] [--from TEXT] [--calendar CODE]
//                [--zone ZONE] [--greenwich] [--json]
//   tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT] [--zone ZONE]
//                    [--greenwich] [--step N] [--json]
//   tavr180 convert --batch [options] < FILE    (one TEXT a line)
//   tavr180 --help | --version
//
// Exit statuses: 0 shown, 1 wrong use of the command line, 2 the entry was
// refused (the window's message on standard error), 3 the result lies
// outside the accepted range, 4 a shared library could not be loaded (the
// loader's message, naming it, on standard error; nothing on standard output),
// 5 standard output could not be written (a full disk, a closed pipe), 6
// standard input could not be read. A failed write or read is named on
// standard error with the system's reason.
#ifndef TAVR_CLI_H
#define TAVR_CLI_H

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>

#include <string>
#include <vector>

#include "cli/CliStreams.h"
#include "cli/Json.h"
#include "session/Session.h"

namespace tavr::cli {

inline constexpr int kExitShown = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitOutOfRange = 3;
inline constexpr int kExitLibrary = 4;
inline constexpr int kExitWrite = 5;
inline constexpr int kExitRead = 6;

// The exit status a result's kind stands for: refused 2, out of range 3,
// else 0.
int ExitStatusOf(session::ResultKind kind);

// A text as it is echoed in a usage error: control characters and DEL
// escaped ("\n", "\t", "\r", else "\xHH"), everything else as it is, and
// a text longer than kEchoedMost characters cut there (never inside a UTF-8
// sequence) with the mark "...[cut, N bytes]".
inline constexpr std::size_t kEchoedMost = 80;
std::string Escaped(const std::string& text);

// File name of the window program, beside the command line's program
// (tavr180 starts it when no command is given).
inline constexpr const char* kWindowProgram = "tavr180-window";

// True when the arguments ask for the command line rather than the window.
// The window starts without arguments or with the toolkit's own options
// only (such as "-platform offscreen" or the "-session" of a session
// manager); anything else is a command, and an unknown one is a usage error.
bool IsCommandLineInvocation(int argc, char** argv);

// Binds every export of the five shared libraries (a command uses them all,
// from the rows to the Moon): false, with the loader's messages on `err`,
// when one of them could not be loaded or lacks an export. The commands ask
// before they compute or print anything.
bool LibrariesLoaded(std::string& err);

// The output of one result as `convert` prints it: the text lines, or the
// JSON object on one line (with the log entry in `logFormat` when given).
std::string TextOutput(const session::Tail& tail);
std::string JsonOutput(const session::ActionResult& result,
                       const std::optional<int16_t>& logFormat = std::nullopt);
// The same object, to be extended or gathered into an array.
json::Value ResultObject(const session::ActionResult& result);

// Runs the command line; writes to standard output and error; gives the
// exit status. A closed pipe does not end the program by a signal: the
// failed write is reported with status 5.
int RunCommandLine(int argc, char** argv);

// The same for the arguments after the program name, with both outputs kept
// as texts (the tests call this), std::cin as standard input.
int Run(const std::vector<std::string>& args, std::string& out, std::string& err);
// The same with `in` as standard input (convert --batch reads it).
int Run(const std::vector<std::string>& args, std::istream& in, std::string& out, std::string& err);
// The same with the standard streams of `streams`: with a writer the output
// is sent there as it is made, and a failed write gives kExitWrite with its
// message.
int Run(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err);

// "move STEP forward|back [options]" (CliMove.cpp); `args` begins with "move".
// The commands that send their results as they are made do it through `streams`.
int RunMove(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err);
// The subcommands "search" and "events" (CliSearch.cpp); `args` holds the
// subcommand itself first.
int RunSearch(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err);
int RunEvents(const std::vector<std::string>& args, Streams& streams, std::string& out, std::string& err);
// "tavr180 lunation" with the arguments after "lunation" (CliLunation.cpp).
int RunLunation(const std::vector<std::string>& args, std::string& out, std::string& err);

} // namespace tavr::cli

#endif
