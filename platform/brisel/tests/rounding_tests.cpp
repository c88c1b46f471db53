// The series sine's rounding to whole turns, compiled in the 32-bit x86 build
// with the x87 unit's arithmetic (whose intermediates carry 64 bits), so that a
// rounding which holds only for 53-bit doubles fails here.
#include <gtest/gtest.h>

#include <cmath>

#include "sun_theory.h"

namespace {

using brisel_detail::kTwoPi;
using brisel_detail::SeriesSin;
using brisel_detail::SeriesSinNear;
using brisel_detail::WholeTurnsNear;

TEST(SeriesRounding, WholeTurnsAreWholeNumbers) {
    struct Row {
        double turns, expected;
    };
    // Just off whole turns, a quarter either side, and far out.
    const Row rows[] = {{0.0, 0.0},         {0.25, 0.0},       {0.75, 1.0},    {-0.25, 0.0},
                        {-0.75, -1.0},      {1.001, 1.0},      {-2.999, -3.0}, {1e6 + 0.2, 1e6},
                        {-1e9 - 0.3, -1e9}, {1e13 + 0.4, 1e13}};
    for (const Row& r : rows) {
        const double n = WholeTurnsNear(r.turns * kTwoPi);
        EXPECT_EQ(n, std::trunc(n)) << r.turns;
        EXPECT_EQ(n, r.expected) << r.turns;
    }
}

TEST(SeriesRounding, SineAtKnownArguments) {
    // Arguments of the size the Moon's and the Earth's series give (up to 1e6
    // radians over the range), against the library's sine.
    const double xs[] = {0.5, -2.0, 3.0, 100.25, -1234.5678, 65432.1, 271828.18, -987654.321, 4.5e6};
    for (double x : xs) {
        EXPECT_NEAR(SeriesSinNear(x), std::sin(x), 1e-15 * std::abs(x) + 1e-13) << x;
        EXPECT_NEAR(SeriesSin(x), std::sin(x), 1e-15 * std::abs(x) + 1e-13) << x;
    }
}

TEST(SeriesRounding, SunLongitudeAtAKnownMoment) {
    // 1992 October 13 at 0h TD: 199 deg 54' 26.18" geometric, nutation
    // +15.908", aberration -20.539" (Meeus, example 25.b).
    const double t = (2448908.5 - brisel_detail::kJ2000) / brisel_detail::kDaysPerCentury;
    // The longitude comes unreduced (some turns below zero at this moment).
    const double deg = brisel_detail::ReduceAngle(brisel_detail::SunApparentLongitude(t)) * 360.0 / kTwoPi;
    EXPECT_NEAR(deg, 199.0 + 54.0 / 60.0 + (26.18 + 15.908 - 20.539) / 3600.0, 0.1 / 3600.0);
}

} // namespace
