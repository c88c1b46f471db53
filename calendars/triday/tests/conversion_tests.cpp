// Conversions, validation, month and quarter lengths of the triday library.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "dtc.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kUntouched = 0x5A5A5A5A;

struct LunarRow {
    int32_t dayNumber;
    int32_t cycle, year, month, triday, day;
};

const LunarRow kLunarRows[] = {
    {2416557, 0, 0, 1, 1, 1},                          // the epoch, 1904-03-17 CE
    {2416556, -1, 383, 12, 9, 3},                      // the day before
    {2451545, 0, 98, 9, 9, 3},                         // 2000-01-01 CE
    {2416557 + 136077, 1, 0, 1, 1, 1},                 // one cycle on
    {2416557 + 354 + 354 + 327 + 26, 0, 2, 12, 9, 3},  // year 2: 9 tridays in month 12
    {2416557 + 10 * 354 + 327 + 29, 0, 10, 12, 10, 3}, // year 10: 10 tridays
    {2416557 + 150, 0, 0, 6, 1, 1},
    {2416557 + 176, 0, 0, 6, 9, 3},
    {2416557 + 177, 0, 0, 7, 1, 1},
};

TEST(DtcLunar, DayNumberToDate) {
    for (const LunarRow& row : kLunarRows) {
        SCOPED_TRACE(row.dayNumber);
        DtcLunarDate d{0, 0, 0, 0, 0, kUntouched, row.dayNumber};
        jdn_to_dtclunar(&d);
        EXPECT_EQ(d.cycle, row.cycle);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.month, row.month);
        EXPECT_EQ(d.triday, row.triday);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.valid, kUntouched);
        EXPECT_EQ(d.dayNumber, row.dayNumber);
    }
}

TEST(DtcLunar, DateToDayNumber) {
    for (const LunarRow& row : kLunarRows) {
        SCOPED_TRACE(row.dayNumber);
        DtcLunarDate d{row.cycle, row.year, row.month, row.triday, row.day, kUntouched, 0};
        EXPECT_EQ(dtclunar_to_jdn(&d), row.dayNumber);
        EXPECT_EQ(d.dayNumber, row.dayNumber);
        EXPECT_EQ(d.valid, kUntouched);
        EXPECT_EQ(dtclunar_valid(&d), 1);
        EXPECT_EQ(d.valid, 1);
    }
}

struct SolarRow {
    int32_t dayNumber;
    int32_t year, quarter, triday, day;
};

const SolarRow kSolarRows[] = {
    {2416557, 0, 1, 1, 1},
    {2416556, -1, 4, 30, 3},
    {2451545, 95, 4, 5, 3},
    {2416557 + 144636, 396, 1, 1, 1},
    {2416557 - 144636, -396, 1, 1, 1},
    {2416557 + 90, 0, 2, 1, 1},
    {2416557 + 182, 0, 2, 31, 3},
    {2416557 + 365, 0, 4, 31, 3}, // year 0 has 366 days
    {2416557 + 366, 1, 1, 1, 1},
};

TEST(DtcSolar, DayNumberToDate) {
    for (const SolarRow& row : kSolarRows) {
        SCOPED_TRACE(row.dayNumber);
        DtcSolarDate d{0, 0, 0, 0, kUntouched, row.dayNumber};
        jdn_to_dtcsolar(&d);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.quarter, row.quarter);
        EXPECT_EQ(d.triday, row.triday);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.valid, kUntouched);
    }
}

TEST(DtcSolar, DateToDayNumber) {
    for (const SolarRow& row : kSolarRows) {
        SCOPED_TRACE(row.dayNumber);
        DtcSolarDate d{row.year, row.quarter, row.triday, row.day, kUntouched, 0};
        EXPECT_EQ(dtcsolar_to_jdn(&d), row.dayNumber);
        EXPECT_EQ(d.dayNumber, row.dayNumber);
        EXPECT_EQ(d.valid, kUntouched);
        EXPECT_EQ(dtcsolar_valid(&d), 1);
    }
}

struct LunarValidRow {
    const char* what;
    DtcLunarDate date;
    int32_t valid;
};

const LunarValidRow kLunarValidRows[] = {
    {"first day", {0, 0, 1, 1, 1, 0, 0}, 1},
    {"month 6 triday 9", {0, 0, 6, 9, 3, 0, 0}, 1},
    {"month 6 triday 10", {0, 0, 6, 10, 1, 0, 0}, 0},
    {"month 1 triday 10", {0, 0, 1, 10, 3, 0, 0}, 1},
    {"month 1 triday 11", {0, 0, 1, 11, 1, 0, 0}, 0},
    {"month 11 triday 11", {0, 0, 11, 11, 1, 0, 0}, 0},
    {"year 2 month 12 triday 10", {0, 2, 12, 10, 1, 0, 0}, 0},
    {"year 10 month 12 triday 10", {0, 10, 12, 10, 1, 0, 0}, 1},
    {"year 11 month 12 triday 10", {0, 11, 12, 10, 1, 0, 0}, 0},
    {"triday 0", {0, 0, 1, 0, 1, 0, 0}, 0},
    {"negative triday", {0, 0, 1, -3, 1, 0, 0}, 0},
    {"day 0", {0, 0, 1, 1, 0, 0, 0}, 0},
    {"day 4", {0, 0, 1, 1, 4, 0, 0}, 0},
    {"year -1", {0, -1, 1, 1, 1, 0, 0}, 0},
    {"year 384", {0, 384, 1, 1, 1, 0, 0}, 0},
    {"month 0", {0, 0, 0, 1, 1, 0, 0}, 0},
    {"month 13", {0, 0, 13, 1, 1, 0, 0}, 0},
    {"cycle not checked", {-15000, 383, 12, 9, 3, 0, 0}, 1},
    {"lowest whole cycle", {-15799, 0, 1, 1, 1, 0, 0}, 1},
    {"before day number -2^31", {-15800, 0, 1, 1, 1, 0, 0}, 0},
    {"partly representable cycle", {-15800, 383, 12, 9, 3, 0, 0}, 1},
    {"highest whole cycle", {15762, 383, 12, 9, 3, 0, 0}, 1},
    {"after day number 2^31 - 1", {15763, 383, 12, 9, 3, 0, 0}, 0},
    {"huge cycle", {kInt32Max, 0, 1, 1, 1, 0, 0}, 0},
    {"lowest cycle", {kInt32Min, 0, 1, 1, 1, 0, 0}, 0},
    {"huge triday", {0, 0, 1, kInt32Max, 1, 0, 0}, 0},
};

TEST(DtcLunar, Validation) {
    for (const LunarValidRow& row : kLunarValidRows) {
        SCOPED_TRACE(row.what);
        DtcLunarDate d = row.date;
        d.valid = kUntouched;
        EXPECT_EQ(dtclunar_valid(&d), row.valid);
        EXPECT_EQ(d.valid, row.valid);
    }
}

struct SolarValidRow {
    const char* what;
    DtcSolarDate date;
    int32_t valid;
};

const SolarValidRow kSolarValidRows[] = {
    {"first day", {0, 1, 1, 1, 0, 0}, 1},
    {"quarter 1 triday 30", {0, 1, 30, 3, 0, 0}, 1},
    {"quarter 1 triday 31", {0, 1, 31, 1, 0, 0}, 0},
    {"quarter 2 triday 31", {0, 2, 31, 3, 0, 0}, 1},
    {"quarter 2 triday 32", {0, 2, 32, 1, 0, 0}, 0},
    {"quarter 3 triday 31", {0, 3, 31, 1, 0, 0}, 0},
    {"year 4 quarter 4 triday 31", {4, 4, 31, 1, 0, 0}, 1},
    {"year 3 quarter 4 triday 31", {3, 4, 31, 1, 0, 0}, 0},
    {"year 197 quarter 4 triday 31", {197, 4, 31, 1, 0, 0}, 0},
    {"year -1 quarter 4 triday 31", {-1, 4, 31, 1, 0, 0}, 0},
    {"year -2 quarter 4 triday 31", {-2, 4, 31, 1, 0, 0}, 1},
    {"quarter 0", {0, 0, 1, 1, 0, 0}, 0},
    {"quarter 5", {0, 5, 1, 1, 0, 0}, 0},
    {"triday 0", {0, 1, 0, 1, 0, 0}, 0},
    {"day 0", {0, 1, 1, 0, 0, 0}, 0},
    {"day 4", {0, 1, 1, 4, 0, 0}, 0},
    {"year far back but representable", {-5886000, 1, 1, 1, 0, 0}, 1},
    {"year beyond day number 2^31 - 1", {5880000, 1, 1, 1, 0, 0}, 0},
    {"huge year", {kInt32Max, 1, 1, 1, 0, 0}, 0},
    {"lowest year", {kInt32Min, 1, 1, 1, 0, 0}, 0},
};

TEST(DtcSolar, Validation) {
    for (const SolarValidRow& row : kSolarValidRows) {
        SCOPED_TRACE(row.what);
        DtcSolarDate d = row.date;
        d.valid = kUntouched;
        EXPECT_EQ(dtcsolar_valid(&d), row.valid);
        EXPECT_EQ(d.valid, row.valid);
    }
}

// The conversions do not validate, but a day number that cannot be held in
// 32 bits is refused: the field keeps its value, valid becomes 0, the result 0.
TEST(DtcConversion, UnrepresentableDayNumbers) {
    DtcLunarDate lunar{15763, 383, 12, 9, 3, 1, 4242};
    EXPECT_EQ(dtclunar_to_jdn(&lunar), 0);
    EXPECT_EQ(lunar.dayNumber, 4242);
    EXPECT_EQ(lunar.valid, 0);
    DtcSolarDate solar{kInt32Max, 4, 31, 3, 1, 4242};
    EXPECT_EQ(dtcsolar_to_jdn(&solar), 0);
    EXPECT_EQ(solar.dayNumber, 4242);
    EXPECT_EQ(solar.valid, 0);

    // The extreme day numbers themselves convert both ways.
    for (const int32_t day : {kInt32Min, kInt32Max}) {
        DtcLunarDate l{};
        l.dayNumber = day;
        jdn_to_dtclunar(&l);
        l.dayNumber = 0;
        EXPECT_EQ(dtclunar_valid(&l), 1);
        EXPECT_EQ(dtclunar_to_jdn(&l), day);
        DtcSolarDate s{};
        s.dayNumber = day;
        jdn_to_dtcsolar(&s);
        s.dayNumber = 0;
        EXPECT_EQ(dtcsolar_valid(&s), 1);
        EXPECT_EQ(dtcsolar_to_jdn(&s), day);
    }
}

TEST(DtcLengths, MonthDays) {
    const struct {
        int32_t year, month, days;
    } rows[] = {
        {0, 1, 30},   {0, 5, 30},   {0, 6, 27},   {0, 7, 30},   {0, 11, 30},       {0, 12, 27},
        {2, 12, 27},  {10, 12, 30}, {18, 12, 30}, {11, 12, 27}, {386, 12, 27},     {394, 12, 30},
        {-6, 12, 30}, {0, 0, 0},    {0, 13, 0},   {0, -1, 0},   {0, kInt32Max, 0}, {kInt32Min, 12, 27},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(num_days_in_month(row.year, row.month), row.days) << row.year << "-" << row.month;
    }
}

TEST(DtcLengths, TwelfthMonthAndFourthQuarter) {
    const struct {
        int32_t year, tridays;
    } months[] = {{2, 9}, {10, 10}, {3, 9}, {378, 10}, {386, 9}, {-6, 10}, {kInt32Min, 9}, {kInt32Max, 9}};
    for (const auto& row : months)
        EXPECT_EQ(num_tridays_in_12th_month(row.year), row.tridays) << row.year;

    const struct {
        int32_t year, tridays;
    } quarters[] = {{197, 30}, {3, 30}, {4, 31}, {395, 30}, {0, 31}, {-1, 30}, {-199, 30}, {kInt32Max, 30}};
    for (const auto& row : quarters)
        EXPECT_EQ(num_tridays_in_4th_quarter(row.year), row.tridays) << row.year;
}

// A lunar cycle: 47 years of 357 days and 337 of 354, 136,077 days. A solar
// period: 100 years of 363 days and 296 of 366, 144,636 days.
TEST(DtcLengths, CycleTotals) {
    int64_t lunarDays = 0;
    int longLunarYears = 0;
    for (int32_t y = 0; y < 384; ++y) {
        int32_t yearDays = 0;
        for (int32_t m = 1; m <= 12; ++m)
            yearDays += num_days_in_month(y, m);
        lunarDays += yearDays;
        if (yearDays == 357) ++longLunarYears;
    }
    EXPECT_EQ(lunarDays, 136077);
    EXPECT_EQ(longLunarYears, 47);

    int64_t solarDays = 0;
    int shortSolarYears = 0;
    for (int32_t y = 0; y < 396; ++y) {
        const int32_t yearDays = 273 + 3 * num_tridays_in_4th_quarter(y);
        solarDays += yearDays;
        if (yearDays == 363) ++shortSolarYears;
    }
    EXPECT_EQ(solarDays, 144636);
    EXPECT_EQ(shortSolarYears, 100);
}

TEST(DtcConversion, NullPointers) {
    jdn_to_dtclunar(nullptr);
    jdn_to_dtcsolar(nullptr);
    EXPECT_EQ(dtclunar_to_jdn(nullptr), 0);
    EXPECT_EQ(dtcsolar_to_jdn(nullptr), 0);
    EXPECT_EQ(dtclunar_valid(nullptr), 0);
    EXPECT_EQ(dtcsolar_valid(nullptr), 0);
}

} // namespace
