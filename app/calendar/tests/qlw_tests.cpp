// Lunar week calendar: equinox moments, the year of 2000 CE as a table, codes,
// parse of hostile texts, steps, names and texts, round trips and the calendar's
// invariants over the whole accepted range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "astro/Equinox.h"
#include "astro/Lunar.h"
#include "base/DateLib.h"
#include "calendar/QLWC.h"

#ifndef TAVR_FULL_SWEEPS
#define TAVR_FULL_SWEEPS 1
#endif

using namespace tavr::qlw;
using tavr::sun::MarchEquinox;

namespace {

constexpr int32_t kFirstDay = 552283; // day numbers of the accepted range's ends
constexpr int32_t kLastDay = 3912515;
constexpr double kEarliestMoment = 552283.0;
constexpr double kLatestMoment = 3912515.0;
constexpr double kMinute = 1.0 / 1440.0;
// Table 27.C is good to about a minute over 1951-2050; the public values are
// rounded to the minute.
constexpr double kEquinoxTolerance = 2.0 * kMinute;
// Phase moments against minute-rounded public values.
constexpr double kPhaseTolerance = 2.0 * kMinute;

// 2000 CE: day numbers of March 5, 6, 13, 19, 27 and April 4.
constexpr int32_t kMar5 = 2451609;
constexpr int32_t kMar6 = 2451610;
constexpr int32_t kMar13 = 2451617;
constexpr int32_t kMar19 = 2451623;
constexpr int32_t kMar27 = 2451631;
constexpr int32_t kApr4 = 2451639;

int32_t DayNumberOfCe(int32_t y, int32_t m, int32_t d) {
    EuroDate e{y, m, d, tavr::datelib::kLetterGregorian, 0, 0};
    return tavr::datelib::EuroDateToJdn(e);
}

// AJD (UT) of a Common Era date and time.
double Moment(int32_t y, int32_t m, int32_t d, int hour, int minute) {
    return DayNumberOfCe(y, m, d) - 0.5 + (hour * 60 + minute) * kMinute;
}

QlwDate Convert(int32_t dayNumber) {
    return FromDayNumber(dayNumber).date;
}

std::string Fields(const QlwDate& q) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%d-%d-%d-%d valid %d dn %d", q.year, q.month, q.week, q.day, q.valid,
                  q.dayNumber);
    return buf;
}

// ---------------------------------------------------------------- equinox

struct EquinoxCase {
    int32_t year, month, day, hour, minute; // public UT values
};

TEST(QlwEquinox, MatchesPublicMoments) {
    const EquinoxCase cases[] = {
        {2000, 3, 20, 7, 35}, {2001, 3, 20, 13, 31}, {2010, 3, 20, 17, 32}, {2019, 3, 20, 21, 58},
        {2020, 3, 20, 3, 50}, {2021, 3, 20, 9, 37},  {2023, 3, 20, 21, 24}, {2024, 3, 20, 3, 6},
    };
    double worst = 0.0;
    for (const EquinoxCase& c : cases) {
        const double expected = Moment(c.year, c.month, c.day, c.hour, c.minute);
        const double error = std::fabs(MarchEquinox(c.year) - expected);
        worst = std::max(worst, error);
        EXPECT_LE(error, kEquinoxTolerance) << c.year;
    }
    std::printf("March equinox: worst error %.1f s\n", worst * 86400.0);
}

TEST(QlwEquinox, StaysInMarchAndAYearApartOverTheWholeRange) {
    // Both polynomials (before and from the year 1000) and every era: the equinox
    // falls on March 15..25 of the Common Era calendar, 365.24 +- 0.03 days apart.
    double previous = MarchEquinox(-3201);
    double worstStep = 0.0;
    for (int32_t y = -3200; y <= 6000; ++y) {
        const double e = MarchEquinox(y);
        EuroDate d{0, 0, 0, tavr::datelib::kLetterGregorian, static_cast<int32_t>(std::floor(e + 0.5)), 0};
        tavr::datelib::JdnToEuroDate(d);
        ASSERT_EQ(d.month, 3) << y;
        ASSERT_GE(d.day, 15) << y;
        ASSERT_LE(d.day, 25) << y;
        worstStep = std::max(worstStep, std::fabs(e - previous - 365.2422));
        ASSERT_LT(std::fabs(e - previous - 365.2422), 0.03) << y;
        previous = e;
    }
    std::printf("equinox to equinox: worst deviation from 365.2422 d: %.4f d\n", worstStep);
}

TEST(QlwEquinox, RangeYearsAreThoseWhoseDaysTouchTheRange) {
    // The first days of the range lie in year -201, whose equinox lies before it.
    EXPECT_EQ(Convert(kFirstDay - 1).year, kFirstRangeYear);
    EXPECT_EQ(Convert(kFirstDay + 90).year, kFirstRangeYear);
    EXPECT_LT(MarchEquinox(kFirstRangeYear - kYearOffset), kEarliestMoment);
    EXPECT_GE(MarchEquinox(kFirstRangeYear + 1 - kYearOffset), kEarliestMoment);
    EXPECT_EQ(Convert(kLastDay + 1).year, kLastRangeYear);
    EXPECT_GT(MarchEquinox(kLastRangeYear + 1 - kYearOffset), kLatestMoment);
}

// ---------------------------------------------------------------- new Moon nearest

TEST(QlwNewMoonNearest, TakesTheCloserNewMoonAndTheLaterOnATie) {
    for (int32_t k : {-64300, -20000, 0, 300, 49400}) {
        const double a = tavr::lunar::PhaseMomentUT(k, tavr::lunar::kNewMoon);
        const double b = tavr::lunar::PhaseMomentUT(k + 1, tavr::lunar::kNewMoon);
        const double middle = a + (b - a) / 2.0;
        struct Row {
            double moment;
            int32_t lunation;
        };
        const Row rows[] = {{a, k},           {a + 1.0, k}, {middle - 1e-6, k}, {middle + 1e-6, k + 1},
                            {b - 1.0, k + 1}, {b, k + 1},   {a - 1.0, k}};
        for (const Row& r : rows) {
            int32_t lunation = 0;
            const double t = NewMoonNearest(r.moment, lunation);
            EXPECT_EQ(lunation, r.lunation) << k << " at " << r.moment;
            EXPECT_EQ(t, lunation == k ? a : b);
        }
        // An exact tie, when the doubles allow one, goes to the later new Moon.
        if (middle - a == b - middle) {
            int32_t lunation = 0;
            NewMoonNearest(middle, lunation);
            EXPECT_EQ(lunation, k + 1);
        }
    }
}

// ---------------------------------------------------------------- spring 2000 as a table

TEST(QlwYear5000, OpensTheDayAfterTheNewMoonOfMarch6) {
    // New Moon 2000-03-06 05:17 UT (before 06:00: day of March 5), first quarter
    // 03-13 06:59, full Moon 03-20 04:44 (day of March 19), last quarter 03-28
    // 00:21 (day of March 27), new Moon 04-04 18:12 UT.
    struct Row {
        int32_t dayNumber, year, month, week, day;
        const char* name;
    };
    const Row rows[] = {
        {kMar6, 5000, 1, 1, 1, "Dayone"},       {kMar6 + 4, 5000, 1, 1, 5, "Dayfive"},
        {kMar13 - 2, 5000, 1, 1, 6, "Herday"},  {kMar13 - 1, 5000, 1, 1, 7, "Freeday"},
        {kMar13, 5000, 1, 1, 8, "Moonday"},     {kMar13 + 1, 5000, 1, 2, 1, "Dayone"},
        {kMar19 - 1, 5000, 1, 2, 5, "Dayfive"}, {kMar19, 5000, 1, 2, 6, "Moonday"},
        {kMar19 + 1, 5000, 1, 3, 1, "Dayone"},  {kMar27, 5000, 1, 3, 8, "Moonday"},
        {kMar27 + 1, 5000, 1, 4, 1, "Dayone"},  {kApr4, 5000, 1, 4, 8, "Moonday"},
        {kApr4 + 1, 5000, 2, 1, 1, "Dayone"},
    };
    for (const Row& r : rows) {
        const QlwDay found = FromDayNumber(r.dayNumber);
        const QlwDate& q = found.date;
        const int32_t length = found.month.Length();
        if (r.dayNumber <= kApr4) {
            EXPECT_EQ(length, 30) << r.dayNumber;
        }
        EXPECT_EQ(q.year, r.year) << r.dayNumber;
        EXPECT_EQ(q.month, r.month) << r.dayNumber;
        EXPECT_EQ(q.week, r.week) << r.dayNumber;
        EXPECT_EQ(q.day, r.day) << r.dayNumber;
        EXPECT_EQ(q.valid, 1);
        EXPECT_EQ(q.dayNumber, r.dayNumber);
        EXPECT_EQ(DayName(q, found.month), r.name) << r.dayNumber;
        EXPECT_EQ(DayName(q), r.name) << r.dayNumber;
    }
}

TEST(QlwYear5000, ReturnsTheWeekLengthsAndPhaseMomentsOfItsMonth) {
    const QlwDay found = FromDayNumber(kMar19);
    const QlwMonth& month = found.month;
    ASSERT_EQ(month.Length(), 30);
    const int32_t lengths[4] = {8, 6, 8, 8};
    const double moments[4] = {Moment(2000, 3, 13, 6, 59), Moment(2000, 3, 20, 4, 44),
                               Moment(2000, 3, 28, 0, 21), Moment(2000, 4, 4, 18, 12)};
    double worst = 0.0;
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(month.WeekLength(i), lengths[i - 1]) << i;
        const double error = std::fabs(month.PhaseMoment(i) - moments[i - 1]);
        worst = std::max(worst, error);
        EXPECT_LE(error, kPhaseTolerance) << i;
    }
    std::printf("phase moments of 5000-01: worst error %.1f s\n", worst * 86400.0);
    EXPECT_EQ(month.WeekLength(0), 0);
    EXPECT_EQ(month.WeekLength(5), 0);
    EXPECT_EQ(month.PhaseMoment(0), 0.0);
    EXPECT_EQ(month.firstDay, kMar6);
    EXPECT_EQ(month.lastDay, kApr4);
    EXPECT_EQ(month.lunation, 2); // k = 0 is the new Moon of 2000-01-06
    EXPECT_TRUE(month.Holds(kMar6) && month.Holds(kApr4));
    EXPECT_FALSE(month.Holds(kMar6 - 1) || month.Holds(kApr4 + 1));

    // The day before belongs to the last month of 4999; converting it leaves
    // the month found before as it was.
    const QlwDay before = FromDayNumber(kMar5);
    const QlwDate& last = before.date;
    EXPECT_EQ(last.year, 4999);
    EXPECT_GE(last.month, 12);
    EXPECT_EQ(last.week, 4);
    EXPECT_EQ(last.day, before.month.WeekLength(4));
    EXPECT_EQ(DayName(last, before.month), "Moonday");
    EXPECT_EQ(DayName(last, month), "Moonday"); // a month that does not hold it: its own is found
    EXPECT_EQ(before.month.lastDay, kMar5);
    EXPECT_EQ(FromDayNumber(kMar19).month.firstDay, kMar6);
}

TEST(QlwYear5000, TextForms) {
    const QlwDay day = FromDayNumber(kMar19 - 1);
    EXPECT_EQ(Text(day, tavr::TextForm::Short), "5000-01-2-5 QLW");
    EXPECT_EQ(Text(day, tavr::TextForm::Descriptive), "Dayfive in Weektwo of Achebe, 5000");
    EXPECT_EQ(Text(day.date, tavr::TextForm::Descriptive), "Dayfive in Weektwo of Achebe, 5000");
    EXPECT_EQ(Text(day, tavr::TextForm::Long), ""); // no sentence form

    struct Row {
        QlwDate date;
        const char* text;
    };
    const Row rows[] = {
        {{4999, 10, 2, 5, 1, 0}, "4999-10-2-5 QLW"},
        {{-200, 1, 1, 1, 1, 0}, "-200-01-1-1 QLW"},
        {{8999, 13, 4, 9, 1, 0}, "8999-13-4-9 QLW"},
        {{0, 1, 1, 1, 1, 0}, "0-01-1-1 QLW"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Text(r.date, tavr::TextForm::Short), r.text);
}

TEST(QlwYear5000, DayNameOfAnEarlierRecordIsItsOwn) {
    // A record converted earlier, or typed in, gets the name of its own day
    // whatever was converted since.
    const QlwDate early = Convert(kMar13 - 2); // 5000-01-1-6, week of 8 days: Herday
    const QlwDate other = Convert(kMar19);     // 5000-01-2-6, week of 6 days: Moonday
    const QlwDay later = FromDayNumber(kApr4 + 40);
    EXPECT_EQ(DayName(early), "Herday");
    EXPECT_EQ(DayName(other), "Moonday");
    EXPECT_EQ(DayName(early, later.month), "Herday");
    EXPECT_EQ(Text(early, tavr::TextForm::Descriptive), "Herday in Weekone of Achebe, 5000");
    QlwDate typed{5000, 1, 1, 6, 0, 0}; // not converted yet
    EXPECT_EQ(DayName(typed), "Herday");
    typed.day = 9; // no such day
    EXPECT_EQ(DayName(typed), "");
}

// ---------------------------------------------------------------- QLW to day number

TEST(QlwToDay, CodesInTheirOrder) {
    // 5000 (spring 2000 to spring 2001) has 13 months, 5001 has 12.
    ASSERT_EQ(MonthsInYear(5000), 13);
    ASSERT_EQ(MonthsInYear(5001), 12);
    struct Row {
        QlwDate date;
        int32_t code;
        int32_t dayNumber;
    };
    const Row rows[] = {
        {{5000, 1, 1, 1}, kOk, kMar6},       {{5000, 1, 1, 8}, kOk, kMar13},
        {{5000, 1, 1, 9}, kBadDay, 0}, // day 9 of an 8-day week
        {{5000, 1, 2, 7}, kBadDay, 0}, // day 7 of a 6-day week
        {{5000, 1, 4, 8}, kOk, kApr4},       {{5000, 13, 1, 1}, kOk, 0},
        {{5001, 13, 1, 1}, kBadMonth, 0}, // month 13 of a 12-month year
        {{5001, 14, 5, 10}, kBadMonth, 0},   {{5001, 0, 1, 1}, kBadMonth, 0},
        {{5001, 1, 5, 10}, kBadWeek, 0},     {{5001, 1, 0, 1}, kBadWeek, 0},
        {{5001, 1, 1, 10}, kBadDay, 0},      {{5001, 1, 1, 0}, kBadDay, 0},
        {{5001, 1, 1, -1}, kBadDay, 0},      {{INT32_MAX, 1, 1, 1}, kBadForm, 0},
        {{INT32_MIN, 1, 1, 1}, kBadForm, 0},
    };
    for (const Row& r : rows) {
        QlwDate q = r.date;
        q.dayNumber = -7;
        q.valid = 1;
        EXPECT_EQ(ToDayNumber(q), r.code) << Fields(r.date);
        EXPECT_EQ(q.valid, r.code == kOk ? 1 : 0);
        if (r.code != kOk) {
            EXPECT_EQ(q.dayNumber, -7) << "a failure leaves the day number alone";
        }
        if (r.code == kOk && r.dayNumber != 0) {
            EXPECT_EQ(q.dayNumber, r.dayNumber);
        }
    }
}

// ---------------------------------------------------------------- parse

TEST(QlwParse, FormAndCodes) {
    struct Row {
        std::string text;
        int32_t code;
    };
    const std::string longDigits(100000, '7');
    const Row rows[] = {
        {"5000-01-1-1", kOk},
        {"0005000-001-01-01", kOk},
        {" 5 000 - 01-1 - 1 ", kOk},
        {"4999-10-2-5", kOk},
        {"-200-01-1-1", kOk},
        {"8999-01-1-1", kOk},
        {"-201-10-4-1", kOk}, // the first day of the range (552283 AJD)
        {"-201-12-1-1", kOk},
        {"9000-01-1-1", kOk}, // converted; the range check refuses it
        {"-700-01-1-1", kOk}, // the first year the conversions serve
        {"9500-01-1-1", kOk}, // and the last
        {"-701-01-1-1", kBeyondYears},
        {"9501-01-1-1", kBeyondYears},
        {"-5000-01-1-1", kBeyondYears},
        {"2147483647-01-1-1", kBeyondYears},
        {"-2147483648-01-1-1", kBeyondYears},
        {"2147483647-14-1-1", kBadMonth}, // the fields are still checked
        {"2147483647-01-5-1", kBadWeek},
        {"2147483647-01-1-10", kBadDay},
        {"", kEmptyText},
        {"    ", kEmptyText},
        {"5000-01-1", kBadForm},
        {"5000-01-1-1-1", kBadForm}, // five fields
        {"-5000-01-1", kBadForm},    // three fields after the sign
        {"5000--01-1-1", kBadForm},
        {"5000-01-1-", kBadForm},
        {"--200-01-1-1", kBadForm},
        {"+5000-01-1-1", kBadForm},
        {"5000-0a-1-1", kBadForm},
        {"5000-01-1-1x", kBadForm},
        {"x5000-01-1-1", kBadForm},
        {"5000-01-1-1 QLW", kBadForm},
        {"5000\t-01-1-1", kBadForm},
        {"5000-01-1-1\xff", kBadForm},
        {"5000-\xef\xbc\x91-1-1", kBadForm}, // a full-width digit
        {std::string("5000-01\0-1-1", 12), kBadForm},
        {"-", kBadForm},
        {"----", kBadForm},
        {"-----", kBadForm},
        {"99999999999-01-1-1", kBadForm},
        {"5000-99999999999-1-1", kBadForm},
        {"5000-01-1-4294967297", kBadForm}, // never wrapped to 1
        {longDigits + "-01-1-1", kBadForm},
        {"5000-" + longDigits + "-1-1", kBadForm},
        {"5000-14-1-1", kBadMonth},
        {"5000-00-1-1", kBadMonth},
        {"5001-13-1-1", kBadMonth},
        {"5000-01-5-1", kBadWeek},
        {"5000-01-0-1", kBadWeek},
        {"5000-01-1-10", kBadDay},
        {"5000-01-1-9", kBadDay},
        {"5000-01-1-0", kBadDay},
    };
    for (const Row& r : rows) {
        QlwDate q{1, 1, 1, 1, 1, 1};
        EXPECT_EQ(Parse(r.text, q), r.code) << "\"" << r.text.substr(0, 40) << "\"";
        EXPECT_EQ(q.valid, r.code == kOk ? 1 : 0) << r.text.substr(0, 40);
    }
    QlwDate q;
    ASSERT_EQ(Parse("0005000-001-01-01", q), kOk);
    EXPECT_EQ(Fields(q), Fields(QlwDate{5000, 1, 1, 1, 1, kMar6}));
}

// ---------------------------------------------------------------- steps

TEST(QlwSteps, FixedCases) {
    struct Row {
        const char* from;
        int kind; // 0 week, 1 month, 2 year
        bool forward;
        QlwDate to; // dayNumber 0: not checked
    };
    const Row rows[] = {
        {"5000-01-1-8", 0, true, {5000, 1, 2, 6, 1, kMar19}}, // day cut to the 6-day week
        {"5000-01-2-6", 0, false, {5000, 1, 1, 6, 1, kMar13 - 2}},
        {"5000-01-1-1", 0, false, {4999, 0, 4, 1, 1, 0}}, // month filled in below
        {"5000-13-4-1", 0, true, {5001, 1, 1, 1, 1, 0}},
        {"5000-13-2-1", 1, true, {5001, 1, 2, 1, 1, 0}},
        {"5001-12-2-1", 1, true, {5002, 1, 2, 1, 1, 0}},
        {"5001-01-3-2", 1, false, {5000, 13, 3, 2, 1, 0}},
        {"5002-01-3-2", 1, false, {5001, 12, 3, 2, 1, 0}},
        {"5000-05-1-1", 1, true, {5000, 6, 1, 1, 1, 0}},
        {"5000-13-1-1", 2, true, {5001, 12, 1, 1, 1, 0}},
        {"5000-13-1-1", 2, false, {4999, 0, 1, 1, 1, 0}},
        {"5001-07-2-3", 2, false, {5000, 7, 2, 3, 1, 0}},
    };
    for (const Row& r : rows) {
        QlwDate q;
        ASSERT_EQ(Parse(r.from, q), kOk) << r.from;
        const int32_t code = r.kind == 0   ? WeekStep(q, r.forward)
                             : r.kind == 1 ? MonthStep(q, r.forward)
                                           : YearStep(q, r.forward);
        ASSERT_EQ(code, kOk) << r.from;
        QlwDate expected = r.to;
        if (expected.month == 0) {
            expected.month = MonthsInYear(expected.year); // the last month of that year
        }
        EXPECT_EQ(q.year, expected.year) << r.from;
        EXPECT_EQ(q.month, expected.month) << r.from;
        EXPECT_EQ(q.week, expected.week) << r.from;
        EXPECT_LE(q.day, r.to.day) << r.from;
        if (r.to.dayNumber != 0) {
            EXPECT_EQ(q.dayNumber, r.to.dayNumber) << r.from;
        }
        EXPECT_EQ(q.valid, 1);
    }
}

// Each step lands on the target week with the day cut to that week's length.
TEST(QlwSteps, PropertiesOverTheRange) {
    const int32_t stride = TAVR_FULL_SWEEPS ? 2711 : 27011;
    int checked = 0;
    for (int32_t d = kFirstDay + 400; d < kLastDay - 400; d += stride) {
        const QlwDate start = Convert(d);
        ASSERT_EQ(start.valid, 1);
        for (int kind = 0; kind < 3; ++kind) {
            for (bool forward : {true, false}) {
                QlwDate q = start;
                const int32_t code = kind == 0   ? WeekStep(q, forward)
                                     : kind == 1 ? MonthStep(q, forward)
                                                 : YearStep(q, forward);
                ASSERT_EQ(code, kOk) << Fields(start);
                // Expected year, month, week.
                int32_t y = start.year, m = start.month, w = start.week;
                const bool changeMonth = kind == 1 || (kind == 0 && (forward ? w == 4 : w == 1));
                if (kind == 0) w = forward ? (w == 4 ? 1 : w + 1) : (w == 1 ? 4 : w - 1);
                if (changeMonth) {
                    if (forward) {
                        if (m == MonthsInYear(y)) {
                            m = 1;
                            ++y;
                        } else {
                            ++m;
                        }
                    } else if (m == 1) {
                        --y;
                        m = MonthsInYear(y);
                    } else {
                        --m;
                    }
                }
                if (kind == 2) {
                    y += forward ? 1 : -1;
                    m = std::min(m, MonthsInYear(y));
                }
                ASSERT_EQ(q.year, y) << Fields(start) << " kind " << kind;
                ASSERT_EQ(q.month, m) << Fields(start) << " kind " << kind;
                ASSERT_EQ(q.week, w) << Fields(start) << " kind " << kind;
                const QlwDate landed = Convert(q.dayNumber);
                ASSERT_EQ(Fields(landed), Fields(q));
                ASSERT_EQ(q.day, std::min(start.day, FromDayNumber(q.dayNumber).month.WeekLength(w)))
                    << Fields(start) << " kind " << kind;
                ++checked;
            }
        }
    }
    std::printf("steps checked: %d\n", checked);
}

TEST(QlwSteps, HostileFieldsEndQuickly) {
    // Fields no conversion produced: the step still ends at once with a date or a code.
    struct Row {
        QlwDate date;
        int32_t weekForward, monthBack, yearForward;
    };
    const Row rows[] = {
        {{5000, INT32_MAX, INT32_MAX, INT32_MAX, 0, 0}, kOk, kBadMonth, kBadMonth},
        {{5000, INT32_MIN, INT32_MIN, INT32_MIN, 0, 0}, kBadMonth, kBadWeek, kBadMonth},
        {{5000, 1, 1, INT32_MAX, 0, 0}, kOk, kOk, kOk},
        {{5000, 1, 1, 0, 0, 0}, kBadDay, kBadDay, kBadDay},
    };
    for (const Row& r : rows) {
        QlwDate a = r.date, b = r.date, c = r.date;
        EXPECT_EQ(WeekStep(a, true), r.weekForward) << Fields(r.date);
        EXPECT_EQ(MonthStep(b, false), r.monthBack) << Fields(r.date);
        EXPECT_EQ(YearStep(c, true), r.yearForward) << Fields(r.date);
    }
}

TEST(QlwSteps, OutsideTheServedYearsFailCleanly) {
    for (int32_t year : {INT32_MAX, INT32_MIN, 100000, -100000}) {
        QlwDate q{year, 1, 1, 1, 1, 5};
        EXPECT_EQ(WeekStep(q, true), kBadForm);
        EXPECT_EQ(q.valid, 0);
        EXPECT_EQ(MonthStep(q, false), kBadForm);
        EXPECT_EQ(YearStep(q, true), kBadForm);
        EXPECT_EQ(q.year, year);
        EXPECT_EQ(MonthsInYear(year), 0);
    }
}

// ---------------------------------------------------------------- names

TEST(QlwNames, DayNamesByWeekLength) {
    struct Row {
        int32_t day, length;
        const char* name;
    };
    const Row rows[] = {
        {1, 6, "Dayone"},  {5, 6, "Dayfive"}, {6, 6, "Moonday"}, {6, 7, "Freeday"},  {7, 7, "Moonday"},
        {6, 8, "Herday"},  {7, 8, "Freeday"}, {8, 8, "Moonday"}, {6, 9, "Nineday"},  {7, 9, "Herday"},
        {8, 9, "Freeday"}, {9, 9, "Moonday"}, {2, 9, "Daytwo"},  {3, 7, "Daythree"}, {4, 8, "Dayfour"},
        {7, 6, ""},        {10, 9, ""},       {0, 8, ""},        {1, 5, ""},         {1, 10, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DayNameOf(r.day, r.length), r.name) << r.day << " of " << r.length;
}

TEST(QlwNames, WeeksAndMonths) {
    EXPECT_EQ(WeekName(1), "Weekone");
    EXPECT_EQ(WeekName(4), "Weekfour");
    EXPECT_EQ(WeekName(0), "");
    EXPECT_EQ(WeekName(5), "");
    EXPECT_EQ(MonthName(0), "");
    EXPECT_EQ(MonthName(14), "");
    EXPECT_EQ(MonthShortName(14), "");
    for (int32_t m = 1; m <= 13; ++m) {
        ASSERT_FALSE(MonthName(m).empty());
        EXPECT_EQ(MonthName(m)[0], 'A' + m - 1) << m;
        EXPECT_FALSE(MonthShortName(m).empty());
        EXPECT_LE(MonthShortName(m).size(), 7u) << m;
        EXPECT_EQ(MonthShortName(m)[0], MonthName(m)[0]);
    }
}

// ---------------------------------------------------------------- whole range

// Day -> date -> day, and through the text of form 1, over the whole range.
TEST(QlwRoundTrip, SampledOverTheWholeRange) {
    const int32_t stride = TAVR_FULL_SWEEPS ? 7 : 997;
    int count = 0;
    for (int32_t d = kFirstDay - 1; d <= kLastDay + 1; d += stride) {
        const QlwDay found = FromDayNumber(d);
        const QlwDate& q = found.date;
        const int32_t length = found.month.Length();
        ASSERT_EQ(q.valid, 1) << d;
        ASSERT_TRUE(length == 29 || length == 30) << d;
        QlwDate back{q.year, q.month, q.week, q.day, 0, 0};
        ASSERT_EQ(ToDayNumber(back), kOk) << Fields(q);
        ASSERT_EQ(back.dayNumber, d) << Fields(q);
        {
            std::string text = Text(q, tavr::TextForm::Short);
            text.resize(text.size() - 4); // " QLW"
            QlwDate parsed;
            ASSERT_EQ(Parse(text, parsed), kOk) << text;
            ASSERT_EQ(parsed.dayNumber, d) << text;
        }
        ++count;
    }
    std::printf("round trips: %d\n", count);
}

// Walks consecutive days through whole years and checks the calendar's
// invariants on every day.
void WalkYears(int32_t firstCeYear, int32_t years) {
    int32_t d = DayNumberOfCe(firstCeYear, 1, 1);
    const int32_t end = DayNumberOfCe(firstCeYear + years, 1, 1);
    QlwDay previous = FromDayNumber(d - 1);
    QlwDate prev = previous.date;
    QlwMonth prevMonth = previous.month;
    int32_t monthsThisYear = 0;
    for (; d < end; ++d) {
        const QlwDay found = FromDayNumber(d);
        const QlwDate& q = found.date;
        const QlwMonth& k = found.month;
        const int32_t length = k.Length();
        ASSERT_EQ(q.valid, 1) << d;
        ASSERT_TRUE(length == 29 || length == 30) << d;
        ASSERT_EQ(k.lastDay - k.firstDay + 1, length);
        int32_t sum = 0;
        for (int i = 0; i < 4; ++i) {
            ASSERT_GE(k.weekLength[i], 6) << Fields(q);
            ASSERT_LE(k.weekLength[i], 9) << Fields(q);
            sum += k.weekLength[i];
            // Each week ends on the day of its phase.
            ASSERT_EQ(k.firstDay - 1 + sum, DayOfMoment(k.phaseMoment[i])) << Fields(q);
        }
        ASSERT_GE(q.day, 1);
        ASSERT_LE(q.day, k.weekLength[q.week - 1]);
        if (q.day == prev.day + 1) {
            ASSERT_EQ(q.week, prev.week);
            ASSERT_EQ(q.month, prev.month);
            ASSERT_EQ(q.year, prev.year);
        } else {
            ASSERT_EQ(q.day, 1) << Fields(q);
            ASSERT_EQ(prev.day, prevMonth.weekLength[prev.week - 1]) << Fields(prev);
            if (q.week == prev.week + 1) {
                ASSERT_EQ(q.month, prev.month);
            } else {
                ASSERT_EQ(q.week, 1);
                ASSERT_EQ(prev.week, 4);
                ++monthsThisYear;
                if (q.month == prev.month + 1) {
                    ASSERT_EQ(q.year, prev.year);
                } else {
                    // A new year: the day after the new Moon nearest the March equinox.
                    ASSERT_EQ(q.month, 1) << Fields(q);
                    ASSERT_EQ(q.year, prev.year + 1);
                    ASSERT_TRUE(prev.month == 12 || prev.month == 13) << Fields(prev);
                    ASSERT_EQ(MonthsInYear(prev.year), prev.month);
                    int32_t lunation = 0;
                    const double n = NewMoonNearest(MarchEquinox(q.year - kYearOffset), lunation);
                    ASSERT_EQ(DayOfMoment(n), d - 1) << Fields(q);
                    ASSERT_EQ(k.lunation, lunation);
                    EXPECT_EQ(DayName(q), "Dayone");
                    EXPECT_EQ(DayName(prev), "Moonday");
                    monthsThisYear = 0;
                }
            }
        }
        ASSERT_LE(monthsThisYear, 13);
        prev = q;
        prevMonth = k;
    }
}

TEST(QlwInvariants, EveryDayOfSampledYears) {
    std::vector<int32_t> starts = {-3200, -3000, -1, 0, 998, 1582, 1999, 2000, 2024, 4000, 5998};
    const int32_t stride = TAVR_FULL_SWEEPS ? 97 : 1307;
    for (int32_t y = -3190; y < 5990; y += stride)
        starts.push_back(y);
    for (int32_t y : starts) {
        SCOPED_TRACE(y);
        WalkYears(y, 2);
        if (HasFatalFailure()) return;
    }
    // The last days of the range.
    WalkYears(5999, 1);
}

// New Moons close to 06:00 UT: just after it the day is the month's last; just
// before it the previous day is.
TEST(QlwInvariants, NewMoonsNearSixUt) {
    constexpr double kNear = 20.0 * kMinute;
    int found = 0;
    for (int32_t k = -64300; k < 49450; k += (TAVR_FULL_SWEEPS ? 1 : 37)) {
        const double t = tavr::lunar::PhaseMomentUT(k, tavr::lunar::kNewMoon);
        const double sinceSix = (t + 0.25) - std::floor(t + 0.25); // days after 06:00 UT
        if (sinceSix > kNear && sinceSix < 1.0 - kNear) continue;
        const int32_t civil = static_cast<int32_t>(std::floor(t + 0.5)); // UT civil day
        const int32_t last = sinceSix <= kNear ? civil : civil - 1;
        const QlwDay day = FromDayNumber(last);
        const QlwDate& q = day.date;
        ASSERT_EQ(q.week, 4) << k;
        ASSERT_EQ(q.day, day.month.WeekLength(4)) << k;
        ASSERT_EQ(day.month.lastDay, last);
        const QlwDate next = Convert(last + 1);
        ASSERT_EQ(next.week, 1) << k;
        ASSERT_EQ(next.day, 1) << k;
        ++found;
    }
    std::printf("new Moons within 20 min of 06:00 UT checked: %d\n", found);
    EXPECT_GT(found, 0);
}

TEST(QlwRange, FarDayNumbersAreRefusedNotComputed) {
    for (int32_t d : {INT32_MIN, -1, 0, 100000, 5000000, INT32_MAX}) {
        const QlwDay found = FromDayNumber(d);
        EXPECT_EQ(found.month.Length(), 0) << d;
        EXPECT_EQ(found.date.valid, 0) << d;
        EXPECT_EQ(found.month.valid, 0);
    }
    // A little beyond either end still converts (moves may step past them).
    for (int32_t d : {kFirstDay - 36600, kLastDay + 36600}) {
        const QlwDay found = FromDayNumber(d);
        EXPECT_GT(found.month.Length(), 0) << d;
        EXPECT_EQ(found.date.valid, 1);
    }
}

} // namespace
