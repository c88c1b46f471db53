#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "kelmar.h"

namespace {

constexpr int32_t G = 'G';
constexpr int32_t J = 'J';
constexpr int32_t R = 'R';

EuroDate Make(int32_t y, int32_t m, int32_t d, int32_t letter) {
    return EuroDate{y, m, d, letter, -7, -7};
}

// Known day numbers of both calendars (public almanac facts).
struct KnownDate {
    int32_t year, month, day, letter, dayNumber, weekday;
};
const KnownDate kKnownDates[] = {
    {2000, 1, 1, G, 2451545, 6},    // J2000 day, a Saturday
    {2000, 1, 1, J, 2451558, 5},    // 13 days later in the Julian calendar
    {1582, 10, 15, G, 2299161, 5},  // first day of the Gregorian reform, a Friday
    {1582, 10, 4, J, 2299160, 4},   // the day before it, a Thursday
    {1970, 1, 1, G, 2440588, 4},    // Unix epoch, a Thursday
    {1858, 11, 17, G, 2400001, 3},  // day 0 of the modified Julian date
    {-4712, 1, 1, J, 0, 1},         // day 0, a Monday
    {-4713, 11, 24, G, 0, 1},       // the same day in the Gregorian calendar
    {1, 1, 1, G, 1721426, 1},       // 1 CE
    {1, 1, 1, J, 1721424, 6},       //
    {0, 1, 1, G, 1721060, 6},       // 1 BCE is year 0
    {0, 2, 29, J, 1721117, 0},      // year 0 is a leap year in both calendars
    {-3200, 1, 1, G, 552284, 6},    // 5200 years (13 Gregorian cycles) before 2000
    {6000, 1, 1, G, 3912515, 6},    // latest day of the program's range
    {1600, 1, 1, G, 2305448, 6},    //
    {2099, 12, 31, G, 2488069, 4},  //
    {-10000, 1, 1, G, -1931365, 6}, // 30 Gregorian cycles before 2000
    {10000, 12, 31, J, 5373923, 3}, //
};

TEST(KelmarDates, KnownDatesBothWays) {
    for (const auto& k : kKnownDates) {
        SCOPED_TRACE(std::to_string(k.year) + "-" + std::to_string(k.month) + "-" + std::to_string(k.day) +
                     static_cast<char>(k.letter));
        EuroDate d = Make(k.year, k.month, k.day, k.letter);
        EXPECT_EQ(euro_date_to_jdn(&d), k.dayNumber);
        EXPECT_EQ(d.dayNumber, k.dayNumber);
        EXPECT_EQ(d.valid, 1);
        EXPECT_EQ(euro_day_of_week(k.dayNumber), k.weekday);

        EuroDate back{0, 0, 0, k.letter, k.dayNumber, 0};
        jdn_to_euro_date(&back);
        EXPECT_EQ(back.year, k.year);
        EXPECT_EQ(back.month, k.month);
        EXPECT_EQ(back.day, k.day);
    }
}

// Valid exactly for existing dates.
struct Validity {
    int32_t year, month, day, letter;
    bool valid;
};
const Validity kValidity[] = {
    {1900, 2, 29, G, false},
    {1900, 2, 29, J, true},
    {2000, 2, 29, G, true},
    {2100, 2, 29, G, false},
    {2100, 2, 29, J, true},
    {2024, 2, 29, G, true},
    {2023, 2, 29, G, false},
    {2023, 2, 28, G, true},
    {-100, 2, 29, G, false},
    {-100, 2, 29, J, true},
    {-400, 2, 29, G, true},
    {-1, 2, 29, J, false},
    {-4, 2, 29, G, true},
    {2000, 4, 31, G, false},
    {2000, 4, 30, G, true},
    {2000, 12, 31, G, true},
    {2000, 12, 32, G, false},
    {2000, 1, 0, G, false},
    {2000, 0, 1, G, false},
    {2000, 13, 1, G, false},
    {2000, -1, 1, G, false},
    {2000, 1, -1, G, false},
    {2000, 1, 1, R, false},
    {2000, 1, 1, 'X', false},
    {2000, 1, 1, 0, false},
    {INT32_MAX, 1, 1, G, false},
    {INT32_MIN, 1, 1, J, false},
    {2000, INT32_MAX, INT32_MAX, G, false},
    {2000, INT32_MIN, INT32_MIN, J, false},
};

TEST(KelmarDates, ValidExactlyForExistingDates) {
    for (const auto& v : kValidity) {
        SCOPED_TRACE(std::to_string(v.year) + "-" + std::to_string(v.month) + "-" + std::to_string(v.day) +
                     " " + std::to_string(v.letter));
        EuroDate d = Make(v.year, v.month, v.day, v.letter);
        const int32_t r = euro_date_to_jdn(&d);
        EXPECT_EQ(d.valid, v.valid ? 1 : 0);
        EXPECT_EQ(r, d.dayNumber);
        if (!v.valid) {
            EXPECT_EQ(d.dayNumber, 0);
        }
    }
}

// Every day number converts to a date and back, and consecutive day numbers
// are consecutive dates, over years -10000..10000 (a sample in the sanitizer
// build) and at both ends of the 32-bit range.
TEST(KelmarDates, RoundTripAndContinuity) {
    const int32_t first = -1931365 - 400; // before -10000-01-01
    const int32_t last = 5373923 + 400;   // after 10000-12-31
    const int32_t step = TAVR_FULL_SWEEPS ? 1 : 997;
    long failures = 0;
    for (int32_t letter : {G, J}) {
        for (int32_t n = first; n <= last; n += step) {
            EuroDate d{0, 0, 0, letter, n, 0};
            jdn_to_euro_date(&d);
            EuroDate e = Make(d.year, d.month, d.day, letter);
            if (euro_date_to_jdn(&e) != n || e.valid != 1) ++failures;
            // The next day is the next date of the calendar.
            EuroDate next{0, 0, 0, letter, n + 1, 0};
            jdn_to_euro_date(&next);
            const bool sameMonth = next.year == d.year && next.month == d.month && next.day == d.day + 1;
            const bool newMonth =
                next.day == 1 && ((next.year == d.year && next.month == d.month + 1) ||
                                  (next.year == d.year + 1 && next.month == 1 && d.month == 12));
            if (!sameMonth && !newMonth) ++failures;
            if (euro_day_of_week(n + 1) != (euro_day_of_week(n) + 1) % 7) ++failures;
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(KelmarDates, ExtremeDayNumbers) {
    for (int32_t letter : {G, J}) {
        for (int32_t n : {INT32_MIN, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX}) {
            EuroDate d{0, 0, 0, letter, n, 0};
            jdn_to_euro_date(&d);
            EuroDate e = Make(d.year, d.month, d.day, letter);
            EXPECT_EQ(euro_date_to_jdn(&e), n);
            EXPECT_EQ(e.valid, 1);
            const int32_t w = euro_day_of_week(n);
            EXPECT_TRUE(w >= 0 && w <= 6);
        }
        // The day after the last day number is no date of 32-bit day numbers.
        EuroDate top{0, 0, 0, letter, INT32_MAX, 0};
        jdn_to_euro_date(&top);
        EuroDate after = Make(top.year + 1, 1, 1, letter);
        euro_date_to_jdn(&after);
        EXPECT_EQ(after.valid, 0);
        EuroDate bottom{0, 0, 0, letter, INT32_MIN, 0};
        jdn_to_euro_date(&bottom);
        EuroDate before = Make(bottom.year - 1, 12, 31, letter);
        euro_date_to_jdn(&before);
        EXPECT_EQ(before.valid, 0);
    }
    EXPECT_EQ(euro_day_of_week(-1), 0);
    EXPECT_EQ(euro_day_of_week(-7), 1);
}

TEST(KelmarDates, UnknownLetterAndNullRecord) {
    EuroDate d{5, 5, 5, 'X', 2451545, 1};
    jdn_to_euro_date(&d);
    EXPECT_EQ(d.year, 0);
    EXPECT_EQ(d.valid, 0);
    EXPECT_EQ(euro_date_to_jdn(nullptr), 0);
    jdn_to_euro_date(nullptr);
}

// Parsing: each text is copied into a buffer of exactly its size, so that the
// sanitizer build catches a read past the NUL.
struct ParseCase {
    const char* text;
    int32_t letter;
    bool ok;
    int32_t year, month, day;
};
const ParseCase kParseCases[] = {
    {"2000-01-01", G, true, 2000, 1, 1},
    {"2000-1-1", G, true, 2000, 1, 1},
    {"-3200-01-01", G, true, -3200, 1, 1},
    {"0-1-1", J, true, 0, 1, 1},
    {"-0-1-1", J, true, 0, 1, 1},
    {"1900-02-29", G, false, 0, 0, 0},
    {"1900-02-29", J, true, 1900, 2, 29},
    {"2001-02-30", G, false, 0, 0, 0},
    {"2000-13-01", G, false, 0, 0, 0},
    {"2000-00-10", G, false, 0, 0, 0},
    {"2000-01-00", G, false, 0, 0, 0},
    {"2000-01-0000000000000000000031", G, true, 2000, 1, 31},
    {"", G, false, 0, 0, 0},
    {"-", G, false, 0, 0, 0},
    {"--", G, false, 0, 0, 0},
    {"---", G, false, 0, 0, 0},
    {"2000-01", G, false, 0, 0, 0},
    {"2000-01-", G, false, 0, 0, 0},
    {"2000--01-01", G, false, 0, 0, 0},
    {"2000-01--1", G, false, 0, 0, 0},
    {"2000-01-01-", G, false, 0, 0, 0},
    {"1-2-3-4", G, false, 0, 0, 0},
    {"--2000-01-01", G, false, 0, 0, 0},
    {"2000-01-01x", G, false, 0, 0, 0},
    {" 2000-01-01", G, false, 0, 0, 0},
    {"+2000-01-01", G, false, 0, 0, 0},
    {"2000/01/01", G, false, 0, 0, 0},
    {"-2000", G, false, 0, 0, 0},
    {"99999999999-01-01", G, false, 0, 0, 0},
    {"2000-4294967297-01", G, false, 0, 0, 0}, // 2^32 + 1 must not wrap to 1
    {"2000-01-4294967297", G, false, 0, 0, 0},
    {"2147483647-01-01", G, false, 0, 0, 0}, // beyond 32-bit day numbers
    {"2147483647-01-01", R, true, 2147483647, 1, 1},
    {"-2147483648-01-01", R, true, INT32_MIN, 1, 1},
    {"2147483648-01-01", R, false, 0, 0, 0},
    {"442-13-30", R, true, 442, 13, 30}, // the Sarvenes calendar checks the date itself
    {"442-14-40", R, true, 442, 14, 40},
    {"442-13", R, false, 0, 0, 0},
    {"x-1-1", R, false, 0, 0, 0},
    {"2000-01-01", 'X', false, 0, 0, 0},
    {"2000-01-01", 0, false, 0, 0, 0},
};

TEST(KelmarParse, Table) {
    for (const auto& c : kParseCases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" " + static_cast<char>(c.letter));
        const size_t n = std::strlen(c.text) + 1;
        std::vector<char> exact(c.text, c.text + n);
        EuroDate d{-7, -7, -7, -7, -7, 0};
        const int32_t r = str_to_date(exact.data(), 2, &d, c.letter);
        EXPECT_EQ(r == 0, c.ok);
        if (c.ok) {
            EXPECT_EQ(d.year, c.year);
            EXPECT_EQ(d.month, c.month);
            EXPECT_EQ(d.day, c.day);
            EXPECT_EQ(d.calendar, c.letter);
            if (c.letter != R) {
                EuroDate e = Make(c.year, c.month, c.day, c.letter);
                EXPECT_EQ(d.dayNumber, euro_date_to_jdn(&e));
                EXPECT_EQ(d.valid, 1);
            }
        } else {
            // A refused text leaves the record as it was.
            EXPECT_EQ(d.year, -7);
            EXPECT_EQ(d.month, -7);
            EXPECT_EQ(d.day, -7);
            EXPECT_EQ(d.calendar, -7);
            EXPECT_EQ(d.valid, 0);
        }
    }
}

TEST(KelmarParse, RefusesMissingArgumentsAndOtherOrders) {
    EuroDate d = Make(0, 0, 0, 0);
    EXPECT_NE(str_to_date(nullptr, 2, &d, G), 0);
    EXPECT_NE(str_to_date("2000-01-01", 2, nullptr, G), 0);
    EXPECT_NE(str_to_date("2000-01-01", 0, &d, G), 0);
    EXPECT_NE(str_to_date("2000-01-01", 1, &d, G), 0);
}

// Grouping into a 40-byte buffer whose last 20 bytes must stay untouched.
struct GroupCase {
    std::string digits;
    int32_t separator;
    std::string expected;
};

TEST(KelmarGrouping, Table) {
    const std::vector<GroupCase> cases = {
        {"1", ',', "1"},
        {"123", ',', "123"},
        {"1234", ',', "1,234"},
        {"10000", ',', "10,000"},
        {"-12345", ',', "-12,345"},
        {"-123456", ',', "-123,456"},
        {"1234567", '.', "1.234.567"},
        {"-2147483648", ',', "-2,147,483,648"},
        {"", ',', ""},
        {"-", ',', "-"},
        {"12a45", ',', "12a45"},
        {"12345", 0, "12345"},
        {"12345", 300, "12345"},
        {std::string(15, '9'), ',', "999,999,999,999,999"},       // 19 characters: fits
        {"-" + std::string(14, '9'), ',', "-99,999,999,999,999"}, // 19 characters
        {std::string(16, '9'), ',', std::string(16, '9')},        // too long to group
        {std::string(19, '9'), ',', std::string(19, '9')},        //
        {std::string(20, '9'), ',', ""},                          // does not fit at all
        {std::string(1000, '1'), ',', ""},                        //
        {"-" + std::string(1000, '1'), ',', ""},                  //
        {std::string(1000, 'x'), ',', ""},                        //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.digits.substr(0, 30) + "\" (" + std::to_string(c.digits.size()) + ")");
        char buffer[40];
        std::memset(buffer, 0x7f, sizeof buffer);
        std::vector<char> exact(c.digits.begin(), c.digits.end());
        exact.push_back('\0');
        separate_thousands(exact.data(), c.separator, buffer);
        const void* nul = std::memchr(buffer, '\0', 20);
        ASSERT_NE(nul, nullptr);
        EXPECT_EQ(std::string(buffer), c.expected);
        for (int i = 20; i < 40; ++i)
            EXPECT_EQ(buffer[i], 0x7f) << "byte " << i;
    }
    separate_thousands("1234", ',', nullptr);
    char buffer[20] = "zzz";
    separate_thousands(nullptr, ',', buffer);
    EXPECT_STREQ(buffer, "");
}

// The bias follows TZ, read again at every call.
TEST(KelmarTimezone, FollowsTz) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows gives the bias of its own zone setting, which TZ does not change";
#else
    const char* saved = std::getenv("TZ");
    const std::string savedValue = saved ? saved : "";
    struct ZoneCase {
        const char* tz;
        int32_t bias;
    };
    const ZoneCase zones[] = {
        {"UTC0", 0}, {"EST5", 18000}, {"<+0530>-5:30", -19800}, {"<-03>3", 10800}, {"<+1245>-12:45", -45900},
    };
    for (const auto& z : zones) {
        setenv("TZ", z.tz, 1);
        EXPECT_EQ(get_timezone(), z.bias) << z.tz;
    }
    if (saved)
        setenv("TZ", savedValue.c_str(), 1);
    else
        unsetenv("TZ");
#endif
}

TEST(KelmarJuldat, CommonEraYearMonthDayHour) {
    struct Case {
        double jd;
        int32_t year, month, day, hour;
    };
    const Case cases[] = {
        {2451545.0, 2000, 1, 1, 12},
        {2451544.5, 2000, 1, 1, 0},
        {2451544.49, 1999, 12, 31, 23},
        {552284.0, -3200, 1, 1, 12},
        {3912515.25, 6000, 1, 1, 18},
        {2299160.5, 1582, 10, 15, 0},
        {0.0, -4713, 11, 24, 12},
        {-0.75, -4713, 11, 23, 18},
        {2451544.999999, 2000, 1, 1, 11},
        // The last representable instant of a day is still in its hour 23.
        {0.5 - 0x1p-53, -4713, 11, 24, 23},
    };
    for (const auto& c : cases) {
        int32_t y = -1, m = -1, d = -1, h = -1;
        juldat(c.jd, "A", &y, &m, &d, &h);
        EXPECT_EQ(y, c.year) << c.jd;
        EXPECT_EQ(m, c.month) << c.jd;
        EXPECT_EQ(d, c.day) << c.jd;
        EXPECT_EQ(h, c.hour) << c.jd;
    }
    // Moments without a date give zeros; missing addresses are skipped.
    for (double jd : {std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
        int32_t y = -1, m = -1, d = -1, h = -1;
        juldat(jd, "A", &y, &m, &d, &h);
        EXPECT_EQ(y, 0);
        EXPECT_EQ(m, 0);
        EXPECT_EQ(d, 0);
        EXPECT_EQ(h, 0);
    }
    juldat(2451545.0, nullptr, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

// The parse reads each number digit by digit without accumulating past 32
// bits, so a field of any length is refused as too large and a text of any
// length is read once; the record stays as it was.
TEST(KelmarParse, LongTextsAreRefusedWhole) {
    const std::string digits(100000, '9');
    const std::string zeros(100000, '0');
    const struct {
        std::string text;
        int32_t result;
    } cases[] = {
        {digits + "-1-1", 3},
        {"2000-" + digits + "-1", 3},
        {"-" + digits + "-1-1", 3},
        {"2000-1-1" + std::string(100000, ' '), 2},
        {std::string(100000, '-'), 2},
        {zeros + "2000-" + zeros + "1-" + zeros + "1", 0}, // leading zeros are only zeros
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        EuroDate d{-7, -7, -7, -7, -7, 0};
        EXPECT_EQ(str_to_date(c.text.c_str(), 2, &d, 'G'), c.result);
        if (c.result != 0) {
            EXPECT_EQ(d.year, -7);
        }
    }
    EuroDate d{};
    ASSERT_EQ(str_to_date((zeros + "2000-" + zeros + "1-" + zeros + "1").c_str(), 2, &d, 'G'), 0);
    EXPECT_EQ(d.year, 2000);
}
