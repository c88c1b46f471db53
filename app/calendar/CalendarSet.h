// The one table of the nine calendars: code, names, row caption and the
// error code of its entry, in the order the entry parser tries the codes;
// and the list of the move steps, each a calendar and a unit. The entry
// grammar, the display, the move and search steps and the lunation grid read
// it; a new calendar is one more row here.
#ifndef TAVR_CALENDARSET_H
#define TAVR_CALENDARSET_H

#include <array>
#include <cstdint>
#include <string_view>

namespace tavr {

inline constexpr int16_t kCalendarCount = 9;

struct CalendarInfo {
    std::string_view code;       // "CE"
    std::string_view fullName;   // "CE (Common Era Calendar)", as in lists
    std::string_view name;       // "Common Era date", as in messages
    std::string_view rowCaption; // "Common Era:", caption of the window's row
    int16_t entryError;          // entry error code of a date this calendar refuses
};

// Rows in code order: CE, JC, SAR, VR, LDT, TVG, CJD, AJD, QLW.
const std::array<CalendarInfo, kCalendarCount>& CalendarSet();
// The row of `index`, or nullptr outside 0..8.
const CalendarInfo* CalendarAt(int index);

// ---- move steps -------------------------------------------------------------

// What a step moves: a fixed number of days, or units of a calendar.
enum class StepKind { Days, Week, Month, Year, Cycle };
struct MoveStep {
    std::string_view text; // "1 CE month", as in the move list
    int16_t calendar;      // calendar index, -1 for a fixed number of days
    StepKind kind;
    double days;   // StepKind::Days: the length of the step in days
    int32_t count; // calendar steps: units per step (100 for a century)
};
inline constexpr int16_t kMoveStepCount = 20;
inline constexpr int16_t kDefaultMoveStep = 2; // "1 day"
// The move list in its order.
const std::array<MoveStep, kMoveStepCount>& MoveSteps();

} // namespace tavr

#endif
