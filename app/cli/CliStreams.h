// Where the commands read their standard input and send their standard
// output while they run, and what became of it: a failed read or write is
// remembered with the system's reason, so that the run ends with its own
// status instead of success.
#ifndef TAVR_CLISTREAMS_H
#define TAVR_CLISTREAMS_H

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace tavr::cli {

// The standard streams of one run, handed by Run to the commands that read
// their input or send their output as they go.
struct Streams {
    // Reads up to `size` bytes into `buffer`: the count, 0 at the end of the
    // input, or -1 when it could not be read (the reason in `reason`).
    // Without it, std::cin is read.
    std::function<long(char* buffer, std::size_t size, std::string& reason)> read;
    // Sends `text` on: false when it could not be written (the reason in
    // `reason`). Without it, the output stays in the text of Run.
    std::function<bool(const std::string& text, std::string& reason)> write;
    // The reason of the first failed write, or "" while every write succeeded.
    std::string writeFailure;
};

// A reader of `in` (for the tests and benchmarks that hand a text as
// standard input); a stream gone bad counts as a read error.
std::function<long(char*, std::size_t, std::string&)> ReaderOf(std::istream& in);

// Output held before it is sent on: the commands write each result as it
// is made, so that their memory stays flat whatever the count.
inline constexpr std::size_t kSendAt = 64 * 1024;

// Sends `out` on and empties it once it holds kSendAt bytes (every byte with
// `all`) when `streams` has a writer. False once a write has failed (the
// reason kept in writeFailure): the command stops then, since what it would
// write is lost.
bool Send(Streams& streams, std::string& out, bool all = false);

// Reads the standard input of `streams` as Streams::read does.
long ReadInput(Streams& streams, char* buffer, std::size_t size, std::string& reason);

} // namespace tavr::cli

#endif
