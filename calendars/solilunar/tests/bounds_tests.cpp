// The work of each export is bounded whatever the input: the year search of
// the day-number conversion stays within its table at both ends of every
// great cycle, and the days of the two great cycles cut by the 32-bit limits
// convert to dates that the reverse conversion refuses without a day number.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "vrslc.h"

namespace {

constexpr int64_t kEpoch = 207227;
constexpr int64_t kDaysPerGreatCycle = 2498258;

VrslcDate FromDay(int64_t dayNumber) {
    VrslcDate d{};
    d.dayNumber = static_cast<int32_t>(dayNumber);
    jdn_to_vrslcdate(&d);
    return d;
}

// Days in year y (1..6840) of the great cycle, from the month-length export.
int64_t YearLength(int32_t y) {
    int64_t days = 0;
    for (int32_t m = 1; m <= 13; ++m) {
        VrslcDate d{};
        d.year = y;
        d.month = m;
        days += vrmonth_length(&d);
    }
    return days;
}

// The first day of every year of great cycles 0, the lowest and the highest,
// and the day before it: the year search starts from an estimate and must land
// on the right year next to each entry of its table, the two ends included.
TEST(VrslcBounds, YearSearchAtEveryYearBoundary) {
    for (int64_t g : {int64_t{0}, int64_t{VRSLC_MIN_GREAT_CYCLE}, int64_t{VRSLC_MAX_GREAT_CYCLE}}) {
        SCOPED_TRACE(g);
        const int64_t first = kEpoch + g * kDaysPerGreatCycle;
        int64_t day = first;
        int failures = 0;
        for (int32_t y = 1; y <= 6840; ++y) {
            const VrslcDate d = FromDay(day);
            const int64_t total = g * 6840 + y - 1;
            const int64_t cycle = total >= 0 ? total / 60 : -((-total + 59) / 60);
            if (d.cycle != cycle || d.year != total - cycle * 60 + 1 || d.month != 1 || d.day != 1 ||
                d.dayOfGreatCycle != day - first + 1)
                ++failures;
            if (day > std::numeric_limits<int32_t>::min()) {
                const VrslcDate last = FromDay(day - 1);
                const int64_t expected = y == 1 ? kDaysPerGreatCycle : day - first;
                if (last.month < 12 || last.dayOfGreatCycle != expected) ++failures;
            }
            day += YearLength(y);
        }
        EXPECT_EQ(failures, 0);
        EXPECT_EQ(day, first + kDaysPerGreatCycle);
    }
}

// Days below the lowest and above the highest supported great cycle still
// give a date; converting it back is refused with the great-cycle error and
// leaves the day number field alone.
TEST(VrslcBounds, DaysBeyondTheSupportedGreatCyclesDoNotConvertBack) {
    const int64_t lowest = kEpoch + int64_t{VRSLC_MIN_GREAT_CYCLE} * kDaysPerGreatCycle;
    const int64_t highest = kEpoch + int64_t{VRSLC_MAX_GREAT_CYCLE + 1} * kDaysPerGreatCycle - 1;
    const int64_t beyond[] = {std::numeric_limits<int32_t>::min(), lowest - 1, highest + 1,
                              std::numeric_limits<int32_t>::max()};
    for (int64_t day : beyond) {
        SCOPED_TRACE(day);
        VrslcDate d = FromDay(day);
        EXPECT_EQ(d.valid, 1);
        d.dayNumber = 12345;
        EXPECT_EQ(vrslcdate_to_jdn(&d), 12345);
        EXPECT_EQ(d.error, VRSLC_BAD_GREAT_CYCLE);
        EXPECT_EQ(d.valid, 0);
    }
    for (int64_t day : {lowest, highest}) {
        VrslcDate d = FromDay(day);
        EXPECT_EQ(vrslcdate_to_jdn(&d), day);
    }
}

} // namespace
