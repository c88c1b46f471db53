// The lunar triday (LDT) calendar through its library, which is loaded by
// name at its first use: conversions to and from day numbers, parsing of
// entered texts, the steps of the moves, names and texts.
// When the library or one of its exports cannot be bound, the operations
// report failure (false, an invalid record, 0) and never call through it.
#ifndef TAVR_TRIDAY_H
#define TAVR_TRIDAY_H

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"
#include "dtc.h"

namespace tavr::ldt {

inline constexpr int32_t kYearsPerCycle = 384; // years 0..383
inline constexpr int32_t kTridaysInMonth6 = 9;

// Text forms: 1 short (row value), 2 descriptive (row long form), 3 long (tool tip).

bool Available();

// The LDT date of a day number (cycle..day, valid 1, dayNumber).
// Without the library: a zeroed record with valid 0.
DtcLunarDate FromDayNumber(DayNumber d);
// Validates; only a valid date is converted (dayNumber written). An invalid
// date leaves dayNumber unchanged. Returns valid.
bool ToDayNumber(DtcLunarDate& date);
// Reads cycle-year-month-triday-day (a "-" before a negative cycle) or
// year-month-triday-day (cycle 0) and converts. True with the record filled.
bool Parse(const std::string& text, DtcLunarDate& date);

// 9 or 10 tridays in month 12 of the year (0 without the library).
int TridaysIn12thMonth(int32_t year);

// Steps of the moves (fields kept in range, triday cut; dayNumber not updated).
void CycleStep(DtcLunarDate& date, bool forward);
void YearStep(DtcLunarDate& date, bool forward);
void MonthStep(DtcLunarDate& date, bool forward);
// Month 6: triday above 9 -> 9, day 3. Month 12: triday above the year's
// count -> that count, day 3.
void CutTriday(DtcLunarDate& date);
bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward);

// "Armedon" .. "Eleleth" for 1..12; "" otherwise.
std::string_view MonthName(int month);
// The same with month 7 as "Mellephan." (lunation calendar window).
std::string_view ShortMonthName(int month);
// "Sophiesday", "Zoesday", "Norasday" for day 1..3 of the triday; "" otherwise.
std::string_view DayName(int day);

// Form 1: "098-09-09-3 LDT" (cycle and "-" first when not 0);
// form 2: form 1 + " (Norasday 9 Davithe 98)";
// form 3: "Norasday in the 9th triday of Davithe in the year 98" (+ ", Cycle n"
// for a cycle other than 0); other forms "".
std::string Text(const DtcLunarDate& date, TextForm form);

} // namespace tavr::ldt

#endif
