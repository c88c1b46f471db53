// `convert --log`: the log entry the window writes for the result with every
// result logged and every switch on, without the log's header.
#include "cli/CliLog.h"

#include "log/LogEntry.h"
#include "session/History.h"

namespace tavr::cli {

std::string LogEntryOf(const session::ActionResult& result, int16_t format) {
    if (!result.tail) return std::string();
    session::State state = result.state;
    state.history.clear();
    const std::string heading =
        session::AddHistoryEntry(state, result.historyText, result.tail->timeLabel, result.eclipseType);
    log::LogSettings settings;
    settings.format = format;
    settings.currentCalendar = state.currentCalendar;
    return log::ComposeEntry(heading, result.actionText, result.extraLogText, settings,
                             log::SourceOf(*result.tail))
        .appended;
}

std::optional<int16_t> ParseLogFormat(const std::string& text) {
    if (text == "calendar=date" || text == "0") return log::kFormatCalendarEqualsDate;
    if (text == "date calendar," || text == "date calendar" || text == "1") return log::kFormatDateCalendar;
    return std::nullopt;
}

} // namespace tavr::cli
