// Sweeps over the program's whole day range and comparisons with the plain
// month walk, for every day when TAVR_FULL_SWEEPS is 1, else a sample.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>

#include "vrslc.h"
#include "vrslc_reference.h"

namespace {

// AJD 552283..3912515: -3200-01-01 CE to 6000-01-01 CE.
constexpr int32_t kFirstDay = 552283;
constexpr int32_t kLastDay = 3912515;
constexpr int32_t kSweepStep = TAVR_FULL_SWEEPS ? 1 : 997;
constexpr int kReferenceSamples = TAVR_FULL_SWEEPS ? 4000 : 200;

// Supported day numbers: great cycles -859..858.
constexpr int32_t kFirstSupportedDay = -2145796395;
constexpr int32_t kLastSupportedDay = 2146210848;

VrslcDate FromDayNumber(int32_t dayNumber, int32_t* monthLength) {
    VrslcDate d{};
    d.dayNumber = dayNumber;
    *monthLength = jdn_to_vrslcdate(&d);
    return d;
}

// The date after d, by the calendar's rules.
VrslcDate NextDay(VrslcDate d) {
    const int64_t y = vrref::FloorMod(int64_t{d.cycle} * 60 + d.year - 1, 6840) + 1;
    if (d.day < vrref::MonthLength(y, d.month)) {
        ++d.day;
        return d;
    }
    d.day = 1;
    if (vrref::MonthLength(y, d.month + 1) > 0) {
        ++d.month;
        return d;
    }
    d.month = 1;
    if (++d.year > 60) {
        d.year = 1;
        ++d.cycle;
    }
    return d;
}

// Every day converts to a date and back to itself, and each day's date follows
// the previous day's: together with the epoch this pins every date down.
TEST(VrslcSweep, RoundTripAndSuccessionOverProgramRange) {
    int32_t length = 0;
    VrslcDate previous = FromDayNumber(kFirstDay - kSweepStep, &length);
    int failures = 0;
    for (int32_t day = kFirstDay; day <= kLastDay && failures < 10; day += kSweepStep) {
        VrslcDate d = FromDayNumber(day, &length);
        if (kSweepStep == 1) {
            const VrslcDate expected = NextDay(previous);
            if (d.cycle != expected.cycle || d.year != expected.year || d.month != expected.month ||
                d.day != expected.day) {
                ADD_FAILURE() << "day " << day << " does not follow day " << day - 1;
                ++failures;
            }
            const int32_t expectedDayOfGreatCycle =
                previous.dayOfGreatCycle == 2498258 ? 1 : previous.dayOfGreatCycle + 1;
            EXPECT_EQ(d.dayOfGreatCycle, expectedDayOfGreatCycle) << day;
        }
        previous = d;
        EXPECT_EQ(d.valid, 1);
        d.dayNumber = 0;
        if (vrslcdate_to_jdn(&d) != day || d.valid != 1) {
            ADD_FAILURE() << "round trip fails for " << day;
            ++failures;
        }
    }
}

void ExpectSameAsReference(int32_t day) {
    int32_t length = 0;
    const VrslcDate d = FromDayNumber(day, &length);
    const vrref::Date r = vrref::FromDayNumber(day);
    ASSERT_EQ(d.cycle, r.cycle) << day;
    ASSERT_EQ(d.year, r.year) << day;
    ASSERT_EQ(d.month, r.month) << day;
    ASSERT_EQ(d.day, r.day) << day;
    ASSERT_EQ(d.dayOfGreatCycle, r.dayOfGreatCycle) << day;
    ASSERT_EQ(length, r.monthLength) << day;

    VrslcDate back{d.cycle, d.year, d.month, d.day, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(vrslcdate_to_jdn(&back), vrref::ToDayNumber(d.cycle, d.year, d.month, d.day)) << day;
}

// Random days over all supported great cycles, the edges of the supported
// range and of the great cycle, against the plain walk.
TEST(VrslcSweep, AgreesWithMonthWalk) {
    const int32_t edges[] = {kFirstSupportedDay,
                             kFirstSupportedDay + 1,
                             kLastSupportedDay,
                             kLastSupportedDay - 1,
                             207226,
                             207227,
                             207227 + 2498258 - 1,
                             207227 + 2498258,
                             kFirstDay,
                             kLastDay,
                             2451545};
    for (const int32_t day : edges)
        ExpectSameAsReference(day);

    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> anyDay(kFirstSupportedDay, kLastSupportedDay);
    for (int i = 0; i < kReferenceSamples; ++i)
        ExpectSameAsReference(anyDay(random));
}

// Dates given directly: random valid dates of all supported great cycles agree
// with the summed month lengths and come back unchanged.
TEST(VrslcSweep, RandomDatesAgreeWithMonthWalk) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> cycle(-97926, 97925);
    std::uniform_int_distribution<int32_t> year(1, 60);
    std::uniform_int_distribution<int32_t> month(1, 13);
    int checked = 0;
    while (checked < kReferenceSamples) {
        VrslcDate d{cycle(random), year(random), month(random), 1, 0, 0, 0, 0, 0, 0};
        const int64_t y = vrref::FloorMod(int64_t{d.cycle} * 60 + d.year - 1, 6840) + 1;
        const int length = vrref::MonthLength(y, d.month);
        if (length == 0) continue;
        d.day = std::uniform_int_distribution<int32_t>(1, length)(random);
        const VrslcDate original = d;
        const int64_t expected = vrref::ToDayNumber(d.cycle, d.year, d.month, d.day);
        ASSERT_EQ(vrslcdate_to_jdn(&d), expected);
        ASSERT_EQ(d.dayOfGreatCycle, vrref::DayOfGreatCycle(y, d.month, d.day));
        int32_t monthLength = 0;
        const VrslcDate back = FromDayNumber(d.dayNumber, &monthLength);
        ASSERT_EQ(back.cycle, original.cycle);
        ASSERT_EQ(back.year, original.year);
        ASSERT_EQ(back.month, original.month);
        ASSERT_EQ(back.day, original.day);
        ASSERT_EQ(monthLength, length);
        ++checked;
    }
}

} // namespace
