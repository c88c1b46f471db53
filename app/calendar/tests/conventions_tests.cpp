// Day-number conventions, Common Era and Julian dates, weekday, clock reading
// and the texts around the Common Era and Julian calendars.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "base/Platform.h"
#include "calendar/DateTexts.h"
#include "calendar/DayNumbers.h"

using namespace tavr;

namespace {

TEST(Conventions, CalendarCodesAndNames) {
    const char* codes[] = {"CE", "JC", "SAR", "VR", "LDT", "TVG", "CJD", "AJD", "QLW"};
    for (int i = 0; i < kCalendarCount; ++i) {
        EXPECT_EQ(CalendarCode(i), codes[i]);
        EXPECT_EQ(CalendarIndexOf(codes[i]), i);
    }
    EXPECT_EQ(CalendarCode(-1), "");
    EXPECT_EQ(CalendarCode(9), "");
    EXPECT_EQ(CalendarIndexOf("ce"), -1);
    EXPECT_EQ(CalendarIndexOf(""), -1);
}

TEST(Conventions, TimeScalesAndRange) {
    // CJD 2451545.25 at offset 0 is AJD 2451544.75, civil day 2000-01-01, a Saturday.
    EXPECT_DOUBLE_EQ(AjdToCjd(2451544.75, 0), 2451545.25);
    EXPECT_EQ(CivilDayOf(2451545.25), 2451545);
    EXPECT_EQ(DayOfWeek(2451545), 6);
    EXPECT_EQ(WeekdayNameOf(2451545), "Saturday");
    // Just after local midnight east of Greenwich (offset +600): one civil day later than UT.
    const double ajd = 2451545.0 - 0.5 - 300.0 / 1440.0; // 19:00 UT of 1999-12-31
    EXPECT_EQ(CivilDayOf(AjdToCjd(ajd, 0)), 2451544);
    EXPECT_EQ(CivilDayOf(AjdToCjd(ajd, 600)), 2451545);
    EXPECT_NEAR(TimeOfDayOf(AjdToCjd(ajd, 600)), 300.0 / 1440.0, 1e-9);
    // Both ends of the range are accepted.
    EXPECT_TRUE(InAcceptedRange(kEarliestMoment));
    EXPECT_TRUE(InAcceptedRange(kLatestMoment));
    EXPECT_FALSE(InAcceptedRange(std::nextafter(kEarliestMoment, 0.0)));
    EXPECT_FALSE(InAcceptedRange(std::nextafter(kLatestMoment, 1e10)));
    EXPECT_FALSE(InAcceptedRange(std::nan("")));
    // Hostile values give day 0 instead of undefined conversions.
    EXPECT_EQ(CivilDayOf(1e300), 0);
    EXPECT_EQ(CivilDayOf(std::nan("")), 0);
    EXPECT_EQ(CivilDayOf(-0.5), -1);
}

TEST(Conventions, DayOfWeekAndNames) {
    struct Case {
        DayNumber d;
        int16_t weekday;
    };
    const Case cases[] = {{2451545, 6},
                          {2451546, 0},
                          {2451547, 1},
                          {0, 1},
                          {-1, 0},
                          {-7, 1},
                          {-8, 0},
                          {std::numeric_limits<int32_t>::max(), 2},
                          {std::numeric_limits<int32_t>::min(), 6}};
    for (const auto& c : cases)
        EXPECT_EQ(DayOfWeek(c.d), c.weekday) << c.d;
    const char* names[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(WeekdayName(i), names[i]);
    EXPECT_EQ(WeekdayName(7), "");
    EXPECT_EQ(WeekdayName(-1), "");
}

TEST(Conventions, CommonEraAndJulianThroughTheLibrary) {
    struct Case {
        DayNumber d;
        int32_t letter, year, month, day;
    };
    const Case cases[] = {
        {2451545, kLetterCE, 2000, 1, 1},  {2451545, kLetterJC, 1999, 12, 19},
        {552284, kLetterCE, -3200, 1, 1},  {552283, kLetterCE, -3201, 12, 31},
        {3912515, kLetterCE, 6000, 1, 1},  {2299161, kLetterCE, 1582, 10, 15},
        {2299160, kLetterJC, 1582, 10, 4}, {1721426, kLetterCE, 1, 1, 1},
        {1721424, kLetterJC, 1, 1, 1},     {0, kLetterJC, -4712, 1, 1},
    };
    for (const auto& c : cases) {
        const EuroDate e = DayNumberToEuroDate(c.d, c.letter);
        EXPECT_EQ(e.valid, 1);
        EXPECT_EQ(e.year, c.year) << c.d;
        EXPECT_EQ(e.month, c.month) << c.d;
        EXPECT_EQ(e.day, c.day) << c.d;
        EuroDate back{c.year, c.month, c.day, c.letter, 0, 0};
        EXPECT_EQ(EuroDateToDayNumber(back), c.d);
        EXPECT_EQ(back.dayNumber, c.d);
        EXPECT_EQ(back.valid, 1);
    }
    EuroDate missing{2001, 2, 29, kLetterCE, 0, 0};
    EuroDateToDayNumber(missing);
    EXPECT_EQ(missing.valid, 0);
    EuroDate julianLeap{1900, 2, 29, kLetterJC, 0, 0};
    EuroDateToDayNumber(julianLeap);
    EXPECT_EQ(julianLeap.valid, 1);
}

TEST(Conventions, MomentFromClockAndZone) {
    // 14:28:30 local at offset +60 on 2000-01-01 is 13:28:30 UT.
    EXPECT_NEAR(MomentFromClock(2451545, 14, 28, 30, 60),
                2451545.0 - 0.5 + (13 * 3600 + 28 * 60 + 30) / 86400.0, 1e-9);
    EXPECT_DOUBLE_EQ(MomentFromClock(2451545, 12, 0, 0, 0), 2451545.0);
    struct Bias {
        int32_t secondsWest;
        ZoneOffsetMinutes offset;
    };
    const Bias biases[] = {{0, 0},        {-3600, 60}, {18000, -300}, {-19800, 330},
                           {12600, -210}, {-20, 0},    {-31, 1}};
    for (const auto& b : biases)
        EXPECT_EQ(ZoneOffsetFromBias(b.secondsWest), b.offset) << b.secondsWest;
    EXPECT_EQ(ZoneOffsetFromBias(std::numeric_limits<int32_t>::min()), std::numeric_limits<int16_t>::max());
}

TEST(Conventions, NowFollowsTheSystemClock) {
    // The tests run with TZ=UTC; the reading must agree with the system time.
    const double before = static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;
    const double now = NowAjd();
    const double after = static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;
    EXPECT_GE(now, before - 1.0 / 86400.0);
    EXPECT_LE(now, after + 1.0 / 86400.0);
    const ClockReading r = ReadLocalClock();
    EXPECT_GE(r.month, 1);
    EXPECT_LE(r.month, 12);
}

// The C library reads TZ again (Windows' C library knows it as _tzset).
void ReadZoneAgain() {
#if defined(_WIN32)
    _tzset();
#else
    tzset();
#endif
}

TEST(Conventions, ZoneOffsetOfTheReading) {
    // POSIX zone strings need no zone database; the sign is west-positive.
    struct Case {
        const char* tz;
        ZoneOffsetMinutes offset;
    };
    const Case cases[] = {{"XST-5:30", 330}, {"XST+3:30", -210}, {"XST-14", 840}, {"UTC0", 0}};
    for (const auto& c : cases) {
        tavr::platform::SetEnvironment("TZ", c.tz);
        ReadZoneAgain();
        const double before = static_cast<double>(std::time(nullptr)) / 86400.0 + 2440587.5;
        const ClockReading r = ReadLocalClock();
        const double now = NowAjd();
        EXPECT_EQ(r.offset, c.offset) << c.tz;
        EXPECT_NEAR(now, before, 5.0 / 86400.0) << c.tz;
    }
    tavr::platform::SetEnvironment("TZ", "UTC");
    ReadZoneAgain();
}

// ---- texts around the Common Era and Julian calendars ----------------------

TEST(DateTexts, MonthNamesAndGrouping) {
    EXPECT_EQ(dates::MonthName(1), "January");
    EXPECT_EQ(dates::MonthName(12), "December");
    EXPECT_EQ(dates::MonthName(0), "");
    EXPECT_EQ(dates::MonthName(13), "");
    struct Case {
        int32_t year;
        const char* text;
    };
    const Case cases[] = {{2000, "2000"},         {9999, "9999"},
                          {-9999, "-9999"},       {10000, "10,000"},
                          {-10000, "-10,000"},    {12345, "12,345"},
                          {-3200, "-3200"},       {0, "0"},
                          {1234567, "1,234,567"}, {std::numeric_limits<int32_t>::min(), "-2,147,483,648"}};
    for (const auto& c : cases)
        EXPECT_EQ(dates::YearText(c.year), c.text) << c.year;
    EXPECT_EQ(dates::GroupThousands("12345", ""), "12345");
    EXPECT_EQ(dates::GroupThousands("12345", "."), "12.345");
    EXPECT_EQ(dates::GroupThousands("123456789012345678901234", ","), "123,456,789,012,345,678,901,234");
}

TEST(DateTexts, ShortAndLongTexts) {
    struct Case {
        EuroDate date;
        const char* shortText;
        const char* longText;
    };
    const Case cases[] = {
        {{2000, 1, 1, kLetterCE, 0, 1},
         "2000-01-01 CE",
         "The 1st day of January in the year 2000 in the Common Era Calendar"},
        {{-3200, 1, 1, kLetterCE, 0, 1},
         "-3200-01-01 CE",
         "The 1st day of January in the year -3200 in the Common Era Calendar"},
        {{12345, 6, 7, kLetterCE, 0, 1},
         "12,345-06-07 CE",
         "The 7th day of June in the year 12,345 in the Common Era Calendar"},
        {{1999, 12, 19, kLetterJC, 0, 1},
         "1999-12-19 JC",
         "The 19th day of December in the year 1999 in the Julian Calendar"},
        {{2001, 2, 11, kLetterJC, 0, 1},
         "2001-02-11 JC",
         "The 11th day of February in the year 2001 in the Julian Calendar"},
        {{2001, 3, 12, kLetterCE, 0, 1},
         "2001-03-12 CE",
         "The 12th day of March in the year 2001 in the Common Era Calendar"},
        {{2001, 3, 13, kLetterCE, 0, 1},
         "2001-03-13 CE",
         "The 13th day of March in the year 2001 in the Common Era Calendar"},
        {{2001, 3, 21, kLetterCE, 0, 1},
         "2001-03-21 CE",
         "The 21st day of March in the year 2001 in the Common Era Calendar"},
        {{2001, 3, 22, kLetterCE, 0, 1},
         "2001-03-22 CE",
         "The 22nd day of March in the year 2001 in the Common Era Calendar"},
        {{2001, 3, 23, kLetterCE, 0, 1},
         "2001-03-23 CE",
         "The 23rd day of March in the year 2001 in the Common Era Calendar"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dates::ShortDateText(c.date, 2, "-", ",", true), c.shortText);
        EXPECT_EQ(dates::LongDateText(c.date), c.longText);
    }
    const EuroDate d{2000, 1, 2, kLetterCE, 0, 1};
    EXPECT_EQ(dates::ShortDateText(d), "2000-01-02");
    EXPECT_EQ(dates::ShortDateText(d, dates::kOrderMonthDayYear, "/"), "01/02/2000");
    EXPECT_EQ(dates::ShortDateText(d, dates::kOrderDayMonthYear, "."), "02.01.2000");
}

TEST(DateTexts, ParseCommonEraAndJulian) {
    struct Case {
        const char* text;
        int32_t letter;
        bool ok;
        DayNumber d;
    };
    const Case cases[] = {
        {"2000-01-01", kLetterCE, true, 2451545},
        {" 2000 - 1 - 1 ", kLetterCE, true, 2451545},
        {"2000-01-01x", kLetterCE, true, 2451545}, // other characters are removed
        {"-3200-01-01", kLetterCE, true, 552284},
        {"1999-12-19", kLetterJC, true, 2451545},
        {"-4712-01-01", kLetterJC, true, 0},
        {"2001-02-29", kLetterCE, false, 0},
        {"1900-02-29", kLetterCE, false, 0},
        {"1900-02-29", kLetterJC, true, 2415092},
        {"2000/01/01", kLetterCE, false, 0}, // "/" removed, no "-" left
        {"1-2-3-4", kLetterCE, false, 0},
        {"2000-13-01", kLetterCE, false, 0},
        {"2000-00-01", kLetterCE, false, 0},
        {"2000-01-00", kLetterCE, false, 0},
        {"2000--01", kLetterCE, false, 0}, // a field without digits
        {"-01-01", kLetterCE, false, 0},
        {"2000-01-", kLetterCE, false, 0},
        {"--2000-01-01", kLetterCE, false, 0},
        {"", kLetterCE, false, 0},
        {"-", kLetterCE, false, 0},
        {"--", kLetterCE, false, 0},
        {"abc", kLetterCE, false, 0},
        {"4294969296-01-01", kLetterCE, false, 0}, // would wrap to 2000 in 32 bits
        {"2000-4294967297-01", kLetterCE, false, 0},
        {"2147483647-01-01", kLetterCE, false, 0}, // its day number leaves 32 bits
        {"-2147483647-01-01", kLetterJC, false, 0},
        {"99999999999999999999999-1-1", kLetterCE, false, 0},
        {"2000-01-01\xE9\xFF", kLetterCE, true, 2451545},
    };
    for (const auto& c : cases) {
        EuroDate e{7, 7, 7, c.letter, 7, 7};
        EXPECT_EQ(dates::ParseDateText(c.text, e), c.ok) << c.text;
        EXPECT_EQ(e.valid, c.ok ? 1 : 0) << c.text;
        if (c.ok)
            EXPECT_EQ(e.dayNumber, c.d) << c.text;
        else
            EXPECT_EQ(e.year, 7) << c.text; // nothing but valid changed
    }
    std::string withNul("2000-01-01", 10);
    withNul.insert(4, 1, '\0');
    EuroDate e{0, 0, 0, kLetterCE, 0, 0};
    EXPECT_TRUE(dates::ParseDateText(withNul, e)); // the NUL is removed like any other character
    EXPECT_EQ(e.dayNumber, 2451545);
    EuroDate big{0, 0, 0, kLetterCE, 0, 0};
    EXPECT_FALSE(dates::ParseDateText(std::string(100000, '-'), big));
    EXPECT_FALSE(dates::ParseDateText(std::string(100000, '9'), big));
}

TEST(DateTexts, TimeOfDay) {
    struct Case {
        double f;
        bool seconds;
        const char* text;
    };
    const Case cases[] = {
        {0.0, true, "00:00:00"},
        {0.0, false, "00:00"},
        {0.5, true, "12:00:00"},
        {0.999999999, true, "23:59:59"},
        {1.0, true, "XX:XX:XX"},
        {-1e-12, true, "XX:XX:XX"},
        {std::nan(""), false, "XX:XX:XX"},
        {(14 * 60 + 28) / 1440.0, false, "14:28"},
        {(14 * 3600 + 28 * 60 + 59) / 86400.0, true, "14:28:59"}, // not cut down to :58
        {(23 * 60 + 59) / 1440.0, false, "23:59"},
        {1.0 / 86400.0 - 1e-12, true, "00:00:01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dates::TimeOfDayText(c.f, c.seconds), c.text) << c.f;
}

} // namespace

TEST(DateTexts, ZeroPaddedAsPrintfPadsIt) {
    const int64_t numbers[] = {0, 5, -5, 42, -42, 123, 2147483648LL, INT64_MAX, INT64_MIN};
    for (int64_t n : numbers) {
        for (int width : {0, 1, 2, 3, 5, 25}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%0*lld", width, static_cast<long long>(n));
            EXPECT_EQ(tavr::dates::ZeroPadded(n, width), expected) << n << " width " << width;
        }
    }
}
