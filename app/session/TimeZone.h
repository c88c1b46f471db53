// Time zones of the main window, without widgets: the 49 entries of the zone
// list, the offset of an entry, the two conversions between chronological and
// astronomical Julian dates under the Greenwich or Local view, the zone change
// that keeps the local clock time and moves the moment, the delta T words and
// the clock text of the time label in Now mode.
#ifndef TAVR_TIMEZONE_H
#define TAVR_TIMEZONE_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavr::timezone {

// Which clock the dates and times are shown in: the selected zone's local
// time (optLocal) or Greenwich time (optGreenwich).
enum class View { Local, Greenwich };

inline constexpr int kZoneCount = 49; // half hours -24..24
inline constexpr int kGmtIndex = 24;  // "GMT", the initial entry

// Text of list entry `index` (0..48): "GMT - 12:00" .. "GMT" .. "GMT + 12:00";
// empty outside the list.
std::string ZoneText(int index);
// All 49 entries in list order.
std::vector<std::string> ZoneList();
// Index of the entry whose offset is `minutes`, or -1 when no entry has it.
int ZoneIndexOfMinutes(int minutes);

// Offset in minutes (local minus universal time, positive east) of a list
// entry text: "Greenwich" and "GMT" give 0, "GMT + 05:30" 330, "GMT - 03:30" -210.
int16_t ZoneMinutes(std::string_view entryText);

// A zone as given on the command line: a list text ("GMT + 05:30", spaces and
// case free) or an offset ("+05:30", "-3:30", "+5", "0"). Gives the list
// index, or nothing when the text names no entry of the list.
std::optional<int> ParseZoneArgument(std::string_view text);

// CJD = AJD + 0.5, plus zoneMinutes / 1440 in the Local view.
double CjdFromAjd(double ajd, int16_t zoneMinutes, View view);
// AJD = CJD, minus zoneMinutes / 1440 in the Local view, minus 0.5.
double AjdFromCjd(double cjd, int16_t zoneMinutes, View view);

// The effect of choosing another zone: the local clock time stays, the moment
// moves by the difference of the offsets (in either view).
struct ZoneChange {
    double ajd;         // the new current moment
    int16_t zoneOffset; // the offset the moment is now adjusted to
    bool moved;         // false when the offsets were equal (moment unchanged)
};
ZoneChange ChangeZone(double ajd, int16_t currentOffset, int16_t newOffset);

// Text of the delta T label for delta T in minutes: "More than 24 hours" from
// 1440 minutes on, else the minutes rounded (halves to even) as words.
std::string DeltaTWords(double minutes);

// "HH:MM" of the time label in Now mode, from the system clock's local hour
// and minute: in the Greenwich view with a non-zero offset the clock is moved
// back by the offset (wrapping past midnight); with QLW current the hour goes
// back by 6 (a QLW day begins at 06:00).
std::string NowClockText(int hour, int minute, View view, int16_t zoneOffset, bool qlwCurrent);
// The suffix of the time label: " (Greenwich QLW)", " (local QLW)", " (GMT)",
// " (local)", " (GMT=local)" or " (local=GMT)".
std::string TimeLabelSuffix(bool qlwCurrent, View view, int16_t zoneOffset);

} // namespace tavr::timezone

#endif
