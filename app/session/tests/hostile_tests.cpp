// Entries a user may type or paste that once gave wrong answers, and the
// bounds of the work an entry can cause.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "astro/Lunar.h"
#include "session/Session.h"
#include "session/TimeZone.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

ActionResult ConvertEntry(const std::string& entry, int16_t calendar = kCE, const std::string& days = "",
                          bool plus = true) {
    State state = MakeState(2451545.0, 0, View::Local, calendar);
    state.entryText = entry;
    state.dayCountText = days;
    state.plusSelected = plus;
    return Convert(state);
}

// The QLW dates of the first days of the range (year -201) read back to their
// day, from the row and from the entry copy-to-entry leaves; outside the
// range the range check answers.
TEST(HostileEntries, QlwYearMinus201ReadsBack) {
    for (const double ajd : {552283.0, 552283.5, 552300.25, 552378.0}) {
        for (const View view : {View::Local, View::Greenwich}) {
            for (const int zone : {-720, 0, 330, 720}) {
                State state = MakeState(ajd, zone, view, kQLW);
                const Display display = RefreshDisplay(state);
                const std::string shown = display.rows[kQLW].shortText;
                ASSERT_EQ(shown.rfind("-201-", 0), 0u) << ajd << " " << zone;
                state.entryText = CopyCurrentDateToEntry(state);
                const ParseResult parsed = ParseDateEntry(state.entryText, state);
                ASSERT_EQ(parsed.error, EntryError::None) << state.entryText;
                // The entry holds the time to the minute.
                ASSERT_NEAR(parsed.moment, ajd, 1.0 / 1440.0) << state.entryText;
            }
        }
    }
    // A day of year -201 before the range: the range message, not the form message.
    const ActionResult early = ConvertEntry("-201-01-1-1 QLW");
    EXPECT_EQ(early.kind, ResultKind::OutOfRange);
    ASSERT_TRUE(early.message);
    EXPECT_EQ(early.message->text, "Resultng date is earlier than -3200-01-01 CE.");
    // The same from a day subtraction that leaves the range.
    const ActionResult minus = ConvertEntry("-201-10-4-1 QLW", kQLW, "10", false);
    EXPECT_EQ(minus.kind, ResultKind::OutOfRange);
    EXPECT_EQ(ConvertEntry("-201-10-4-1 QLW", kQLW, "10", true).kind, ResultKind::Done);
}

TEST(HostileEntries, WellFormedDatesOutsideTheRangeGetTheRangeMessage) {
    struct Row {
        const char* entry;
        ResultKind kind;
        const char* text;
    };
    const char* late = "Resulting date is later than 6000-01-01 CE.";
    const char* early = "Resultng date is earlier than -3200-01-01 CE.";
    const Row rows[] = {
        {"9000-1-1-1 QLW", ResultKind::OutOfRange, late},
        {"9500-13-4-9 QLW", ResultKind::OutOfRange, nullptr}, // may lack month 13 or day 9: a field message
        {"99999-1-1-1 QLW", ResultKind::OutOfRange, late},
        {"2147483647-1-1-1 QLW", ResultKind::OutOfRange, late},
        {"-700-1-1-1 QLW", ResultKind::OutOfRange, early},
        {"-2147483648-1-1-1 QLW", ResultKind::OutOfRange, early},
        {"6000-01-02 CE", ResultKind::OutOfRange, late},
        {"-3201-12-30 CE", ResultKind::OutOfRange, early},
        {"99999-14-1-1 QLW", ResultKind::Refused, "Invalid month value in QLW date."},
        {"99999-1-1-10 QLW", ResultKind::Refused, "Invalid day value in QLW date."},
        {"99999999999-1-1-1 QLW", ResultKind::Refused,
         "Invalid QLW date.  QWL dates must be in the form: year-month-week-day"},
    };
    for (const Row& r : rows) {
        const ActionResult result = ConvertEntry(r.entry);
        if (r.text == nullptr) {
            EXPECT_NE(result.kind, ResultKind::Done) << r.entry;
            continue;
        }
        EXPECT_EQ(result.kind, r.kind) << r.entry;
        ASSERT_TRUE(result.message) << r.entry;
        EXPECT_EQ(result.message->text, r.text) << r.entry;
    }
    // A day count does not bring a date beyond the conversions back into the range.
    EXPECT_EQ(ConvertEntry("99999-1-1-1 QLW", kCE, "1000000000", false).kind, ResultKind::OutOfRange);
}

// A row text pasted whole, its long form in parentheses included, is read by
// the code before the parentheses even when a name inside them holds a code.
TEST(HostileEntries, PastedRowTextsWithTheirLongForm) {
    for (const double ajd : {2451545.0, 2460000.3, 1000000.7, 3900000.1}) {
        for (int16_t calendar = 0; calendar < kCalendarCount; ++calendar) {
            State state = MakeState(ajd, 60, View::Local, kCE);
            const Row row = RefreshDisplay(state).rows[static_cast<size_t>(calendar)];
            const ParseResult parsed = ParseDateEntry(row.value, state);
            ASSERT_EQ(parsed.error, EntryError::None) << row.value;
            EXPECT_EQ(parsed.calendar, calendar) << row.value;
            const ParseResult shortForm = ParseDateEntry(row.shortText, state);
            EXPECT_EQ(parsed.moment, shortForm.moment) << row.value;
        }
    }
    const State state = MakeState();
    const ParseResult joyce = ParseDateEntry("4999-10-4-3 QLW (Daythree in Weekfour of Joyce, 4999)", state);
    EXPECT_EQ(joyce.error, EntryError::None);
    EXPECT_EQ(joyce.calendar, kQLW);
    EXPECT_EQ(joyce.moment, ParseDateEntry("4999-10-4-3 QLW", state).moment);
    const ParseResult withTime =
        ParseDateEntry("4999-10-4-3 QLW (Daythree in Weekfour of Joyce, 4999) 14:28", state);
    EXPECT_EQ(withTime.error, EntryError::None);
    EXPECT_EQ(withTime.moment, ParseDateEntry("4999-10-4-3 QLW 14:28", state).moment);
    // Without a code before the parentheses the whole text is searched, as before.
    EXPECT_EQ(Code(ParseDateEntry("2001-12-31 (CE)", state).error), 2);
}

// Long entries end at once with a refusal; no entry makes the grammar work
// longer than a few passes over its text.
TEST(HostileEntries, LongEntriesEndAtOnce) {
    const std::string digits(100000, '7');
    const std::string dashes(100000, '-');
    for (int16_t calendar = 0; calendar < kCalendarCount; ++calendar) {
        const State state = MakeState(2451545.0, 0, View::Local, calendar);
        for (const std::string& entry :
             {digits, dashes, digits + "-1-1-1", "1-" + digits + "-1-1", digits + ":" + digits,
              std::string(100000, ' ') + "1", digits + "(" + dashes + ")"}) {
            const ParseResult parsed = ParseDateEntry(entry, state);
            if (parsed.error == EntryError::None) {
                EXPECT_TRUE(std::isinf(parsed.moment) || std::isfinite(parsed.moment));
                EXPECT_EQ(parsed.calendar >= 0, true);
            }
        }
    }
}

TEST(HostileEntries, LunationSearchOfAnyMoment) {
    using namespace tavr::lunar;
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(LunationOf(-inf), kFirstSearchedLunation);
    EXPECT_EQ(LunationOf(inf), kLastSearchedLunation);
    EXPECT_EQ(LunationOf(-1e300), kFirstSearchedLunation);
    EXPECT_EQ(LunationOf(1e300), kLastSearchedLunation);
    EXPECT_EQ(LunationOf(std::nan("")), 0);
    const int32_t k = LunationOf(2451545.0);
    EXPECT_LE(PhaseMomentUT(k, kNewMoon), 2451545.0);
    EXPECT_GT(PhaseMomentUT(k + 1, kNewMoon), 2451545.0);
}

TEST(HostileEntries, NowClockWithAnyOffset) {
    for (const int16_t offset : {std::numeric_limits<int16_t>::min(), int16_t{-1441}, int16_t{-720},
                                 int16_t{1}, int16_t{1441}, std::numeric_limits<int16_t>::max()}) {
        const std::string text = tavr::timezone::NowClockText(23, 59, View::Greenwich, offset, false);
        ASSERT_EQ(text.size(), 5u) << offset;
        EXPECT_EQ(text[2], ':');
    }
}

} // namespace
