#include <gtest/gtest.h>

#include <cmath>

#include "base/StrProc.h"
#include "session/TimeZone.h"

using namespace tavr::timezone;
using tavr::strproc::MinutesAsWords;

namespace {

// One minute as a fraction of a day; the conversions are exact to far less.
constexpr double kDayTolerance = 1e-9;

} // namespace

TEST(ZoneList, HasFortyNineEntriesInHalfHourSteps) {
    const auto list = ZoneList();
    ASSERT_EQ(list.size(), 49u);
    EXPECT_EQ(list.front(), "GMT - 12:00");
    EXPECT_EQ(list[1], "GMT - 11:30");
    EXPECT_EQ(list[23], "GMT - 00:30");
    EXPECT_EQ(list[kGmtIndex], "GMT");
    EXPECT_EQ(list[25], "GMT + 00:30");
    EXPECT_EQ(list[34], "GMT + 05:00");
    EXPECT_EQ(list[35], "GMT + 05:30");
    EXPECT_EQ(list.back(), "GMT + 12:00");
    EXPECT_EQ(ZoneText(-1), "");
    EXPECT_EQ(ZoneText(49), "");
}

TEST(ZoneList, EveryEntryGivesItsOffsetAndIsFoundAgain) {
    for (int i = 0; i < kZoneCount; ++i) {
        const std::string text = ZoneText(i);
        const int expected = (i - 24) * 30;
        EXPECT_EQ(ZoneMinutes(text), expected) << text;
        EXPECT_EQ(ZoneIndexOfMinutes(expected), i) << text;
        EXPECT_EQ(ParseZoneArgument(text), i) << text;
    }
}

TEST(ZoneMinutes, TextsOutsideTheList) {
    struct Row {
        const char* text;
        int minutes;
    };
    const Row rows[] = {
        {"Greenwich", 0},
        {"GMT", 0},
        {"", 0},
        {"GMT + 05:30", 330},
        {"GMT - 03:30", -210},
        {"GMT - 00:30", -30},
        {"GMT + 99999999999", 32767},
        {"GMT - 99999999999", -32768},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ZoneMinutes(row.text), row.minutes) << row.text;
}

TEST(ZoneArgument, OffsetsAndListTexts) {
    struct Row {
        const char* text;
        int index; // -1: refused
    };
    const Row rows[] = {
        {"GMT", 24},    {"gmt", 24},    {"UTC", 24},    {"0", 24},      {"+00:00", 24},    {"+05:30", 35},
        {"-03:30", 17}, {"+5", 34},     {"-12:00", 0},  {"+12:00", 48}, {"GMT+05:30", 35}, {"gmt - 3:30", 17},
        {"+12:30", -1}, {"+05:15", -1}, {"+05:60", -1}, {"+5:3", -1},   {"abc", -1},       {"", -1},
        {"+", -1},      {"05:30x", -1}, {"+123", -1},   {"-13", -1},
    };
    for (const Row& row : rows) {
        const auto index = ParseZoneArgument(row.text);
        if (row.index < 0)
            EXPECT_FALSE(index.has_value()) << row.text;
        else
            EXPECT_EQ(index, row.index) << row.text;
    }
}

TEST(ZoneJulianDates, ConversionsUnderBothViews) {
    struct Row {
        double ajd;
        int16_t offset;
        View view;
        double cjd;
    };
    const Row rows[] = {
        {2451544.75, 0, View::Local, 2451545.25},
        {2451544.75, 0, View::Greenwich, 2451545.25},
        {2451544.5, 60, View::Local, 2451545.0 + 60.0 / 1440.0},
        {2451544.5, 60, View::Greenwich, 2451545.0},
        {2451544.5, -210, View::Local, 2451545.0 - 210.0 / 1440.0},
        // Just after local midnight east of Greenwich: the civil day is one later than the UT day.
        {2451544.5 - 590.0 / 1440.0, 600, View::Local, 2451545.0 + 10.0 / 1440.0},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(CjdFromAjd(row.ajd, row.offset, row.view), row.cjd, kDayTolerance);
        EXPECT_NEAR(AjdFromCjd(row.cjd, row.offset, row.view), row.ajd, kDayTolerance);
    }
    EXPECT_EQ(std::floor(CjdFromAjd(2451544.5 - 590.0 / 1440.0, 600, View::Local)), 2451545.0);
    EXPECT_EQ(std::floor(CjdFromAjd(2451544.5 - 590.0 / 1440.0, 600, View::Greenwich)), 2451544.0);
}

TEST(ZoneChange, KeepsTheLocalClockAndMovesTheMoment) {
    // Noon local at GMT+01:00 on 2000-01-01 is 11:00 UT.
    const double noonAtPlusOne = AjdFromCjd(2451545.5, 60, View::Local);
    struct Row {
        int16_t from, to;
        double shiftHours; // change of the AJD
    };
    const Row rows[] = {
        {60, 180, -2.0}, {60, 120, -1.0}, {0, -300, 5.0}, {-720, 720, -24.0}, {330, 330, 0.0},
    };
    for (const Row& row : rows) {
        const ZoneChange change = ChangeZone(noonAtPlusOne, row.from, row.to);
        EXPECT_EQ(change.zoneOffset, row.to);
        EXPECT_EQ(change.moved, row.from != row.to);
        EXPECT_NEAR(change.ajd - noonAtPlusOne, row.shiftHours / 24.0, kDayTolerance);
        // The local clock time shown stays the same.
        const double before = CjdFromAjd(noonAtPlusOne, row.from, View::Local);
        const double after = CjdFromAjd(change.ajd, row.to, View::Local);
        EXPECT_NEAR(after, before, kDayTolerance);
    }
    // The view does not matter to the change itself, and a switch of view never moves the moment.
    EXPECT_EQ(ChangeZone(noonAtPlusOne, 60, 60).ajd, noonAtPlusOne);
}

TEST(ZoneDeltaTWords, RoundingAndWording) {
    struct Row {
        double minutes;
        const char* text;
    };
    const Row rows[] = {
        {69.4, "1 hour and 9 minutes"},
        {59.6, "1 hour"},
        {68.5, "1 hour and 8 minutes"},
        {69.5, "1 hour and 10 minutes"},
        {1500, "More than 24 hours"},
        {1440, "More than 24 hours"},
        {0.4, "0 minutes"},
        {0.5, "0 minutes"},
        {1.5, "2 minutes"},
        {-3.0, "0 minutes"},
        {1.0, "1 minute"},
        {61.0, "1 hour and 1 minute"},
        {120.0, "2 hours"},
        {1343.7, "22 hours and 24 minutes"},
        {1439.4, "23 hours and 59 minutes"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DeltaTWords(row.minutes), row.text) << row.minutes;
}

TEST(ZoneDeltaTWords, GeneralFormatterWithDays) {
    EXPECT_EQ(MinutesAsWords(1440), "1 day");
    EXPECT_EQ(MinutesAsWords(1441), "1 day and 1 minute");
    EXPECT_EQ(MinutesAsWords(2 * 1440 + 125), "2 days, 2 hours and 5 minutes");
    EXPECT_EQ(MinutesAsWords(1440 + 60), "1 day and 1 hour");
    EXPECT_EQ(MinutesAsWords(0), "0 minutes");
}

TEST(ZoneTimeLabel, NowModeClockAndSuffix) {
    struct Row {
        int hour, minute;
        View view;
        int16_t offset;
        bool qlw;
        const char* text;
    };
    const Row rows[] = {
        {14, 28, View::Local, 60, false, "14:28 (local)"},
        {14, 28, View::Greenwich, 60, false, "13:28 (GMT)"},
        {14, 28, View::Greenwich, 0, false, "14:28 (GMT=local)"},
        {14, 28, View::Local, 0, false, "14:28 (local=GMT)"},
        // GMT - 05:00 in the Greenwich view: clock time plus 5 hours, past midnight.
        {21, 10, View::Greenwich, -300, false, "02:10 (GMT)"},
        {0, 15, View::Greenwich, 330, false, "18:45 (GMT)"},
        {5, 30, View::Local, 0, true, "23:30 (local QLW)"},
        {6, 0, View::Local, 60, true, "00:00 (local QLW)"},
        {7, 5, View::Greenwich, 60, true, "00:05 (Greenwich QLW)"},
        {9, 5, View::Greenwich, 0, true, "03:05 (Greenwich QLW)"},
    };
    for (const Row& row : rows) {
        const std::string text = NowClockText(row.hour, row.minute, row.view, row.offset, row.qlw) +
                                 TimeLabelSuffix(row.qlw, row.view, row.offset);
        EXPECT_EQ(text, row.text);
    }
}
