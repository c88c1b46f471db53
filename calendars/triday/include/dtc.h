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

TAVR_API(void) jdn_to_dtclunar(DtcLunarDate* date);
TAVR_API(int32_t) dtclunar_to_jdn(DtcLunarDate* date);
TAVR_API(int32_t) dtclunar_valid(DtcLunarDate* date);
TAVR_API(void) jdn_to_dtcsolar(DtcSolarDate* date);
TAVR_API(int32_t) dtcsolar_to_jdn(DtcSolarDate* date);
TAVR_API(int32_t) dtcsolar_valid(DtcSolarDate* date);
TAVR_API(int32_t) num_days_in_month(int32_t year, int32_t month);
TAVR_API(int32_t) num_tridays_in_12th_month(int32_t year);
TAVR_API(int32_t) num_tridays_in_4th_quarter(int32_t year);
TAVR_API(int32_t) parse_long_lunar_dtc_date(const char* text, DtcLunarDate* date);
TAVR_API(int32_t) parse_short_lunar_dtc_date(const char* text, DtcLunarDate* date);
TAVR_API(int32_t) parse_solar_dtc_date(const char* text, DtcSolarDate* date);

#ifdef __cplusplus
}
static_assert(sizeof(DtcLunarDate) == 28, "DtcLunarDate is seven 32-bit fields");
static_assert(sizeof(DtcSolarDate) == 24, "DtcSolarDate is six 32-bit fields");
#endif

#endif
