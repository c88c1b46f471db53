// The move steps of all twenty kinds in both directions, the month-end and
// 29 February rules, QLW steps on both sides of 06:00, the range stops, and
// the start and end of a move.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "session/Move.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

// AJD of a civil day and clock time under a zone offset in minutes.
double Ajd(int32_t day, double fraction, int offset = 0) {
    return day + fraction - offset / 1440.0 - 0.5;
}

// 2000-01-01 CE 14:28 at GMT + 01:00.
State Start(int16_t step, bool forward) {
    State state = MakeState(Ajd(kDay2000_01_01, Clock(14, 28), 60), 60, View::Local, kCE);
    state.moveStepIndex = step;
    state.moveForward = forward;
    return state;
}

// The short form of a calendar's row and the time of day after one step.
struct Landing {
    std::string row;
    std::string time;
};
Landing StepAndRead(const State& start, int16_t calendar) {
    const ActionResult r = MoveStep(start);
    EXPECT_EQ(r.kind, ResultKind::Done);
    EXPECT_FALSE(r.message.has_value());
    EXPECT_TRUE(r.tail.has_value());
    if (!r.tail) return {};
    State shown = r.state;
    shown.currentCalendar = kCE; // the clock time, not the QLW time
    return {r.tail->display.rows[static_cast<size_t>(calendar)].shortText, TimeOfMomentText(shown)};
}

struct StepCase {
    int16_t step;
    bool forward;
    int16_t row;          // the row to read
    const char* expected; // its short form after the step
    const char* time;     // the local time after the step
};

} // namespace

TEST(MoveSteps, EveryStepBothDirectionsFromOneMoment) {
    // Start: 2000-01-01 CE 14:28 = 4696-11-25 SAR = 102-25-10-26 VR
    // = 098-09-09-3 LDT = 1-94-08-25 TVG = 4999-10-4-3 QLW.
    const StepCase cases[] = {
        {0, true, kCE, "2000-01-01 CE", "14:29"},       {0, false, kCE, "2000-01-01 CE", "14:27"},
        {1, true, kCE, "2000-01-01 CE", "15:28"},       {1, false, kCE, "2000-01-01 CE", "13:28"},
        {2, true, kCE, "2000-01-02 CE", "14:28"},       {2, false, kCE, "1999-12-31 CE", "14:28"},
        {3, true, kCE, "2000-02-01 CE", "14:28"},       {3, false, kCE, "1999-12-01 CE", "14:28"},
        {4, true, kCE, "2001-01-01 CE", "14:28"},       {4, false, kCE, "1999-01-01 CE", "14:28"},
        {5, true, kCE, "2100-01-01 CE", "14:28"},       {5, false, kCE, "1900-01-01 CE", "14:28"},
        {6, true, kSAR, "4696-12-25 SAR", "14:28"},     {6, false, kSAR, "4696-10-25 SAR", "14:28"},
        {7, true, kSAR, "4697-11-25 SAR", "14:28"},     {7, false, kSAR, "4695-11-25 SAR", "14:28"},
        {8, true, kVR, "102-25-11-26 VR", "14:28"},     {8, false, kVR, "102-25-09-26 VR", "14:28"},
        {9, true, kVR, "102-26-10-26 VR", "14:28"},     {9, false, kVR, "102-24-10-26 VR", "14:28"},
        {10, true, kVR, "103-25-10-26 VR", "14:28"},    {10, false, kVR, "101-25-10-26 VR", "14:28"},
        {11, true, kTVG, "1-94-09-25 TVG", "14:28"},    {11, false, kTVG, "1-94-07-25 TVG", "14:28"},
        {12, true, kTVG, "1-95-08-25 TVG", "14:28"},    {12, false, kTVG, "1-93-08-25 TVG", "14:28"},
        {13, true, kTVG, "2-94-08-25 TVG", "14:28"},    {13, false, kTVG, "0-94-08-25 TVG", "14:28"},
        {14, true, kLDT, "098-10-09-3 LDT", "14:28"},   {14, false, kLDT, "098-08-09-3 LDT", "14:28"},
        {15, true, kLDT, "099-09-09-3 LDT", "14:28"},   {15, false, kLDT, "097-09-09-3 LDT", "14:28"},
        {16, true, kLDT, "1-098-09-09-3 LDT", "14:28"}, {16, false, kLDT, "-1-098-09-09-3 LDT", "14:28"},
        {17, true, kQLW, "4999-11-1-3 QLW", "14:28"},   {17, false, kQLW, "4999-10-3-3 QLW", "14:28"},
        {18, true, kQLW, "4999-11-4-3 QLW", "14:28"},   {18, false, kQLW, "4999-09-4-3 QLW", "14:28"},
        {19, true, kQLW, "5000-10-4-3 QLW", "14:28"},   {19, false, kQLW, "4998-10-4-3 QLW", "14:28"},
    };
    for (const StepCase& c : cases) {
        const std::string what = std::string(MoveStepText(c.step)) + (c.forward ? " forward" : " back");
        const Landing landing = StepAndRead(Start(c.step, c.forward), c.row);
        EXPECT_EQ(landing.row, c.expected) << what;
        EXPECT_EQ(landing.time, c.time) << what;
    }
}

TEST(MoveSteps, CalendarStepsMakeTheirCalendarCurrentAndFillTheEntry) {
    for (int16_t step = 0; step < 20; ++step) {
        const ActionResult r = MoveStep(Start(step, true));
        const int16_t expected = step < 3    ? kCE
                                 : step < 6  ? kCE
                                 : step < 8  ? kSAR
                                 : step < 11 ? kVR
                                 : step < 14 ? kTVG
                                 : step < 17 ? kLDT
                                             : kQLW;
        EXPECT_EQ(r.state.currentCalendar, expected) << MoveStepText(step);
        ASSERT_TRUE(r.tail.has_value());
        // The entry holds the current calendar's date and its time.
        EXPECT_EQ(r.state.entryText.rfind(r.tail->display.historyText, 0), 0u) << MoveStepText(step);
        EXPECT_EQ(r.historyText, r.tail->display.historyText);
        EXPECT_FALSE(r.historyDue) << "a step alone adds no history line";
    }
}

TEST(MoveSteps, CommonEraMonthEndsAndTwentyNinthOfFebruary) {
    struct Case {
        int16_t step;
        bool forward;
        int y, m, d;
        const char* expected;
    };
    const Case cases[] = {
        {3, true, 2023, 1, 31, "2023-02-28 CE"},  {3, false, 2024, 3, 31, "2024-02-29 CE"},
        {3, true, 2024, 1, 31, "2024-02-29 CE"},  {3, true, 2023, 12, 31, "2024-01-31 CE"},
        {3, false, 2024, 1, 15, "2023-12-15 CE"}, {3, true, 2023, 3, 31, "2023-04-30 CE"},
        {4, true, 2024, 2, 29, "2025-02-28 CE"},  {4, false, 2024, 2, 29, "2023-02-28 CE"},
        {5, true, 2000, 2, 29, "2100-02-28 CE"},  {5, false, 2000, 2, 29, "1900-02-28 CE"},
        {5, false, 2400, 2, 29, "2300-02-28 CE"},
    };
    for (const Case& c : cases) {
        EuroDate date{c.y, c.m, c.d, tavr::kLetterCE, 0, 0};
        const int32_t day = tavr::EuroDateToDayNumber(date);
        State state = MakeState(Ajd(day, Clock(21, 5)), 0, View::Local, kSAR);
        state.moveStepIndex = c.step;
        state.moveForward = c.forward;
        const Landing landing = StepAndRead(state, kCE);
        EXPECT_EQ(landing.row, c.expected) << c.y << "-" << c.m << "-" << c.d << " " << MoveStepText(c.step);
        EXPECT_EQ(landing.time, "21:05");
    }
}

TEST(MoveSteps, HourAcrossMidnightChangesTheCivilDate) {
    State state = MakeState(Ajd(kDay2000_01_01, Clock(23, 30), -300), -300, View::Local, kCE);
    state.moveStepIndex = 1;
    const Landing landing = StepAndRead(state, kCE);
    EXPECT_EQ(landing.row, "2000-01-02 CE");
    EXPECT_EQ(landing.time, "00:30");
}

TEST(MoveSteps, QlwStepsKeepTheClockTimeOnBothSidesOfSixOClock) {
    // Every QLW step lands on the stepped QLW date at the same clock time,
    // whether the clock reads before or after 06:00; there and back again
    // returns to the very moment.
    const double times[] = {Clock(0, 0), Clock(3, 15), Clock(5, 59), Clock(6, 0), Clock(6, 1), Clock(18, 40)};
    for (int16_t step : {int16_t{17}, int16_t{18}, int16_t{19}}) {
        for (double t : times) {
            State state = MakeState(Ajd(kDay2000_01_01, t, 120), 120, View::Local, kQLW);
            state.moveStepIndex = step;
            const std::string before = RefreshDisplay(state).rows[kQLW].shortText;
            const std::string clock = TimeOfMomentText(state);
            const ActionResult there = MoveStep(state);
            ASSERT_TRUE(there.tail.has_value());
            EXPECT_EQ(TimeOfMomentText(there.state), clock) << MoveStepText(step) << " at " << t;
            State back = there.state;
            back.moveForward = false;
            const ActionResult again = MoveStep(back);
            ASSERT_TRUE(again.tail.has_value());
            EXPECT_EQ(again.tail->display.rows[kQLW].shortText, before) << MoveStepText(step) << " at " << t;
            EXPECT_NEAR(again.state.dblCurrentAJDate, state.dblCurrentAJDate, 1e-7);
        }
    }
}

TEST(MoveSteps, QlwWeekStepBeforeSixLandsOnTheNextQlwWeek) {
    // 05:30 civil time is still the previous QLW day; a week step moves the
    // QLW date by one week, not by a week less a day.
    State early = MakeState(Ajd(kDay2000_01_01, Clock(5, 30)), 0, View::Local, kQLW);
    State late = MakeState(Ajd(kDay2000_01_01, Clock(6, 30)), 0, View::Local, kQLW);
    early.moveStepIndex = late.moveStepIndex = 17;
    const std::string earlyStart = RefreshDisplay(early).rows[kQLW].shortText;
    const ActionResult e = MoveStep(early);
    const ActionResult l = MoveStep(late);
    ASSERT_TRUE(e.tail && l.tail);
    // Each lands on the week after its own QLW date, same day of the week.
    auto weekOf = [](const std::string& text) { return text.substr(0, text.rfind('-')); };
    auto dayOf = [](const std::string& text) { return text.substr(text.rfind('-') + 1, 1); };
    EXPECT_NE(weekOf(e.tail->display.rows[kQLW].shortText), weekOf(earlyStart));
    EXPECT_EQ(dayOf(e.tail->display.rows[kQLW].shortText), dayOf(earlyStart));
    EXPECT_EQ(TimeOfMomentText(e.state), "23:30"); // 05:30 is 23:30 of the QLW day
    EXPECT_EQ(TimeOfMomentText(l.state), "00:30");
    // Repeated steps do not drift: ten forward and ten back return exactly.
    State s = early;
    for (int i = 0; i < 10; ++i)
        s = MoveStep(s).state;
    s.moveForward = false;
    for (int i = 0; i < 10; ++i)
        s = MoveStep(s).state;
    EXPECT_NEAR(s.dblCurrentAJDate, early.dblCurrentAJDate, 1e-7);
}

TEST(MoveSteps, RangeStopsAfterTheStepIsShown) {
    struct Case {
        double from;
        int16_t step;
        bool forward;
        const char* text; // nullptr: accepted
    };
    const Case cases[] = {
        {tavr::kLatestMoment - 1.0, 2, true, nullptr},           // exactly the latest moment
        {tavr::kLatestMoment, 0, true, "Latest date exceeded."}, // one minute beyond
        {tavr::kLatestMoment - 10.0, 4, true, "Latest date exceeded."},
        {tavr::kEarliestMoment + 1.0, 2, false, nullptr}, // exactly the earliest moment
        {tavr::kEarliestMoment + 0.5 / 24, 1, false, "Earliest date exceeded."},
        {tavr::kEarliestMoment + 10.0, 6, false, "Earliest date exceeded."},
    };
    for (const Case& c : cases) {
        State state = MakeState(c.from, 0, View::Greenwich, kCE);
        state.moveStepIndex = c.step;
        state.moveForward = c.forward;
        const ActionResult r = MoveStep(state);
        ASSERT_TRUE(r.tail.has_value()) << "the step is shown first";
        EXPECT_NE(r.state.dblCurrentAJDate, c.from) << "the moment reached stays current";
        if (!c.text) {
            EXPECT_EQ(r.kind, ResultKind::Done);
            EXPECT_FALSE(r.message.has_value());
            continue;
        }
        EXPECT_EQ(r.kind, ResultKind::OutOfRange);
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(*r.message, (Message{"Out of range", c.text, Icon::Warning, Buttons::Ok}));
        // The Moon of the moment reached is shown, and the move goes no further out.
        EXPECT_FALSE(r.tail->moon.error) << "no second box from the Moon display";
        EXPECT_FALSE(r.tail->moon.phaseLabel.empty()) << c.from;
        EXPECT_FALSE(r.tail->moon.ageLabel.empty()) << c.from;
        const ActionResult further = MoveStep(r.state);
        EXPECT_EQ(further.kind, ResultKind::OutOfRange);
        ASSERT_TRUE(further.message.has_value());
        EXPECT_EQ(further.message->text, c.text);
        EXPECT_EQ(further.state.dblCurrentAJDate, r.state.dblCurrentAJDate);
        State back = r.state;
        back.moveForward = !c.forward;
        EXPECT_EQ(MoveStep(back).kind, ResultKind::Done) << "back towards the range";
    }
    // The longest step, a TVG cycle, from an end still shows its Moon.
    for (bool forward : {true, false}) {
        State state =
            MakeState(forward ? tavr::kLatestMoment : tavr::kEarliestMoment, 0, View::Greenwich, kCE);
        state.moveStepIndex = 13;
        state.moveForward = forward;
        const ActionResult r = MoveStep(state);
        EXPECT_EQ(r.kind, ResultKind::OutOfRange);
        ASSERT_TRUE(r.tail.has_value());
        EXPECT_FALSE(r.tail->moon.phaseLabel.empty()) << forward;
    }
}

TEST(MoveBegin, EntryAndActionText) {
    State state = Start(6, true);
    state.repeatedly = true;
    state.nowMode = true;
    state.displayedEclipseLunation = 1234;
    state.actualEclipseData = "Total solar eclipse";
    ActionResult r = BeginMove(state);
    EXPECT_EQ(r.kind, ResultKind::Done);
    EXPECT_EQ(r.actionText, "Move forward 1 SAR month repeatedly.");
    EXPECT_FALSE(r.state.nowMode);
    EXPECT_EQ(r.state.displayedEclipseLunation, kNoEclipse);
    EXPECT_TRUE(r.state.actualEclipseData.empty());
    EXPECT_EQ(r.state.dblCurrentAJDate, state.dblCurrentAJDate);
    EXPECT_FALSE(r.historyDue);

    state.repeatedly = false;
    state.moveForward = false;
    state.moveStepIndex = 2;
    EXPECT_EQ(BeginMove(state).actionText, "Move back 1 day.");

    // An entered moment becomes current; one within a minute does not.
    state.entryText = "  2010-05-05 CE 10:00 ";
    r = BeginMove(state);
    EXPECT_EQ(r.state.entryText, "2010-05-05 CE 10:00");
    EXPECT_NEAR(r.state.dblCurrentAJDate, Ajd(2455322, Clock(10, 0), 60), 1e-9);
    State near = r.state;
    near.dblCurrentAJDate += 0.0006;
    EXPECT_EQ(BeginMove(near).state.dblCurrentAJDate, near.dblCurrentAJDate);

    // A date typed in another calendar makes it current, also when the
    // moment stays.
    state.entryText = "4696-11-25 SAR 10:00";
    r = BeginMove(state);
    EXPECT_EQ(r.state.currentCalendar, kSAR);
    EXPECT_EQ(EndMove(MoveStep(r.state).state, r.actionText).historyText, "4696-11-24 SAR"); // back 1 day
    State same = r.state;
    same.currentCalendar = kCE;
    EXPECT_EQ(BeginMove(same).state.currentCalendar, kSAR);

    // An entry error refuses the move and moves nothing.
    state.entryText = "2010-13-05 CE";
    r = BeginMove(state);
    EXPECT_EQ(r.kind, ResultKind::Refused);
    ASSERT_TRUE(r.message.has_value());
    EXPECT_EQ(r.message->title, "Invalid date/time entry");
    EXPECT_EQ(r.state.dblCurrentAJDate, state.dblCurrentAJDate);
}

TEST(MoveEnd, OneHistoryLineWithTheActionText) {
    State state = Start(6, true);
    state = MoveStep(state).state;
    const ActionResult end = EndMove(state, "Move forward 1 SAR month.");
    EXPECT_TRUE(end.historyDue);
    EXPECT_EQ(end.historyText, "4696-12-25 SAR");
    EXPECT_EQ(end.eclipseType, 0);
    EXPECT_EQ(end.actionText, "Move forward 1 SAR month.");
    EXPECT_FALSE(end.tail.has_value());
}

TEST(MoveLists, StepTextsIndicesAndPeriods) {
    EXPECT_EQ(MoveStepText(0), "1 minute");
    EXPECT_EQ(MoveStepText(19), "1 QLW year");
    EXPECT_EQ(MoveStepText(20), "");
    EXPECT_EQ(MoveStepIndexOf("1 SAR month"), 6);
    EXPECT_EQ(MoveStepIndexOf("1 sar MONTH"), 6);
    EXPECT_EQ(MoveStepIndexOf("19"), 19);
    EXPECT_EQ(MoveStepIndexOf("0"), 0);
    EXPECT_EQ(MoveStepIndexOf("20"), -1);
    EXPECT_EQ(MoveStepIndexOf("-1"), -1);
    EXPECT_EQ(MoveStepIndexOf("1 week"), -1);
    EXPECT_EQ(RefreshIntervalMs(0), 200);
    EXPECT_EQ(RefreshIntervalMs(2), 1000);
    EXPECT_EQ(RefreshIntervalMs(4), 5000);
    EXPECT_EQ(RefreshIntervalMs(9), 1000);
}
