// The Sarvenes calendar (SAR): an arithmetic lunisolar calendar of 12 or 13
// months of 29 or 30 days, with leap years (a 13th month of 30 days) and full
// years (month 10 of 30 days) spread over a cycle of 1803 years. A SAR date
// travels in an EuroDate record with calendar letter 'R'.
#ifndef TAVR_SARCAL_H
#define TAVR_SARCAL_H

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/CalendarSet.h"
#include "calendar/DayNumbers.h"

namespace tavr::sar {

inline constexpr int32_t kCycleYears = 1803;
inline constexpr int32_t kCycleDays = 658532; // 1803 x 354 + 664 x 30 + 350
inline constexpr int32_t kLeapYearsPerCycle = 664;
inline constexpr int32_t kFullYearsPerCycle = 350;
inline constexpr DayNumber kEpoch = 897474; // 442-01-01 SAR
inline constexpr int32_t kRuleOffset = 1360;

// Text forms: 1 short (row value), 2 descriptive (row long form), 4 long (tool tip).

// Year rules (year in astronomical numbering, any 32-bit value).
bool IsLeapYear(int32_t year); // 13 months
bool IsFullYear(int32_t year); // month 10 has 30 days
int MonthsInYear(int32_t year);
int YearLength(int32_t year);                 // 354, 355, 384 or 385
int MonthLength(int32_t year, int32_t month); // 29 or 30; 0 for a month the year lacks
bool IsValidDate(int32_t year, int32_t month, int32_t day);

// Validates year, month, day of `date`; sets valid and dayNumber (0 when
// invalid or outside the 32-bit day numbers); returns valid.
bool ToDayNumber(EuroDate& date);
// The SAR date of a day number: letter 'R', valid 1.
EuroDate FromDayNumber(DayNumber d);

// Reads an entered SAR text (year-month-day) through dates::ParseDateText with
// letter 'R', then validates and converts. True with the record filled and
// dayNumber set; false with valid 0.
bool Parse(const std::string& text, EuroDate& date);

// Month and year steps of the moves; the day is cut where the new month is
// shorter. The record's dayNumber is not updated (call ToDayNumber).
void MonthStep(EuroDate& date, bool forward);
void YearStep(EuroDate& date, bool forward);
// Day number one month or year away (StepUnit::Month, StepUnit::Year); false
// for other units and when the result leaves the 32-bit day numbers.
bool StepDayNumber(DayNumber& d, StepUnit unit, bool forward);

// "Apollo" .. "Persephone" for 1..13; "" otherwise.
std::string_view MonthName(int month);
// Ten-day week restarting each month: "Sun Day" for days 1, 11, 21 ...
// "Pluto Day" for 10, 20, 30; "" for day < 1.
std::string_view DayName(int day);

// Form 1: "4696-11-25 SAR"; form 2: "4696-11-25 SAR (Mars Day, Dionysus 25,  4696)";
// form 4: "The 25th day of Dionysus in the year 4696"; other forms "".
std::string Text(const EuroDate& date, TextForm form);

} // namespace tavr::sar

#endif
