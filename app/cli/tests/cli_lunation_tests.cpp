// tavr180 lunation run in-process: every grid across the accepted range and
// for the four month calendars checked against the rules of the lunation
// window worked out here from the calendar modules; the steps to the first
// and last lunation; the first-day rule in a zone; wrong use.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "astro/Lunar.h"
#include "calendar/DayNumbers.h"
#include "calendar/DateTexts.h"
#include "calendar/SarCal.h"
#include "calendar/TVGCal.h"
#include "calendar/Solilunar.h"
#include "calendar/Triday.h"
#include "cli/Cli.h"
#include "cli/tests/CliTestSupport.h"

using namespace tavr;

using tavr::cli::testing::Call;
using tavr::cli::testing::Outcome;

namespace {

QJsonObject Json(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document.object();
}

std::string S(const QJsonValue& v) {
    return v.toString().toStdString();
}

std::string First3(std::string_view s) {
    return std::string(s.substr(0, 3));
}

// The civil day of a moment at a zone offset (minutes).
DayNumber DayAt(double ajd, int offset) {
    return static_cast<DayNumber>(std::floor(ajd + 0.5 + offset / 1440.0));
}

// The third cell line and the month of the title, by the month calendar.
std::pair<std::string, std::string> CalendarLine(int calendar, DayNumber d) {
    switch (calendar) {
    case 1: {
        const VrslcDate v = vr::FromDayNumber(d);
        return {std::string(vr::MonthName(v.month)) + " " + std::to_string(v.day),
                std::string(vr::MonthName(v.month))};
    }
    case 2: {
        const tvg::TvgDate t = tvg::FromDayNumber(d);
        return {std::string(tvg::MonthName(t.month)) + " " + std::to_string(t.day),
                std::string(tvg::MonthName(t.month))};
    }
    case 3: {
        const DtcLunarDate l = ldt::FromDayNumber(d);
        std::string day(ldt::DayName(l.day));
        EXPECT_GE(day.size(), 4u);
        EXPECT_EQ(day.substr(day.size() - 4), "sday");
        day.resize(day.size() - 4);
        return {day + " " + std::to_string(l.triday) + " " + std::string(ldt::ShortMonthName(l.month)),
                std::string(ldt::MonthName(l.month))};
    }
    default: {
        const EuroDate s = sar::FromDayNumber(d);
        return {std::string(sar::MonthName(s.month)) + " " + std::to_string(s.day),
                std::string(sar::MonthName(s.month))};
    }
    }
}

const char* const kCodes[4] = {"SAR", "VR", "TVG", "LDT"};
const char* const kListTexts[4] = {"Sarvenes Calendar dates", "Vosko-Rindal Solilunar dates",
                                   "Tussary-Vosko Goddess dates", "Lunar Dovrenia Triday dates"};

// Checks one grid of the command line against the rules of the window.
void ExpectGrid(const QJsonObject& g, int32_t lunation, int calendar, int offset) {
    SCOPED_TRACE("lunation " + std::to_string(lunation) + " calendar " + kCodes[calendar] + " offset " +
                 std::to_string(offset));
    ASSERT_EQ(g.value("lunation").toInt(), lunation);
    const DayNumber first = DayAt(lunar::PhaseMomentUT(lunation, lunar::kNewMoon), offset);
    const DayNumber next = DayAt(lunar::PhaseMomentUT(lunation + 1, lunar::kNewMoon), offset);
    const int length = next - first;
    ASSERT_TRUE(length == 29 || length == 30) << length;
    EXPECT_EQ(g.value("firstDay").toInt(), first);
    EXPECT_EQ(S(g.value("windowTitle")), kListTexts[calendar]);
    const QJsonArray days = g.value("days").toArray();
    ASSERT_EQ(days.size(), length);
    // Rows of 7, 8, 7 and 7 or 8 days: cells 7 and 23 stay empty, 31 in a 30-day lunation only.
    std::vector<int> cells;
    for (int i = 0; i < 32; ++i)
        if (i % 8 < 7 || i / 8 == 1 || (i / 8 == 3 && length == 30)) cells.push_back(i);
    ASSERT_EQ(static_cast<int>(cells.size()), length);
    std::string titleMonth;
    for (int k = 0; k < length; ++k) {
        const QJsonObject day = days[k].toObject();
        const DayNumber d = first + k;
        const EuroDate ce = DayNumberToEuroDate(d, kLetterCE);
        EXPECT_EQ(day.value("number").toInt(), k + 1);
        EXPECT_EQ(day.value("dayNumber").toInt(), d);
        EXPECT_EQ(day.value("cell").toInt(), cells[static_cast<std::size_t>(k)]);
        EXPECT_EQ(S(day.value("picture")),
                  "day" + std::to_string(cells[static_cast<std::size_t>(k)] + 1) + ".gif");
        EXPECT_EQ(S(day.value("ce")), First3(WeekdayNameOf(d)) + " " + First3(dates::MonthName(ce.month)) +
                                          " " + std::to_string(ce.day));
        const int weekday = DayOfWeek(d);
        EXPECT_EQ(day.value("weekend").toBool(), weekday == 0 || weekday == 6);
        const auto [text, month] = CalendarLine(calendar, d);
        EXPECT_EQ(S(day.value("text")), text) << "day " << k + 1;
        if (cells[static_cast<std::size_t>(k)] == 15) titleMonth = month;
    }
    EXPECT_EQ(S(g.value("title")), "Lunation " + std::to_string(lunation) + " (" + titleMonth + ")");
    const EuroDate a = DayNumberToEuroDate(first, kLetterCE);
    const EuroDate b = DayNumberToEuroDate(next - 1, kLetterCE);
    const std::string m1(dates::MonthName(a.month));
    const std::string m2(dates::MonthName(b.month));
    const std::string ym = a.year != b.year
                               ? m1 + " " + std::to_string(a.year) + " - " + m2 + " " + std::to_string(b.year)
                           : a.month == b.month ? m1 + " " + std::to_string(a.year)
                                                : m1 + "-" + m2 + " " + std::to_string(a.year);
    EXPECT_EQ(S(g.value("yearAndMonth")), ym);
}

struct CliLunation : ::testing::Test {
    static void SetUpTestSuite() { lunar::InitLunarConstants(); }
};

} // namespace

// Moments spread over the whole range, typed as astronomical Julian dates,
// each shown with the four calendars, and in two zones and Greenwich.
TEST_F(CliLunation, GridsAcrossTheRangeFollowTheWindowsRules) {
    struct View {
        std::vector<std::string> args;
        int offset;
    };
    const std::vector<View> views = {{{}, 0},
                                     {{"--zone", "+05:30"}, 330},
                                     {{"--zone", "-11:00"}, -660},
                                     {{"--zone", "+09:00", "--greenwich"}, 0}};
    int checked = 0;
    for (double ajd = 552283.0; ajd <= 3912515.0; ajd += 123457.25) {
        const int32_t lunation = lunar::LunationOf(ajd);
        for (int calendar = 0; calendar < 4; ++calendar) {
            const View& view = views[static_cast<std::size_t>(checked % views.size())];
            std::vector<std::string> args = {"lunation", std::to_string(ajd) + " AJD", "--calendar",
                                             kCodes[calendar], "--json"};
            args.insert(args.end(), view.args.begin(), view.args.end());
            const Outcome o = Call(args);
            ASSERT_EQ(o.status, 0) << o.err;
            ExpectGrid(Json(o.out), std::max(lunation, -64316), calendar, view.offset);
            ++checked;
        }
    }
    EXPECT_GE(checked, 100);
}

// --step reaches the lunations the previous/next buttons reach, and stops
// exactly at -64316 and 49472 with the window's messages and status 3.
TEST_F(CliLunation, StepsStopAtTheFirstAndLastLunation) {
    struct Case {
        std::string text;
        std::string step;
        int status;
        int32_t lunation;
        std::string err;
    };
    const std::string earliest =
        "Show previous lunation: This is the earliest lunation which can be displayed.\n";
    const std::string latest = "Show next lunation: This is the latest lunation which can be displayed.\n";
    const Case cases[] = {
        {"-3200-01-01 CE 12:00", "0", 0, -64316, ""},
        {"-3200-01-01 CE 12:00", "-1", 3, 0, earliest},
        {"-3200-01-01 CE 12:00", "1", 0, -64315, ""},
        {"6000-01-01 CE", "0", 0, 49472, ""},
        {"6000-01-01 CE", "1", 3, 0, latest},
        {"6000-01-01 CE", "-113788", 0, -64316, ""},
        {"6000-01-01 CE", "-113789", 3, 0, earliest},
        {"-3200-01-01 CE 12:00", "+113788", 0, 49472, ""},
        {"-3200-01-01 CE 12:00", "113789", 3, 0, latest},
        {"2000-01-01 CE", "-9223372036854775808", 3, 0, earliest},
        {"2000-01-01 CE", "9223372036854775807", 3, 0, latest},
    };
    for (const Case& c : cases) {
        for (int calendar = 0; calendar < 4; ++calendar) {
            const Outcome o =
                Call({"lunation", c.text, "--step", c.step, "--calendar", kCodes[calendar], "--json"});
            ASSERT_EQ(o.status, c.status) << c.text << " " << c.step << ": " << o.err;
            EXPECT_EQ(o.err, c.err) << c.text << " " << c.step;
            if (c.status == 0) {
                ExpectGrid(Json(o.out), c.lunation, calendar, 0);
            } else {
                EXPECT_EQ(o.out, "");
            }
        }
    }
    // Stepping and typing a moment of the lunation give the same grid.
    const Outcome stepped = Call({"lunation", "2000-01-01 CE", "--step", "7", "--zone", "+12:00", "--json"});
    const QJsonObject g = Json(stepped.out);
    const Outcome direct = Call(
        {"lunation", std::to_string(g.value("firstDay").toInt() + 2) + " CJD", "--zone", "+12:00", "--json"});
    EXPECT_EQ(stepped.out, direct.out);
}

// A new Moon near midnight: the first day is the day of the new Moon in the
// zone and view, whether the lunation is typed or reached by a step.
TEST_F(CliLunation, FirstDayFollowsZoneAndView) {
    // New Moon 2000-01-06 18:14 UT; 2000-02-05 13:03 UT.
    struct Case {
        std::vector<std::string> view;
        int32_t firstDay; // 2451550 is 2000-01-06
        int days;
        std::string day1;
    };
    const Case cases[] = {
        {{}, 2451550, 30, "Thu Jan 6"},
        {{"--zone", "+05:30"}, 2451550, 30, "Thu Jan 6"},
        {{"--zone", "+06:00"}, 2451551, 29, "Fri Jan 7"},
        {{"--zone", "+06:00", "--greenwich"}, 2451550, 30, "Thu Jan 6"},
        {{"--zone", "-12:00"}, 2451550, 30, "Thu Jan 6"},
        {{"--zone", "+12:00"}, 2451551, 30, "Fri Jan 7"},
    };
    for (const Case& c : cases) {
        for (const std::vector<std::string>& how :
             {std::vector<std::string>{"lunation", "2000-01-20 CE", "--json"},
              std::vector<std::string>{"lunation", "2000-02-20 CE", "--step", "-1", "--json"},
              std::vector<std::string>{"lunation", "1999-12-20 CE", "--step", "1", "--json"}}) {
            std::vector<std::string> args = how;
            args.insert(args.end(), c.view.begin(), c.view.end());
            const Outcome o = Call(args);
            ASSERT_EQ(o.status, 0) << o.err;
            const QJsonObject g = Json(o.out);
            EXPECT_EQ(g.value("firstDay").toInt(), c.firstDay) << how[1];
            const QJsonArray days = g.value("days").toArray();
            ASSERT_EQ(days.size(), c.days) << how[1];
            EXPECT_EQ(S(days[0].toObject().value("ce")), c.day1);
        }
    }
}

TEST_F(CliLunation, TextOutput) {
    const Outcome o = Call({"lunation", "2000-01-20 CE", "--calendar", "ldt"});
    ASSERT_EQ(o.status, 0) << o.err;
    std::istringstream in(o.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 32u) << o.out;
    EXPECT_EQ(lines[0].rfind("Lunation ", 0), 0u);
    EXPECT_EQ(lines[1], "January-February 2000");
    // Day 1 is a Thursday, day 3 a Saturday.
    EXPECT_EQ(lines[2].rfind(" 1  Thu Jan 6", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find("day1.gif"), std::string::npos);
    EXPECT_EQ(lines[2].find("weekend"), std::string::npos);
    EXPECT_EQ(lines[4].substr(lines[4].size() - 8), " weekend") << lines[4];
    EXPECT_EQ(lines[31].rfind("30  Fri Feb 4", 0), 0u) << lines[31];
    EXPECT_NE(lines[31].find("day32.gif"), std::string::npos);
}

TEST_F(CliLunation, WrongUseAndRefusedEntries) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errStart;
    };
    const Case cases[] = {
        {{"lunation", "--calendar", "CE"}, 1, "tavr180: unknown month calendar \"CE\""},
        {{"lunation", "--calendar"}, 1, "tavr180: Missing value after '--calendar'."},
        {{"lunation", "--step", "1.5"}, 1, "tavr180: --step takes a whole number"},
        {{"lunation", "--step", "x"}, 1, "tavr180: --step takes a whole number"},
        {{"lunation", "--step", "1", "--step", "2"}, 1, "tavr180: --step given more than once"},
        {{"lunation", "--zone", "Mars"}, 1, "tavr180: unknown zone \"Mars\""},
        {{"lunation", "--colour"}, 1, "tavr180: Unknown option '--colour'."},
        {{"lunation", "2000-13-01 CE"}, 2, "Invalid date/time entry: "},
        {{"lunation", "9999-01-01 CE"}, 3, "Date out of range: "},
    };
    for (const Case& c : cases) {
        const Outcome o = Call(c.args);
        EXPECT_EQ(o.status, c.status) << c.args.back() << ": " << o.err;
        EXPECT_EQ(o.err.rfind(c.errStart, 0), 0u) << o.err;
        EXPECT_EQ(o.out, "");
    }
    // Now: today is marked at most once (not at all when the next new Moon
    // falls later on today's date: that day begins the next lunation).
    const Outcome now = Call({"lunation", "--json"});
    ASSERT_EQ(now.status, 0) << now.err;
    int today = 0;
    for (const QJsonValue& day : Json(now.out).value("days").toArray())
        today += day.toObject().value("today").toBool() ? 1 : 0;
    EXPECT_LE(today, 1);
    const Outcome help = Call({"--help"});
    EXPECT_NE(help.out.find("tavr180 lunation [TEXT] [--calendar SAR|VR|TVG|LDT]"), std::string::npos);
}
