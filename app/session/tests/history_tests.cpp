// The history list: the line format, the limit of eight, duplicates, and the
// choice of a line, which brings back the moment, calendar, view, zone and
// eclipse details of the result that made it.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/Lunar.h"
#include "session/History.h"
#include "session/Search.h"
#include "session/TimeZone.h"

#include "session/tests/SessionTestSupport.h"

namespace tavr::session {
namespace {

using testing::MakeState;

// Converts `entry` in `state` and records the result as the window does.
State ConvertAndRecord(State state, const std::string& entry, std::string* line = nullptr) {
    state.entryText = entry;
    state.dayCountText.clear();
    const ActionResult result = Convert(state);
    EXPECT_EQ(result.kind, ResultKind::Done) << entry;
    if (!result.tail) return state;
    State after = result.state;
    const std::string added = AddHistoryEntry(after, result.historyText, result.tail->timeLabel, 0);
    if (line) *line = added;
    return after;
}

TEST(History, LineFormat) {
    struct Case {
        int zoneMinutes;
        View view;
        const char* entry;
        const char* line;
    };
    const Case cases[] = {
        {60, View::Local, "2001-12-31 CE 14:28", "2001-12-31 CE 14:28 (local = GMT+01:00)"},
        {0, View::Greenwich, "2,455,901.42 CJD", "2,455,901.4200 CJD (Greenwich; local = GMT)"},
        {-330, View::Local, "2,451,546 AJD", "2,451,546.0000 AJD (local = GMT-05:30)"},
        {330, View::Greenwich, "2001-12-18 JC 23:59", "2001-12-18 JC 23:59 (Greenwich; local = GMT+05:30)"},
    };
    for (const Case& c : cases) {
        std::string line;
        ConvertAndRecord(MakeState(2451545.0, c.zoneMinutes, c.view), c.entry, &line);
        EXPECT_EQ(line, c.line);
    }
}

TEST(History, KeepsTheEightNewestAndNoRepeats) {
    State state = MakeState();
    std::vector<std::string> lines;
    for (int day = 1; day <= 9; ++day) {
        std::string line;
        state = ConvertAndRecord(state, "2001-01-0" + std::to_string(day) + " CE 10:00", &line);
        lines.push_back(line);
        EXPECT_EQ(state.historySelected, static_cast<int16_t>(state.history.size() - 1));
    }
    ASSERT_EQ(state.history.size(), 8u);
    EXPECT_EQ(state.history.front().text, lines[1]);
    EXPECT_EQ(state.history.back().text, lines[8]);

    // The same result again adds nothing and gives no heading for the log.
    const size_t before = state.history.size();
    EXPECT_EQ(AddHistoryEntry(state, "2001-01-09 CE", "10:00 (local=GMT)", 0), "");
    EXPECT_EQ(state.history.size(), before);
    // The same date with a day count of 0: the convert runs, the line is a repeat.
    state.entryText = "2001-01-09 CE 10:00";
    state.dayCountText = "0";
    const ActionResult zero = Convert(state);
    ASSERT_TRUE(zero.historyDue);
    EXPECT_EQ(AddHistoryEntry(state, zero.historyText, zero.tail->timeLabel, 0), "");
}

TEST(History, ZoneOfALine) {
    const std::pair<const char*, int> cases[] = {
        {"2001-12-31 CE 14:28 (local = GMT+01:00)", 60},
        {"x (local = GMT-05:30)", -330},
        {"x (Greenwich; local = GMT)", 0},
        {"x (local = GMT+12:00)", 720},
        {"x (local = GMT-12:00)", -720},
        {"no zone", 0},
        {"x (local = GMT+24:00)", 1440},
        {"x (local = GMT+551:00)", 0},
        {"x (local = GMT-99999999999:00)", 0},
    };
    for (const auto& [line, minutes] : cases)
        EXPECT_EQ(ZoneOffsetOfLine(line), minutes) << line;
}

// A line chosen later brings back exactly what was shown.
TEST(History, ChoosingALineRestoresTheResult) {
    struct Case {
        int zoneMinutes;
        View view;
        const char* entry;
    };
    const Case cases[] = {
        {60, View::Local, "2001-12-31 CE 14:28"},        {330, View::Local, "102-25-10-26 VR 14:28"},
        {-300, View::Greenwich, "1-94-08-25 TVG 03:05"}, {0, View::Local, "2001-12-4-3 QLW 20:00"},
        {-720, View::Local, "2,452,275.25 CJD"},         {720, View::Greenwich, "-3200-01-01 CE 12:00"},
    };
    for (const Case& c : cases) {
        State state = ConvertAndRecord(MakeState(2451545.0, c.zoneMinutes, c.view), c.entry);
        const State shown = state;
        // Elsewhere since: another moment, calendar, zone and view, in Now mode.
        state.zoneIndex = timezone::kGmtIndex;
        state.zoneOffset = 0;
        state.view = c.view == View::Local ? View::Greenwich : View::Local;
        state = ConvertAndRecord(state, "1999-05-05 JC 01:01");
        state.nowMode = true;
        state.entryText = "typed";
        state.dayCountText = "3";

        const ActionResult back = SelectFromHistory(state, 0);
        ASSERT_EQ(back.kind, ResultKind::Done) << c.entry;
        EXPECT_FALSE(back.message) << c.entry;
        EXPECT_DOUBLE_EQ(back.state.dblCurrentAJDate, shown.dblCurrentAJDate) << c.entry;
        EXPECT_EQ(back.state.currentCalendar, shown.currentCalendar) << c.entry;
        EXPECT_EQ(back.state.view, c.view) << c.entry;
        EXPECT_EQ(back.state.zoneIndex, timezone::ZoneIndexOfMinutes(c.zoneMinutes)) << c.entry;
        EXPECT_EQ(back.state.zoneOffset, c.zoneMinutes) << c.entry;
        EXPECT_EQ(back.state.historySelected, 0);
        EXPECT_FALSE(back.state.nowMode);
        EXPECT_FALSE(back.state.fromHistory);
        EXPECT_EQ(back.state.entryText, "");
        EXPECT_EQ(back.state.dayCountText, "");
        // The log receives the line itself; no new line is due.
        EXPECT_FALSE(back.historyDue);
        EXPECT_EQ(back.logHeading, shown.history.back().text);
        EXPECT_EQ(back.actionText, "Selection from history");
        ASSERT_TRUE(back.tail);
        EXPECT_EQ(back.tail->display.historyText,
                  back.state.history[0].text.substr(0, back.tail->display.historyText.size()));

        // The line on display again: nothing at all.
        const ActionResult again = SelectFromHistory(back.state, 0);
        EXPECT_EQ(again.kind, ResultKind::Unchanged);
        EXPECT_FALSE(again.tail);
        EXPECT_TRUE(again.logHeading.empty());
    }
}

TEST(History, ALineThatDoesNotParseChangesNothing) {
    State state = ConvertAndRecord(MakeState(2451545.0, 60), "2001-12-31 CE 14:28");
    state.history.insert(state.history.begin(),
                         HistoryLine{"2001.12.31 CE 14:28 (Greenwich; local = GMT+05:30)", 0});
    state.historySelected = 1;
    const ActionResult result = SelectFromHistory(state, 0);
    EXPECT_EQ(result.kind, ResultKind::Refused);
    ASSERT_TRUE(result.message);
    EXPECT_EQ(result.message->title, "Error");
    EXPECT_EQ(result.message->text, "Error 5 when selecting from History.");
    EXPECT_EQ(result.message->icon, Icon::Warning);
    EXPECT_EQ(result.state.dblCurrentAJDate, state.dblCurrentAJDate);
    EXPECT_EQ(result.state.zoneIndex, state.zoneIndex);
    EXPECT_EQ(result.state.view, state.view);
    EXPECT_EQ(result.state.historySelected, 1);
    EXPECT_FALSE(result.state.fromHistory);
    EXPECT_TRUE(result.logHeading.empty());
    // Indexes outside the list do nothing.
    EXPECT_EQ(SelectFromHistory(state, 7).kind, ResultKind::Unchanged);
    EXPECT_EQ(SelectFromHistory(state, -1).kind, ResultKind::Unchanged);
}

// A line whose moment lies outside the range is refused like any such result.
TEST(History, ALineOutsideTheRangeChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"9.0000 AJD (local = GMT)", "Resultng date is earlier than -3200-01-01 CE."},
        {"552,282.0000 AJD (Greenwich; local = GMT+05:30)", "Resultng date is earlier than -3200-01-01 CE."},
        {"3,912,516.0000 AJD (local = GMT)", "Resulting date is later than 6000-01-01 CE."},
        {"99,999,999.5000 CJD (local = GMT-12:00)", "Resulting date is later than 6000-01-01 CE."},
    };
    for (const auto& [line, text] : cases) {
        State state = ConvertAndRecord(MakeState(2451545.0, 60), "2001-12-31 CE 14:28");
        state.history.insert(state.history.begin(), HistoryLine{line, 0});
        state.historySelected = 1;
        const ActionResult result = SelectFromHistory(state, 0);
        EXPECT_EQ(result.kind, ResultKind::OutOfRange) << line;
        ASSERT_TRUE(result.message) << line;
        EXPECT_EQ(result.message->title, "Date out of range");
        EXPECT_EQ(result.message->text, text);
        EXPECT_EQ(result.state.dblCurrentAJDate, state.dblCurrentAJDate) << line;
        EXPECT_EQ(result.state.currentCalendar, state.currentCalendar) << line;
        EXPECT_EQ(result.state.zoneIndex, state.zoneIndex) << line;
        EXPECT_EQ(result.state.view, state.view) << line;
        EXPECT_EQ(result.state.historySelected, 1) << line;
        EXPECT_FALSE(result.tail) << line;
        EXPECT_TRUE(result.logHeading.empty()) << line;
    }
}

// A result at an end of the range reads back from its line a few seconds
// beyond it (the line holds 4 decimals); it comes back at that end.
TEST(History, AResultAtAnEndOfTheRangeComesBack) {
    struct Case {
        double moment;
        int zoneMinutes;
        int16_t calendar;
    };
    const Case cases[] = {
        {kEarliestMoment, -600, kCJD}, {kEarliestMoment, 0, kAJD},  {kLatestMoment, 330, kCJD},
        {kLatestMoment, -720, kCE},    {kEarliestMoment, 720, kJC},
    };
    for (const Case& c : cases) {
        State shown = MakeState(c.moment, c.zoneMinutes, View::Local, c.calendar);
        const Tail tail = ComputeTail(shown);
        State state = shown;
        const std::string line = AddHistoryEntry(state, tail.display.historyText, tail.timeLabel, 0);
        state.dblCurrentAJDate = 2451545.0;
        state.historySelected = -1;
        const ActionResult back = SelectFromHistory(state, 0);
        ASSERT_EQ(back.kind, ResultKind::Done) << line;
        EXPECT_NEAR(back.state.dblCurrentAJDate, c.moment, 1.0 / 1440.0) << line;
        EXPECT_GE(back.state.dblCurrentAJDate, kEarliestMoment) << line;
        EXPECT_LE(back.state.dblCurrentAJDate, kLatestMoment) << line;
    }
}

// The first lunation with an eclipse of each kind from lunation `start` on.
bool FindEclipse(int32_t start, bool lunarKind, int32_t& k, PhaseEventRecord& record) {
    for (k = start; k < start + 200; ++k) {
        record = PhaseEventRecord{};
        lunar::PhaseMomentUT(k, lunarKind ? lunar::kFullMoon : lunar::kNewMoon, &record);
        if (record.eclipseType > 0 && (record.eclipseType >= 8) == lunarKind) return true;
    }
    return false;
}

TEST(History, AnEclipseLineBringsBackItsDetails) {
    for (bool lunarKind : {true, false}) {
        int32_t k = 0;
        PhaseEventRecord record{};
        ASSERT_TRUE(FindEclipse(0, lunarKind, k, record));
        // The result of an eclipse search: the greatest eclipse in UT.
        State state = MakeState(2451545.0, 60);
        state.dblCurrentAJDate = record.greatest - lunar::DeltaTAt(record.greatest) / 1440.0;
        const Tail tail = ComputeTail(state);
        const std::string line =
            AddHistoryEntry(state, tail.display.historyText, tail.timeLabel, record.eclipseType);
        const EclipseData expected = EclipseDataText(record, CjdFromAjd(state, state.dblCurrentAJDate));
        state = ConvertAndRecord(state, "2010-01-01 CE 00:00");

        const ActionResult back = SelectFromHistory(state, 0);
        ASSERT_EQ(back.kind, ResultKind::Done);
        EXPECT_EQ(back.logHeading, line);
        EXPECT_FALSE(back.state.actualEclipseData.empty()) << line;
        EXPECT_EQ(
            back.extraLogText.rfind(lunar::EclipseKindText(static_cast<int16_t>(record.eclipseType)), 0), 0u)
            << back.extraLogText;
        EXPECT_EQ(back.extraLogText.substr(0, expected.log.find(" phase")),
                  expected.log.substr(0, expected.log.find(" phase")));
        EXPECT_NE(back.extraLogText.find("lunation number = " + std::to_string(record.lunation)),
                  std::string::npos);
    }
}

} // namespace
} // namespace tavr::session
