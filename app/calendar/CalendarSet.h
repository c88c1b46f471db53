// The one table of the nine calendars: code, row caption, what its entry is, where its day begins, its row
// texts and its parse, in the order the entry parser tries the codes; and the list of the move steps, each a
// calendar and a unit. The entry grammar, the display, the move and search steps and the lunation grid read
// it; a new calendar is one more row here.
#ifndef TAVR_CALENDARSET_H
#define TAVR_CALENDARSET_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavr {

inline constexpr int16_t kCalendarCount = 9;
// Indices of the calendars, the rows of the table below: the order the main
// window keeps them in and the priority of the entry parser.
enum CalendarIndex : int16_t {
    kCE = 0,
    kJC = 1,
    kSAR = 2,
    kVR = 3,
    kLDT = 4,
    kTVG = 5,
    kCJD = 6,
    kAJD = 7,
    kQLW = 8,
};

// Why an entry is refused. The numbers are the codes the command line shows
// (and "Error n" of a history line); session/Session.h gives each its message.
enum class EntryError : int16_t {
    None = 0,
    InvalidEntry = 1,       // nothing that begins like a date
    NoCalendar = 2,         // no code, or a code followed by something other than a time
    TimeWithJulianDate = 3, // a time typed with CJD or AJD
    InvalidTime = 4,        //
    DateSeparator = 5,      // "." or "/" in a calendar date
    InvalidCE = 6,          // each calendar's own refusal, 6 .. 12 and 15
    InvalidJC = 7,          //
    InvalidSAR = 8,         //
    InvalidVR = 9,          //
    InvalidLDT = 10,        //
    InvalidTVG = 11,        //
    InvalidJulianDate = 12, // CJD or AJD
    ParseFailure = 13,      // no calendar to read the date
    InvalidDayCount = 14,   //
    InvalidQLW = 15,        //
    InvalidQlwMonth = 16,   //
    InvalidQlwWeek = 17,    //
    InvalidQlwDay = 18,     //
    NoDate = 19,            // an empty entry
};
inline constexpr int16_t kEntryErrorCount = 20; // None and the 19 refusals
// The number of a refusal.
constexpr int16_t Code(EntryError error) {
    return static_cast<int16_t>(error);
}

// The text forms of a calendar date: the short form (the row's value, the
// history text), the descriptive form (the row's long form and tool tip) and
// the long form (a sentence).
enum class TextForm { Short, Descriptive, Long };

// The texts of a calendar's row for one day.
struct RowTexts {
    std::string shortText; // "2001-12-31 CE": the history text and the entry's date
    std::string value;     // the row's value: the short form and its long form in parentheses
    std::string toolTip;   // "" for CJD and AJD
};

// What an entry of a calendar names: a day of the calendar, or a number that
// is a chronological or an astronomical Julian date.
enum class EntryKind : int16_t { Day, ChronologicalJulianDate, AstronomicalJulianDate };

// What a calendar's parse read from the date text before its code.
struct DateParse {
    EntryError error = EntryError::None;
    int32_t dayNumber = 0; // EntryKind::Day: the day entered
    double number = 0.0;   // the Julian dates: the number entered
    // A date of the calendar too far from the accepted range to be converted:
    // -1 before it, +1 after it (the range check refuses it), else 0.
    int16_t beyond = 0;
};

struct MoveStep;

struct CalendarInfo {
    std::string_view code;       // "CE"
    std::string_view rowCaption; // "Common Era:", caption of the window's row
    EntryKind kind;
    double dayStart; // part of the civil day that passes before the calendar's day begins (QLW 06:00: 0.25)
    // The row for the day `day` (the civil day floor(cjd - dayStart)) of the moment cjd / ajd.
    RowTexts (*rowTexts)(int32_t day, double cjd, double ajd);
    // The date text of an entry, without its code, separators or time.
    DateParse (*parse)(const std::string& dateText);
    // A move step of this calendar (a week, month, year, century or cycle of
    // it) taken on the calendar day `day`; false when the calendar cannot
    // reach the date. nullptr for the calendars no move step names.
    bool (*step)(int32_t& day, const MoveStep& step, bool forward);
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
