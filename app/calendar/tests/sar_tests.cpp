// The Sarvenes calendar: rules, epochs, validation, conversions over the whole
// range, steps, names, texts and the parse of entered texts.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "calendar/DayNumbers.h"
#include "calendar/SarCal.h"

using namespace tavr;

namespace {

#if TAVR_FULL_SWEEPS
constexpr int kSweepStride = 1;
#else
constexpr int kSweepStride = 61;
#endif

// The rules as written, on the rule year R = Y + 1, walking year by year:
// an independent check of the table-driven conversions.
int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}
int64_t Q(int64_t r) {
    return (((r + 1360) % 1803) + 1803) % 1803 + 1;
}
bool RefLeap(int64_t r) {
    return (664 * Q(r) + 901) % 1803 < 664;
}
bool RefFull(int64_t r) {
    return (350 * Q(r) + 901) % 1803 < 350;
}
int RefMonthLength(int64_t r, int m) {
    if (m == 13) return RefLeap(r) ? 30 : 0;
    if (m % 2 == 1) return 30;
    return m == 10 && RefFull(r) ? 30 : 29;
}
int RefYearLength(int64_t r) {
    return 354 + (RefFull(r) ? 1 : 0) + (RefLeap(r) ? 30 : 0);
}

void RefFromDay(int64_t d, int64_t& year, int& month, int& day) {
    int64_t r = d - 897474;
    const int64_t n = FloorDiv(r, 658532);
    r -= n * 658532;
    int64_t rule = 443;
    while (r >= RefYearLength(rule))
        r -= RefYearLength(rule++);
    month = 1;
    while (r >= RefMonthLength(rule, month))
        r -= RefMonthLength(rule, month++);
    year = rule + n * 1803 - 1;
    day = static_cast<int>(r + 1);
}

int64_t RefToDay(int64_t year, int month, int day) {
    const int64_t r = year + 1;
    int64_t d = 897474 + FloorDiv(r - 443, 1803) * 658532;
    for (int64_t k = 1; k < Q(r); ++k)
        d += RefYearLength(k + 442);
    for (int m = 1; m < month; ++m)
        d += RefMonthLength(r, m);
    return d + day - 1;
}

TEST(SarCal, CycleHoldsTheStatedCounts) {
    int leap = 0, full = 0;
    int64_t days = 0;
    for (int32_t y = 442; y <= 2244; ++y) {
        leap += sar::IsLeapYear(y) ? 1 : 0;
        full += sar::IsFullYear(y) ? 1 : 0;
        days += sar::YearLength(y);
        EXPECT_EQ(sar::MonthsInYear(y), sar::IsLeapYear(y) ? 13 : 12);
    }
    EXPECT_EQ(leap, sar::kLeapYearsPerCycle);
    EXPECT_EQ(full, sar::kFullYearsPerCycle);
    EXPECT_EQ(days, sar::kCycleDays);
    // The rules repeat after 1803 years, also for negative years.
    for (int32_t y : {-5000, -1, 0, 1, 441, 442, 2245, 9000})
        EXPECT_EQ(sar::YearLength(y), sar::YearLength(y + 1803)) << y;
}

TEST(SarCal, YearRules) {
    struct Case {
        int32_t year;
        bool leap, full;
    };
    const Case cases[] = {{442, false, false}, {443, true, false}, {444, false, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(sar::IsLeapYear(c.year), c.leap) << c.year;
        EXPECT_EQ(sar::IsFullYear(c.year), c.full) << c.year;
    }
}

TEST(SarCal, EpochsAndExamples) {
    struct Case {
        DayNumber d;
        int32_t year, month, day;
    };
    const Case cases[] = {
        {897474, 442, 1, 1},
        {897473, 441, 12, 29},
        {2451545, 4696, 11, 25},
        {897474 + 658532, 442 + 1803, 1, 1},
        {897474 - 658532, 442 - 1803, 1, 1},
    };
    for (const auto& c : cases) {
        const EuroDate e = sar::FromDayNumber(c.d);
        EXPECT_EQ(e.year, c.year) << c.d;
        EXPECT_EQ(e.month, c.month) << c.d;
        EXPECT_EQ(e.day, c.day) << c.d;
        EXPECT_EQ(e.valid, 1);
        EXPECT_EQ(e.calendar, 'R');
        EuroDate back{c.year, c.month, c.day, 'R', 0, 0};
        EXPECT_TRUE(sar::ToDayNumber(back));
        EXPECT_EQ(back.dayNumber, c.d);
    }
    EXPECT_EQ(sar::DayName(sar::FromDayNumber(2451545).day), "Mars Day");
}

TEST(SarCal, Validation) {
    struct Case {
        int32_t year, month, day;
        bool valid;
    };
    const Case cases[] = {
        {443, 13, 30, true},
        {443, 10, 30, false},
        {444, 10, 30, true},
        {444, 13, 1, false},
        {442, 13, 1, false},
        {442, 12, 30, false},
        {442, 11, 30, true},
        {442, 12, 29, true},
        {442, 0, 1, false},
        {442, 14, 1, false},
        {442, 1, 0, false},
        {442, 1, 31, false},
        {442, -1, 1, false},
        {442, 1, -1, false},
        {std::numeric_limits<int32_t>::max(), 1, 1, false}, // day number beyond 32 bits
        {std::numeric_limits<int32_t>::min(), 1, 1, false},
    };
    for (const auto& c : cases) {
        EuroDate e{c.year, c.month, c.day, 'R', 12345, 1};
        EXPECT_EQ(sar::ToDayNumber(e), c.valid) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(e.valid, c.valid ? 1 : 0);
        if (!c.valid) {
            EXPECT_EQ(e.dayNumber, 0);
        }
    }
}

TEST(SarCal, RoundTripOverTheRange) {
    int64_t checked = 0, compared = 0;
    EuroDate prev = sar::FromDayNumber(kFirstRangeDay - 1);
    for (int64_t d = kFirstRangeDay; d <= kLastRangeDay; d += kSweepStride) {
        const EuroDate e = sar::FromDayNumber(static_cast<DayNumber>(d));
        EuroDate back{e.year, e.month, e.day, 'R', 0, 0};
        ASSERT_TRUE(sar::ToDayNumber(back)) << d;
        ASSERT_EQ(back.dayNumber, d);
        if (kSweepStride == 1) {
            // Each day follows the one before it.
            const bool nextDay = e.year == prev.year && e.month == prev.month && e.day == prev.day + 1;
            const bool nextMonth = e.year == prev.year && e.month == prev.month + 1 && e.day == 1 &&
                                   prev.day == sar::MonthLength(prev.year, prev.month);
            const bool nextYear = e.year == prev.year + 1 && e.month == 1 && e.day == 1 &&
                                  prev.month == sar::MonthsInYear(prev.year) &&
                                  prev.day == sar::MonthLength(prev.year, prev.month);
            ASSERT_TRUE(nextDay || nextMonth || nextYear) << d;
        }
        prev = e;
        if (d % 997 == 0) {
            int64_t y;
            int m, dd;
            RefFromDay(d, y, m, dd);
            ASSERT_EQ(e.year, y) << d;
            ASSERT_EQ(e.month, m) << d;
            ASSERT_EQ(e.day, dd) << d;
            ASSERT_EQ(RefToDay(e.year, e.month, e.day), d);
            ++compared;
        }
        ++checked;
    }
    EXPECT_GT(compared, 0);
    std::printf("SAR: %lld days round-tripped, %lld compared with the year-by-year walk\n",
                static_cast<long long>(checked), static_cast<long long>(compared));
}

TEST(SarCal, ExtremeDayNumbers) {
    for (DayNumber d : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min() + 1, -1, 0,
                        std::numeric_limits<int32_t>::max() - 1, std::numeric_limits<int32_t>::max()}) {
        EuroDate e = sar::FromDayNumber(d);
        EXPECT_TRUE(sar::ToDayNumber(e)) << d;
        EXPECT_EQ(e.dayNumber, d);
    }
}

TEST(SarCal, Steps) {
    struct Case {
        EuroDate from;
        bool month; // else year
        bool forward;
        int32_t year, monthTo, day;
    };
    const Case cases[] = {
        {{442, 12, 5, 'R', 0, 1}, true, true, 443, 1, 5},
        {{443, 12, 5, 'R', 0, 1}, true, true, 443, 13, 5},
        {{443, 13, 30, 'R', 0, 1}, true, true, 444, 1, 30},
        {{444, 1, 7, 'R', 0, 1}, true, false, 443, 13, 7},
        {{443, 1, 7, 'R', 0, 1}, true, false, 442, 12, 7},
        {{444, 9, 30, 'R', 0, 1}, true, true, 444, 10, 30}, // full year: month 10 has 30 days
        {{442, 9, 30, 'R', 0, 1}, true, true, 442, 10, 29},
        {{442, 11, 30, 'R', 0, 1}, true, false, 442, 10, 29},
        {{443, 13, 30, 'R', 0, 1}, false, true, 444, 12, 29}, // no month 13, and 12 has 29 days
        {{442, 12, 29, 'R', 0, 1}, false, false, 441, 12, 29},
        {{443, 10, 29, 'R', 0, 1}, false, true, 444, 10, 29},
        {{444, 10, 30, 'R', 0, 1}, false, false, 443, 10, 29},
        {{-1, 1, 1, 'R', 0, 1}, false, true, 0, 1, 1},
        {{0, 1, 1, 'R', 0, 1}, true, false, -1, sar::MonthsInYear(-1), 1},
    };
    for (const auto& c : cases) {
        EuroDate e = c.from;
        if (c.month)
            sar::MonthStep(e, c.forward);
        else
            sar::YearStep(e, c.forward);
        EXPECT_EQ(e.year, c.year) << c.from.year << "-" << c.from.month << "-" << c.from.day;
        EXPECT_EQ(e.month, c.monthTo) << c.from.year << "-" << c.from.month << "-" << c.from.day;
        EXPECT_EQ(e.day, c.day) << c.from.year << "-" << c.from.month << "-" << c.from.day;
        EXPECT_TRUE(sar::ToDayNumber(e));
    }
    // The 32-bit ends do not wrap.
    EuroDate top{std::numeric_limits<int32_t>::max(), 1, 1, 'R', 0, 1};
    sar::YearStep(top, true);
    EXPECT_EQ(top.year, std::numeric_limits<int32_t>::max());
}

TEST(SarCal, StepsOverTheRange) {
    // Month by month from the start to the end of the range: every step lands
    // on the next month, 29 or 30 days later while the day stays at 1..29.
    EuroDate start = sar::FromDayNumber(kFirstRangeDay);
    start.day = 15;
    ASSERT_TRUE(sar::ToDayNumber(start));
    DayNumber d = start.dayNumber;
    int64_t months = 0;
    while (d < kLastRangeDay) {
        DayNumber next = d;
        ASSERT_TRUE(sar::StepDayNumber(next, StepUnit::Month, true));
        ASSERT_TRUE(next - d == 29 || next - d == 30) << d;
        DayNumber back = next;
        ASSERT_TRUE(sar::StepDayNumber(back, StepUnit::Month, false));
        ASSERT_EQ(back, d);
        d = next;
        ++months;
    }
    EXPECT_GT(months, 100000);
    DayNumber y = 2451545;
    ASSERT_TRUE(sar::StepDayNumber(y, StepUnit::Year, true));
    EXPECT_EQ(sar::FromDayNumber(y).year, 4697);
    DayNumber w = 2451545;
    EXPECT_FALSE(sar::StepDayNumber(w, StepUnit::Week, true));
    EXPECT_FALSE(sar::StepDayNumber(w, StepUnit::Cycle, true));
    EXPECT_EQ(w, 2451545);
}

TEST(SarCal, NamesAndTexts) {
    const char* months[] = {"Apollo",     "Diana",   "Hermes", "Aphrodite", "Ares",    "Zeus",      "Chronos",
                            "Prometheus", "Orpheus", "Sophia", "Dionysus",  "Demeter", "Persephone"};
    for (int m = 1; m <= 13; ++m)
        EXPECT_EQ(sar::MonthName(m), months[m - 1]);
    EXPECT_EQ(sar::MonthName(0), "");
    EXPECT_EQ(sar::MonthName(14), "");
    struct DayCase {
        int day;
        const char* name;
    };
    const DayCase days[] = {{1, "Sun Day"},  {2, "Mercury Day"}, {10, "Pluto Day"}, {11, "Sun Day"},
                            {21, "Sun Day"}, {25, "Mars Day"},   {30, "Pluto Day"}, {0, ""},
                            {-3, ""}};
    for (const auto& c : days)
        EXPECT_EQ(sar::DayName(c.day), c.name) << c.day;

    struct TextCase {
        EuroDate date;
        TextForm form;
        const char* text;
    };
    const TextCase texts[] = {
        {{4696, 11, 25, 'R', 0, 1}, TextForm::Short, "4696-11-25 SAR"},
        {{4696, 11, 25, 'R', 0, 1}, TextForm::Descriptive, "4696-11-25 SAR (Mars Day, Dionysus 25,  4696)"},
        {{4696, 11, 25, 'R', 0, 1}, TextForm::Long, "The 25th day of Dionysus in the year 4696"},
        {{442, 1, 1, 'R', 0, 1}, TextForm::Short, "442-01-01 SAR"},
        {{442, 1, 1, 'R', 0, 1}, TextForm::Long, "The 1st day of Apollo in the year 442"},
        {{-5, 13, 12, 'R', 0, 1}, TextForm::Short, "-5-13-12 SAR"},
        {{-5, 13, 12, 'R', 0, 1}, TextForm::Descriptive, "-5-13-12 SAR (Mercury Day, Persephone 12, -5)"},
        {{-5, 13, 12, 'R', 0, 1}, TextForm::Long, "The 12th day of Persephone in the year-5"},
        {{0, 2, 22, 'R', 0, 1}, TextForm::Long, "The 22nd day of Diana in the year 0"},
    };
    for (const auto& c : texts)
        EXPECT_EQ(sar::Text(c.date, c.form), c.text);
}

TEST(SarCal, Parse) {
    struct Case {
        const char* text;
        bool ok;
        DayNumber d;
    };
    const Case cases[] = {
        {"4696-11-25", true, 2451545},
        {"442-1-1", true, 897474},
        {" 442 - 01 - 01 ", true, 897474},
        {"443-13-30", true, 0},
        {"443-10-30", false, 0},
        {"442-13-01", false, 0},
        {"442-12-30", false, 0},
        {"442-00-01", false, 0},
        {"442-01-00", false, 0},
        {"442-14-01", false, 0},
        {"442/01/01", false, 0},
        {"442--01", false, 0},
        {"-442-1-1", true, 0},
        {"1-2-3-4", false, 0},
        {"", false, 0},
        {"---", false, 0},
        {"4294967738-1-1", false, 0}, // 442 after a 32-bit wrap
        {"2147483647-1-1", false, 0},
        {"442-1-4294967297", false, 0},
    };
    for (const auto& c : cases) {
        EuroDate e{};
        EXPECT_EQ(sar::Parse(c.text, e), c.ok) << c.text;
        EXPECT_EQ(e.valid, c.ok ? 1 : 0) << c.text;
        if (c.ok && c.d != 0) {
            EXPECT_EQ(e.dayNumber, c.d) << c.text;
        }
    }
    EuroDate e{};
    ASSERT_TRUE(sar::Parse("-442-1-1", e));
    EXPECT_EQ(e.year, -442);
    EXPECT_EQ(sar::FromDayNumber(e.dayNumber).year, -442);
}

} // namespace
