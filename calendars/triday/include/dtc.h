// Public interface of the triday calendar library (lunar LDT and solar forms).
#ifndef DTC_H
#define DTC_H

#include <stdint.h>

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct DtcLunarDate {
    int32_t cycle;
    int32_t year;   // 0..383
    int32_t month;  // 1..12
    int32_t triday; // 1..10
    int32_t day;    // 1..3
    int32_t valid;
    int32_t dayNumber;
} DtcLunarDate;

typedef struct DtcSolarDate {
    int32_t year;    // continuous
    int32_t quarter; // 1..4
    int32_t triday;  // 1..31
    int32_t day;     // 1..3
    int32_t valid;
    int32_t dayNumber;
} DtcSolarDate;

// dayNumber -> cycle, year, month, triday, day (valid untouched).
TAVR_API(void) jdn_to_dtclunar(DtcLunarDate* date);
// cycle..day -> dayNumber, returned; no validation. A day number beyond 32
// bits is refused: dayNumber unchanged, valid = 0, result 0.
TAVR_API(int32_t) dtclunar_to_jdn(DtcLunarDate* date);
// Writes valid (1 or 0) and returns it. The cycle is free as long as the day
// number fits in 32 bits.
TAVR_API(int32_t) dtclunar_valid(DtcLunarDate* date);

// The same for the solar form.
TAVR_API(void) jdn_to_dtcsolar(DtcSolarDate* date);
TAVR_API(int32_t) dtcsolar_to_jdn(DtcSolarDate* date);
TAVR_API(int32_t) dtcsolar_valid(DtcSolarDate* date);

// Lunar month length in days (30, 27, or 27/30 for month 12); 0 for a month
// outside 1..12.
TAVR_API(int32_t) num_days_in_month(int32_t year, int32_t month);
TAVR_API(int32_t) num_tridays_in_12th_month(int32_t year);  // lunar: 9 or 10
TAVR_API(int32_t) num_tridays_in_4th_quarter(int32_t year); // solar: 30 or 31

// Parses of "cycle-year-month-triday-day", "year-month-triday-day" (cycle 0)
// and the solar "year-quarter-triday-day": decimal fields, one "-" allowed
// before a negative cycle or year, at most 63 characters. A text of the form
// fills the fields and the result is the validation's; any other text gives 0
// and leaves the record untouched.
TAVR_API(int32_t) parse_long_lunar_dtc_date(const char* text, DtcLunarDate* date);
TAVR_API(int32_t) parse_short_lunar_dtc_date(const char* text, DtcLunarDate* date);
TAVR_API(int32_t) parse_solar_dtc_date(const char* text, DtcSolarDate* date);

#ifdef __cplusplus
}
static_assert(sizeof(DtcLunarDate) == 28, "DtcLunarDate is seven 32-bit fields");
static_assert(sizeof(DtcSolarDate) == 24, "DtcSolarDate is six 32-bit fields");
#endif

#endif
