// convert --batch: one entry a line from standard input, one result a line.
#ifndef TAVR_CLIBATCH_H
#define TAVR_CLIBATCH_H

#include <cstdint>
#include <string>

#include "cli/CliStreams.h"
#include "session/Session.h"

namespace tavr::cli {

// Longest line a batch reads (without its line end); a longer one is
// refused as a whole.
inline constexpr size_t kBatchLineMax = 64 * 1024;

// Converts every line with `start` (its calendar, zone, view, day count and
// moment) as convert does a single TEXT, reading standard input and sending
// each result on as it is made, both through `streams`. Exit status 0 when every
// line was shown, else the status of a single call of the first line that
// was not; kExitRead when standard input could not be read (the lines read
// before are converted).
int RunBatch(const session::State& start, bool json, Streams& streams, std::string& out, std::string& err);

} // namespace tavr::cli

#endif
