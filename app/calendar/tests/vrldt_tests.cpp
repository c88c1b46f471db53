// The glue to the solilunar (VR) and triday (LDT) libraries: conversions over
// the whole range against the rules written out here, parses, steps, names
// and texts.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "calendar/DayNumbers.h"
#include "calendar/Solilunar.h"
#include "calendar/Triday.h"

using namespace tavr;

namespace {

#if TAVR_FULL_SWEEPS
constexpr int kSweepStride = 1;
#else
constexpr int kSweepStride = 61;
#endif

int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

VrslcDate Vr(int32_t cycle, int32_t year, int32_t month, int32_t day) {
    VrslcDate d{};
    d.cycle = cycle;
    d.year = year;
    d.month = month;
    d.day = day;
    return d;
}

DtcLunarDate Ldt(int32_t cycle, int32_t year, int32_t month, int32_t triday, int32_t day) {
    DtcLunarDate d{};
    d.cycle = cycle;
    d.year = year;
    d.month = month;
    d.triday = triday;
    d.day = day;
    return d;
}

// ---- the rules of the two calendars, written out for comparison ------------

bool RefVrLong(int64_t y) {
    return (2519 * y) % 6840 < 2519;
}
int RefVrMonthLength(int64_t y, int m) {
    if (m <= 12) return m % 2 == 1 ? 29 : 30;
    if (!RefVrLong(y)) return 0;
    return (1328 * ((2519 * y) / 6840)) % 2519 < 1328 ? 31 : 30;
}

struct RefVrCalendar {
    std::vector<int64_t> yearStart; // days of the great cycle before year y (1..6841)
    RefVrCalendar() : yearStart(6842, 0) {
        for (int y = 1; y <= 6840; ++y) {
            int len = 0;
            for (int m = 1; m <= 13; ++m)
                len += RefVrMonthLength(y, m);
            yearStart[y + 1] = yearStart[y] + len;
        }
    }
    VrslcDate FromDay(int64_t d) const {
        int64_t r = d - 207227;
        const int64_t g = FloorDiv(r, 2498258);
        r -= g * 2498258;
        int y = 1;
        while (yearStart[y + 1] <= r)
            ++y;
        r -= yearStart[y];
        int m = 1;
        while (r >= RefVrMonthLength(y, m))
            r -= RefVrMonthLength(y, m++);
        const int64_t total = g * 6840 + y - 1;
        return Vr(static_cast<int32_t>(FloorDiv(total, 60)),
                  static_cast<int32_t>(total - FloorDiv(total, 60) * 60 + 1), m, static_cast<int32_t>(r + 1));
    }
};

int RefLdtTridays12(int64_t y) {
    return (y - 2) % 8 == 0 && (y - 2) % 384 != 0 ? 10 : 9;
}
int RefLdtMonthDays(int64_t y, int m) {
    if (m == 6) return 27;
    if (m == 12) return 3 * RefLdtTridays12(y);
    return 30;
}
DtcLunarDate RefLdtFromDay(int64_t d) {
    const int64_t cycle = FloorDiv(d - 2416557, 136077);
    int64_t e = d - 2416557 - cycle * 136077 + 1;
    int y = 0;
    for (;; ++y) {
        int len = 0;
        for (int m = 1; m <= 12; ++m)
            len += RefLdtMonthDays(y, m);
        if (e <= len) break;
        e -= len;
    }
    int m = 1;
    while (e > RefLdtMonthDays(y, m))
        e -= RefLdtMonthDays(y, m++);
    return Ldt(static_cast<int32_t>(cycle), y, m, static_cast<int32_t>((e - 1) / 3 + 1),
               static_cast<int32_t>((e - 1) % 3 + 1));
}

std::string VrFields(const VrslcDate& d) {
    return std::to_string(d.cycle) + "-" + std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
           std::to_string(d.day);
}
std::string LdtFields(const DtcLunarDate& d) {
    return std::to_string(d.cycle) + "-" + std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
           std::to_string(d.triday) + "-" + std::to_string(d.day);
}

// ---- VR --------------------------------------------------------------------

TEST(VrGlue, LibraryIsBound) {
    ASSERT_TRUE(vr::Available());
}

TEST(VrGlue, EpochsAndExamples) {
    struct Case {
        DayNumber d;
        const char* fields;
    };
    const Case cases[] = {
        {207227, "0-1-1-1"},       {207226, "-1-60-13-31"},         {2705485, "114-1-1-1"},
        {2451545, "102-25-10-26"}, {207227 + 354 + 354, "0-3-1-1"},
    };
    for (const auto& c : cases) {
        const VrslcDate v = vr::FromDayNumber(c.d);
        EXPECT_EQ(VrFields(v), c.fields) << c.d;
        EXPECT_EQ(v.valid, 1);
        VrslcDate back = Vr(v.cycle, v.year, v.month, v.day);
        EXPECT_TRUE(vr::ToDayNumber(back));
        EXPECT_EQ(back.dayNumber, c.d);
    }
    // Years 1 and 2 of the great cycle are short; year 3 is long with a 30-day 13th month.
    EXPECT_FALSE(vr::IsLongYear(1, 0));
    EXPECT_FALSE(vr::IsLongYear(2, 0));
    EXPECT_TRUE(vr::IsLongYear(3, 0));
    int32_t error = -1;
    EXPECT_EQ(vr::MonthLength(Vr(0, 3, 13, 1), error), 30);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(vr::MonthLength(Vr(0, 1, 13, 1), error), 0);
    EXPECT_EQ(error, 3);
    EXPECT_EQ(vr::MonthLength(Vr(-1, 60, 13, 1), error), 31);
    // After the first great cycle the month length still comes from the year of the great cycle.
    EXPECT_EQ(vr::MonthLength(Vr(114, 3, 13, 1), error), 30);
    EXPECT_EQ(vr::MonthsInYear(3, 114), 13);
}

TEST(VrGlue, Validation) {
    struct Case {
        VrslcDate date;
        bool valid;
        int32_t error;
    };
    const Case cases[] = {
        {Vr(0, 1, 13, 1), false, 3},
        {Vr(0, 3, 13, 31), false, 4},
        {Vr(0, 3, 13, 30), true, 0},
        {Vr(0, 0, 1, 1), false, 1},
        {Vr(0, 61, 1, 1), false, 1},
        {Vr(0, 1, 14, 1), false, 2},
        {Vr(0, 1, 0, 1), false, 2},
        {Vr(0, 1, 1, 0), false, 4},
        {Vr(0, 1, 1, 30), false, 4},
        {Vr(std::numeric_limits<int32_t>::max(), 60, 1, 1), false, 6},
        {Vr(std::numeric_limits<int32_t>::min(), 1, 1, 1), false, 6},
        {Vr(0, std::numeric_limits<int32_t>::max(), 1, 1), false, 1},
    };
    for (const auto& c : cases) {
        VrslcDate d = c.date;
        EXPECT_EQ(vr::ToDayNumber(d), c.valid) << VrFields(c.date);
        EXPECT_EQ(d.error, c.error) << VrFields(c.date);
    }
}

TEST(VrGlue, RoundTripOverTheRange) {
    const RefVrCalendar ref;
    int64_t checked = 0;
    for (int64_t d = kFirstRangeDay; d <= kLastRangeDay; d += kSweepStride) {
        const VrslcDate v = vr::FromDayNumber(static_cast<DayNumber>(d));
        VrslcDate back = Vr(v.cycle, v.year, v.month, v.day);
        ASSERT_TRUE(vr::ToDayNumber(back)) << d;
        ASSERT_EQ(back.dayNumber, d);
        if (d % 7 == 0 || kSweepStride > 1) {
            ASSERT_EQ(VrFields(v), VrFields(ref.FromDay(d))) << d;
        }
        ++checked;
    }
    std::printf("VR: %lld days round-tripped and compared with the rules\n", static_cast<long long>(checked));
}

TEST(VrGlue, Steps) {
    enum Kind { Cycle, Year, Month };
    struct Case {
        VrslcDate from;
        Kind kind;
        bool forward;
        const char* to;
    };
    // Year 3 of cycle 0 is long with a 30-day 13th month; years 1 and 2 are short.
    const Case cases[] = {
        {Vr(-1, 60, 13, 31), Year, true, "0-1-12-30"}, // 31-day month 13 into a short year
        {Vr(0, 3, 13, 30), Year, false, "0-2-12-30"},
        {Vr(0, 60, 5, 5), Year, true, "1-1-5-5"},
        {Vr(0, 1, 5, 5), Year, false, "-1-60-5-5"},
        {Vr(0, 2, 12, 30), Month, true, "0-3-1-29"},
        {Vr(0, 3, 12, 30), Month, true, "0-3-13-30"},
        {Vr(0, 3, 13, 30), Month, true, "0-4-1-29"},
        {Vr(0, 4, 1, 29), Month, false, "0-3-13-29"},
        {Vr(0, 3, 1, 29), Month, false, "0-2-12-29"},
        {Vr(0, 1, 1, 1), Month, false, "-1-60-13-1"},
        {Vr(-1, 60, 13, 31), Month, true, "0-1-1-29"},
        {Vr(102, 25, 10, 26), Cycle, true, "103-25-10-26"},
        {Vr(102, 25, 10, 26), Cycle, false, "101-25-10-26"},
    };
    for (const auto& c : cases) {
        VrslcDate d = c.from;
        if (c.kind == Cycle)
            vr::CycleStep(d, c.forward);
        else if (c.kind == Year)
            vr::YearStep(d, c.forward);
        else
            vr::MonthStep(d, c.forward);
        EXPECT_EQ(VrFields(d), c.to) << VrFields(c.from);
        EXPECT_TRUE(vr::ToDayNumber(d)) << VrFields(c.from);
    }
}

TEST(VrGlue, CycleStepCutsMonthAndDay) {
    // Sixty years on, a long year may be short or its 13th month a day shorter:
    // the step lands on an existing date, never on day number 0.
    int cutMonths = 0, cutDays = 0;
    for (int32_t cycle = -60; cycle <= 120; ++cycle) {
        for (int32_t year = 1; year <= 60; ++year) {
            if (!vr::IsLongYear(year, cycle)) continue;
            int32_t error = 0;
            const int16_t len = vr::MonthLength(Vr(cycle, year, 13, 1), error);
            for (bool forward : {true, false}) {
                VrslcDate d = Vr(cycle, year, 13, len);
                vr::CycleStep(d, forward);
                ASSERT_TRUE(vr::ToDayNumber(d)) << cycle << "-" << year;
                ASSERT_EQ(d.cycle, cycle + (forward ? 1 : -1));
                ASSERT_EQ(d.year, year);
                cutMonths += d.month == 12 ? 1 : 0;
                cutDays += d.month == 13 && d.day < len ? 1 : 0;
            }
        }
    }
    EXPECT_GT(cutMonths, 0);
    EXPECT_GT(cutDays, 0);
    // The case of the report: 102-04-13-30 plus one cycle.
    VrslcDate d = Vr(102, 4, 13, 30);
    ASSERT_TRUE(vr::ToDayNumber(d));
    vr::CycleStep(d, true);
    EXPECT_TRUE(vr::ToDayNumber(d));
    EXPECT_NE(d.dayNumber, 0);
    EXPECT_EQ(d.cycle, 103);
}

TEST(VrGlue, StepsOverTheRange) {
    VrslcDate start = vr::FromDayNumber(kFirstRangeDay);
    start.day = 15;
    ASSERT_TRUE(vr::ToDayNumber(start));
    DayNumber d = start.dayNumber;
    int64_t months = 0;
    while (d < kLastRangeDay) {
        DayNumber next = d;
        ASSERT_TRUE(vr::StepDayNumber(next, StepUnit::Month, true));
        ASSERT_TRUE(next - d >= 29 && next - d <= 31) << d;
        DayNumber back = next;
        ASSERT_TRUE(vr::StepDayNumber(back, StepUnit::Month, false));
        ASSERT_EQ(back, d);
        d = next;
        ++months;
    }
    EXPECT_GT(months, 100000);
    // Years and cycles from every 61st day of the range.
    for (int64_t day = kFirstRangeDay; day <= kLastRangeDay; day += 61 * 61) {
        for (StepUnit unit : {StepUnit::Year, StepUnit::Cycle}) {
            for (bool forward : {true, false}) {
                DayNumber x = static_cast<DayNumber>(day);
                ASSERT_TRUE(vr::StepDayNumber(x, unit, forward)) << day;
                const int64_t span = unit == StepUnit::Year ? 385 : 60 * 385;
                ASSERT_LE(std::llabs(x - day), span);
                ASSERT_EQ(x > day, forward);
            }
        }
    }
    DayNumber w = 2451545;
    EXPECT_FALSE(vr::StepDayNumber(w, StepUnit::Week, true));
    EXPECT_EQ(w, 2451545);
}

TEST(VrGlue, Parse) {
    struct Case {
        std::string text;
        bool ok;
        DayNumber d;
    };
    const Case cases[] = {
        {"0-1-1-1", true, 207227},
        {"102-25-10-26", true, 2451545},
        {"-1-60-13-31", true, 207226},
        {"-1-60-1-1", true, 0},
        {"0-1-13-1", false, 0},
        {"0-3-13-31", false, 0},
        {"0-61-1-1", false, 0},
        {"1-1-1", false, 0},
        {"1-1-1-1-1-1", false, 0},
        {"", false, 0},
        {"----", false, 0},
        {"0--1-1", false, 0},
        {"4294967398-25-10-26", false, 0}, // 102 after a 32-bit wrap
        {"99999999999999999999-1-1-1", false, 0},
        {"2147483647-1-1-1", false, 0},
        {std::string(100000, '-'), false, 0},
        {std::string("0-1-1-1\0", 8), false, 0},
    };
    for (const auto& c : cases) {
        VrslcDate d = Vr(5, 5, 5, 5);
        EXPECT_EQ(vr::Parse(c.text, d), c.ok) << c.text.substr(0, 40);
        if (c.ok) {
            EXPECT_EQ(d.valid, 1);
            if (c.d != 0) {
                EXPECT_EQ(d.dayNumber, c.d) << c.text;
            }
        } else {
            EXPECT_EQ(d.cycle, 5); // untouched
        }
    }
    VrslcDate d{};
    ASSERT_TRUE(vr::Parse("-1-60-1-1", d));
    EXPECT_EQ(d.cycle, -1);
}

TEST(VrGlue, NamesAndTexts) {
    std::set<std::string> names;
    for (int m = 1; m <= 13; ++m) {
        const std::string name(vr::MonthName(m));
        ASSERT_FALSE(name.empty());
        EXPECT_EQ(name[0], 'A' + m - 1) << name; // initials A..M in month order
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 13u);
    EXPECT_EQ(vr::MonthName(0), "");
    EXPECT_EQ(vr::MonthName(14), "");
    const std::string m10(vr::MonthName(10));
    struct Case {
        VrslcDate date;
        TextForm form;
        std::string text;
    };
    const Case cases[] = {
        {Vr(102, 25, 10, 26), TextForm::Short, "102-25-10-26 VR"},
        {Vr(102, 25, 10, 26), TextForm::Descriptive, "102-25-10-26 VR (" + m10 + " 26, 102-25)"},
        {Vr(102, 25, 10, 26), TextForm::Long, "The 26th day of " + m10 + " in the year 25, cycle 102"},
        {Vr(0, 1, 1, 1), TextForm::Short, "0-01-01-01 VR"},
        {Vr(0, 1, 1, 1), TextForm::Long,
         "The 1st day of " + std::string(vr::MonthName(1)) + " in the year 1"},
        {Vr(-1, 60, 13, 31), TextForm::Short, "-1-60-13-31 VR"},
        {Vr(-1, 60, 13, 31), TextForm::Descriptive,
         "-1-60-13-31 VR (" + std::string(vr::MonthName(13)) + " 31, -1-60)"},
        {Vr(-1, 60, 13, 31), TextForm::Long,
         "The 31st day of " + std::string(vr::MonthName(13)) + " in the year 60, cycle -1"},
        {Vr(5, 2, 3, 12), TextForm::Long,
         "The 12th day of " + std::string(vr::MonthName(3)) + " in the year 2, cycle 5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vr::Text(c.date, c.form), c.text);
    EXPECT_EQ(vr::Text(vr::FromDayNumber(2451545), TextForm::Short), "102-25-10-26 VR");
}

// ---- LDT -------------------------------------------------------------------

TEST(LdtGlue, LibraryIsBound) {
    ASSERT_TRUE(ldt::Available());
}

TEST(LdtGlue, EpochsAndExamples) {
    struct Case {
        DayNumber d;
        const char* fields;
    };
    const Case cases[] = {
        {2416557, "0-0-1-1-1"},
        {2416556, "-1-383-12-9-3"},
        {2451545, "0-98-9-9-3"},
        {2416557 + 136077, "1-0-1-1-1"},
    };
    for (const auto& c : cases) {
        const DtcLunarDate l = ldt::FromDayNumber(c.d);
        EXPECT_EQ(LdtFields(l), c.fields) << c.d;
        EXPECT_EQ(l.valid, 1);
        DtcLunarDate back = Ldt(l.cycle, l.year, l.month, l.triday, l.day);
        EXPECT_TRUE(ldt::ToDayNumber(back));
        EXPECT_EQ(back.dayNumber, c.d);
    }
    EXPECT_EQ(ldt::TridaysIn12thMonth(2), 9);
    EXPECT_EQ(ldt::TridaysIn12thMonth(10), 10);
    EXPECT_EQ(ldt::TridaysIn12thMonth(11), 9);
}

TEST(LdtGlue, Validation) {
    struct Case {
        DtcLunarDate date;
        bool valid;
    };
    const Case cases[] = {
        {Ldt(0, 98, 6, 10, 1), false},
        {Ldt(0, 98, 6, 9, 3), true},
        {Ldt(0, 98, 5, 11, 1), false},
        {Ldt(0, 98, 5, 10, 3), true},
        {Ldt(0, 98, 5, 1, 0), false},
        {Ldt(0, 98, 5, 1, 4), false},
        {Ldt(0, 10, 12, 10, 3), true},
        {Ldt(0, 11, 12, 10, 1), false},
        {Ldt(0, 384, 1, 1, 1), false},
        {Ldt(0, -1, 1, 1, 1), false},
        {Ldt(0, 0, 13, 1, 1), false},
        {Ldt(0, 0, 1, 0, 1), false},
        {Ldt(std::numeric_limits<int32_t>::max(), 0, 1, 1, 1), false}, // beyond 32-bit day numbers
        {Ldt(std::numeric_limits<int32_t>::min(), 0, 1, 1, 1), false},
        {Ldt(20000, 0, 1, 1, 1), false},
    };
    for (const auto& c : cases) {
        DtcLunarDate d = c.date;
        d.dayNumber = 4242;
        EXPECT_EQ(ldt::ToDayNumber(d), c.valid) << LdtFields(c.date);
        if (!c.valid) {
            EXPECT_EQ(d.dayNumber, 4242) << LdtFields(c.date); // unchanged
        }
    }
}

TEST(LdtGlue, RoundTripOverTheRange) {
    int64_t checked = 0;
    for (int64_t d = kFirstRangeDay; d <= kLastRangeDay; d += kSweepStride) {
        const DtcLunarDate l = ldt::FromDayNumber(static_cast<DayNumber>(d));
        DtcLunarDate back = Ldt(l.cycle, l.year, l.month, l.triday, l.day);
        ASSERT_TRUE(ldt::ToDayNumber(back)) << d;
        ASSERT_EQ(back.dayNumber, d);
        if (d % 97 == 0 || kSweepStride > 1) {
            ASSERT_EQ(LdtFields(l), LdtFields(RefLdtFromDay(d))) << d;
        }
        ++checked;
    }
    std::printf("LDT: %lld days round-tripped\n", static_cast<long long>(checked));
}

TEST(LdtGlue, Steps) {
    enum Kind { Cycle, Year, Month };
    struct Case {
        DtcLunarDate from;
        Kind kind;
        bool forward;
        const char* to;
    };
    const Case cases[] = {
        {Ldt(0, 383, 5, 5, 2), Year, true, "1-0-5-5-2"},
        {Ldt(0, 0, 5, 5, 2), Year, false, "-1-383-5-5-2"},
        {Ldt(0, 10, 12, 10, 2), Year, true, "0-11-12-9-3"},
        {Ldt(0, 9, 12, 9, 1), Year, true, "0-10-12-9-1"},
        {Ldt(0, 98, 5, 10, 2), Month, true, "0-98-6-9-3"},
        {Ldt(0, 98, 7, 10, 1), Month, false, "0-98-6-9-3"},
        {Ldt(0, 99, 11, 10, 1), Month, true, "0-99-12-9-3"},
        {Ldt(0, 98, 12, 9, 1), Month, true, "0-99-1-9-1"},
        {Ldt(0, 383, 12, 9, 1), Month, true, "1-0-1-9-1"},
        {Ldt(0, 0, 1, 10, 3), Month, false, "-1-383-12-9-3"},
        {Ldt(0, 98, 9, 9, 3), Cycle, true, "1-98-9-9-3"},
        {Ldt(0, 98, 9, 9, 3), Cycle, false, "-1-98-9-9-3"},
    };
    for (const auto& c : cases) {
        DtcLunarDate d = c.from;
        if (c.kind == Cycle)
            ldt::CycleStep(d, c.forward);
        else if (c.kind == Year)
            ldt::YearStep(d, c.forward);
        else
            ldt::MonthStep(d, c.forward);
        EXPECT_EQ(LdtFields(d), c.to) << LdtFields(c.from);
        EXPECT_TRUE(ldt::ToDayNumber(d)) << LdtFields(c.from);
    }
}

TEST(LdtGlue, StepsOverTheRange) {
    DtcLunarDate start = ldt::FromDayNumber(kFirstRangeDay);
    start.triday = 5;
    ASSERT_TRUE(ldt::ToDayNumber(start));
    DayNumber d = start.dayNumber;
    int64_t months = 0;
    while (d < kLastRangeDay) {
        DayNumber next = d;
        ASSERT_TRUE(ldt::StepDayNumber(next, StepUnit::Month, true));
        ASSERT_TRUE(next - d == 27 || next - d == 30) << d;
        DayNumber back = next;
        ASSERT_TRUE(ldt::StepDayNumber(back, StepUnit::Month, false));
        ASSERT_EQ(back, d);
        d = next;
        ++months;
    }
    EXPECT_GT(months, 100000);
    DayNumber c = 2451545;
    ASSERT_TRUE(ldt::StepDayNumber(c, StepUnit::Cycle, true));
    EXPECT_EQ(c, 2451545 + 136077);
    EXPECT_FALSE(ldt::StepDayNumber(c, StepUnit::Week, true));
}

TEST(LdtGlue, Parse) {
    struct Case {
        std::string text;
        bool ok;
        DayNumber d;
    };
    const Case cases[] = {
        {"98-9-9-3", true, 2451545},
        {"0-98-9-9-3", true, 2451545},
        {"098-09-09-3", true, 2451545},
        {"-1-383-12-9-3", true, 2416556},
        {"1-0-1-1-1", true, 2416557 + 136077},
        {"98-6-10-1", false, 0},
        {"98-9-9", false, 0},
        {"1-1-98-9-9-3", false, 0},
        {"", false, 0},
        {"---", false, 0},
        {"98--9-3", false, 0},
        {"99999-0-1-1-1", false, 0},                     // beyond 32-bit day numbers
        {"4294967296-98-9-9-3", false, 0},               // 0 after a 32-bit wrap
        {"0-98-9-9-3" + std::string(60, ' '), false, 0}, // longer than the library reads
        {std::string(100000, '9') + "-1-1-1", false, 0},
        {std::string("98-9-9-3\0", 9), false, 0},
    };
    for (const auto& c : cases) {
        DtcLunarDate d = Ldt(5, 5, 5, 5, 5);
        EXPECT_EQ(ldt::Parse(c.text, d), c.ok) << c.text.substr(0, 40);
        if (c.ok) {
            EXPECT_EQ(d.dayNumber, c.d) << c.text;
        } else {
            EXPECT_EQ(d.cycle, 5); // untouched
        }
    }
}

TEST(LdtGlue, NamesAndTexts) {
    const char* months[] = {"Armedon",      "Nousanios", "Harmozel", "Phaionios", "Ainios",  "Oraiel",
                            "Mellephaneus", "Loios",     "Davithe",  "Mousanios", "Amethes", "Eleleth"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(ldt::MonthName(m), months[m - 1]);
        EXPECT_EQ(ldt::ShortMonthName(m), m == 7 ? "Mellephan." : months[m - 1]);
    }
    EXPECT_EQ(ldt::MonthName(0), "");
    EXPECT_EQ(ldt::MonthName(13), "");
    EXPECT_EQ(ldt::ShortMonthName(13), "");
    EXPECT_EQ(ldt::DayName(1), "Sophiesday");
    EXPECT_EQ(ldt::DayName(2), "Zoesday");
    EXPECT_EQ(ldt::DayName(3), "Norasday");
    EXPECT_EQ(ldt::DayName(0), "");
    EXPECT_EQ(ldt::DayName(4), "");
    struct Case {
        DtcLunarDate date;
        TextForm form;
        const char* text;
    };
    const Case cases[] = {
        {Ldt(0, 98, 9, 9, 3), TextForm::Short, "098-09-09-3 LDT"},
        {Ldt(0, 98, 9, 9, 3), TextForm::Descriptive, "098-09-09-3 LDT (Norasday 9 Davithe 98)"},
        {Ldt(0, 98, 9, 9, 3), TextForm::Long, "Norasday in the 9th triday of Davithe in the year 98"},
        {Ldt(1, 0, 1, 1, 1), TextForm::Short, "1-000-01-01-1 LDT"},
        {Ldt(1, 0, 1, 1, 1), TextForm::Descriptive, "1-000-01-01-1 LDT (Sophiesday 1 Armedon 0)"},
        {Ldt(1, 0, 1, 1, 1), TextForm::Long,
         "Sophiesday in the 1st triday of Armedon in the year 0, Cycle 1"},
        {Ldt(-1, 383, 12, 9, 3), TextForm::Short, "-1-383-12-09-3 LDT"},
        {Ldt(-1, 383, 12, 2, 2), TextForm::Long,
         "Zoesday in the 2nd triday of Eleleth in the year 383, Cycle -1"},
        {Ldt(0, 5, 7, 3, 1), TextForm::Long, "Sophiesday in the 3rd triday of Mellephaneus in the year 5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ldt::Text(c.date, c.form), c.text);
}

} // namespace
