// Names and texts around the Common Era and Julian calendars: month names,
// short and long date texts, grouping of long years in thousands, reading of
// an entered Common Era, Julian or Sarvenes date text, and the time-of-day
// text of the displays.
#ifndef TAVR_DATETEXTS_H
#define TAVR_DATETEXTS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "base/DateLib.h"
#include "calendar/DayNumbers.h"

namespace tavr::dates {

using datelib::kOrderDayMonthYear;
using datelib::kOrderMonthDayYear;
using datelib::kOrderYearMonthDay;

// "January" .. "December" for 1..12; "" otherwise (also for 0).
std::string_view MonthName(int month);

// A number with at least `width` digits, zeros in front ("07"; "-5" for -5).
std::string ZeroPadded(int64_t n, int width);

// A number text as the descriptive forms write it: a leading space when the
// number is not negative (" 4696"), the minus sign otherwise ("-12").
std::string SpacedNumber(int64_t n);

// The digits text (a year, possibly with "-") with the first character of
// `separator` between groups of three digits, through the date library
// ("12345" -> "12,345"). An empty separator returns the text unchanged.
std::string GroupThousands(const std::string& digits, const std::string& separator);

// A year as text: plain decimal with its sign; below -9999 or above 9999
// grouped in thousands with `thousandsSeparator`.
std::string YearText(int32_t year, const std::string& thousandsSeparator = ",");

// Short text of a Common Era ('G') or Julian ('J') date. For order 2:
// year, separator, two-digit month, separator, two-digit day ("2000-01-01",
// "-3200-01-01", "12,345-06-07"). With `withCode` " CE" or " JC" follows.
std::string ShortDateText(const EuroDate& date, int16_t order = kOrderYearMonthDay,
                          const std::string& separator = "-", const std::string& thousandsSeparator = ",",
                          bool withCode = false);

// "The 1st day of January in the year 2000 in the Common Era Calendar"
// ("Julian Calendar" for letter 'J'; the year grouped as in YearText).
std::string LongDateText(const EuroDate& date);

// Reads an entered date text (year-month-day, a leading "-" for a negative
// year) into `date`, whose calendar letter ('G', 'J' or 'R') is set by the
// caller. Spaces and every character other than digits and "-" are removed
// first. Only year-month-day with digits in every field and numbers within
// 32 bits is read. Returns true and sets valid = 1 for a valid date (for 'G'
// and 'J' the day number is filled too; for 'R' see sar::Parse), else false
// with valid = 0 and the other fields unchanged.
bool ParseDateText(const std::string& text, EuroDate& date);

// Hours and minutes ("HH:MM"), with `withSeconds` "HH:MM:SS", of a fraction
// of a day; "XX:XX:XX" when the fraction is below 0, at least 1 or NaN.
std::string TimeOfDayText(double fraction, bool withSeconds);

// A text the calendar libraries may read: not empty, no NUL inside, and no
// run of digits whose value exceeds 32 bits (they read numbers into 32-bit integers).
bool SafeLibraryText(const std::string& text);

} // namespace tavr::dates

#endif
