// The display texts for known moments, the time label, copy-to-entry and the
// row and time-label clicks.
#include <gtest/gtest.h>

#include <cmath>

#include "calendar/QLWC.h"
#include "calendar/Solilunar.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

// The entry keeps hours and minutes; CJD and AJD keep four decimals (8.64 s).
constexpr double kMinute = 1.0 / 1440.0;
constexpr double kFourDecimals = 0.5e-4;
// The time text adds 1e-8 day before cutting the seconds, so an entry may lie that much later.
constexpr double kTimeTextNudge = 2e-8;
// The QLW year -201 opens before the earliest moment; its dates are shown but not accepted.
constexpr double kFirstReadableQlwMoment = 552400.0;

double Ajd(int32_t day, double fraction, int offset = 0) {
    return day + fraction - offset / 1440.0 - 0.5;
}

} // namespace

TEST(Display, NoonOfTheFirstDayOf2000) {
    const State state = MakeState(2451545.0);
    const Display display = RefreshDisplay(state);
    struct Expected {
        int16_t row;
        const char* caption;
        std::string value;
        std::string toolTip;
    };
    const std::string vrMonth(tavr::vr::MonthName(10));
    const Expected rows[] = {
        {kCE, "Common Era:", "2000-01-01 CE (Saturday, January 1, 2000)",
         "The 1st day of January in the year 2000 in the Common Era Calendar"},
        {kJC, "Julian:", "1999-12-19 JC (Saturday, December 19, 1999)",
         "The 19th day of December in the year 1999 in the Julian Calendar"},
        {kSAR, "Sarvenes Calendar:", "4696-11-25 SAR (Mars Day, Dionysus 25,  4696)",
         "The 25th day of Dionysus in the year 4696"},
        {kVR, "Vosko-Rindal Solilunar:", "102-25-10-26 VR (" + vrMonth + " 26, 102-25)",
         "The 26th day of " + vrMonth + " in the year 25, cycle 102"},
        {kLDT, "Lunar Dovrenia Triday:", "098-09-09-3 LDT (Norasday 9 Davithe 98)",
         "Norasday in the 9th triday of Davithe in the year 98"},
        {kTVG, "Tussary-Vosko Goddess", "1-94-08-25 TVG (Saturday, Hathor 25, 1-94)",
         "The 25th day of Hathor in the year 94 of cycle 1"},
        {kCJD, "Chronological Julian date:", "2,451,545.5000 CJD", ""},
        {kAJD, "Astronomical Julian date:", "2,451,545.0000 AJD", ""},
    };
    for (const Expected& row : rows) {
        EXPECT_EQ(display.rows[row.row].caption, row.caption);
        EXPECT_EQ(display.rows[row.row].value, row.value);
        EXPECT_EQ(display.rows[row.row].toolTip, row.toolTip);
    }
    EXPECT_EQ(display.rows[kCE].shortText, "2000-01-01 CE");
    EXPECT_EQ(display.historyText, "2000-01-01 CE");
    EXPECT_EQ(display.dayNumber, kDay2000_01_01);
    EXPECT_EQ(RefreshTimeLabel(state), "12:00 (local=GMT)");

    // The new Moon of 1999-12-07 opened QLW month 10 of year 4999; the last
    // quarter fell on 1999-12-29, so 2000-01-01 is day 3 of week 4.
    const Row& qlw = display.rows[kQLW];
    EXPECT_EQ(qlw.caption, "Quorvane Lunar Week:");
    EXPECT_EQ(qlw.shortText, "4999-10-4-3 QLW");
    const std::string descriptive =
        "Daythree in Weekfour of " + std::string(tavr::qlw::MonthName(10)) + ", 4999";
    EXPECT_EQ(qlw.value, "4999-10-4-3 QLW (" + descriptive + ")");
    EXPECT_EQ(qlw.toolTip, descriptive);
}

TEST(Display, HistoryTextIsTheShortFormOfTheCurrentCalendar) {
    const State base = MakeState(Ajd(kDay2001_12_31, Clock(14, 28), 60), 60, View::Local);
    const char* expected[] = {"2001-12-31 CE",      "2001-12-18 JC",      nullptr, nullptr, nullptr, nullptr,
                              "2,452,275.6028 CJD", "2,452,275.0611 AJD", nullptr};
    for (int16_t calendar = 0; calendar < 9; ++calendar) {
        State state = base;
        state.currentCalendar = calendar;
        const Display display = RefreshDisplay(state);
        EXPECT_EQ(display.historyText, display.rows[calendar].shortText);
        if (expected[calendar]) {
            EXPECT_EQ(display.historyText, expected[calendar]);
        }
        EXPECT_FALSE(display.historyText.empty());
    }
    const Display display = RefreshDisplay(base);
    // 2001-12-31 was a Monday.
    EXPECT_EQ(display.rows[kCE].value, "2001-12-31 CE (Monday, December 31, 2001)");
    EXPECT_EQ(display.rows[kJC].value, "2001-12-18 JC (Monday, December 18, 2001)");
}

TEST(Display, TheEndsOfTheRange) {
    Display display = RefreshDisplay(MakeState(552283.0));
    EXPECT_EQ(display.rows[kCE].value, "-3201-12-31 CE (Friday, December 31, -3201)");
    EXPECT_EQ(display.rows[kAJD].value, "552,283.0000 AJD");
    for (const Row& row : display.rows)
        EXPECT_FALSE(row.value.empty()) << row.caption;
    display = RefreshDisplay(MakeState(3912515.0));
    EXPECT_EQ(display.rows[kCE].value, "6000-01-01 CE (Saturday, January 1, 6000)");
    EXPECT_EQ(display.rows[kCJD].value, "3,912,515.5000 CJD");
    for (const Row& row : display.rows)
        EXPECT_FALSE(row.value.empty()) << row.caption;
}

TEST(Display, TimeLabel) {
    struct Row {
        double ajd;
        int zone;
        View view;
        int16_t calendar;
        const char* text;
    };
    const double t = Ajd(kDay2001_12_31, Clock(14, 28), 60);
    const Row rows[] = {
        {t, 60, View::Local, kCE, "14:28 (local)"},
        {t, 60, View::Greenwich, kCE, "13:28 (GMT)"},
        {t, 60, View::Local, kQLW, "08:28 (local QLW)"},
        {t, 60, View::Greenwich, kQLW, "07:28 (Greenwich QLW)"},
        {Ajd(kDay2001_12_31, Clock(14, 28)), 0, View::Greenwich, kCE, "14:28 (GMT=local)"},
        {Ajd(kDay2001_12_31, Clock(5, 30)), 0, View::Local, kQLW, "23:30 (local QLW)"},
        {Ajd(kDay2001_12_31, Clock(6, 0)), 0, View::Local, kQLW, "00:00 (local QLW)"},
        {Ajd(kDay2001_12_31, Clock(0, 0)), 0, View::Local, kCE, "00:00 (local=GMT)"},
        {Ajd(kDay2001_12_31, Clock(23, 59)), 0, View::Local, kCE, "23:59 (local=GMT)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RefreshTimeLabel(MakeState(row.ajd, row.zone, row.view, row.calendar)), row.text)
            << row.text;

    // In Now mode the label follows the clock, not the moment.
    State now = MakeState(t, -300, View::Greenwich);
    now.nowMode = true;
    EXPECT_EQ(RefreshTimeLabel(now, ClockTime{21, 10}), "02:10 (GMT)");
    now.nowMode = false;
    EXPECT_EQ(RefreshTimeLabel(now, ClockTime{21, 10}), "13:28 (GMT)");
}

TEST(Display, QlwDayBeginsAtSixCivilTime) {
    const State before = MakeState(Ajd(kDay2001_12_31, Clock(5, 30)), 0, View::Local, kQLW);
    const State after = MakeState(Ajd(kDay2001_12_31, Clock(6, 0)), 0, View::Local, kQLW);
    const Display a = RefreshDisplay(before);
    const Display b = RefreshDisplay(after);
    const tavr::qlw::QlwDay previous = tavr::qlw::FromDayNumber(kDay2001_12_31 - 1);
    const tavr::qlw::QlwDay day = tavr::qlw::FromDayNumber(kDay2001_12_31);
    EXPECT_EQ(a.rows[kQLW].shortText, tavr::qlw::Text(previous, tavr::TextForm::Short));
    EXPECT_EQ(b.rows[kQLW].shortText, tavr::qlw::Text(day, tavr::TextForm::Short));
    EXPECT_NE(a.rows[kQLW].shortText, b.rows[kQLW].shortText);
    // The other calendars follow the civil day.
    EXPECT_EQ(a.rows[kCE].shortText, "2001-12-31 CE");
}

TEST(Display, RowAndTimeLabelClicks) {
    State state = MakeState(Ajd(kDay2001_12_31, Clock(14, 28), 60), 60, View::Local, kJC);
    state.entryText = "something typed";

    RowClickResult click = RowClick(state, kCE, 1);
    EXPECT_EQ(click.calendar, kCE);
    EXPECT_TRUE(click.entryChanged);
    EXPECT_EQ(click.entryText, "2001-12-31 CE 14:28");

    // A caption click only changes the current calendar.
    click = RowClick(state, kSAR, 0);
    EXPECT_EQ(click.calendar, kSAR);
    EXPECT_FALSE(click.entryChanged);
    EXPECT_EQ(click.entryText, "something typed");

    // The time label follows the calendar made current.
    click = RowClick(state, kQLW, 0);
    State qlwCurrent = state;
    qlwCurrent.currentCalendar = kQLW;
    EXPECT_EQ(click.timeLabel, RefreshTimeLabel(qlwCurrent));
    EXPECT_EQ(click.timeLabel, "08:28 (local QLW)");
    EXPECT_EQ(RowClick(state, kCE, 0).timeLabel, "14:28 (local)");
    EXPECT_EQ(RowClick(state, 9, 0).timeLabel, RefreshTimeLabel(state)); // no such row: unchanged

    click = RowClick(state, kCJD, 1);
    EXPECT_EQ(click.entryText, "2,452,275.6028 CJD");
    click = RowClick(state, kAJD, 1);
    EXPECT_EQ(click.entryText, "2,452,275.0611 AJD");

    // Clicking the time label again does not add a second time.
    struct Row {
        const char* entry;
        const char* after;
    };
    const Row rows[] = {
        {"2001-12-31 CE 14:28", "2001-12-31 CE 14:28"},
        {"2001-12-31 CE 9:30", "2001-12-31 CE 14:28"},
        {"2001-12-31 CE", "2001-12-31 CE 14:28"},
        {"2001-12-31CE14:28", "2001-12-31CE 14:28"},
        {"  4696 SAR  ", "4696 SAR 14:28"},
        {"ab", "ab"},
        {"", ""},
        {"1:2", " 14:28"},
    };
    for (const Row& row : rows) {
        state.entryText = row.entry;
        EXPECT_EQ(TimeLabelClick(state), row.after) << row.entry;
    }
    state.currentCalendar = kQLW;
    state.entryText = "5002-10-1-1 QLW";
    EXPECT_EQ(TimeLabelClick(state), "5002-10-1-1 QLW 08:28");

    // CopyCurrentDateToEntry is the value click of the current calendar; nothing for others.
    state.currentCalendar = kCE;
    EXPECT_EQ(CopyCurrentDateToEntry(state), "2001-12-31 CE 14:28");
    state.currentCalendar = 9;
    state.entryText = "kept";
    EXPECT_EQ(CopyCurrentDateToEntry(state), "kept");
    EXPECT_TRUE(CaptionHighlighted(MakeState(0, 0, View::Local, kTVG), kTVG));
    EXPECT_FALSE(CaptionHighlighted(MakeState(0, 0, View::Local, kTVG), kCE));
}

TEST(Display, EveryRowCopiedToTheEntryParsesBackToTheMoment) {
    // Moments across the whole range, in turn under several zones and both
    // views: the value click of every row gives an entry that the parser reads
    // back to the same minute (CJD and AJD: to their four decimals).
    const double step = TAVR_FULL_SWEEPS ? 97.3 : 997.3;
    const int zones[] = {0, 60, -210, 720, -720, 330};
    double worst = 0.0;
    int count = 0;
    int turn = 0;
    for (double ajd = kEarliestMoment; ajd <= kLatestMoment; ajd = std::min(ajd + step, kLatestMoment)) {
        for (View view : {View::Local, View::Greenwich}) {
            const int zone = zones[turn++ % 6];
            for (int16_t row = 0; row < 9; ++row) {
                // The QLW year that the range begins in opens before the earliest moment, so its dates
                // are shown but not read back.
                if (row == kQLW && ajd < kFirstReadableQlwMoment) continue;
                const State state = MakeState(ajd, zone, view, row);
                const RowClickResult click = RowClick(state, row, 1);
                const ParseResult parsed = ParseDateEntry(click.entryText, state);
                ++count;
                ASSERT_EQ(parsed.error, EntryError::None)
                    << click.entryText << ": " << EntryErrorText(parsed.error);
                ASSERT_EQ(parsed.calendar, row);
                const double difference = ajd - parsed.moment;
                worst = std::max(worst, std::fabs(difference));
                if (row == kCJD || row == kAJD)
                    ASSERT_NEAR(difference, 0.0, kFourDecimals) << click.entryText;
                else
                    ASSERT_TRUE(difference > -kTimeTextNudge && difference < kMinute) << click.entryText;
            }
        }
        if (ajd == kLatestMoment) break;
    }
    std::printf("%d entries copied and read back; worst difference %.3g days\n", count, worst);
}
