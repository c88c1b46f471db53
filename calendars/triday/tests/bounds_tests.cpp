// The work of each export is bounded whatever the input: the year search of
// both day-number conversions stays within its table at every year boundary
// of a cycle or period, including those of the lowest and highest ones a
// 32-bit day number reaches.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "dtc.h"

namespace {

constexpr int64_t kEpoch = 2416557;
constexpr int64_t kLunarCycleDays = 136077;
constexpr int64_t kSolarPeriodDays = 144636;
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

TEST(DtcBounds, LunarYearSearchAtEveryYearBoundary) {
    const int64_t lowest = FloorDiv(kInt32Min - kEpoch, kLunarCycleDays) + 1;
    const int64_t highest = FloorDiv(kInt32Max - kEpoch, kLunarCycleDays) - 1;
    for (int64_t cycle : {int64_t{0}, int64_t{-1}, lowest, highest}) {
        SCOPED_TRACE(cycle);
        int64_t day = kEpoch + cycle * kLunarCycleDays;
        int failures = 0;
        for (int32_t y = 0; y < 384; ++y) {
            DtcLunarDate d{};
            d.dayNumber = static_cast<int32_t>(day);
            jdn_to_dtclunar(&d);
            if (d.cycle != cycle || d.year != y || d.month != 1 || d.triday != 1 || d.day != 1) ++failures;
            DtcLunarDate last{};
            last.dayNumber = static_cast<int32_t>(day - 1);
            jdn_to_dtclunar(&last);
            if (last.month != 12 || last.day != 3 || last.year != (y == 0 ? 383 : y - 1)) ++failures;
            day += 327 + 3 * num_tridays_in_12th_month(y);
        }
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(day, kEpoch + (cycle + 1) * kLunarCycleDays);
    }
}

TEST(DtcBounds, SolarYearSearchAtEveryYearBoundary) {
    const int64_t lowest = FloorDiv(kInt32Min - kEpoch, kSolarPeriodDays) + 1;
    const int64_t highest = FloorDiv(kInt32Max - kEpoch, kSolarPeriodDays) - 1;
    for (int64_t period : {int64_t{0}, int64_t{-1}, lowest, highest}) {
        SCOPED_TRACE(period);
        int64_t day = kEpoch + period * kSolarPeriodDays;
        int failures = 0;
        for (int32_t y = 0; y < 396; ++y) {
            const int64_t year = period * 396 + y;
            DtcSolarDate d{};
            d.dayNumber = static_cast<int32_t>(day);
            jdn_to_dtcsolar(&d);
            if (d.year != year || d.quarter != 1 || d.triday != 1 || d.day != 1) ++failures;
            DtcSolarDate last{};
            last.dayNumber = static_cast<int32_t>(day - 1);
            jdn_to_dtcsolar(&last);
            if (last.year != year - 1 || last.quarter != 4 || last.day != 3) ++failures;
            day += 273 + 3 * num_tridays_in_4th_quarter(y);
        }
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(day, kEpoch + (period + 1) * kSolarPeriodDays);
    }
}

} // namespace
