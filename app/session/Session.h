// The main window's logic without widgets: the window state that matters to
// the entry, the display and Convert; the entry grammar with its 19 error
// codes; the texts of the nine calendar rows, the time label and the history
// text; copy-to-entry, the row and time-label clicks; Convert with its range
// check and action texts; the Greenwich/Local switch and the zone change.
//
// Every operation takes the state and gives back what the window applies: a
// new state, texts, and at most one message box request. A refused action
// changes nothing but, at most, the normalised entry text.
#ifndef TAVR_SESSION_H
#define TAVR_SESSION_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/MoonData.h"
#include "base/Range.h"
#include "calendar/DayNumbers.h"

#include "session/TimeZone.h"

namespace tavr::session {

using timezone::View;

using ::tavr::kCalendarCount;
// The calendar indices of calendar/CalendarSet.h.
using ::tavr::kAJD, ::tavr::kCE, ::tavr::kCJD, ::tavr::kJC, ::tavr::kLDT, ::tavr::kQLW, ::tavr::kSAR,
    ::tavr::kTVG, ::tavr::kVR;
// The rows from top to bottom as the window shows them (QLW above CJD and AJD).
inline constexpr std::array<int16_t, 9> kWindowOrder = {kCE, kJC, kSAR, kVR, kLDT, kTVG, kQLW, kCJD, kAJD};

using ::tavr::kEarliestMoment; // the accepted range (base/Range.h)
using ::tavr::kLatestMoment;
inline constexpr int32_t kNoEclipse = -10000000; // displayed-eclipse lunation: none

using ::tavr::CalendarCode; // the calendar table's codes (calendar/CalendarSet.h)

// ---- message boxes ---
// The one message type: the session asks, the window's message box interface
// (or the command line) shows it.--------------------------------------------------------

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, OkCancel, YesNo };
struct Message {
    std::string title;
    std::string text;
    Icon icon = Icon::Warning;
    Buttons buttons = Buttons::Ok;
    bool operator==(const Message&) const = default;
};

inline constexpr const char* kEntryErrorTitle = "Invalid date/time entry";
using ::tavr::EntryError; // calendar/CalendarSet.h
// Message of an entry error (InvalidEntry .. NoDate); "Unknown error." for None or any other value.
std::string EntryErrorText(EntryError error);
// The message box ShowEntryError shows: the text above, title
// "Invalid date/time entry", warning icon, OK.
Message ShowEntryError(EntryError error);

// ---- state -------------------------------------------------------------------

inline constexpr int16_t kHistoryMax = 8; // lines of the history list
// The lists' entries at start-up (and after Reset): the move step "1 day"
// (calendar/CalendarSet.h), the refresh period "1" second, the search target
// "Total solar eclipse".
inline constexpr int16_t kRefreshPeriodCount = 5;
inline constexpr int16_t kDefaultRefreshPeriod = 2;
inline constexpr int16_t kDefaultTarget = 11;
// The lunation window's month calendars (SAR, VR, TVG, LDT).
inline constexpr int16_t kMonthCalendarCount = 4;
// The log's include switches, in the order of the saved state: CE, JC, SAR,
// VR, LDT, TVG, CJD, AJD, phase and illumination, lunation and age, QLW.
inline constexpr int kLogIncludeCount = 11;
enum LogInclude : int16_t {
    kIncludeCE = 0,
    kIncludeJC,
    kIncludeSAR,
    kIncludeVR,
    kIncludeLDT,
    kIncludeTVG,
    kIncludeCJD,
    kIncludeAJD,
    kIncludePhaseOfMoonAndIllumination,
    kIncludeLunationAndAgeOfMoon,
    kIncludeQLWC,
};

// One line of the history list and its item value (the eclipse type; 0 none).
struct HistoryLine {
    std::string text;
    int32_t eclipseType = 0;
    bool operator==(const HistoryLine&) const = default;
};

// Every value of the main window that an action, the saved state, the
// history and the log need. The window shows it; it does not keep a copy.
struct State {
    // The moment and how it is shown.
    double dblCurrentAJDate = 0.0;
    int16_t currentCalendar = kCE;
    int zoneIndex = timezone::kGmtIndex; // entry selected in cboTimeZone
    int16_t zoneOffset = 0;              // offset the moment was last adjusted to
    View view = View::Local;             // optLocal / optGreenwich
    bool nowMode = false;
    bool fromHistory = false;

    // The entry.
    bool plusSelected = true; // optPlus (else optMinus)
    std::string entryText;    // txbDate
    std::string dayCountText; // txbPlusMinus

    // The eclipse last displayed.
    int32_t displayedEclipseLunation = kNoEclipse;
    bool displayedEclipseLunar = false; // at a full Moon (phase 2), else at a new Moon
    std::string actualEclipseData;      // lblActualEclipseData

    // Move.
    bool moveForward = true;                            // optMoveDirection index 0 (else 1, "back")
    int16_t moveStepIndex = kDefaultMoveStep;           // cboMoveStep
    bool repeatedly = false;                            // chkRepeatedly
    int16_t refreshPeriodIndex = kDefaultRefreshPeriod; // cboRefreshPeriod

    // Search.
    bool searchNext = true;               // optNext (else optPrevious)
    int16_t targetIndex = kDefaultTarget; // cboTarget

    // Log.
    bool chkLog = false;   // log every result
    int16_t logFormat = 0; // optLogFormat: 0 "calendar=date", 1 "date calendar,"
    std::array<bool, kLogIncludeCount> logInclude{true, true, true, true, true, true,
                                                  true, true, true, true, true};

    // Lunation calendar window.
    int16_t monthCalendarIndex = 0; // cboMonthCalendar

    // History list, oldest first (the list's order), at most kHistoryMax lines.
    std::vector<HistoryLine> history;
    int16_t historySelected = -1; // index of the line last shown; -1 none
};

// Offset in minutes of the selected zone entry.
int16_t ZoneMinutes(const State& state);
double CjdFromAjd(const State& state, double ajd);
double AjdFromCjd(const State& state, double cjd);

// ---- the entry grammar -----------------------------------------------------

struct ParseResult {
    EntryError error = EntryError::None;
    double moment = 0.0;   // the entered AJD (0 on failure; +-infinity for a well-formed date
                           // too far outside the range to convert, which the range check refuses)
    int16_t calendar = -1; // on success the index of the recognised code
    // The text of txbDate after the parse: the normalised entry (upper case,
    // trimmed, the assumed code appended) unless `fromHistory` is set; the
    // current date when the entry held nothing but separators and a day
    // count is present. Written back whatever the outcome.
    std::string entryText;
};
// Parses `entry` (the text of txbDate, or a history line with `fromHistory`)
// under the state's current calendar, zone, view and day count.
ParseResult ParseDateEntry(const std::string& entry, const State& state);

// ---- display -----------------------------------------------------------------

struct Row {
    std::string caption;   // caption label (index 0)
    std::string shortText; // value label after the first pass (short form)
    std::string value;     // value label's final text (long form)
    std::string toolTip;   // tool tip of the value label ("" for CJD and AJD)
};
struct Display {
    std::array<Row, 9> rows; // in calendar-code order (use kWindowOrder to lay out)
    std::string historyText; // short form of the current calendar's row
    double cjd = 0.0;
    int32_t dayNumber = 0; // floor(cjd), the local civil day
};
// The nine rows for the state's moment, current calendar, zone and view.
Display RefreshDisplay(const State& state);

// Local clock reading for the time label in Now mode.
struct ClockTime {
    int hour = 0;
    int minute = 0;
};
// Text of lblTime index 1: "14:28 (local)" and so on. In Now mode the time
// comes from `clock` when it is given, otherwise from the moment.
std::string RefreshTimeLabel(const State& state, std::optional<ClockTime> clock = std::nullopt);

// True for the caption of the current calendar's row (colourOn), false for the others.
bool CaptionHighlighted(const State& state, int row);

// "HH:MM" of the moment in the current view (06:00 earlier with QLW current).
std::string TimeOfMomentText(const State& state);

// Text of txbDate after the time label is clicked: the entry cut before an
// existing time, trimmed, then " " and the time of the current moment.
// Unchanged when the entry holds fewer than 3 characters.
std::string TimeLabelClick(const State& state);

// A click on row `row` (calendar index 0..8), label `index` (0 caption, 1
// value): the row's calendar becomes current; a value click also puts the
// row's date (and, except CJD and AJD, the time) into the entry. The time
// label follows the calendar made current (in Now mode from `clock` when given).
struct RowClickResult {
    int16_t calendar = 0;
    bool entryChanged = false;
    std::string entryText;
    std::string timeLabel; // lblTime index 1 with `calendar` current
};
RowClickResult RowClick(const State& state, int row, int index,
                        std::optional<ClockTime> clock = std::nullopt);

// The text CopyCurrentDateToEntry writes into txbDate: the value-label click
// of the current calendar's row. The entry is returned unchanged for a
// current calendar outside 0..8.
std::string CopyCurrentDateToEntry(const State& state);

// ---- Convert -----------------------------------------------------------------

// The range message for a moment outside [kEarliestMoment, kLatestMoment]
// ("Date out of range"), or nothing when it is accepted.
std::optional<Message> RangeCheck(double moment);

// The message of a move or search that would pass an end of the range:
// "Out of range", "Latest date exceeded." or "Earliest date exceeded.".
inline constexpr const char* kMoveRangeTitle = "Out of range";
inline constexpr const char* kEarliestExceeded = "Earliest date exceeded.";
inline constexpr const char* kLatestExceeded = "Latest date exceeded.";
Message RangeStopMessage(bool later);

// "Convert date", or "Convert date plus +1,000 days" with a day count.
std::string ConvertActionText(const std::string& dayCount, bool plus);

// What an action ended in; the command line takes its exit status from it.
enum class ResultKind {
    Done,       // the state changed as asked
    Unchanged,  // nothing to do (no message, or an informative one)
    Refused,    // the entry or an argument was refused with a message
    OutOfRange, // the result would lie outside the accepted range
};

// The common tail of an action: everything the window shows below the entry,
// computed once and shown by whoever asked (window or command line).
struct Tail {
    Display display;         // the nine rows, the CJD, the civil day, the history text
    std::string timeLabel;   // lblTime index 1
    moon::MoonReport moon;   // phase, illumination, age; an error to show
    std::string deltaTWords; // lblDeltaT index 1
};

struct ActionResult {
    ResultKind kind = ResultKind::Unchanged;
    std::optional<Message> message; // at most one message box, shown after the tail
    bool focusEntry = false;        // SetTheFocus after the message (entry refusals)
    int16_t errorCode = 0;          // Code(EntryError) of a refused entry, else 0
    State state;                    // the state after the action
    std::optional<Tail> tail;       // present when the display changed

    // For the history list and the log.
    bool historyDue = false;  // a history line (and a log entry) is due
    std::string historyText;  // the history line
    int32_t eclipseType = 0;  // the history item's value
    std::string actionText;   // the log's action text
    std::string extraLogText; // an optional second log text ("" for none)
    std::string logHeading;   // a log entry without a new history line (a history choice)
};

// The common tail for a state. In Now mode the time label takes the clock
// reading when one is given.
Tail ComputeTail(const State& state, std::optional<ClockTime> clock = std::nullopt);

// The one way a result shows its state's moment: the common tail and the
// history text; ShowInEntry also puts the current calendar's date and time
// into the entry (as CopyCurrentDateToEntry does).
void FillTail(ActionResult& result, std::optional<ClockTime> clock = std::nullopt);
void FillTailAndEntry(ActionResult& result);

// The refusal of an entry: its error code and message box, the focus back to the entry.
ActionResult RefuseEntry(ActionResult result, EntryError error);

// A moment typed into the entry replaces the current one only when it lies
// this far from it or farther (a date shown to the minute leaves it alone).
inline constexpr double kSameMoment = 0.0007; // day
// The moment an action goes on from: `entered` when it lies kSameMoment or more from `current`.
double MomentAfterEntry(double current, double entered);

// The Convert button (and Enter in the entry boxes): trims both boxes, parses,
// adds the day count, checks the range and commits. Refusals: error 19 (empty
// entry), 14 (day count), 1..18 (entry), "Nothing to do!", the range messages;
// each leaves everything but the normalised entry text as it was. After a
// commit Now mode ends, the eclipse memory is cleared, the entered calendar is
// current and the entry shows the result in it with its time.
ActionResult Convert(const State& state);

// The Greenwich / Local switch: the moment stays, the rows and the time label
// follow the view (not recomputed while `fromHistory` is set).
ActionResult SwitchView(const State& state, View view, std::optional<ClockTime> clock = std::nullopt);

// A zone chosen in cboTimeZone: the local clock time shown stays and the
// moment moves by the difference of the offsets. Action text "Timezone changed.";
// a history entry is due unless `fromHistory` is set.
ActionResult ChangeZone(const State& state, int zoneIndex, std::optional<ClockTime> clock = std::nullopt);

// SetToNow: eclipse data cleared, `nowAjd` becomes current, rows and time
// label recomputed (the time label from `clock` in Now mode). Used by the
// clock's ticks, which add nothing to the history.
ActionResult SetToNow(const State& state, double nowAjd, std::optional<ClockTime> clock = std::nullopt);

// The Now button: both boxes emptied, eclipse memory cleared, Now mode on,
// then SetToNow; a history entry is due with the action text "Now".
ActionResult NowClick(const State& state, double nowAjd, std::optional<ClockTime> clock = std::nullopt);

} // namespace tavr::session

#endif
