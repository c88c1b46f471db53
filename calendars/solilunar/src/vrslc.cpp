// Arithmetic of the Vosko-Rindal Solilunar Calendar (VR).
//
// A great cycle of 6840 years (114 cycles of 60 years) holds 2,498,258 days and
// repeats exactly. Inside the arithmetic a date is (great cycle, year of the
// great cycle 1..6840, month, day). The conversions locate the year through a
// table of year starts that the compiler builds from the month-length rules, so
// there is nothing to initialise at run time and every call costs about the same.
#include "vrslc.h"

#include <array>
#include <cstdint>
#include <limits>

#include "tavr_floor.h"

namespace {

constexpr int64_t kEpochDayNumber = 207227; // day 1 of month 1 of year 1 of cycle 0
constexpr int64_t kYearsPerCycle = 60;
constexpr int64_t kYearsPerGreatCycle = 6840; // 114 cycles
constexpr int64_t kLongYears = 2519;          // long years per great cycle
constexpr int64_t kLong13thMonths = 1328;     // long years whose month 13 has 31 days
constexpr int64_t kDaysPerGreatCycle = 2498258;
constexpr int32_t kShortYearDays = 354;

using tavr::FloorDiv;
using tavr::FloorMod;
using tavr::kInt32Max;
using tavr::kInt32Min;

// Year y of the great cycle (1..6840) has 13 months.
constexpr bool IsLongYear(int64_t y) {
    return (kLongYears * y) % kYearsPerGreatCycle < kLongYears;
}

constexpr int32_t Month13Length(int64_t y) {
    const int64_t k = (kLongYears * y) / kYearsPerGreatCycle;
    return (kLong13thMonths * k) % kLongYears < kLong13thMonths ? 31 : 30;
}

constexpr int32_t YearLength(int64_t y) {
    return IsLongYear(y) ? kShortYearDays + Month13Length(y) : kShortYearDays;
}

// Length of month m of year y of the great cycle, or 0 for a month that does
// not exist (month outside 1..13, or 13 in a short year).
constexpr int32_t MonthLength(int64_t y, int64_t m) {
    if (m >= 1 && m <= 12) return (m % 2 == 1) ? 29 : 30;
    if (m == 13 && IsLongYear(y)) return Month13Length(y);
    return 0;
}

// Days of the great cycle before month m (1..13) of any year: months 1..12
// alternate 29 and 30 days.
constexpr int32_t DaysBeforeMonth(int32_t m) {
    return 29 * (m - 1) + (m - 1) / 2;
}

// kYearStart[y - 1] = days of the great cycle before year y; kYearStart[6840]
// is the length of the great cycle.
using YearStartTable = std::array<int32_t, kYearsPerGreatCycle + 1>;
constexpr YearStartTable BuildYearStarts() {
    YearStartTable t{};
    int32_t sum = 0;
    for (int64_t y = 1; y <= kYearsPerGreatCycle; ++y) {
        t[y - 1] = sum;
        sum += YearLength(y);
    }
    t[kYearsPerGreatCycle] = sum;
    return t;
}
constexpr YearStartTable kYearStart = BuildYearStarts();
static_assert(kYearStart[kYearsPerGreatCycle] == kDaysPerGreatCycle, "great cycle length");

// Supported great cycles: the largest range around the epoch whose every day
// number is a signed 32-bit integer. Found by stepping from the epoch in whole
// great cycles, here at compile time.
constexpr int32_t HighestGreatCycle() {
    int64_t g = 0;
    while (kEpochDayNumber + (g + 2) * kDaysPerGreatCycle - 1 <= kInt32Max)
        ++g;
    return static_cast<int32_t>(g);
}
constexpr int32_t LowestGreatCycle() {
    int64_t g = 0;
    while (kEpochDayNumber + (g - 1) * kDaysPerGreatCycle >= kInt32Min)
        --g;
    return static_cast<int32_t>(g);
}
constexpr int32_t kMinGreatCycle = LowestGreatCycle();
constexpr int32_t kMaxGreatCycle = HighestGreatCycle();
static_assert(kMinGreatCycle == VRSLC_MIN_GREAT_CYCLE && kMaxGreatCycle == VRSLC_MAX_GREAT_CYCLE,
              "great cycles");

// (cycle, year of cycle) -> total years since the epoch.
constexpr int64_t TotalYears(int64_t cycle, int64_t year) {
    return cycle * kYearsPerCycle + year - 1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the unsigned decimal number at *p (at least one digit) and moves *p
// past it. Returns false when there is no digit or the magnitude exceeds
// `limit`; the digits are still consumed so that the caller sees the next
// character.
bool ReadNumber(const char*& p, int64_t limit, int64_t& value) {
    if (!IsDigit(*p)) return false;
    bool fits = true;
    value = 0;
    for (; IsDigit(*p); ++p) {
        if (fits) {
            value = value * 10 + (*p - '0');
            if (value > limit) fits = false;
        }
    }
    return fits;
}

} // namespace

TAVR_API(int32_t) jdn_to_vrslcdate(VrslcDate* date) {
    if (date == nullptr) return 0;
    const int64_t r = static_cast<int64_t>(date->dayNumber) - kEpochDayNumber;
    const int64_t g = FloorDiv(r, kDaysPerGreatCycle);
    const int32_t dayOfGreatCycle = static_cast<int32_t>(FloorMod(r, kDaysPerGreatCycle)); // 0-based

    // Year of the great cycle: estimated from the mean year length, then
    // corrected to the last year starting on or before the day.
    int32_t y = static_cast<int32_t>(dayOfGreatCycle * kYearsPerGreatCycle / kDaysPerGreatCycle) + 1;
    while (kYearStart[y] <= dayOfGreatCycle)
        ++y;
    while (kYearStart[y - 1] > dayOfGreatCycle)
        --y;
    const int32_t dayOfYear = dayOfGreatCycle - kYearStart[y - 1]; // 0-based

    int32_t month;
    int32_t day;
    if (dayOfYear >= kShortYearDays) {
        month = 13;
        day = dayOfYear - kShortYearDays + 1;
    } else {
        const int32_t pair = dayOfYear / 59; // months 2*pair+1 (29 days) and 2*pair+2 (30 days)
        const int32_t rest = dayOfYear % 59;
        month = rest < 29 ? 2 * pair + 1 : 2 * pair + 2;
        day = rest < 29 ? rest + 1 : rest - 29 + 1;
    }

    const int64_t t = g * kYearsPerGreatCycle + y - 1;
    date->cycle = static_cast<int32_t>(FloorDiv(t, kYearsPerCycle));
    date->year = static_cast<int32_t>(FloorMod(t, kYearsPerCycle) + 1);
    date->month = month;
    date->day = day;
    date->valid = 1;
    date->error = VRSLC_OK;
    date->dayOfGreatCycle = dayOfGreatCycle + 1;
    return MonthLength(y, month);
}

TAVR_API(int32_t) vrslcdate_to_jdn(VrslcDate* date) {
    if (date == nullptr) return 0;
    if (date->year < 1 || date->year > kYearsPerCycle) {
        date->valid = 0;
        date->error = VRSLC_BAD_YEAR;
        date->dayNumber = 0;
        return 0;
    }
    const int64_t t = TotalYears(date->cycle, date->year);
    const int64_t g = FloorDiv(t, kYearsPerGreatCycle);
    const int64_t y = FloorMod(t, kYearsPerGreatCycle) + 1;
    if (g < kMinGreatCycle || g > kMaxGreatCycle) {
        date->valid = 0;
        date->error = VRSLC_BAD_GREAT_CYCLE;
        return date->dayNumber;
    }
    int32_t error = VRSLC_OK;
    const int32_t length = MonthLength(y, date->month);
    if (length == 0) {
        error = (date->month < 1 || date->month > 13) ? VRSLC_BAD_MONTH : VRSLC_NO_MONTH_13;
    } else if (date->day < 1 || date->day > length) {
        error = VRSLC_BAD_DAY;
    }
    if (error != VRSLC_OK) {
        date->valid = 0;
        date->error = error;
        date->dayNumber = 0;
        return 0;
    }
    const int32_t dayOfGreatCycle = kYearStart[y - 1] + DaysBeforeMonth(date->month) + date->day;
    date->valid = 1;
    date->error = VRSLC_OK;
    date->dayOfGreatCycle = dayOfGreatCycle;
    date->dayNumber = static_cast<int32_t>(dayOfGreatCycle + kEpochDayNumber + g * kDaysPerGreatCycle - 1);
    return date->dayNumber;
}

TAVR_API(int32_t) vrmonth_length(VrslcDate* date) {
    if (date == nullptr) return 0;
    int32_t error = VRSLC_OK;
    int32_t length = 0;
    if (date->year < 1 || date->year > kYearsPerGreatCycle) {
        error = VRSLC_BAD_YEAR;
    } else if (date->month < 1 || date->month > 13) {
        error = VRSLC_BAD_MONTH;
    } else {
        length = MonthLength(date->year, date->month);
        if (length == 0) error = VRSLC_NO_MONTH_13;
    }
    date->error = error;
    if (error != VRSLC_OK) date->valid = 0;
    return length;
}

TAVR_API(int32_t) is_long_vrslc_year(int32_t yearOfCycle, int32_t cycle) {
    if (yearOfCycle < 1 || yearOfCycle > kYearsPerCycle) return 0;
    const int64_t y = FloorMod(TotalYears(cycle, yearOfCycle), kYearsPerGreatCycle) + 1;
    return IsLongYear(y) ? 1 : 0;
}

// Accepts exactly cycle-year-month-day: decimal digits in every field, "-"
// between them and one more "-" allowed only as the first character, before
// the cycle. Each number must fit in 32 bits, and so must cycle x 60 and the
// total year count cycle x 60 + year - 1. A text of another form leaves the record untouched.
TAVR_API(int32_t) vrslc_datestr_to_vrslc_date(const char* text, VrslcDate* date) {
    if (text == nullptr || date == nullptr) return 0;
    const char* p = text;
    const bool negative = (*p == '-');
    if (negative) ++p;

    int64_t fields[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '-') return 0;
            ++p;
        }
        const int64_t limit = (i == 0 && negative) ? -kInt32Min : kInt32Max;
        if (!ReadNumber(p, limit, fields[i])) return 0;
    }
    if (*p != '\0') return 0;

    const int64_t cycle = negative ? -fields[0] : fields[0];
    const int64_t cycleYears = cycle * kYearsPerCycle;
    const int64_t totalYears = TotalYears(cycle, fields[1]);
    if (cycleYears < kInt32Min || cycleYears > kInt32Max) return 0;
    if (totalYears < kInt32Min || totalYears > kInt32Max) return 0;

    *date = VrslcDate{};
    date->cycle = static_cast<int32_t>(cycle);
    date->year = static_cast<int32_t>(fields[1]);
    date->month = static_cast<int32_t>(fields[2]);
    date->day = static_cast<int32_t>(fields[3]);

    if (date->year < 1 || date->year > kYearsPerCycle) return 0;
    const int64_t y = FloorMod(totalYears, kYearsPerGreatCycle) + 1;
    const int32_t length = MonthLength(y, date->month);
    return (length != 0 && date->day >= 1 && date->day <= length) ? 1 : 0;
}
