// Sweeps over the program's whole day range and comparisons with the plain
// year and month walks, for every day when TAVR_FULL_SWEEPS is 1, else a sample.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

#include "dtc.h"
#include "dtc_reference.h"

namespace {

// AJD 552283..3912515: -3200-01-01 CE to 6000-01-01 CE.
constexpr int32_t kFirstDay = 552283;
constexpr int32_t kLastDay = 3912515;
constexpr int32_t kSweepStep = TAVR_FULL_SWEEPS ? 1 : 997;
constexpr int kReferenceSamples = TAVR_FULL_SWEEPS ? 20000 : 1000;

DtcLunarDate Lunar(int32_t dayNumber) {
    DtcLunarDate d{};
    d.dayNumber = dayNumber;
    jdn_to_dtclunar(&d);
    return d;
}

DtcSolarDate Solar(int32_t dayNumber) {
    DtcSolarDate d{};
    d.dayNumber = dayNumber;
    jdn_to_dtcsolar(&d);
    return d;
}

DtcLunarDate NextLunarDay(DtcLunarDate d) {
    if (++d.day <= 3) return d;
    d.day = 1;
    if (3 * ++d.triday <= dtcref::LunarMonthDays(d.year, d.month)) return d;
    d.triday = 1;
    if (++d.month <= 12) return d;
    d.month = 1;
    if (++d.year < 384) return d;
    d.year = 0;
    ++d.cycle;
    return d;
}

DtcSolarDate NextSolarDay(DtcSolarDate d) {
    if (++d.day <= 3) return d;
    d.day = 1;
    if (3 * ++d.triday <= dtcref::QuarterDays(d.year, d.quarter)) return d;
    d.triday = 1;
    if (++d.quarter <= 4) return d;
    d.quarter = 1;
    ++d.year;
    return d;
}

bool SameLunar(const DtcLunarDate& a, const DtcLunarDate& b) {
    return a.cycle == b.cycle && a.year == b.year && a.month == b.month && a.triday == b.triday &&
           a.day == b.day;
}

bool SameSolar(const DtcSolarDate& a, const DtcSolarDate& b) {
    return a.year == b.year && a.quarter == b.quarter && a.triday == b.triday && a.day == b.day;
}

// Every day converts to a valid date and back to itself, and each day's date
// follows the previous day's: together with the epoch this pins every date down.
TEST(DtcSweep, RoundTripAndSuccessionOverProgramRange) {
    DtcLunarDate previousLunar = Lunar(kFirstDay - kSweepStep);
    DtcSolarDate previousSolar = Solar(kFirstDay - kSweepStep);
    int failures = 0;
    for (int32_t day = kFirstDay; day <= kLastDay && failures < 10; day += kSweepStep) {
        DtcLunarDate lunar = Lunar(day);
        DtcSolarDate solar = Solar(day);
        if (kSweepStep == 1 && (!SameLunar(lunar, NextLunarDay(previousLunar)) ||
                                !SameSolar(solar, NextSolarDay(previousSolar)))) {
            ADD_FAILURE() << "day " << day << " does not follow day " << day - 1;
            ++failures;
        }
        previousLunar = lunar;
        previousSolar = solar;
        lunar.dayNumber = 0;
        solar.dayNumber = 0;
        if (dtclunar_valid(&lunar) != 1 || dtclunar_to_jdn(&lunar) != day || dtcsolar_valid(&solar) != 1 ||
            dtcsolar_to_jdn(&solar) != day) {
            ADD_FAILURE() << "round trip fails for " << day;
            ++failures;
        }
    }
}

void ExpectSameAsReference(int32_t day) {
    const DtcLunarDate lunar = Lunar(day);
    const dtcref::Lunar lunarRef = dtcref::LunarFromDayNumber(day);
    ASSERT_EQ(lunar.cycle, lunarRef.cycle) << day;
    ASSERT_EQ(lunar.year, lunarRef.year) << day;
    ASSERT_EQ(lunar.month, lunarRef.month) << day;
    ASSERT_EQ(lunar.triday, lunarRef.triday) << day;
    ASSERT_EQ(lunar.day, lunarRef.day) << day;

    const DtcSolarDate solar = Solar(day);
    const dtcref::Solar solarRef = dtcref::SolarFromDayNumber(day);
    ASSERT_EQ(solar.year, solarRef.year) << day;
    ASSERT_EQ(solar.quarter, solarRef.quarter) << day;
    ASSERT_EQ(solar.triday, solarRef.triday) << day;
    ASSERT_EQ(solar.day, solarRef.day) << day;
}

// Random day numbers over the whole 32-bit range and the edges of cycles and
// periods, against the plain walks.
TEST(DtcSweep, AgreesWithYearWalk) {
    const int32_t edges[] = {std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max(),
                             2416556,
                             2416557,
                             2552633,
                             2552634,
                             2416557 + 144636 - 1,
                             2416557 + 144636,
                             kFirstDay,
                             kLastDay,
                             0};
    for (const int32_t day : edges)
        ExpectSameAsReference(day);

    std::mt19937 random(1904);
    std::uniform_int_distribution<int32_t> anyDay(std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max());
    for (int i = 0; i < kReferenceSamples; ++i)
        ExpectSameAsReference(anyDay(random));
}

// The date-to-day-number conversions sum whatever fields they get, valid or
// not, exactly as the walks do.
TEST(DtcSweep, UnvalidatedDatesAgreeWithYearWalk) {
    std::mt19937 random(17);
    std::uniform_int_distribution<int32_t> cycle(-15000, 15000);
    std::uniform_int_distribution<int32_t> year(-3, 800);
    std::uniform_int_distribution<int32_t> month(-2, 15);
    std::uniform_int_distribution<int32_t> triday(-5, 40);
    std::uniform_int_distribution<int32_t> day(-5, 8);
    std::uniform_int_distribution<int32_t> solarYear(-5000000, 5000000);
    for (int i = 0; i < kReferenceSamples; ++i) {
        DtcLunarDate lunar{cycle(random), year(random), month(random), triday(random), day(random), 0, 0};
        const dtcref::Lunar lunarRef{lunar.cycle, lunar.year, lunar.month, lunar.triday, lunar.day};
        ASSERT_EQ(dtclunar_to_jdn(&lunar), dtcref::LunarToDayNumber(lunarRef));

        DtcSolarDate solar{solarYear(random), month(random), triday(random), day(random), 0, 0};
        const dtcref::Solar solarRef{solar.year, solar.quarter, solar.triday, solar.day};
        ASSERT_EQ(dtcsolar_to_jdn(&solar), dtcref::SolarToDayNumber(solarRef));
    }
}

} // namespace
