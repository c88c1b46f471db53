// The solilunar (VR) calendar through its library, which is loaded by name at
// its first use: conversions to and from day numbers, parsing of entered
// texts, the steps of the moves, names and texts.
// When the library or one of its exports cannot be bound, the operations
// report failure (false, an invalid record, 0) and never call through it.
#ifndef TAVR_SOLILUNAR_H
#define TAVR_SOLILUNAR_H

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"
#include "vrslc.h"

namespace tavr::vr {

inline constexpr int32_t kYearsPerCycle = 60;
inline constexpr int32_t kYearsPerGreatCycle = 6840;

// Text forms: 1 short (row value), 2 descriptive (row long form), 4 long (tool tip).

// True when the library and all its exports could be bound.
bool Available();

// The VR date of a day number (fields cycle..day, valid 1, dayNumber).
// Without the library: a zeroed record with valid 0.
VrslcDate FromDayNumber(DayNumber d);
// Converts cycle, year, month, day; true when the library marks the date
// valid (dayNumber, valid and error filled by the library).
bool ToDayNumber(VrslcDate& date);
// Reads an entered text (cycle-year-month-day, a "-" before a negative
// cycle) and converts it. True with the record filled and dayNumber set.
bool Parse(const std::string& text, VrslcDate& date);

// 1 when year (1..60) of the cycle has 13 months.
bool IsLongYear(int32_t year, int32_t cycle);
int MonthsInYear(int32_t year, int32_t cycle); // 13 or 12
// Length of the record's month (29, 30 or 31), or 0 with `error` set to the
// library's code (1 year, 2 month, 3 month 13 of a short year).
int16_t MonthLength(const VrslcDate& date, int32_t& error);

// Steps of the moves; each keeps every field inside its range (month cut to
// the year's month count, day to the month's length), so that the following
// ToDayNumber succeeds. Cycle step: the cycle changes, then month and day are
// cut as in the year step (a 13th month or 31st day may not exist 60 years on).
void CycleStep(VrslcDate& date, bool forward);
void YearStep(VrslcDate& date, bool forward);
void MonthStep(VrslcDate& date, bool forward);
// Day number one cycle, year or month away; false for StepUnit::Week, without
// the library and when the result cannot be converted.
bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward);

// Month names 1..13 (astronomers and calendar makers, initials A..M); "" otherwise.
std::string_view MonthName(int month);

// Form 1: "102-25-10-26 VR"; form 2: form 1 + " (<month> 26, 102-25)";
// form 4: "The 26th day of <month> in the year 25, cycle 102" (", cycle .."
// only for a cycle other than 0); other forms "".
std::string Text(const VrslcDate& date, TextForm form);

} // namespace tavr::vr

#endif
