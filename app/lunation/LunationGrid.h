// The content of the lunation calendar window without any widget: the days of
// one lunation laid out in a grid of 32 cells (4 rows of 8), each with its
// number within the lunation, its Common Era date and its date in the chosen
// month calendar; the titles; the window's geometry; and the steps to the
// previous and next lunation with their limits.
//
// The first day of a lunation is the civil day on which its new Moon falls,
// taken in the main window's time zone and view (local or Greenwich). The same
// rule gives the first day of the following lunation, and with it the length
// (29 or 30 days), however the lunation was reached.
#ifndef TAVR_LUNATIONGRID_H
#define TAVR_LUNATIONGRID_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/DayNumbers.h"
#include "session/Session.h"

namespace tavr::lunation {

// ---- the month calendar of the third cell line (list cboMonthCalendar) ----

enum MonthCalendar : int {
    kSarvenes = 0,
    kSolilunar = 1,
    kGoddess = 2,
    kTriday = 3,
};
// Their count is kept with the state that saves the choice.
using session::kMonthCalendarCount;
// "Sarvenes Calendar dates", "Vosko-Rindal Solilunar dates",
// "Tussary-Vosko Goddess dates", "Lunar Dovrenia Triday dates"; "" otherwise.
std::string_view MonthCalendarText(int calendar);

// ---- grid constants (pixels of the drawing area) ----------------------------

inline constexpr int kCellCount = 32;
inline constexpr int kColumns = 8;
inline constexpr int kRows = 4;
inline constexpr int kGridTop = 80;      // T
inline constexpr int kGridLeft = 20;     // L
inline constexpr int kCellHeight = 122;  // H
inline constexpr int kPictureSize = 52;  // pictures are 52 x 52
inline constexpr int kNumberOffset = 52; // lunation-day number below the cell top
inline constexpr int kCalendarLineOffset = 80;
inline constexpr int kCommonEraLineOffset = 94;
inline constexpr int kWideCellWidth = 129; // triday calendar
inline constexpr int kCellWidth = 110;     // the others

// The lunations that can be shown.
inline constexpr int32_t kFirstLunation = -64316;
inline constexpr int32_t kLastLunation = 49472;

// 129 for the triday calendar, 110 otherwise.
int CellWidth(int calendar);
// Cells 7 and 23 are never shown; cell 31 only in a 30-day lunation.
bool IsVisibleCell(int cell, bool longLunation);
// "day" + (cell + 1) + ".gif", the picture of a cell; "" for 7, 23 and
// numbers outside 0..31.
std::string PictureFileName(int cell);

// ---- the first day ------------------------------------------------------------

// How the main window shows dates: its zone offset and whether the
// Greenwich option is chosen (then the offset is not applied).
struct LunationView {
    ZoneOffsetMinutes offset = 0;
    bool greenwich = false;
    ZoneOffsetMinutes EffectiveOffset() const { return greenwich ? ZoneOffsetMinutes{0} : offset; }
};

// The lunation containing a moment (AJD, universal time).
int32_t LunationAt(AstroJulianDate moment);
// The lunation "Display lunation with" shows for a moment: the one
// containing it, kept within kFirstLunation..kLastLunation.
int32_t ShownLunationAt(AstroJulianDate moment);
// Today's day number in `view`, for the moment `now`.
DayNumber TodayIn(const LunationView& view, AstroJulianDate now);
// Day number of the civil day, in `view`, on which the new Moon of
// `lunation` falls.
DayNumber FirstDayOf(int32_t lunation, const LunationView& view);

// ---- the grid -------------------------------------------------------------------

struct Cell {
    bool visible = false;
    int number = 0;            // day within the lunation, 1..30 (0 when hidden)
    DayNumber dayNumber = 0;   // the civil day
    std::string numberText;    // "7 " (one blank after 1..9), "15"
    std::string commonEraText; // "Mon Dec 7", "Tue Dec 17"
    std::string calendarText;  // "Apollo 5", "Sophie 3 Armedon", ...
    std::string picture;       // "day1.gif"
    bool today = false;
    bool weekend = false; // Saturday or Sunday
};

struct Grid {
    int32_t lunation = 0;
    int calendar = kSarvenes;
    DayNumber firstDay = 0; // day 1
    int days = 0;           // 29 or 30
    bool longLunation = false;
    int cellWidth = kCellWidth;
    int todayCell = -1; // -1 when today lies outside the lunation
    std::array<Cell, kCellCount> cells{};
    std::string windowTitle;  // the list text of the calendar
    std::string title;        // "Lunation 1234 (Apollo)"
    std::string yearAndMonth; // "December 2020", "December 2020-January 2021"...
};

// The grid of `lunation` with the month calendar `calendar` (0..3; other
// values are taken as 0) and `today` as today's day number.
Grid BuildLunationGrid(int32_t lunation, const LunationView& view, int calendar, DayNumber today);

// The year-and-month label from the Common Era months (1..12) and years of
// the first and last day: "May 2021", "May-June 2021",
// "December 2020 - January 2021".
std::string YearAndMonthText(int32_t month1, int32_t year1, int32_t month2, int32_t year2);

// ---- previous and next ------------------------------------------------------------

enum class Step { Previous = 0, Next = 1 };

struct StepResult {
    bool moved = false;
    int32_t lunation = 0;     // the new lunation (unchanged when refused)
    std::string messageTitle; // "Show previous lunation" / "Show next lunation"
    std::string messageText;  // the refusal, "" when moved
};

// One step from `lunation`; refused at the first lunation (previous) and at
// the last one (next), and beyond them.
StepResult StepLunation(int32_t lunation, Step step);

// ---- window geometry ------------------------------------------------------------

struct WindowLayout {
    int cellWidth = 0;
    int width = 0;  // 2 L + 8 W
    int height = 0; // T + 4 H + Close height + 60
    int buttonTop = 0;
    int gap = 0;
    int previousLeft = 0;
    int nextLeft = 0;
    int closeLeft = 0;
    int closeWidth = 0; // half the step buttons' width
};

// The window's size and the buttons' places for the calendar, the width of
// the step buttons and the height of the Close button.
WindowLayout ComputeLayout(int calendar, int stepButtonWidth, int closeHeight);
// Left edge of the window: at the right edge of the screen, but not below 0.
int WindowLeft(int screenWidth, int windowWidth);
// Top-left of cell `cell`'s picture and of the cell itself.
int PictureTop(int cell);
int PictureLeft(int cell, int cellWidth);
int CellTop(int cell);
int CellLeft(int cell, int cellWidth);

} // namespace tavr::lunation

#endif
