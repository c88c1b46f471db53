// Binding of the date library (Common Era and Julian day numbers, date-text
// parsing, digit grouping, time-zone bias). The library is loaded by name at
// the first call; when it or an export is missing the calls return neutral
// values (0, an invalid record, the unchanged text) after one report.
#ifndef TAVR_DATELIB_H
#define TAVR_DATELIB_H

#include <cstdint>
#include <string>

#include "kelmar.h"

namespace tavr::datelib {

inline constexpr int32_t kLetterGregorian = 'G';
inline constexpr int32_t kLetterJulian = 'J';
inline constexpr int32_t kLetterSarvenes = 'R';
// The orders of a date's fields, for StrToDate and the short date texts.
inline constexpr int16_t kOrderMonthDayYear = 0;
inline constexpr int16_t kOrderDayMonthYear = 1;
inline constexpr int16_t kOrderYearMonthDay = 2; // the only order the program uses

// True when the library and all its exports could be bound.
bool Available();

// Writes and returns the day number; sets `valid` to 1 exactly for existing dates.
int32_t EuroDateToJdn(EuroDate& date);
// Fills year, month and day from `dayNumber` and `calendar`.
void JdnToEuroDate(EuroDate& date);
// 0 = Sunday .. 6 = Saturday.
int16_t DayOfWeek(int32_t dayNumber);
// 0 when `text` is a valid date of the calendar `letter`; fills year, month, day, calendar.
int32_t StrToDate(const std::string& text, int16_t order, EuroDate& date, int32_t letter);
// The digits with `separator` between groups of three ("12345" -> "12,345").
std::string SeparateThousands(const std::string& digits, char separator);
// Seconds west of Greenwich of the operating system's current zone.
int32_t GetTimezone();

} // namespace tavr::datelib

#endif
