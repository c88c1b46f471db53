// Public interface of the date library: Common Era (Gregorian) and Julian
// dates, date-text parsing, digit grouping and the time-zone bias.
#ifndef KELMAR_H
#define KELMAR_H

#include <stdint.h>

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct EuroDate {
    int32_t year;      // astronomical year numbering (0 = 1 BCE)
    int32_t month;     // 1..12
    int32_t day;       // 1..31
    int32_t calendar;  // 'G' Gregorian, 'J' Julian, 'R' Sarvenes (parse only)
    int32_t dayNumber; // Julian Day Number of the civil day
    int32_t valid;     // 1 when the record holds an existing date
} EuroDate;

TAVR_API(int32_t) euro_date_to_jdn(EuroDate* date);
TAVR_API(void) jdn_to_euro_date(EuroDate* date);
TAVR_API(int32_t) euro_day_of_week(int32_t dayNumber);
// order: 0 month-day-year, 1 day-month-year, 2 year-month-day. Returns 0 for a valid date.
TAVR_API(int32_t) str_to_date(const char* text, int32_t order, EuroDate* date, int32_t calendarLetter);
// out must hold 20 characters; the result is NUL-terminated within them.
TAVR_API(void) separate_thousands(const char* digits, int32_t separator, char* out);
// Seconds west of Greenwich (UTC minus local time) of the current zone.
TAVR_API(int32_t) get_timezone(void);
// Common Era year, month, day and hour of a Julian date; `mode` is "A".
TAVR_API(void)
juldat(double jd, const char* mode, int32_t* year, int32_t* month, int32_t* day, int32_t* hour);

#ifdef __cplusplus
}
static_assert(sizeof(EuroDate) == 24, "EuroDate is six 32-bit fields");
#endif

#endif
