// Public interface of the solilunar calendar library (VR dates).
#ifndef VRSLC_H
#define VRSLC_H

#include <stdint.h>

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

// A VR date. In the month-length call `cycle` is the great cycle (not read) and
// `year` the year of the great cycle (1..6840).
typedef struct VrslcDate {
    int32_t cycle;
    int32_t year;            // 1..60
    int32_t month;           // 1..13
    int32_t day;             // 1..31
    int32_t valid;           // 1 when valid
    int32_t error;           // VrslcError
    int32_t dayOfGreatCycle; // 1..2,498,258
    int32_t dayNumber;
    int32_t spare1;
    int32_t spare2;
} VrslcDate;

enum VrslcError {
    VRSLC_OK = 0,
    VRSLC_BAD_YEAR = 1,
    VRSLC_BAD_MONTH = 2,
    VRSLC_NO_MONTH_13 = 3,
    VRSLC_BAD_DAY = 4,
    VRSLC_BAD_GREAT_CYCLE = 6,
    VRSLC_BAD_DAY_OF_GREAT_CYCLE = 8
};

TAVR_API(int32_t) jdn_to_vrslcdate(VrslcDate* date);
TAVR_API(int32_t) vrslcdate_to_jdn(VrslcDate* date);
TAVR_API(int32_t) vrmonth_length(VrslcDate* date);
TAVR_API(int32_t) is_long_vrslc_year(int32_t yearOfCycle, int32_t cycle);
TAVR_API(int32_t) vrslc_datestr_to_vrslc_date(const char* text, VrslcDate* date);

#ifdef __cplusplus
}
static_assert(sizeof(VrslcDate) == 40, "VrslcDate is ten 32-bit words");
#endif

#endif
