// Convert, the range check, the day count and the action texts; the view
// switch, the zone change and Now.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

constexpr double kMomentTolerance = 1e-8;

double Ajd(int32_t day, double fraction, int offset = 0) {
    return day + fraction - offset / 1440.0 - 0.5;
}

// The shortest text that reads back as exactly `value`.
std::string Exact(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

const Message kEarlier{"Date out of range", "Resultng date is earlier than -3200-01-01 CE.", Icon::Warning,
                       Buttons::Ok};
const Message kLater{"Date out of range", "Resulting date is later than 6000-01-01 CE.", Icon::Warning,
                     Buttons::Ok};

// Everything a refusal must leave alone.
void ExpectUnchanged(const State& before, const State& after, const std::string& what) {
    EXPECT_EQ(after.dblCurrentAJDate, before.dblCurrentAJDate) << what;
    EXPECT_EQ(after.currentCalendar, before.currentCalendar) << what;
    EXPECT_EQ(after.zoneIndex, before.zoneIndex) << what;
    EXPECT_EQ(after.zoneOffset, before.zoneOffset) << what;
    EXPECT_EQ(after.view, before.view) << what;
    EXPECT_EQ(after.nowMode, before.nowMode) << what;
    EXPECT_EQ(after.plusSelected, before.plusSelected) << what;
    EXPECT_EQ(after.displayedEclipseLunation, before.displayedEclipseLunation) << what;
    EXPECT_EQ(after.actualEclipseData, before.actualEclipseData) << what;
}

State Typed(const std::string& entry, const std::string& dayCount = "", bool plus = true) {
    State state = MakeState(2451545.0, 60, View::Local, kCE);
    state.nowMode = true;
    state.displayedEclipseLunation = 1234;
    state.actualEclipseData = "Total solar eclipse";
    state.entryText = entry;
    state.dayCountText = dayCount;
    state.plusSelected = plus;
    return state;
}

} // namespace

TEST(EngineConvert, RangeLimitsExactlyAndOneStepBeyond) {
    struct Row {
        std::string entry;
        std::string dayCount;
        bool plus;
        const Message* refusal; // nullptr: accepted
        double ajd;
    };
    const double below = std::nextafter(kEarliestMoment, 0.0);
    const double above = std::nextafter(kLatestMoment, 1e9);
    const Row rows[] = {
        {"552283 AJD", "", true, nullptr, 552283.0},
        {"552,283.0 AJD", "", true, nullptr, 552283.0},
        {Exact(below) + " AJD", "", true, nullptr, 552283.0}, // within the rows' rounding
        {"552282.9999 AJD", "", true, &kEarlier, 0},
        {"3912515 AJD", "", true, nullptr, 3912515.0},
        {Exact(above) + " AJD", "", true, nullptr, 3912515.0},
        {"3912515.0001 AJD", "", true, &kLater, 0},
        {"-3201-12-31 CE 13:00", "", true, nullptr, 552283.0}, // GMT+01:00 local
        {"-3201-12-31 CE 12:59", "", true, &kEarlier, 0},
        {"6000-01-01 CE 13:00", "", true, nullptr, 3912515.0},
        {"6000-01-01 CE 13:01", "", true, &kLater, 0},
        {"552284 AJD", "1", false, nullptr, 552283.0},
        {"552284 AJD", "1.000001", false, &kEarlier, 0},
        {"3912514 AJD", "+1", true, nullptr, 3912515.0},
        {"3912514 AJD", "-1", false, nullptr, 3912515.0},
        {"3912514 AJD", "1,000,000", true, &kLater, 0},
        {"1 AJD", "", true, &kEarlier, 0},
        {"1" + std::string(400, '0') + " AJD", "", true, &kLater, 0},
        {"-1 AJD", "", true, &kEarlier, 0},
    };
    for (const Row& row : rows) {
        const State before = Typed(row.entry, row.dayCount, row.plus);
        const ActionResult result = Convert(before);
        if (row.refusal) {
            EXPECT_FALSE(result.historyDue) << row.entry;
            ASSERT_TRUE(result.message.has_value()) << row.entry;
            EXPECT_EQ(*result.message, *row.refusal) << row.entry;
            EXPECT_FALSE(result.focusEntry) << row.entry;
            ExpectUnchanged(before, result.state, row.entry);
        } else {
            EXPECT_TRUE(result.historyDue) << row.entry;
            EXPECT_EQ(result.kind, ResultKind::Done) << row.entry;
            ASSERT_TRUE(result.tail.has_value()) << row.entry;
            EXPECT_EQ(result.historyText, result.tail->display.historyText) << row.entry;
            EXPECT_FALSE(result.message.has_value()) << row.entry;
            EXPECT_NEAR(result.state.dblCurrentAJDate, row.ajd, kMomentTolerance) << row.entry;
        }
    }
    EXPECT_FALSE(RangeCheck(kEarliestMoment).has_value());
    EXPECT_FALSE(RangeCheck(kLatestMoment).has_value());
    EXPECT_EQ(RangeCheck(below), kEarlier);
    EXPECT_EQ(RangeCheck(above), kLater);
    EXPECT_EQ(RangeCheck(std::numeric_limits<double>::quiet_NaN()), kEarlier);
    EXPECT_EQ(RangeCheck(std::numeric_limits<double>::infinity()), kLater);
}

TEST(EngineConvert, DayCountsAndActionTexts) {
    struct Row {
        const char* count;
        bool plus;
        int error;   // 0: converted
        double days; // added to the entered moment
        const char* action;
    };
    const Row rows[] = {
        {"", true, 0, 0, "Convert date"},
        {"  ", true, 0, 0, "Convert date"},
        {"+1,000", true, 0, 1000, "Convert date plus +1,000 days"},
        {"1", true, 0, 1, "Convert date plus 1 day"},
        {"1.0", true, 0, 1, "Convert date plus 1.0 day"},
        {"-1", true, 0, -1, "Convert date plus -1 day"},
        {"2", true, 0, 2, "Convert date plus 2 days"},
        {"-5", true, 0, -5, "Convert date plus -5 days"},
        {"5", false, 0, -5, "Convert date minus 5 days"},
        {" 0.5 ", false, 0, -0.5, "Convert date minus 0.5 days"},
        {"0", true, 0, 0, "Convert date plus 0 days"},
        {"1-2", true, 14, 0, nullptr},
        {"5+", true, 14, 0, nullptr},
        {"1.2.3", true, 14, 0, nullptr},
        {"abc", true, 14, 0, nullptr},
        {"+-1", true, 14, 0, nullptr},
        {"1 000", true, 14, 0, nullptr},
    };
    const double entered = Ajd(kDay2001_12_31, Clock(14, 28), 60);
    for (const Row& row : rows) {
        const State before = Typed("2001-12-31 ce 14:28", row.count, row.plus);
        const ActionResult result = Convert(before);
        if (row.error) {
            EXPECT_EQ(result.errorCode, row.error) << row.count;
            ASSERT_TRUE(result.message.has_value());
            EXPECT_EQ(*result.message, ShowEntryError(row.error));
            EXPECT_TRUE(result.focusEntry);
            // The entry is not parsed, so it is not normalised either.
            EXPECT_EQ(result.state.entryText, "2001-12-31 ce 14:28");
            ExpectUnchanged(before, result.state, row.count);
            continue;
        }
        ASSERT_TRUE(result.historyDue) << row.count;
        EXPECT_NEAR(result.state.dblCurrentAJDate, entered + row.days, kMomentTolerance) << row.count;
        EXPECT_EQ(result.actionText, row.action);
        EXPECT_EQ(ConvertActionText(row.count, row.plus), row.action);
    }
}

TEST(EngineConvert, CommitMakesTheEnteredCalendarCurrent) {
    const State before = Typed("2001-12-31 jc 9:05");
    const ActionResult result = Convert(before);
    ASSERT_TRUE(result.historyDue);
    EXPECT_TRUE(result.tail.has_value());
    const State& after = result.state;
    EXPECT_EQ(after.currentCalendar, kJC);
    EXPECT_NEAR(after.dblCurrentAJDate, Ajd(kDay2001_12_31 + 13, Clock(9, 5), 60), kMomentTolerance);
    EXPECT_FALSE(after.nowMode);
    EXPECT_EQ(after.displayedEclipseLunation, kNoEclipse);
    EXPECT_EQ(after.actualEclipseData, "");
    EXPECT_EQ(after.entryText, "2001-12-31 JC 09:05");
    EXPECT_EQ(result.historyText, "2001-12-31 JC");
    EXPECT_EQ(result.tail->display.rows[kJC].value, "2001-12-31 JC (Sunday, December 31, 2001)");
    EXPECT_EQ(result.tail->display.rows[kCE].value, "2002-01-13 CE (Sunday, January 13, 2002)");
    EXPECT_EQ(result.tail->timeLabel, "09:05 (local)");
    EXPECT_EQ(result.actionText, "Convert date");

    // A CJD entry: the entry shows the grouped number afterwards.
    const ActionResult cjd = Convert(Typed("2452275.6028cjd"));
    ASSERT_TRUE(cjd.historyDue);
    EXPECT_EQ(cjd.state.currentCalendar, kCJD);
    EXPECT_EQ(cjd.state.entryText, "2,452,275.6028 CJD");
    EXPECT_EQ(cjd.historyText, "2,452,275.6028 CJD");
}

TEST(EngineConvert, RefusalsChangeNothingButTheNormalisedEntry) {
    struct Row {
        const char* entry;
        const char* dayCount;
        int error;       // entry error code, 0 for the other refusals
        const char* box; // entry text afterwards
        const char* title;
        const char* text;
    };
    const Row rows[] = {
        {"", "", 19, "", "Invalid date/time entry", "No date given."},
        {"   ", "5", 19, "", "Invalid date/time entry", "No date given."},
        {"2001-12-31 14:28", "", 2, "2001-12-31 14:28", "Invalid date/time entry",
         "Calendar must be specified (one of CE, JC, SAR, VR, LDT, QLW, CJD and AJD)."},
        {" 2001-12-31 ce 24:00 ", "", 4, "2001-12-31 CE 24:00", "Invalid date/time entry",
         "Invalid time specification.  Times must be, e.g., 23:50."},
        {"2001-02-29", "", 6, "2001-02-29 CE", "Invalid date/time entry",
         "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day"},
        // The current moment entered again, without a day count.
        {"2000-01-01 ce 13:00", "", 0, "2000-01-01 CE 13:00", "Compute date", "Nothing to do!"},
        {"2451545 AJD", "", 0, "2451545 AJD", "Compute date", "Nothing to do!"},
        {"99999 AJD", "", 0, "99999 AJD", "Date out of range",
         "Resultng date is earlier than -3200-01-01 CE."},
    };
    for (const Row& row : rows) {
        const State before = Typed(row.entry, row.dayCount);
        const ActionResult result = Convert(before);
        EXPECT_FALSE(result.historyDue) << row.entry;
        EXPECT_FALSE(result.tail.has_value()) << row.entry;
        EXPECT_EQ(result.errorCode, row.error) << row.entry;
        EXPECT_EQ(result.kind, std::string(row.title) == "Date out of range" ? ResultKind::OutOfRange
                                                                             : ResultKind::Refused)
            << row.entry;
        EXPECT_EQ(result.focusEntry, row.error != 0) << row.entry;
        ASSERT_TRUE(result.message.has_value()) << row.entry;
        EXPECT_EQ(result.message->title, row.title) << row.entry;
        EXPECT_EQ(result.message->text, row.text) << row.entry;
        EXPECT_EQ(result.message->icon, Icon::Warning);
        EXPECT_EQ(result.state.entryText, row.box) << row.entry;
        ExpectUnchanged(before, result.state, row.entry);
    }
    // With a day count of 0 the same entry converts.
    const ActionResult zero = Convert(Typed("2000-01-01 CE 13:00", "0"));
    EXPECT_TRUE(zero.historyDue);
    EXPECT_EQ(zero.state.dblCurrentAJDate, 2451545.0);
}

TEST(EngineConvert, GreenwichLocalSwitchNeverMovesTheMoment) {
    const State local = MakeState(Ajd(kDay2001_12_31, Clock(0, 30), 120), 120, View::Local);
    const ActionResult result = SwitchView(local, View::Greenwich);
    EXPECT_TRUE(result.tail.has_value());
    EXPECT_FALSE(result.historyDue);
    EXPECT_EQ(result.state.dblCurrentAJDate, local.dblCurrentAJDate);
    EXPECT_EQ(result.state.view, View::Greenwich);
    EXPECT_EQ(result.tail->display.rows[kAJD].value, RefreshDisplay(local).rows[kAJD].value);
    // 00:30 local at GMT+02:00 is 22:30 of the day before at Greenwich.
    EXPECT_EQ(result.tail->display.rows[kCE].shortText, "2001-12-30 CE");
    EXPECT_EQ(result.tail->timeLabel, "22:30 (GMT)");
    const ActionResult back = SwitchView(result.state, View::Local);
    EXPECT_EQ(back.tail->display.rows[kCE].shortText, "2001-12-31 CE");
    EXPECT_EQ(back.state.dblCurrentAJDate, local.dblCurrentAJDate);

    State history = local;
    history.fromHistory = true;
    const ActionResult quiet = SwitchView(history, View::Greenwich);
    EXPECT_FALSE(quiet.tail.has_value());
    EXPECT_EQ(quiet.state.view, View::Greenwich);
}

TEST(EngineConvert, ZoneChangeKeepsTheClockTimeAndMovesTheMoment) {
    struct Row {
        int from, to;
        View view;
        double shiftHours;
        const char* time;
    };
    const Row rows[] = {
        {60, 180, View::Local, -2, "12:00 (local)"},   {60, 120, View::Local, -1, "12:00 (local)"},
        {0, -300, View::Local, 5, "12:00 (local)"},    {60, 0, View::Local, 1, "12:00 (local=GMT)"},
        {60, 180, View::Greenwich, -2, "09:00 (GMT)"}, {120, 120, View::Local, 0, "12:00 (local)"},
    };
    for (const Row& row : rows) {
        State state = MakeState(Ajd(kDay2001_12_31, 0.5, row.from), row.from, row.view);
        state.actualEclipseData = "eclipse";
        const ActionResult result = ChangeZone(state, tavr::timezone::ZoneIndexOfMinutes(row.to));
        EXPECT_TRUE(result.historyDue);
        EXPECT_EQ(result.actionText, "Timezone changed.");
        EXPECT_EQ(result.state.zoneOffset, row.to);
        EXPECT_EQ(result.state.actualEclipseData, "");
        EXPECT_NEAR(result.state.dblCurrentAJDate - state.dblCurrentAJDate, row.shiftHours / 24.0,
                    kMomentTolerance);
        EXPECT_EQ(result.tail->timeLabel, row.time);
    }
    // Restored zone GMT+01:00 and 12:00 local; GMT+02:00 still shows 12:00, one hour earlier.
    const State restored = MakeState(Ajd(kDay2000_01_01, 0.5, 60), 60, View::Local);
    const ActionResult result = ChangeZone(restored, tavr::timezone::ZoneIndexOfMinutes(120));
    EXPECT_EQ(result.tail->display.rows[kCE].shortText, "2000-01-01 CE");
    EXPECT_EQ(result.tail->timeLabel, "12:00 (local)");
    EXPECT_NEAR(result.state.dblCurrentAJDate, restored.dblCurrentAJDate - 1.0 / 24.0, kMomentTolerance);
    // A list index outside the list changes nothing.
    EXPECT_FALSE(ChangeZone(restored, 49).historyDue);
    EXPECT_EQ(ChangeZone(restored, -1).state.dblCurrentAJDate, restored.dblCurrentAJDate);
}

TEST(EngineConvert, JulianDateRowsAtTheRangeEndsReadBack) {
    // The rows show four decimals: copied at an end, they read back at that end.
    for (int zone : {330, -570, 0, 720}) {
        for (double end : {kEarliestMoment, kLatestMoment}) {
            for (int16_t calendar : {kCJD, kAJD}) {
                State state = MakeState(end, zone, View::Local, calendar);
                state.entryText = CopyCurrentDateToEntry(state);
                state.dblCurrentAJDate = 2451545.0;
                const ActionResult r = Convert(state);
                EXPECT_EQ(r.kind, ResultKind::Done) << state.entryText;
                EXPECT_NEAR(r.state.dblCurrentAJDate, end, 0.00005) << state.entryText;
                EXPECT_FALSE(RangeCheck(r.state.dblCurrentAJDate).has_value()) << state.entryText;
            }
        }
    }
    // Half a last decimal beyond is still the end; more is refused.
    EXPECT_EQ(Convert(Typed("3,912,515.00005 AJD")).state.dblCurrentAJDate, kLatestMoment);
    EXPECT_EQ(Convert(Typed("552,282.99995 AJD")).state.dblCurrentAJDate, kEarliestMoment);
    EXPECT_EQ(Convert(Typed("3,912,515.0001 AJD")).message, kLater);
    EXPECT_EQ(Convert(Typed("552,282.9999 AJD")).message, kEarlier);
}

TEST(EngineConvert, NowAndItsClock) {
    State state = Typed("2001-12-31 CE", "5");
    state.nowMode = false;
    const double now = Ajd(kDay2001_12_31, Clock(21, 10), -300);
    const ActionResult click = NowClick(state, now, ClockTime{21, 10});
    EXPECT_TRUE(click.historyDue);
    EXPECT_EQ(click.actionText, "Now");
    EXPECT_TRUE(click.state.nowMode);
    EXPECT_EQ(click.state.entryText, "");
    EXPECT_EQ(click.state.dayCountText, "");
    EXPECT_EQ(click.state.displayedEclipseLunation, kNoEclipse);
    EXPECT_EQ(click.state.actualEclipseData, "");
    EXPECT_EQ(click.state.dblCurrentAJDate, now);
    // No eclipse is on display after Now: the saros target becomes any eclipse.
    for (int16_t target : {0, 6, 11, 13, 15}) {
        State withTarget = state;
        withTarget.targetIndex = target;
        EXPECT_EQ(NowClick(withTarget, now).state.targetIndex, target == 13 ? 6 : target) << target;
    }

    State greenwich = click.state;
    greenwich.zoneIndex = tavr::timezone::ZoneIndexOfMinutes(-300);
    greenwich.zoneOffset = -300;
    greenwich.view = View::Greenwich;
    const ActionResult tick = SetToNow(greenwich, now + 5.0 / 86400.0, ClockTime{21, 10});
    EXPECT_FALSE(tick.historyDue);
    EXPECT_TRUE(tick.tail.has_value());
    EXPECT_EQ(tick.tail->timeLabel, "02:10 (GMT)");
}
