// The log entry of a command-line result.
#ifndef TAVR_CLILOG_H
#define TAVR_CLILOG_H

#include <cstdint>
#include <optional>
#include <string>

#include "session/Session.h"

namespace tavr::cli {

// The entry: action, history line, calendar line, Moon line, extra text and
// the empty line, each ended by CR LF; "" for a result without display.
std::string LogEntryOf(const session::ActionResult& result, int16_t format);

// "calendar=date" (0) or "date calendar," (1); nothing for any other text.
std::optional<int16_t> ParseLogFormat(const std::string& text);

} // namespace tavr::cli

#endif
