// convert --batch: one entry a line from standard input, one result a line.
#ifndef TAVR_CLIBATCH_H
#define TAVR_CLIBATCH_H

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "session/Session.h"

namespace tavr::cli {

// Where a batch reads its lines and where its results go while it runs.
// `flush`, when set, takes the results written so far and empties the text
// (RunCommandLine sends them to standard output); without it every result
// stays in the output text of Run.
struct BatchStreams {
    std::istream* in = nullptr;
    std::function<void(std::string& out)> flush;
};

// Makes `streams` the batch's streams until the object goes out of scope.
class BatchStreamsScope {
  public:
    explicit BatchStreamsScope(BatchStreams streams);
    ~BatchStreamsScope();
    BatchStreamsScope(const BatchStreamsScope&) = delete;
    BatchStreamsScope& operator=(const BatchStreamsScope&) = delete;

  private:
    BatchStreams previous_;
};

// Longest line a batch reads; a longer one is refused as a whole.
inline constexpr size_t kBatchLineMax = 64 * 1024;

// Converts every line with `start` (its calendar, zone, view, day count and
// moment) as convert does a single TEXT. Exit status 0 when every line was
// shown, else the status of a single call of the first line that was not.
int RunBatch(const session::State& start, bool json, std::string& out, std::string& err);

// The outputs of a single convert (Cli.cpp), shared with the batch.
std::string TextOutput(const session::Tail& tail);
std::string JsonOutput(const session::ActionResult& result,
                       const std::optional<int16_t>& logFormat = std::nullopt);

} // namespace tavr::cli

#endif
