// Plain month-walk conversions of the VR calendar, written straight from the
// calendar's rules and kept deliberately simple: the tests and the benchmark
// compare the library's fast conversions with them.
#ifndef VRSLC_REFERENCE_H
#define VRSLC_REFERENCE_H

#include <cstdint>

namespace vrref {

constexpr int64_t kEpoch = 207227;
constexpr int64_t kGreatCycleDays = 2498258;
constexpr int64_t kGreatCycleYears = 6840;

inline int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0)) --q;
    return q;
}
inline int64_t FloorMod(int64_t a, int64_t b) {
    return a - FloorDiv(a, b) * b;
}

inline bool IsLongYear(int64_t y) {
    return (2519 * y) % 6840 < 2519;
}

// Length of month m of year y of the great cycle; 0 when the month does not exist.
inline int MonthLength(int64_t y, int m) {
    if (m >= 1 && m <= 12) return m % 2 == 1 ? 29 : 30;
    if (m != 13 || !IsLongYear(y)) return 0;
    const int64_t k = (2519 * y) / 6840;
    return (1328 * k) % 2519 < 1328 ? 31 : 30;
}

struct Date {
    int64_t cycle = 0;
    int64_t year = 0;
    int month = 0;
    int day = 0;
    int64_t dayOfGreatCycle = 0;
    int monthLength = 0;
};

// Day number to date: whole great cycles off, then a walk month by month from
// year 1, month 1 of the great cycle.
inline Date FromDayNumber(int64_t dayNumber) {
    int64_t r = dayNumber - kEpoch;
    int64_t g = 0;
    if (r >= kGreatCycleDays) {
        g = r / kGreatCycleDays;
        r = r % kGreatCycleDays;
    }
    while (r < 0) {
        r += kGreatCycleDays;
        g -= 1;
    }
    Date d;
    d.dayOfGreatCycle = r + 1;
    int64_t rest = r + 1;
    int64_t y = 1;
    int m = 1;
    while (rest > MonthLength(y, m)) {
        rest -= MonthLength(y, m);
        if ((m == 12 && !IsLongYear(y)) || m == 13) {
            m = 1;
            ++y;
        } else {
            ++m;
        }
    }
    d.month = m;
    d.day = static_cast<int>(rest);
    d.monthLength = MonthLength(y, m);
    const int64_t t = g * kGreatCycleYears + y - 1;
    d.cycle = FloorDiv(t, 60);
    d.year = FloorMod(t, 60) + 1;
    return d;
}

// Day of the great cycle of a valid date (year y of the great cycle): the
// lengths of all earlier months of the great cycle, plus the day.
inline int64_t DayOfGreatCycle(int64_t y, int month, int day) {
    int64_t sum = 0;
    for (int64_t yy = 1; yy < y; ++yy) {
        for (int m = 1; m <= 13; ++m)
            sum += MonthLength(yy, m);
    }
    for (int m = 1; m < month; ++m)
        sum += MonthLength(y, m);
    return sum + day;
}

// Day number of a valid date given as cycle-year-month-day.
inline int64_t ToDayNumber(int64_t cycle, int64_t year, int month, int day) {
    const int64_t t = cycle * 60 + year - 1;
    const int64_t g = FloorDiv(t, kGreatCycleYears);
    const int64_t y = FloorMod(t, kGreatCycleYears) + 1;
    return DayOfGreatCycle(y, month, day) + kEpoch + g * kGreatCycleDays - 1;
}

} // namespace vrref

#endif
