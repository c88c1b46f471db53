// The goddess calendar: rules, epochs, validation, conversions over the whole
// range, parse (including hostile texts), steps, names and texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "calendar/DayNumbers.h"
#include "calendar/TVGCal.h"

using namespace tavr;
using tvg::TvgDate;

namespace {

#if TAVR_FULL_SWEEPS
constexpr int kSweepStride = 1;
#else
constexpr int kSweepStride = 61;
#endif

TvgDate Make(int32_t cycle, int32_t year, int32_t month, int32_t day) {
    TvgDate d;
    d.cycle = cycle;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

// The conversion as written: walking years and months from the epoch's cycle.
int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}
int RefMonthLength(int y, int m) {
    const bool shortYear = y % 10 == 0 || y % 235 == 0;
    if (m == 13) return shortYear ? 29 : 30;
    return m % 2 == 1 ? 30 : 29;
}
int RefYearLength(int y) {
    return y % 10 == 0 || y % 235 == 0 ? 383 : 384;
}
TvgDate RefFromDay(int64_t d) {
    int64_t r = d - 2415611;
    const int64_t n = FloorDiv(r, 180432);
    r -= n * 180432;
    int y = 1, m = 1;
    while (r >= RefYearLength(y))
        r -= RefYearLength(y++);
    while (r >= RefMonthLength(y, m))
        r -= RefMonthLength(y, m++);
    return Make(static_cast<int32_t>(n + 1), y, m, static_cast<int32_t>(r + 1));
}

TEST(TvgCal, CycleRules) {
    int shortYears = 0;
    int64_t days = 0;
    for (int y = 1; y <= 470; ++y) {
        shortYears += tvg::IsShortYear(y) ? 1 : 0;
        days += tvg::YearLength(y);
        int monthDays = 0;
        for (int m = 1; m <= 13; ++m)
            monthDays += tvg::MonthLength(y, m);
        EXPECT_EQ(monthDays, tvg::YearLength(y)) << y;
    }
    EXPECT_EQ(shortYears, 48);
    EXPECT_EQ(days, tvg::kCycleDays);
    EXPECT_EQ(tvg::MonthLength(1, 0), 0);
    EXPECT_EQ(tvg::MonthLength(1, 14), 0);
}

TEST(TvgCal, EpochsAndExamples) {
    struct Case {
        DayNumber d;
        int32_t cycle, year, month, day;
    };
    const Case cases[] = {
        {2415611, 1, 1, 1, 1},          {2415610, 0, 470, 13, 29},           {2451545, 1, 94, 8, 25},
        {2415611 + 180432, 2, 1, 1, 1}, {2415611 - 2 * 180432, -1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        const TvgDate t = tvg::FromDayNumber(c.d);
        EXPECT_EQ(t.cycle, c.cycle) << c.d;
        EXPECT_EQ(t.year, c.year) << c.d;
        EXPECT_EQ(t.month, c.month) << c.d;
        EXPECT_EQ(t.day, c.day) << c.d;
        EXPECT_TRUE(t.valid);
        TvgDate back = Make(c.cycle, c.year, c.month, c.day);
        EXPECT_TRUE(tvg::ToDayNumber(back));
        EXPECT_EQ(back.dayNumber, c.d);
    }
}

TEST(TvgCal, Validation) {
    struct Case {
        int32_t cycle, year, month, day;
        bool valid;
    };
    const Case cases[] = {
        {1, 10, 13, 30, false},
        {1, 11, 13, 30, true},
        {1, 5, 2, 30, false},
        {1, 5, 2, 29, true},
        {1, 235, 13, 30, false},
        {1, 470, 13, 30, false},
        {1, 469, 13, 30, true},
        {1, 0, 1, 1, false},
        {1, 471, 1, 1, false},
        {1, 1, 0, 1, false},
        {1, 1, 14, 1, false},
        {1, 1, 1, 0, false},
        {1, 1, 1, 31, false},
        {1, 1, 1, -1, false},
        {-1, 1, 1, 1, true},
        {20000, 1, 1, 1, false}, // beyond the 32-bit day numbers
        {std::numeric_limits<int32_t>::min(), 1, 1, 1, false},
        {std::numeric_limits<int32_t>::max(), 470, 13, 29, false},
    };
    for (const auto& c : cases) {
        TvgDate t = Make(c.cycle, c.year, c.month, c.day);
        t.dayNumber = 777;
        EXPECT_EQ(tvg::ToDayNumber(t), c.valid) << c.cycle << "-" << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(t.valid, c.valid);
        if (!c.valid) {
            EXPECT_EQ(t.dayNumber, 0);
        }
    }
}

TEST(TvgCal, RoundTripOverTheRange) {
    int64_t checked = 0, compared = 0;
    TvgDate prev = tvg::FromDayNumber(kFirstRangeDay - 1);
    for (int64_t d = kFirstRangeDay; d <= kLastRangeDay; d += kSweepStride) {
        const TvgDate t = tvg::FromDayNumber(static_cast<DayNumber>(d));
        TvgDate back = Make(t.cycle, t.year, t.month, t.day);
        ASSERT_TRUE(tvg::ToDayNumber(back)) << d;
        ASSERT_EQ(back.dayNumber, d);
        if (kSweepStride == 1) {
            const bool lastOfMonth = prev.day == tvg::MonthLength(prev.year, prev.month);
            const bool nextDay = t.cycle == prev.cycle && t.year == prev.year && t.month == prev.month &&
                                 t.day == prev.day + 1;
            const bool nextMonth = t.cycle == prev.cycle && t.year == prev.year &&
                                   t.month == prev.month + 1 && t.day == 1 && lastOfMonth;
            const bool nextYear = t.cycle == prev.cycle && t.year == prev.year + 1 && t.month == 1 &&
                                  t.day == 1 && prev.month == 13 && lastOfMonth;
            const bool nextCycle = t.cycle == prev.cycle + 1 && t.year == 1 && t.month == 1 && t.day == 1 &&
                                   prev.year == 470 && prev.month == 13 && lastOfMonth;
            ASSERT_TRUE(nextDay || nextMonth || nextYear || nextCycle) << d;
        }
        prev = t;
        if (d % 997 == 0) {
            const TvgDate ref = RefFromDay(d);
            ASSERT_EQ(t.cycle, ref.cycle) << d;
            ASSERT_EQ(t.year, ref.year) << d;
            ASSERT_EQ(t.month, ref.month) << d;
            ASSERT_EQ(t.day, ref.day) << d;
            ++compared;
        }
        ++checked;
    }
    EXPECT_GT(compared, 0);
    std::printf("TVG: %lld days round-tripped, %lld compared with the year-by-year walk\n",
                static_cast<long long>(checked), static_cast<long long>(compared));
}

TEST(TvgCal, ExtremeDayNumbers) {
    for (DayNumber d : {std::numeric_limits<int32_t>::min(), -1, 0, std::numeric_limits<int32_t>::max()}) {
        TvgDate t = tvg::FromDayNumber(d);
        EXPECT_TRUE(tvg::ToDayNumber(t)) << d;
        EXPECT_EQ(t.dayNumber, d);
    }
}

TEST(TvgCal, Parse) {
    struct Case {
        std::string text;
        bool ok;
        int32_t cycle, year, month, day;
    };
    const Case cases[] = {
        {"94-8-25", true, 1, 94, 8, 25},
        {"1-94-08-25", true, 1, 94, 8, 25},
        {"-2-94-8-25", true, -2, 94, 8, 25},
        {"0-470-13-29", true, 0, 470, 13, 29},
        {"1-1-1", true, 1, 1, 1, 1},
        {" 94 - 8 - 25 ", true, 1, 94, 8, 25},
        {"94-8-25x", true, 1, 94, 8, 25}, // other characters are removed
        {"94-8-", false, 0, 0, 0, 0},     // ends in "-"
        {"1-1", false, 0, 0, 0, 0},       // too short
        {"11-1", false, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0},
        {"-----", false, 0, 0, 0, 0},
        {"1-10-13-30", false, 0, 0, 0, 0}, // year 10 is short
        {"1-5-02-30", false, 0, 0, 0, 0},
        {"-0-94-8-25", false, 0, 0, 0, 0}, // "-" then not 1..9
        {"--94-8-25", false, 0, 0, 0, 0},
        {"-94-8-25", false, 0, 0, 0, 0},    // three "-" with a leading one: no cycle digits
        {"1-2-94-8-25", false, 0, 0, 0, 0}, // four "-" not leading
        {"94--25", false, 0, 0, 0, 0},      // a field without digits
        {"94-8--25", false, 0, 0, 0, 0},
        {"1-94-8-25-", false, 0, 0, 0, 0},
        {"1-1-1-1-1-1", false, 0, 0, 0, 0},
        {"94825", false, 0, 0, 0, 0},
        {"94-825", false, 0, 0, 0, 0},
        {"20000-94-8-25", false, 0, 0, 0, 0},      // the day number would leave 32 bits
        {"4294967297-94-8-25", false, 0, 0, 0, 0}, // 1 after a 32-bit wrap
        {"1-4294967390-8-25", false, 0, 0, 0, 0},
        {"-2147483648-1-1-1", false, 0, 0, 0, 0},
        {std::string(100000, '9'), false, 0, 0, 0, 0},
        {std::string(100000, '-') + "1", false, 0, 0, 0, 0},
        {"9\xC3\xA9-8-25", true, 1, 9, 8, 25},
        {std::string("94-8-25\0", 8), true, 1, 94, 8, 25},
    };
    for (const auto& c : cases) {
        TvgDate t = Make(5, 5, 5, 5);
        EXPECT_EQ(tvg::Parse(c.text, t), c.ok) << c.text.substr(0, 40);
        if (c.ok) {
            EXPECT_TRUE(t.valid);
            EXPECT_EQ(t.cycle, c.cycle) << c.text;
            EXPECT_EQ(t.year, c.year) << c.text;
            EXPECT_EQ(t.month, c.month) << c.text;
            EXPECT_EQ(t.day, c.day) << c.text;
            EXPECT_EQ(tvg::FromDayNumber(t.dayNumber).year, c.year);
        } else {
            EXPECT_EQ(t.cycle, 5) << c.text.substr(0, 40); // untouched
        }
    }
    TvgDate t;
    ASSERT_TRUE(tvg::Parse("94-8-25", t));
    EXPECT_EQ(t.dayNumber, 2451545);
}

TEST(TvgCal, Steps) {
    enum Kind { Cycle, Year, Month };
    struct Case {
        TvgDate from;
        Kind kind;
        bool forward;
        TvgDate to;
    };
    const Case cases[] = {
        {Make(1, 469, 13, 30), Year, true, Make(1, 470, 13, 29)},
        {Make(1, 470, 5, 30), Year, true, Make(2, 1, 5, 30)},
        {Make(1, 1, 5, 30), Year, false, Make(0, 470, 5, 30)},
        {Make(1, 11, 13, 30), Year, false, Make(1, 10, 13, 29)},
        {Make(1, 94, 13, 30), Month, true, Make(1, 95, 1, 30)},
        {Make(1, 94, 1, 30), Month, true, Make(1, 94, 2, 29)},
        {Make(1, 94, 1, 30), Month, false, Make(1, 93, 13, 30)},
        {Make(1, 91, 1, 30), Month, false, Make(1, 90, 13, 29)},
        {Make(1, 1, 1, 15), Month, false, Make(0, 470, 13, 15)},
        {Make(1, 470, 13, 29), Month, true, Make(2, 1, 1, 29)},
        {Make(1, 94, 8, 25), Cycle, true, Make(2, 94, 8, 25)},
        {Make(1, 94, 8, 25), Cycle, false, Make(0, 94, 8, 25)},
    };
    for (const auto& c : cases) {
        TvgDate t = c.from;
        if (c.kind == Cycle)
            tvg::CycleStep(t, c.forward);
        else if (c.kind == Year)
            tvg::YearStep(t, c.forward);
        else
            tvg::MonthStep(t, c.forward);
        const std::string from = tvg::Text(c.from, TextForm::Short, false);
        EXPECT_EQ(tvg::Text(t, TextForm::Short, false), tvg::Text(c.to, TextForm::Short, false)) << from;
        EXPECT_TRUE(tvg::ToDayNumber(t)) << from;
    }
    // The step of a day number; weeks are not a unit of this calendar.
    DayNumber d = 2451545;
    ASSERT_TRUE(tvg::StepDayNumber(d, StepUnit::Cycle, true));
    EXPECT_EQ(d, 2451545 + tvg::kCycleDays);
    EXPECT_FALSE(tvg::StepDayNumber(d, StepUnit::Week, true));
}

TEST(TvgCal, MonthStepsOverTheRange) {
    TvgDate start = tvg::FromDayNumber(kFirstRangeDay);
    start.day = 15;
    ASSERT_TRUE(tvg::ToDayNumber(start));
    DayNumber d = start.dayNumber;
    int64_t months = 0;
    while (d < kLastRangeDay) {
        DayNumber next = d;
        ASSERT_TRUE(tvg::StepDayNumber(next, StepUnit::Month, true));
        ASSERT_TRUE(next - d == 29 || next - d == 30) << d;
        DayNumber back = next;
        ASSERT_TRUE(tvg::StepDayNumber(back, StepUnit::Month, false));
        ASSERT_EQ(back, d);
        d = next;
        ++months;
    }
    EXPECT_GT(months, 100000);
}

TEST(TvgCal, NamesAndTexts) {
    const char* months[] = {"Athena", "Brigid", "Cerridwen", "Diana", "Epona",  "Freya", "Gaea",
                            "Hathor", "Inanna", "Juno",      "Kore",  "Lilith", "Maria"};
    for (int m = 1; m <= 13; ++m)
        EXPECT_EQ(tvg::MonthName(m), months[m - 1]);
    EXPECT_EQ(tvg::MonthName(0), "");
    EXPECT_EQ(tvg::MonthName(14), "");
    struct Case {
        TvgDate date;
        TextForm form;
        bool code;
        const char* text;
    };
    const Case cases[] = {
        {Make(1, 94, 8, 25), TextForm::Short, true, "1-94-08-25 TVG"},
        {Make(1, 94, 8, 25), TextForm::Short, false, "1-94-08-25"},
        {Make(1, 94, 8, 25), TextForm::Descriptive, true, "1-94-08-25 TVG (Saturday, Hathor 25, 1-94)"},
        {Make(1, 94, 8, 25), TextForm::Long, true, "The 25th day of Hathor in the year 94 of cycle 1"},
        {Make(1, 1, 1, 1), TextForm::Short, true, "1-1-01-01 TVG"},
        {Make(1, 1, 1, 1), TextForm::Long, true, "The 1st day of Athena in the year 1 of cycle 1"},
        {Make(0, 470, 13, 29), TextForm::Short, true, "0-470-13-29 TVG"},
        {Make(-2, 12, 3, 3), TextForm::Short, true, "-2-12-03-03 TVG"},
        {Make(-2, 12, 3, 3), TextForm::Long, true, "The 3rd day of Cerridwen in the year 12 of cycle-2"},
        {Make(1, 5, 2, 12), TextForm::Long, true, "The 12th day of Brigid in the year 5 of cycle 1"},
        {Make(1, 5, 2, 22), TextForm::Long, true, "The 22nd day of Brigid in the year 5 of cycle 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tvg::Text(c.date, c.form, c.code), c.text);
    // The weekday of form 2 is that of the date's own day number.
    const TvgDate epoch = tvg::FromDayNumber(tvg::kEpoch); // 1901-08-14 CE, a Wednesday
    EXPECT_EQ(tvg::Text(epoch, TextForm::Descriptive, true), "1-1-01-01 TVG (Wednesday, Athena 1, 1-1)");
}

} // namespace
