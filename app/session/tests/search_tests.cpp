// The search frame: the target list, the eclipse data text, the phase,
// eclipse, saros and coincidence searches, their refusals and range stops,
// and the events of a span.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/Lunar.h"
#include "calendar/SarCal.h"
#include "calendar/TVGCal.h"
#include "calendar/VRLDT.h"
#include "session/Search.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr;
using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kAjd2024_04_08_1817 = 2460409.262; // total solar eclipse, saros 139

State SearchState(const std::string& entry, int16_t target, bool next) {
    State state = MakeState(2451545.0);
    state.entryText = entry;
    state.targetIndex = target;
    state.searchNext = next;
    return state;
}

// The state after a hit, ready for the following click.
State Again(const ActionResult& result, bool next, int16_t target) {
    State state = result.state;
    state.searchNext = next;
    state.targetIndex = target;
    state.entryText.clear();
    return state;
}

struct Search_ : ::testing::Test {
    static void SetUpTestSuite() { lunar::InitLunarConstants(); }
};

} // namespace

TEST(SearchList, TextsPhasesAndNames) {
    const char* texts[kTargetCount] = {"Full moon",
                                       "Dark moon",
                                       "Half moon (1st quarter)",
                                       "Half moon (last quarter)",
                                       "Quarter",
                                       "",
                                       "Lunar or solar eclipse",
                                       "Lunar eclipse",
                                       "Total lunar eclipse",
                                       "Total or partial lunar eclipse",
                                       "Solar eclipse",
                                       "Total solar eclipse",
                                       "Annular solar eclipse",
                                       "Eclipse in same saros series",
                                       "",
                                       "Coincidence of 1sts of month"};
    for (int i = 0; i < kTargetCount; ++i) {
        EXPECT_EQ(TargetText(i), texts[i]) << i;
        if (texts[i][0] != '\0') {
            EXPECT_EQ(TargetOfName(texts[i]), i) << texts[i];
        }
    }
    EXPECT_EQ(TargetText(-1), "");
    EXPECT_EQ(TargetText(16), "");
    EXPECT_EQ(TargetPhase(0), 2);
    EXPECT_EQ(TargetPhase(1), 0);
    EXPECT_EQ(TargetPhase(2), 1);
    EXPECT_EQ(TargetPhase(3), 3);
    EXPECT_EQ(TargetPhase(4), -1);

    const std::pair<const char*, int> names[] = {{"full-moon", 0},
                                                 {"dark-moon", 1},
                                                 {"first-quarter", 2},
                                                 {"last-quarter", 3},
                                                 {"quarter", 4},
                                                 {"eclipse", 6},
                                                 {"lunar", 7},
                                                 {"total-lunar", 8},
                                                 {"umbral-lunar", 9},
                                                 {"solar", 10},
                                                 {"total-solar", 11},
                                                 {"Total-Solar", 11},
                                                 {"annular-solar", 12},
                                                 {"saros", 13},
                                                 {"coincidence", 15},
                                                 {"TOTAL SOLAR ECLIPSE", 11},
                                                 {"", -1},
                                                 {"moon", -1},
                                                 {"separator", -1}};
    for (const auto& [name, index] : names)
        EXPECT_EQ(TargetOfName(name), index) << name;

    EXPECT_EQ(SearchActionText(true, 2), "Search for next half moon (1st quarter).");
    EXPECT_EQ(SearchActionText(false, 11), "Search for previous total solar eclipse.");
}

TEST(SearchList, EclipseTypesOfTheTargets) {
    // Item -> the types 0..11 that satisfy it.
    const std::pair<int, std::string> table[] = {
        {6, "011111111110"},  {7, "000000001110"},  {8, "000000000010"},  {9, "000000000110"},
        {10, "011111110000"}, {11, "000110110000"}, {12, "001001110000"}, {0, "000000000000"},
        {13, "000000000000"}, {15, "000000000000"}};
    for (const auto& [item, pattern] : table)
        for (int type = 0; type <= 11; ++type)
            EXPECT_EQ(TargetMatches(item, type), pattern[static_cast<size_t>(type)] == '1')
                << "item " << item << " type " << type;
}

TEST(SearchText, Durations) {
    const std::pair<int64_t, const char*> table[] = {
        {0, "0h 0m"},       {125, "2h 5m"},     {59, "0h 59m"},       {1439, "23h 59m"},
        {1440, "1d 0h 0m"}, {1445, "1d 0h 5m"}, {4000, "2d 18h 40m"}, {-3, "0h 0m"}};
    for (const auto& [minutes, text] : table)
        EXPECT_EQ(DurationText(minutes), text) << minutes;
}

TEST(SearchText, LunarEclipseLabelAndLog) {
    PhaseEventRecord record{};
    record.lunation = 312;
    record.saros = 123;
    record.eclipseType = 10;
    record.semiPenumbral = 150.25; // lasts 300.5 -> 300 minutes (half to even)
    record.semiPartial = 100.75;   // 201.5 -> 202
    record.semiTotal = 30.0;
    const double cjd = 2460750.5; // noon
    const EclipseData data = EclipseDataText(record, cjd);
    EXPECT_EQ(data.lines[0], "Total lunar eclipse");
    EXPECT_EQ(data.label, "Total lunar eclipse\r\n"
                          "Lunation number = 312\r\n"
                          "Saros number = 123\r\n"
                          "Penumbral phase starts 09:29 and lasts 5h 0m.\r\n"
                          "Umbral phase starts 10:19 and lasts 3h 22m.\r\n"
                          "Total phase starts 11:30 and lasts 1h 0m.\r\n");
    EXPECT_EQ(data.log,
              "Total lunar eclipse, lunation number = 312, saros number = 123, penumbral phase starts "
              "09:29 and lasts 5h 0m, umbral phase starts 10:19 and lasts 3h 22m, total phase starts "
              "11:30 and lasts 1h 0m.");

    record.eclipseType = 8;
    record.semiPenumbral = 800.0; // a day and more
    const EclipseData penumbral = EclipseDataText(record, cjd);
    EXPECT_EQ(penumbral.lines[3], "Penumbral phase starts 22:40 and lasts 1d 2h 40m");
    EXPECT_TRUE(penumbral.lines[4].empty());
    EXPECT_TRUE(penumbral.lines[5].empty());
}

TEST(SearchText, SolarEclipseHasThreeLines) {
    PhaseEventRecord record{};
    record.lunation = 291;
    record.saros = 139;
    record.eclipseType = 3;
    record.semiPenumbral = 99.0; // not shown for a solar eclipse
    const EclipseData data = EclipseDataText(record, 2460409.5);
    EXPECT_EQ(data.label, "Central total solar eclipse\r\nLunation number = 291\r\nSaros number = 139\r\n");
    EXPECT_EQ(data.log, "Central total solar eclipse, lunation number = 291, saros number = 139.");
    EXPECT_EQ(ShortEclipseKind(3), "Total solar eclipse");
    EXPECT_EQ(ShortEclipseKind(5), "Annular solar eclipse");
    EXPECT_EQ(ShortEclipseKind(6), "Annular-total solar eclipse");
    EXPECT_EQ(ShortEclipseKind(1), "Partial solar eclipse");
    EXPECT_EQ(ShortEclipseKind(9), "Partial lunar eclipse");
    EXPECT_EQ(ShortEclipseKind(0), "");
}

TEST(SearchText, GetPhaseErrorText) {
    const Message m = GetPhaseError(-1);
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.text, "Error-1 when calling GetPhase() in cmdSearch_Click().");
    EXPECT_EQ(GetPhaseError(-2).text, "Error-2 when calling GetPhase() in cmdSearch_Click().");
}

TEST_F(Search_, NextTotalSolarEclipseShowsItsData) {
    SearchDetails details;
    const ActionResult r = Search(SearchState("2024-01-01 CE", 11, true), &details);
    ASSERT_EQ(r.kind, ResultKind::Done);
    EXPECT_NEAR(r.state.dblCurrentAJDate, kAjd2024_04_08_1817, 10 * kMinute);
    EXPECT_TRUE(TargetMatches(11, r.eclipseType));
    EXPECT_TRUE(details.eclipseFound);
    EXPECT_EQ(details.record.saros, 139);
    EXPECT_EQ(r.state.displayedEclipseLunation, details.record.lunation);
    EXPECT_FALSE(r.state.displayedEclipseLunar);
    EXPECT_EQ(r.state.actualEclipseData, details.data.label);
    EXPECT_EQ(r.extraLogText, details.data.log);
    EXPECT_EQ(r.actionText, "Search for next total solar eclipse.");
    EXPECT_TRUE(r.historyDue);
    ASSERT_TRUE(r.tail.has_value());
    EXPECT_EQ(r.historyText, r.tail->display.historyText);
    EXPECT_EQ(r.state.entryText.rfind("2024-04-08 CE", 0), 0u) << r.state.entryText;
    EXPECT_FALSE(r.state.nowMode);
}

// Repeated clicks walk through the eclipses one by one in both directions:
// the memory skips the eclipse on display even when its greatest eclipse lies
// before its new Moon, and the walk back meets the same eclipses.
TEST_F(Search_, RepeatedEclipseSearchesWalkBothWays) {
    for (int16_t target : {6, 7, 8, 9, 10, 11, 12}) {
        ActionResult r = Search(SearchState("1990-01-01 CE", target, true));
        ASSERT_EQ(r.kind, ResultKind::Done) << target;
        std::vector<double> forward{r.state.dblCurrentAJDate};
        for (int i = 0; i < 8; ++i) {
            r = Search(Again(r, true, target));
            ASSERT_EQ(r.kind, ResultKind::Done) << target;
            EXPECT_TRUE(TargetMatches(target, r.eclipseType)) << target;
            EXPECT_GT(r.state.dblCurrentAJDate, forward.back() + 10.0) << target << " step " << i;
            forward.push_back(r.state.dblCurrentAJDate);
        }
        for (int i = static_cast<int>(forward.size()) - 2; i >= 0; --i) {
            r = Search(Again(r, false, target));
            ASSERT_EQ(r.kind, ResultKind::Done) << target;
            EXPECT_NEAR(r.state.dblCurrentAJDate, forward[static_cast<size_t>(i)], 1e-9)
                << target << " back " << i;
        }
    }
}

TEST_F(Search_, PhaseSearchesAroundAPhase) {
    // The full Moon of 2024-01-25 and the moments around it.
    const int32_t k = lunar::LunationOf(2460334.5);
    const double full = lunar::PhaseMomentUT(k, lunar::kFullMoon);
    const double before = lunar::PhaseMomentUT(k - 1, lunar::kFullMoon);
    const double after = lunar::PhaseMomentUT(k + 1, lunar::kFullMoon);
    struct Case {
        double from;
        int16_t target;
        bool next;
        double expected;
        const char* what;
    };
    const Case cases[] = {
        {full, 0, false, before, "previous full Moon from a full Moon"},
        {full + 10.0 / 86400, 0, false, full, "previous full Moon 10 s after it"},
        {full, 0, true, after, "next full Moon from a full Moon"},
        {full - 60.0 / 86400, 0, true, full, "next full Moon a minute before it"},
        {lunar::PhaseMomentUT(k, 3), 4, true, lunar::PhaseMomentUT(k + 1, 0),
         "next quarter from a last quarter"},
        {full, 4, false, lunar::PhaseMomentUT(k, 1), "previous quarter from a full Moon"},
        {full + 0.1, 4, false, full, "previous quarter after a full Moon"},
        {full, 1, true, lunar::PhaseMomentUT(k + 1, 0), "next dark Moon"},
        {full, 3, false, lunar::PhaseMomentUT(k - 1, 3), "previous last quarter"},
    };
    for (const Case& c : cases) {
        State state = SearchState("", c.target, c.next);
        state.dblCurrentAJDate = c.from;
        const ActionResult r = Search(state);
        ASSERT_EQ(r.kind, ResultKind::Done) << c.what;
        EXPECT_NEAR(r.state.dblCurrentAJDate, c.expected, 1e-9) << c.what;
        EXPECT_TRUE(r.extraLogText.empty()) << c.what;
        EXPECT_TRUE(r.state.actualEclipseData.empty()) << c.what;
    }
}

TEST_F(Search_, SarosSeriesBothWays) {
    for (int16_t first : {11, 8}) {
        SearchDetails shown;
        const ActionResult found = Search(SearchState("2024-01-01 CE", first, true), &shown);
        ASSERT_EQ(found.kind, ResultKind::Done);
        for (bool next : {true, false}) {
            SearchDetails details;
            const ActionResult r = Search(Again(found, next, kTargetSaros), &details);
            ASSERT_EQ(r.kind, ResultKind::Done);
            EXPECT_EQ(details.record.saros, shown.record.saros) << first << next;
            EXPECT_NEAR(std::fabs(r.state.dblCurrentAJDate - found.state.dblCurrentAJDate), 6585.32, 0.5);
            EXPECT_EQ(r.state.targetIndex, kTargetSaros); // the list shows the saros item again
            EXPECT_EQ(r.actionText, next ? "Search for next eclipse in same saros series."
                                         : "Search for previous eclipse in same saros series.");
        }
    }
}

TEST_F(Search_, ADateTypedMakesItsCalendarCurrent) {
    for (int16_t target : {kTargetFullMoon, kTargetAnyEclipse, kTargetCoincidence}) {
        const ActionResult r = Search(SearchState("4696-11-25 SAR 10:00", target, true));
        ASSERT_EQ(r.kind, ResultKind::Done) << target;
        EXPECT_EQ(r.state.currentCalendar, kSAR) << target;
        EXPECT_NE(r.historyText.find(" SAR"), std::string::npos) << r.historyText;
        EXPECT_NE(r.state.entryText.find(" SAR"), std::string::npos) << r.state.entryText;
    }
}

TEST_F(Search_, Refusals) {
    // The separators.
    for (int16_t item : {5, 14, -1, 16}) {
        State state = SearchState(" 2024-01-01 CE ", item, true);
        state.actualEclipseData = "shown";
        const ActionResult r = Search(state);
        EXPECT_EQ(r.kind, ResultKind::Refused);
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(r.message->title, "Search");
        EXPECT_EQ(r.message->text, "Please specify target for search.");
        EXPECT_EQ(r.state.dblCurrentAJDate, state.dblCurrentAJDate);
        EXPECT_EQ(r.state.actualEclipseData, "shown");
        EXPECT_FALSE(r.historyDue);
    }
    // A saros search right after a phase search.
    const ActionResult phase = Search(SearchState("2024-01-01 CE", 0, true));
    ASSERT_EQ(phase.kind, ResultKind::Done);
    const ActionResult saros = Search(Again(phase, true, kTargetSaros));
    EXPECT_EQ(saros.kind, ResultKind::Refused);
    ASSERT_TRUE(saros.message.has_value());
    EXPECT_EQ(saros.message->title, "No eclipse displayed");
    EXPECT_EQ(saros.message->text,
              "Eclipse date must be displayed in order to search for the next or previous "
              "eclipse in the same saros series.");
    EXPECT_EQ(saros.state.dblCurrentAJDate, phase.state.dblCurrentAJDate);
    EXPECT_EQ(saros.message->icon, Icon::None);
    State typed = Again(phase, true, kTargetSaros);
    typed.entryText = "2024-01-01 CE";
    EXPECT_EQ(Search(typed).state.entryText, "") << "the entry is taken, then emptied";
    // An entry error.
    const ActionResult bad = Search(SearchState("2024-13-45 CE", 0, true));
    EXPECT_EQ(bad.kind, ResultKind::Refused);
    EXPECT_NE(bad.errorCode, 0);
    EXPECT_EQ(bad.state.dblCurrentAJDate, 2451545.0);
}

TEST_F(Search_, CoincidencesAgreeWithADayByDayScan) {
    auto isCoincidence = [](int32_t d) {
        return vr::FromDayNumber(d).day == 1 && sar::FromDayNumber(d).day == 1 &&
               ldt::FromDayNumber(d).day == 1 && tvg::FromDayNumber(d).day == 1;
    };
    for (bool next : {true, false}) {
        State state = SearchState("2000-01-01 CE 12:00", kTargetCoincidence, next);
        const int32_t start = kDay2000_01_01;
        const ActionResult r = Search(state);
        ASSERT_EQ(r.kind, ResultKind::Done);
        EXPECT_EQ(r.eclipseType, 0);
        const double cjd = CjdFromAjd(r.state, r.state.dblCurrentAJDate);
        EXPECT_DOUBLE_EQ(cjd - std::floor(cjd), 0.5); // the middle of the day
        const int32_t found = static_cast<int32_t>(std::floor(cjd));
        EXPECT_TRUE(isCoincidence(found)) << found;
        for (int32_t d = next ? start + 1 : found + 1; d < (next ? found : start); ++d)
            ASSERT_FALSE(isCoincidence(d)) << "missed " << d;
        // The next one from the one found is a different day.
        const ActionResult again = Search(Again(r, next, kTargetCoincidence));
        ASSERT_EQ(again.kind, ResultKind::Done);
        EXPECT_NE(again.state.dblCurrentAJDate, r.state.dblCurrentAJDate);
    }
}

TEST_F(Search_, ResultsOutsideTheRangeMoveNothing) {
    struct Case {
        double from;
        int16_t target;
        bool next;
        const char* text;
    };
    const Case cases[] = {
        {kEarliestMoment + 1000.0, kTargetCoincidence, false, "Earliest date exceeded."},
        {kEarliestMoment + 0.5, 1, false, "Earliest date exceeded."},
        {kEarliestMoment + 10.0, 11, false, "Earliest date exceeded."},
        {kLatestMoment - 0.001, 4, true, "Latest date exceeded."},
        {kLatestMoment - 10.0, 11, true, "Latest date exceeded."},
        {kLatestMoment - 10.0, kTargetCoincidence, true, "Latest date exceeded."},
    };
    for (const Case& c : cases) {
        State state = SearchState("", c.target, c.next);
        state.dblCurrentAJDate = c.from;
        state.nowMode = true;
        const ActionResult r = Search(state);
        EXPECT_EQ(r.kind, ResultKind::OutOfRange) << c.text << c.target;
        ASSERT_TRUE(r.message.has_value());
        EXPECT_EQ(r.message->title, "Out of range");
        EXPECT_EQ(r.message->text, c.text);
        EXPECT_EQ(r.state.dblCurrentAJDate, c.from);
        EXPECT_TRUE(r.state.nowMode);
        EXPECT_FALSE(r.historyDue);
    }
    // A saros step past the end of the range.
    State shown = SearchState("", kTargetSaros, true);
    shown.dblCurrentAJDate = kLatestMoment - 100.0;
    shown.actualEclipseData = "Central total solar eclipse\r\n";
    const ActionResult r = Search(shown);
    EXPECT_EQ(r.kind, ResultKind::OutOfRange);
}

TEST_F(Search_, EventsOfAYear) {
    const double from = 2460310.5; // 2024-01-01 00:00 UT
    const double to = 2460676.5;   // 2025-01-01
    const auto all = EventsBetween(from, to, true, true);
    const auto phases = EventsBetween(from, to, true, false);
    const auto eclipses = EventsBetween(from, to, false, true);
    EXPECT_EQ(all.size(), phases.size() + eclipses.size());
    EXPECT_GE(phases.size(), 48u);
    EXPECT_LE(phases.size(), 50u);
    for (size_t i = 1; i < all.size(); ++i)
        EXPECT_LE(all[i - 1].moment, all[i].moment);
    for (const LunarEvent& e : all) {
        EXPECT_GE(e.moment, from);
        EXPECT_LT(e.moment, to);
    }
    // 2024: penumbral lunar (March), total solar (April), partial lunar (September), annular (October).
    ASSERT_EQ(eclipses.size(), 4u);
    EXPECT_EQ(eclipses[1].summary, "Total solar eclipse (saros 139)");
    EXPECT_NEAR(eclipses[1].moment, kAjd2024_04_08_1817, 10 * kMinute);
    EXPECT_EQ(eclipses[3].summary.rfind("Annular solar eclipse", 0), 0u);
    EXPECT_TRUE(EventsBetween(to, from, true, true).empty());
    EXPECT_TRUE(EventsBetween(kEarliestMoment - 1.0, from, true, true).empty());
}
