// Arithmetic of the Dovrenia triday calendars: the lunar form (LDT) with
// cycles of 384 years of 12 months, and the solar form with continuous years
// of four quarters, repeating every 396 years. Months and quarters are whole
// numbers of tridays (3-day units).
//
// Both conversions locate the year in a table of year starts that the compiler
// builds from the length rules, so there is nothing to initialise at run time.
// Day numbers are computed in 64 bits: a date whose day number does not fit in
// a signed 32-bit integer is invalid, never wrapped.
#include "dtc.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "tavr_floor.h"

namespace {

constexpr int64_t kEpochDayNumber = 2416557; // lunar 0-0-1-1-1, solar 0-1-1-1

constexpr int64_t kLunarYearsPerCycle = 384;
constexpr int64_t kLunarDaysPerCycle = 136077;
constexpr int64_t kLunarTridaysPerCycle = 45359;

constexpr int64_t kSolarYearsPerPeriod = 396;
constexpr int64_t kSolarDaysPerPeriod = 144636;
constexpr int64_t kSolarTridaysPerPeriod = 48212;

using tavr::FitsInt32;
using tavr::FloorDiv;
using tavr::FloorMod;
using tavr::kInt32Max;
using tavr::kInt32Min;

// The days of a cycle of `Years` years before each of its years, from 0, and
// the cycle's length after them.
template <int64_t Years> constexpr std::array<int32_t, Years + 1> YearStarts(int32_t (*yearDays)(int64_t)) {
    std::array<int32_t, Years + 1> t{};
    for (int64_t y = 0; y < Years; ++y)
        t[y + 1] = t[y] + yearDays(y);
    return t;
}

// The year y (0..N-2) of a table of N year starts with starts[y] <= day <
// starts[y + 1], for a day 0..starts[N-1]-1: estimated from the mean year
// length, then corrected.
template <std::size_t N> int32_t YearOf(const std::array<int32_t, N>& starts, int32_t day) {
    constexpr int64_t kYears = N - 1;
    int32_t y = static_cast<int32_t>(day * kYears / starts[kYears]);
    while (starts[y + 1] <= day)
        ++y;
    while (starts[y] > day)
        --y;
    return y;
}

// ---- Lunar form -------------------------------------------------------------

constexpr int32_t TridaysIn12thMonth(int64_t year) {
    const int64_t x = year - 2;
    return (x % 8 == 0 && x % kLunarYearsPerCycle != 0) ? 10 : 9;
}

constexpr int32_t LunarMonthDays(int64_t year, int64_t month) {
    if (month < 1 || month > 12) return 0;
    if (month == 6) return 27;
    if (month == 12) return 3 * TridaysIn12thMonth(year);
    return 30;
}

constexpr int32_t LunarYearDays(int64_t year) {
    return 327 + 3 * TridaysIn12thMonth(year);
}

// Days of months 1..months (0..12) of the year.
constexpr int32_t LunarDaysOfMonths(int64_t year, int64_t months) {
    if (months <= 5) return static_cast<int32_t>(30 * months);
    if (months <= 11) return static_cast<int32_t>(30 * months - 3);
    return LunarYearDays(year);
}

// kLunarYearStart[y] = days of the cycle before year y (0..384).
constexpr auto kLunarYearStart = YearStarts<kLunarYearsPerCycle>(LunarYearDays);
static_assert(kLunarYearStart[kLunarYearsPerCycle] == kLunarDaysPerCycle, "lunar cycle length");
static_assert(3 * kLunarTridaysPerCycle == kLunarDaysPerCycle, "lunar cycle in tridays");

// The day number of a lunar date, for any field values: years 0..year-1 and
// months 1..month-1 are summed as they come (a month outside 1..12 counts 0
// days), without validation.
int64_t LunarDayNumber(const DtcLunarDate& d) {
    int64_t yearDays = 0;
    if (d.year > 0) {
        yearDays = FloorDiv(d.year, kLunarYearsPerCycle) * kLunarDaysPerCycle +
                   kLunarYearStart[FloorMod(d.year, kLunarYearsPerCycle)];
    }
    const int64_t months = std::clamp<int64_t>(static_cast<int64_t>(d.month) - 1, 0, 12);
    return kEpochDayNumber + yearDays + LunarDaysOfMonths(d.year, months) +
           3 * (d.triday + static_cast<int64_t>(d.cycle) * kLunarTridaysPerCycle) + d.day - 4;
}

bool LunarValid(const DtcLunarDate& d) {
    if (d.day < 1 || d.day > 3 || d.triday < 1) return false;
    if (d.year < 0 || d.year >= kLunarYearsPerCycle) return false;
    if (d.month < 1 || d.month > 12) return false;
    if (3 * static_cast<int64_t>(d.triday) > LunarMonthDays(d.year, d.month)) return false;
    return FitsInt32(LunarDayNumber(d));
}

// ---- Solar form -------------------------------------------------------------

constexpr int32_t TridaysIn4thQuarter(int64_t year) {
    const int64_t x = year + 1;
    return (x % 4 == 0 || x % 198 == 0) ? 30 : 31;
}

constexpr int32_t SolarYearDays(int64_t year) {
    return 273 + 3 * TridaysIn4thQuarter(year);
}

// Days of quarters 1..quarters (0..4) of the year.
constexpr int32_t SolarDaysOfQuarters(int64_t year, int64_t quarters) {
    constexpr int32_t kBefore[4] = {0, 90, 183, 273};
    return quarters <= 3 ? kBefore[quarters] : SolarYearDays(year);
}

// kSolarYearStart[y] = days of the period before year y of the period (0..396).
constexpr auto kSolarYearStart = YearStarts<kSolarYearsPerPeriod>(SolarYearDays);
static_assert(kSolarYearStart[kSolarYearsPerPeriod] == kSolarDaysPerPeriod, "solar period length");
static_assert(3 * kSolarTridaysPerPeriod == kSolarDaysPerPeriod, "solar period in tridays");

int64_t SolarDayNumber(const DtcSolarDate& d) {
    const int64_t period = FloorDiv(d.year, kSolarYearsPerPeriod);
    const int64_t yearOfPeriod = FloorMod(d.year, kSolarYearsPerPeriod);
    const int64_t quarters = std::clamp<int64_t>(static_cast<int64_t>(d.quarter) - 1, 0, 4);
    return kEpochDayNumber + kSolarYearStart[yearOfPeriod] + SolarDaysOfQuarters(yearOfPeriod, quarters) +
           3 * (d.triday + period * kSolarTridaysPerPeriod) + d.day - 4;
}

bool SolarValid(const DtcSolarDate& d) {
    if (d.day < 1 || d.day > 3 || d.triday < 1) return false;
    int32_t maxTriday = 0;
    switch (d.quarter) {
    case 1:
    case 3:
        maxTriday = 30;
        break;
    case 2:
        maxTriday = 31;
        break;
    case 4:
        maxTriday = TridaysIn4thQuarter(d.year);
        break;
    default:
        return false;
    }
    if (d.triday > maxTriday) return false;
    return FitsInt32(SolarDayNumber(d));
}

// ---- Parsing ----------------------------------------------------------------

// The parses' work buffer: at most 63 characters and the terminating NUL.
// One per thread, so that parses on several threads cannot disturb each other.
constexpr std::size_t kWorkBufferSize = 64;
thread_local char tWorkBuffer[kWorkBufferSize];

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a whole field of decimal digits (at least one, nothing else) whose
// value does not exceed `limit`.
bool ReadField(const char* p, int64_t limit, int64_t& value) {
    if (*p == '\0') return false;
    value = 0;
    for (; *p != '\0'; ++p) {
        if (!IsDigit(*p)) return false;
        value = value * 10 + (*p - '0');
        if (value > limit) return false;
    }
    return true;
}

// Splits a text of the form [-]n-n-...-n with `tail` numbers behind the first
// one, working from the right in the work buffer. fields[0] receives the first
// (signed) number, fields[1..tail] the others in text order. Returns false for
// any other form: a dash count other than tail or tail + 1, more than 63
// characters, an empty field, a character other than a digit, a "-" other
// than the first character before the first number, or a number that does not
// fit in 32 bits.
bool SplitFields(const char* text, int tail, int64_t* fields) {
    std::size_t length = 0;
    int dashes = 0;
    for (;; ++length) {
        if (text[length] == '\0') break;
        if (length == kWorkBufferSize - 1) return false;
        if (text[length] == '-') ++dashes;
    }
    if (dashes != tail && dashes != tail + 1) return false;

    char* buffer = tWorkBuffer;
    std::copy(text, text + length + 1, buffer);
    char* end = buffer + length; // the NUL
    for (int i = tail; i >= 1; --i) {
        char* dash = end;
        while (dash > buffer && *dash != '-')
            --dash;
        if (*dash != '-') return false;
        if (!ReadField(dash + 1, kInt32Max, fields[i])) return false;
        *dash = '\0';
        end = dash;
    }
    const bool negative = (buffer[0] == '-');
    if (!ReadField(buffer + (negative ? 1 : 0), negative ? -kInt32Min : kInt32Max, fields[0])) return false;
    if (negative) fields[0] = -fields[0];
    return true;
}

int32_t ParseLunar(const char* text, DtcLunarDate* date, bool longForm) {
    if (text == nullptr || date == nullptr) return 0;
    int64_t f[5] = {};
    const int tail = longForm ? 4 : 3;
    if (!SplitFields(text, tail, f)) return 0;
    const int64_t* rest = f + (longForm ? 1 : 0);
    date->cycle = longForm ? static_cast<int32_t>(f[0]) : 0;
    date->year = static_cast<int32_t>(longForm ? rest[0] : f[0]);
    date->month = static_cast<int32_t>(rest[1]);
    date->triday = static_cast<int32_t>(rest[2]);
    date->day = static_cast<int32_t>(rest[3]);
    date->valid = LunarValid(*date) ? 1 : 0;
    return date->valid;
}

// Writes a day number that fits in 32 bits into the date and returns it;
// any other leaves the day number unchanged, sets valid to 0 and gives 0.
template <typename Date> int32_t StoreDayNumber(Date& date, int64_t dayNumber) {
    if (!FitsInt32(dayNumber)) {
        date.valid = 0;
        return 0;
    }
    date.dayNumber = static_cast<int32_t>(dayNumber);
    return date.dayNumber;
}

// Sets the date's valid flag (1 or 0) and returns it.
template <typename Date> int32_t StoreValid(Date& date, bool valid) {
    date.valid = valid ? 1 : 0;
    return date.valid;
}

} // namespace

TAVR_API(void) jdn_to_dtclunar(DtcLunarDate* date) {
    if (date == nullptr) return;
    const int64_t offset = static_cast<int64_t>(date->dayNumber) - kEpochDayNumber;
    const int64_t cycle = FloorDiv(offset, kLunarDaysPerCycle);
    const int32_t dayOfCycle = static_cast<int32_t>(FloorMod(offset, kLunarDaysPerCycle)); // 0-based
    const int32_t year = YearOf(kLunarYearStart, dayOfCycle);
    const int32_t dayOfYear = dayOfCycle - kLunarYearStart[year];

    int32_t month;
    int32_t dayOfMonth; // 0-based
    if (dayOfYear < 150) {
        month = dayOfYear / 30 + 1;
        dayOfMonth = dayOfYear % 30;
    } else if (dayOfYear < 177) {
        month = 6;
        dayOfMonth = dayOfYear - 150;
    } else if (dayOfYear < 327) {
        month = (dayOfYear - 177) / 30 + 7;
        dayOfMonth = (dayOfYear - 177) % 30;
    } else {
        month = 12;
        dayOfMonth = dayOfYear - 327;
    }
    date->cycle = static_cast<int32_t>(cycle);
    date->year = year;
    date->month = month;
    date->triday = dayOfMonth / 3 + 1;
    date->day = dayOfMonth % 3 + 1;
}

// Without validation. A date whose day number does not fit in 32 bits leaves
// the day number unchanged, sets valid to 0 and returns 0.
TAVR_API(int32_t) dtclunar_to_jdn(DtcLunarDate* date) {
    return date ? StoreDayNumber(*date, LunarDayNumber(*date)) : 0;
}

TAVR_API(int32_t) dtclunar_valid(DtcLunarDate* date) {
    return date ? StoreValid(*date, LunarValid(*date)) : 0;
}

TAVR_API(void) jdn_to_dtcsolar(DtcSolarDate* date) {
    if (date == nullptr) return;
    const int64_t offset = static_cast<int64_t>(date->dayNumber) - kEpochDayNumber;
    const int64_t period = FloorDiv(offset, kSolarDaysPerPeriod);
    const int32_t dayOfPeriod = static_cast<int32_t>(FloorMod(offset, kSolarDaysPerPeriod)); // 0-based
    const int32_t yearOfPeriod = YearOf(kSolarYearStart, dayOfPeriod);
    const int32_t dayOfYear = dayOfPeriod - kSolarYearStart[yearOfPeriod];

    // The quarter: the last one that begins on or before the day.
    int32_t quarter = 1;
    while (quarter < 4 && dayOfYear >= SolarDaysOfQuarters(yearOfPeriod, quarter))
        ++quarter;
    const int32_t dayOfQuarter = dayOfYear - SolarDaysOfQuarters(yearOfPeriod, quarter - 1); // 0-based
    date->year = static_cast<int32_t>(yearOfPeriod + kSolarYearsPerPeriod * period);
    date->quarter = quarter;
    date->triday = dayOfQuarter / 3 + 1;
    date->day = dayOfQuarter % 3 + 1;
}

// Without validation; a day number outside 32 bits is refused as in the lunar form.
TAVR_API(int32_t) dtcsolar_to_jdn(DtcSolarDate* date) {
    return date ? StoreDayNumber(*date, SolarDayNumber(*date)) : 0;
}

TAVR_API(int32_t) dtcsolar_valid(DtcSolarDate* date) {
    return date ? StoreValid(*date, SolarValid(*date)) : 0;
}

TAVR_API(int32_t) num_days_in_month(int32_t year, int32_t month) {
    return LunarMonthDays(year, month);
}

TAVR_API(int32_t) num_tridays_in_12th_month(int32_t year) {
    return TridaysIn12thMonth(year);
}

TAVR_API(int32_t) num_tridays_in_4th_quarter(int32_t year) {
    return TridaysIn4thQuarter(year);
}

TAVR_API(int32_t) parse_long_lunar_dtc_date(const char* text, DtcLunarDate* date) {
    return ParseLunar(text, date, true);
}

TAVR_API(int32_t) parse_short_lunar_dtc_date(const char* text, DtcLunarDate* date) {
    return ParseLunar(text, date, false);
}

TAVR_API(int32_t) parse_solar_dtc_date(const char* text, DtcSolarDate* date) {
    if (text == nullptr || date == nullptr) return 0;
    int64_t f[4] = {};
    if (!SplitFields(text, 3, f)) return 0;
    date->year = static_cast<int32_t>(f[0]);
    date->quarter = static_cast<int32_t>(f[1]);
    date->triday = static_cast<int32_t>(f[2]);
    date->day = static_cast<int32_t>(f[3]);
    date->valid = SolarValid(*date) ? 1 : 0;
    return date->valid;
}
