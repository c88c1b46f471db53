// The lunation grid: days, texts, flags and titles of known lunations, the
// first-day rule in a zone east of Greenwich, the steps and their limits, and
// the window geometry.
#include <gtest/gtest.h>

#include <string>

#include "astro/Lunar.h"
#include "calendar/DayNumbers.h"
#include "lunation/LunationGrid.h"

using namespace tavr;
using namespace tavr::lunation;

namespace {

DayNumber Ce(int32_t year, int32_t month, int32_t day) {
    EuroDate d{year, month, day, kLetterCE, 0, 0};
    return EuroDateToDayNumber(d);
}

// A moment (AJD) at a Common Era date and universal time.
double At(int32_t year, int32_t month, int32_t day, int hour, int minute) {
    return Ce(year, month, day) - 0.5 + (hour * 60 + minute) / 1440.0;
}

struct LunationGridTest : ::testing::Test {
    static void SetUpTestSuite() { lunar::InitLunarConstants(); }
};

int VisibleCount(const Grid& g) {
    int n = 0;
    for (const Cell& c : g.cells)
        n += c.visible ? 1 : 0;
    return n;
}

// Published new Moons (UT) and what the grid of their lunation shows.
TEST_F(LunationGridTest, KnownLunations) {
    struct Case {
        double moment; // a moment a day after the new Moon
        LunationView view;
        DayNumber firstDay;
        int days;
        const char* yearAndMonth;
        const char* firstText; // Common Era text of day 1
        const char* lastText;  // Common Era text of the last day
    };
    const Case cases[] = {
        // 1999-12-07 22:32 UT, next 2000-01-06 18:14 UT.
        {At(1999, 12, 8, 22, 0),
         {0, false},
         Ce(1999, 12, 7),
         30,
         "December 1999 - January 2000",
         "Tue Dec 7",
         "Wed Jan 5"},
        // 2021-04-12 02:31 UT, next 2021-05-11 19:00 UT: 29 days across two months.
        {At(2021, 4, 13, 3, 0),
         {0, false},
         Ce(2021, 4, 12),
         29,
         "April-May 2021",
         "Mon Apr 12",
         "Mon May 10"},
        // 2022-01-02 18:33 UT, next 2022-02-01 05:46 UT.
        {At(2022, 1, 3, 19, 0), {0, false}, Ce(2022, 1, 2), 30, "January 2022", "Sun Jan 2", "Mon Jan 31"},
        // The same at +05:30: the new Moons fall on 2022-01-03 00:03 and 2022-02-01 11:16 local time.
        {At(2022, 1, 3, 19, 0), {330, false}, Ce(2022, 1, 3), 29, "January 2022", "Mon Jan 3", "Mon Jan 31"},
        // The Greenwich option ignores the zone.
        {At(2022, 1, 3, 19, 0), {330, true}, Ce(2022, 1, 2), 30, "January 2022", "Sun Jan 2", "Mon Jan 31"},
        // 2020-12-14 16:17 UT, next 2021-01-13 05:00 UT; at -08:00 the next new Moon falls on
        // the evening of 2021-01-12, so the lunation has 29 days there.
        {At(2020, 12, 15, 17, 0),
         {0, false},
         Ce(2020, 12, 14),
         30,
         "December 2020 - January 2021",
         "Mon Dec 14",
         "Tue Jan 12"},
        {At(2020, 12, 15, 17, 0),
         {-480, false},
         Ce(2020, 12, 14),
         29,
         "December 2020 - January 2021",
         "Mon Dec 14",
         "Mon Jan 11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yearAndMonth);
        const int32_t k = LunationAt(c.moment);
        const Grid g = BuildLunationGrid(k, c.view, kSarvenes, 0);
        EXPECT_EQ(g.firstDay, c.firstDay);
        EXPECT_EQ(g.days, c.days);
        EXPECT_EQ(g.longLunation, c.days == 30);
        EXPECT_EQ(VisibleCount(g), c.days);
        EXPECT_EQ(g.cells[31].visible, c.days == 30);
        EXPECT_FALSE(g.cells[7].visible);
        EXPECT_FALSE(g.cells[23].visible);
        EXPECT_EQ(g.yearAndMonth, c.yearAndMonth);
        EXPECT_EQ(g.cells[0].commonEraText, c.firstText);
        EXPECT_EQ(g.cells[c.days == 30 ? 31 : 30].commonEraText, c.lastText);
        EXPECT_EQ(g.cells[0].dayNumber, c.firstDay);
        EXPECT_EQ(g.todayCell, -1);
    }
}

// Lunation -1 holds 2000-01-01 (day 2451545): SAR 4696-11-25, VR 102-25-10-26,
// LDT 98-9-9-3, TVG 1-98-... ; its 26th day lies in cell 27.
TEST_F(LunationGridTest, ChosenCalendarTextsAndTitles) {
    const int32_t k = LunationAt(At(2000, 1, 1, 12, 0));
    ASSERT_EQ(k, -1);
    struct Case {
        int calendar;
        const char* windowTitle;
        const char* text; // cell 27 (2000-01-01)
        int cellWidth;
    };
    const Case cases[] = {
        {kSarvenes, "Sarvenes Calendar dates", "Dionysus 25", 110},
        {kSolilunar, "Vosko-Rindal Solilunar dates", "Janssen 26", 110},
        {kTriday, "Lunar Dovrenia Triday dates", "Nora 9 Davithe", 129},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowTitle);
        const Grid g = BuildLunationGrid(k, {}, c.calendar, 2451545);
        EXPECT_EQ(g.windowTitle, c.windowTitle);
        EXPECT_EQ(g.cellWidth, c.cellWidth);
        EXPECT_EQ(g.cells[27].dayNumber, 2451545);
        EXPECT_EQ(g.cells[27].number, 26);
        EXPECT_EQ(g.cells[27].numberText, "26");
        EXPECT_EQ(g.cells[27].commonEraText, "Sat Jan 1");
        EXPECT_EQ(g.cells[27].calendarText, c.text);
        EXPECT_TRUE(g.cells[27].weekend); // Saturday
        EXPECT_TRUE(g.cells[28].weekend); // Sunday
        EXPECT_FALSE(g.cells[29].weekend);
        EXPECT_EQ(g.todayCell, 27);
        for (int i = 0; i < kCellCount; ++i)
            EXPECT_EQ(g.cells[static_cast<std::size_t>(i)].today, i == 27);
    }
    // The title names the month of day 15 (1999-12-21, eleven days before Dionysus 25).
    EXPECT_EQ(BuildLunationGrid(k, {}, kSarvenes, 0).title, "Lunation -1 (Dionysus)");
    // The triday title takes the ordinary month name, the cells the short one.
    const Grid triday = BuildLunationGrid(k, {}, kTriday, 0);
    EXPECT_EQ(triday.title.rfind("Lunation -1 (", 0), 0u);
    EXPECT_EQ(triday.title.find("Mellephan."), std::string::npos);
    // Unknown list indices fall back to the first calendar.
    EXPECT_EQ(BuildLunationGrid(k, {}, 9, 0).windowTitle, "Sarvenes Calendar dates");
}

TEST_F(LunationGridTest, GoddessEpochAndCellTexts) {
    // 1-1-01-01 TVG is 1901-08-14 CE, the day of a new Moon's first day.
    const DayNumber epoch = 2415611;
    const int32_t k = LunationAt(epoch + 0.0);
    const Grid g = BuildLunationGrid(k, {}, kGoddess, 0);
    bool found = false;
    for (const Cell& c : g.cells) {
        if (c.visible && c.dayNumber == epoch) {
            EXPECT_EQ(c.calendarText, "Athena 1");
            EXPECT_EQ(c.commonEraText, "Wed Aug 14");
            found = true;
        }
    }
    EXPECT_TRUE(found);
    // Numbers: one blank after 1..9, none after 10 and above; pictures by cell.
    EXPECT_EQ(g.cells[0].numberText, "1 ");
    EXPECT_EQ(g.cells[8].numberText, "8 ");
    EXPECT_EQ(g.cells[9].numberText, "9 ");
    EXPECT_EQ(g.cells[10].numberText, "10");
    EXPECT_EQ(g.cells[24].number, 23);
    EXPECT_EQ(g.cells[0].picture, "day1.gif");
    EXPECT_EQ(g.cells[31].picture, "day32.gif");
    EXPECT_EQ(g.cells[7].picture, "");
    EXPECT_EQ(g.cells[23].picture, "");
}

// However a lunation is reached, it shows the same first day, and the days
// of consecutive lunations join without a gap or overlap.
TEST_F(LunationGridTest, StepsAndDirectDisplayAgree) {
    for (const LunationView view :
         {LunationView{0, false}, LunationView{330, false}, LunationView{-600, false},
          LunationView{840, false}, LunationView{840, true}}) {
        const int32_t k = LunationAt(At(2022, 1, 3, 19, 0));
        DayNumber previousEnd = 0;
        for (int32_t j = k - 30; j <= k + 30; ++j) {
            const Grid g = BuildLunationGrid(j, view, kSarvenes, 0);
            ASSERT_TRUE(g.days == 29 || g.days == 30) << "lunation " << j << " offset " << view.offset;
            if (previousEnd) {
                EXPECT_EQ(g.firstDay, previousEnd + 1) << "lunation " << j;
            }
            previousEnd = g.firstDay + g.days - 1;
            const StepResult next = StepLunation(j - 1, Step::Next);
            ASSERT_TRUE(next.moved);
            EXPECT_EQ(FirstDayOf(next.lunation, view), g.firstDay);
        }
    }
}

TEST_F(LunationGridTest, RangeEndsAreTheStepLimits) {
    EXPECT_EQ(LunationAt(kEarliestMoment), kFirstLunation);
    EXPECT_EQ(LunationAt(kLatestMoment), kLastLunation);
    for (const int32_t k : {kFirstLunation, kLastLunation}) {
        const Grid g = BuildLunationGrid(k, {}, kTriday, 0);
        EXPECT_TRUE(g.days == 29 || g.days == 30);
        for (const Cell& c : g.cells) {
            if (c.visible) {
                EXPECT_FALSE(c.calendarText.empty()) << "lunation " << k;
            }
        }
    }
    const Grid first = BuildLunationGrid(kFirstLunation, {}, kSarvenes, 0);
    EXPECT_NE(first.yearAndMonth.find("-3201"), std::string::npos) << first.yearAndMonth;
}

TEST(LunationSteps, LimitsAndMessages) {
    struct Case {
        int32_t from;
        Step step;
        bool moved;
        int32_t to;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {0, Step::Next, true, 1, "Show next lunation", ""},
        {0, Step::Previous, true, -1, "Show previous lunation", ""},
        {-64315, Step::Previous, true, -64316, "Show previous lunation", ""},
        {-64316, Step::Previous, false, -64316, "Show previous lunation",
         "This is the earliest lunation which can be displayed."},
        {-70000, Step::Previous, false, -70000, "Show previous lunation",
         "This is the earliest lunation which can be displayed."},
        {-64316, Step::Next, true, -64315, "Show next lunation", ""},
        {49471, Step::Next, true, 49472, "Show next lunation", ""},
        {49472, Step::Next, false, 49472, "Show next lunation",
         "This is the latest lunation which can be displayed."},
        {49472, Step::Previous, true, 49471, "Show previous lunation", ""},
    };
    for (const Case& c : cases) {
        const StepResult r = StepLunation(c.from, c.step);
        EXPECT_EQ(r.moved, c.moved) << c.from;
        EXPECT_EQ(r.lunation, c.to) << c.from;
        EXPECT_EQ(r.messageTitle, c.title);
        EXPECT_EQ(r.messageText, c.text);
    }
}

TEST(LunationTexts, YearAndMonthForms) {
    EXPECT_EQ(YearAndMonthText(5, 2021, 5, 2021), "May 2021");
    EXPECT_EQ(YearAndMonthText(5, 2021, 6, 2021), "May-June 2021");
    EXPECT_EQ(YearAndMonthText(12, -1, 1, 0), "December -1 - January 0");
    EXPECT_EQ(YearAndMonthText(12, 5999, 1, 6000), "December 5999 - January 6000");
    EXPECT_EQ(MonthCalendarText(2), "Tussary-Vosko Goddess dates");
    EXPECT_EQ(MonthCalendarText(4), "");
}

TEST(LunationGeometry, LayoutAndCells) {
    struct Case {
        int calendar;
        int stepWidth;
        int closeHeight;
        int width, height, top, gap, previous, next, close, closeWidth;
    };
    const Case cases[] = {
        // (920 - 450) / 4 = 117.5 -> 118; (920 - 430) / 4 = 122.5 -> 122.
        {kSarvenes, 180, 30, 920, 658, 581, 118, 118, 416, 714, 90},
        {kGoddess, 172, 30, 920, 658, 581, 122, 122, 416, 710, 86},
        // 2 x 20 + 8 x 129 = 1072; (1072 - 500) / 4 = 143.
        {kTriday, 200, 24, 1072, 652, 581, 143, 143, 486, 829, 100},
    };
    for (const Case& c : cases) {
        const WindowLayout l = ComputeLayout(c.calendar, c.stepWidth, c.closeHeight);
        EXPECT_EQ(l.width, c.width);
        EXPECT_EQ(l.height, c.height);
        EXPECT_EQ(l.buttonTop, c.top);
        EXPECT_EQ(l.gap, c.gap);
        EXPECT_EQ(l.previousLeft, c.previous);
        EXPECT_EQ(l.nextLeft, c.next);
        EXPECT_EQ(l.closeLeft, c.close);
        EXPECT_EQ(l.closeWidth, c.closeWidth);
    }
    EXPECT_EQ(WindowLeft(1920, 920), 1000);
    EXPECT_EQ(WindowLeft(800, 920), 0);
    EXPECT_EQ(PictureTop(9), 80 + 122 + 1);
    EXPECT_EQ(PictureLeft(9, 129), 20 + 129 + 10);
    for (int i = 0; i < kCellCount; ++i) {
        EXPECT_EQ(IsVisibleCell(i, false), i != 7 && i != 23 && i != 31) << i;
        EXPECT_EQ(IsVisibleCell(i, true), i != 7 && i != 23) << i;
    }
    EXPECT_FALSE(IsVisibleCell(-1, true));
    EXPECT_FALSE(IsVisibleCell(32, true));
}

} // namespace
