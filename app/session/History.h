// The history list: the eight most recent results as lines such as
// "2001-12-31 CE 14:28 (local = GMT+01:00)", each with the eclipse type of
// its result, and the choice of a line, which brings that moment back as it
// was shown (calendar, Greenwich/Local, zone and eclipse details).
#ifndef TAVR_HISTORY_H
#define TAVR_HISTORY_H

#include <optional>
#include <string>
#include <string_view>

#include "session/Session.h"

namespace tavr::session {

inline constexpr const char* kHistorySelectionAction = "Selection from history";

// The line of a result: `strDate` (the display's history text), unless CJD or
// AJD is current " " and the first 5 characters of the time label, then
// " (Greenwich; local = " or " (local = ", the zone text without spaces, ")".
std::string HistoryLineText(const State& state, const std::string& strDate, const std::string& timeLabel);

// Records a result in `state.history`: gives the line when it was added and
// "" when it equals the newest line. The oldest of kHistoryMax lines makes
// room; the new line becomes the selected one.
std::string AddHistoryEntry(State& state, const std::string& strDate, const std::string& timeLabel,
                            int32_t eclipseType);

// Offset in minutes of the zone a line names ("GMT+05:30" gives 330, "GMT" 0;
// an offset beyond a day, which no zone has, 0 as well).
int16_t ZoneOffsetOfLine(std::string_view line);

// The choice of line `index` of the history list. Nothing happens for the
// line already shown or an index outside the list. Otherwise the line's view,
// zone and moment come back, Now mode ends, the entry boxes are emptied, and
// for a line of an eclipse the details are shown again; the log receives the
// line (`logHeading`) with "Selection from history" and the eclipse text.
// A line that does not parse is refused ("Error 5 when selecting from
// History.") and changes nothing, as does one whose moment lies more than a
// minute outside the accepted range (OutOfRange, "Date out of range"); within
// that minute the moment comes back at the range's end.
ActionResult SelectFromHistory(const State& state, int index, std::optional<ClockTime> clock = std::nullopt);

} // namespace tavr::session

#endif
