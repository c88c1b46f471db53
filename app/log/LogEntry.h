// Log entries without widgets: what one result writes to the log (the action,
// the heading, a line of the other calendars' dates, a Moon line, an extra
// text and an empty line, every line ended by CR LF), the header before the
// first entry, the pending entry of "Log this result", and the log's capacity.
//
// The texts are read from the display (the common tail of the result), so an
// entry says exactly what the window showed.
#ifndef TAVR_LOGENTRY_H
#define TAVR_LOGENTRY_H

#include <array>
#include <cstddef>
#include <string>

#include "session/Session.h"

namespace tavr::log {

inline constexpr const char* kLineEnd = "\r\n";
// Characters the log holds at most; nobody writes this much in a day of use.
inline constexpr size_t kLogCapacity = 4'000'000;

inline constexpr int16_t kFormatCalendarEqualsDate = 0; // "calendar=date"
inline constexpr int16_t kFormatDateCalendar = 1;       // "date calendar,"

// The displayed texts an entry reads.
struct LogSource {
    std::array<std::string, 9> values; // value labels (index 1), calendar-code order
    std::string phaseText;             // lblPhaseOfMoon index 1
    std::string ageText;               // lblAgeOfMoon index 1
};
LogSource SourceOf(const session::Tail& tail);

// The switches and the format of the log preferences, and the current calendar.
struct LogSettings {
    int16_t format = kFormatCalendarEqualsDate;
    std::array<bool, session::kLogIncludeCount> include{true, true, true, true, true, true,
                                                        true, true, true, true, true};
    int16_t currentCalendar = session::kCE;
};
LogSettings SettingsOf(const session::State& state);

// The caption of the main window, a line end, the documentation address, two line ends.
std::string LogHeader(const std::string& caption, const std::string& documentationAddress);

// The result not yet written while "Log all results" is off.
struct PendingLogEntry {
    std::string heading;
    std::string action;
    std::string extra;
    bool operator==(const PendingLogEntry&) const = default;
};

enum class LogFailure {
    None,
    Full,  // the log cannot grow: ask "Log is full.  Clear log?"
    Error, // a marker was not found in a displayed text: `errorText`
};

struct LogOutcome {
    bool stored = false;  // kept as the pending entry ("Log this result" enabled)
    bool written = false; // an entry was begun (the pending one is emptied)
    std::string appended; // the text to append to the log (with the header when the log was empty)
    LogFailure failure = LogFailure::None;
    std::string errorText;
};

// The window's "Log is full" question and its failure title.
session::Message LogFullQuestion();
inline constexpr const char* kLogErrorTitle = "Error when adding log entry.";

// AddLogEntry: with `logAll` off the entry becomes the pending one; an empty
// heading writes nothing; otherwise the pending entry is emptied and the entry
// composed. `logLength` is the length of the log text now; an empty log gets
// `header` first. A failure keeps what was composed before it.
LogOutcome AddLogEntry(PendingLogEntry& pending, bool logAll, const std::string& heading,
                       const std::string& action, const std::string& extra, const LogSettings& settings,
                       const LogSource& source, size_t logLength, const std::string& header,
                       size_t capacity = kLogCapacity);

// One entry without header, for every switch as given; `failure` tells why it
// stopped early.
LogOutcome ComposeEntry(const std::string& heading, const std::string& action, const std::string& extra,
                        const LogSettings& settings, const LogSource& source, size_t logLength = 0,
                        size_t capacity = kLogCapacity);

} // namespace tavr::log

#endif
