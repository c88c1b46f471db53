// Plain year and month walks of the triday calendars, written straight from
// the calendars' rules and kept deliberately simple: the tests and the
// benchmark compare the library's fast conversions with them.
#ifndef DTC_REFERENCE_H
#define DTC_REFERENCE_H

#include <cstdint>

namespace dtcref {

constexpr int64_t kEpoch = 2416557;

inline int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) --q;
    return q;
}
inline int64_t FloorMod(int64_t a, int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Lunar form.
inline int TridaysIn12thMonth(int64_t year) {
    return ((year - 2) % 8 == 0 && (year - 2) % 384 != 0) ? 10 : 9;
}
inline int LunarMonthDays(int64_t year, int64_t month) {
    if (month < 1 || month > 12) return 0;
    if (month == 6) return 27;
    if (month == 12) return 3 * TridaysIn12thMonth(year);
    return 30;
}
inline int LunarYearDays(int64_t year) {
    int days = 0;
    for (int m = 1; m <= 12; ++m)
        days += LunarMonthDays(year, m);
    return days;
}

struct Lunar {
    int64_t cycle = 0, year = 0, month = 0, triday = 0, day = 0;
};

inline Lunar LunarFromDayNumber(int64_t dayNumber) {
    Lunar d;
    d.cycle = FloorDiv(dayNumber - kEpoch, 136077);
    int64_t e = FloorMod(dayNumber - kEpoch, 136077) + 1;
    while (e > LunarYearDays(d.year))
        e -= LunarYearDays(d.year++);
    d.month = 1;
    while (e > LunarMonthDays(d.year, d.month))
        e -= LunarMonthDays(d.year, d.month++);
    d.triday = (e - 1) / 3 + 1;
    d.day = (e - 1) % 3 + 1;
    return d;
}

// Any field values, no validation: the loops run from year 0 and month 1.
inline int64_t LunarToDayNumber(const Lunar& d) {
    int64_t sum = 0;
    for (int64_t y = 0; y < d.year; ++y)
        sum += LunarYearDays(y);
    for (int64_t m = 1; m < d.month; ++m)
        sum += LunarMonthDays(d.year, m);
    return kEpoch + sum + 3 * (d.triday + d.cycle * 45359) + d.day - 4;
}

// Solar form.
inline int TridaysIn4thQuarter(int64_t year) {
    return ((year + 1) % 4 == 0 || (year + 1) % 198 == 0) ? 30 : 31;
}
inline int QuarterDays(int64_t year, int64_t quarter) {
    switch (quarter) {
    case 1:
    case 3:
        return 90;
    case 2:
        return 93;
    case 4:
        return 3 * TridaysIn4thQuarter(year);
    default:
        return 0;
    }
}
inline int SolarYearDays(int64_t year) {
    return 90 + 93 + 90 + QuarterDays(year, 4);
}

struct Solar {
    int64_t year = 0, quarter = 0, triday = 0, day = 0;
};

inline Solar SolarFromDayNumber(int64_t dayNumber) {
    Solar d;
    const int64_t period = FloorDiv(dayNumber - kEpoch, 144636);
    int64_t e = FloorMod(dayNumber - kEpoch, 144636) + 1;
    int64_t y = 0;
    while (e > SolarYearDays(y))
        e -= SolarYearDays(y++);
    d.quarter = 1;
    while (e > QuarterDays(y, d.quarter))
        e -= QuarterDays(y, d.quarter++);
    d.year = y + 396 * period;
    d.triday = (e - 1) / 3 + 1;
    d.day = (e - 1) % 3 + 1;
    return d;
}

inline int64_t SolarToDayNumber(const Solar& d) {
    const int64_t period = FloorDiv(d.year, 396);
    const int64_t yearOfPeriod = FloorMod(d.year, 396);
    int64_t sum = 0;
    for (int64_t y = 0; y < yearOfPeriod; ++y)
        sum += SolarYearDays(y);
    for (int64_t q = 1; q < d.quarter; ++q)
        sum += QuarterDays(yearOfPeriod, q);
    return kEpoch + sum + 3 * (d.triday + period * 48212) + d.day - 4;
}

} // namespace dtcref

#endif
