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

// Supported great cycles: every day number of them fits in 32 bits.
#define VRSLC_MIN_GREAT_CYCLE (-859)
#define VRSLC_MAX_GREAT_CYCLE 858

// dayNumber -> cycle, year, month, day, dayOfGreatCycle, valid = 1, error = 0.
// Returns the length of the month found. Any 32-bit day number converts.
TAVR_API(int32_t) jdn_to_vrslcdate(VrslcDate* date);

// cycle, year, month, day -> valid, error, dayOfGreatCycle, dayNumber. Returns
// the day number: 0 for an invalid date (dayNumber set to 0), the unchanged
// dayNumber field after VRSLC_BAD_GREAT_CYCLE.
TAVR_API(int32_t) vrslcdate_to_jdn(VrslcDate* date);

// Length (29, 30, 31) of month `month` of year `year` of the great cycle
// (1..6840); clears error. 0 with valid = 0 and error 1, 2 or 3 otherwise.
TAVR_API(int32_t) vrmonth_length(VrslcDate* date);

// 1 when year 1..60 of the cycle has 13 months, else 0.
TAVR_API(int32_t) is_long_vrslc_year(int32_t yearOfCycle, int32_t cycle);

// Reads exactly "cycle-year-month-day" in decimal, with one "-" allowed before
// a negative cycle. A text of that form fills cycle, year, month and day and
// zeros the other fields; the result is 1 when the date is valid, else 0. Any
// other text (or a number beyond 32 bits, or cycle x 60 + year - 1 beyond 32
// bits) gives 0 and leaves the record untouched.
TAVR_API(int32_t) vrslc_datestr_to_vrslc_date(const char* text, VrslcDate* date);

#ifdef __cplusplus
}
static_assert(sizeof(VrslcDate) == 40, "VrslcDate is ten 32-bit words");
#endif

#endif
