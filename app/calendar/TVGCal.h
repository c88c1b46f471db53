// The Tussary-Vosko goddess calendar (TVG): an arithmetic lunar calendar of
// 13-month years (383 or 384 days) in cycles of 470 years, months named
// after goddesses.
#ifndef TAVR_TVGCAL_H
#define TAVR_TVGCAL_H

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"

namespace tavr::tvg {

struct TvgDate {
    int32_t cycle = 0; // cycle 1 begins at the epoch; before it 0, -1, ...
    int32_t year = 0;  // 1..470
    int32_t month = 0; // 1..13
    int32_t day = 0;   // 1..30
    DayNumber dayNumber = 0;
    bool valid = false;
};

inline constexpr DayNumber kEpoch = 2415611; // 1-1-01-01 TVG = 1901-08-14 CE
inline constexpr int32_t kCycleYears = 470;
inline constexpr int32_t kCycleDays = 180432; // 470 x 384 - 48

// Text forms: 1 short (row value), 2 descriptive (row long form), 3 long (tool tip).

// A year divisible by 10 or by 235 is short (383 days).
bool IsShortYear(int32_t year);
int YearLength(int32_t year);                 // 383 or 384
int MonthLength(int32_t year, int32_t month); // 29 or 30; 0 for a month outside 1..13
bool IsValidDate(int32_t year, int32_t month, int32_t day);

// Validates; sets valid and dayNumber (0 when invalid or outside the 32-bit
// day numbers); returns valid.
bool ToDayNumber(TvgDate& date);
// The TVG date of a day number; valid = true.
TvgDate FromDayNumber(DayNumber d);

// Reads an entered text: cycle-year-month-day, -cycle-year-month-day or
// year-month-day (cycle 1). Every field needs digits, numbers and the day
// number must stay within 32 bits. True with the record filled and
// converted; false with `date` unchanged.
bool Parse(const std::string& text, TvgDate& date);

// Steps of the moves (dayNumber not updated; call ToDayNumber).
void CycleStep(TvgDate& date, bool forward);
void YearStep(TvgDate& date, bool forward);  // day 30 of month 13 cut in a short year
void MonthStep(TvgDate& date, bool forward); // day 30 cut to the new month's length
// Day number one cycle, year or month away; false for StepUnit::Week and when
// the result leaves the 32-bit day numbers.
bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward);

// "Athena" .. "Maria" for 1..13; "" otherwise.
std::string_view MonthName(int month);

// Form 1: "1-94-08-25" (+ " TVG" with `withCode`);
// form 2: form 1 + " (Saturday, Hathor 25, 1-94)";
// form 3: "The 25th day of Hathor in the year 94 of cycle 1"; other forms "".
// Form 2 names the weekday of the date's own day number (converted here).
std::string Text(const TvgDate& date, TextForm form, bool withCode = true);

} // namespace tavr::tvg

#endif
