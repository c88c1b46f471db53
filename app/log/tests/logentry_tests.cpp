// Log entries as golden texts: composed from displayed rows given by hand
// (every switch, both formats, the markers and their failures, the pending
// entry, the capacity) and from the common tail of real conversions.
#include <gtest/gtest.h>

#include "log/LogEntry.h"
#include "session/History.h"
#include "session/Session.h"

namespace {

using namespace tavr;
using log::LogFailure;
using log::LogSettings;
using log::LogSource;

// Value labels as the window shows them, in calendar-code order.
LogSource SampleSource() {
    LogSource s;
    s.values = {
        "2001-12-31 CE (Monday, December 31, 2001)",
        "2001-12-18 JC (Monday, December 18, 2001)",
        "7-02-09 SAR (Ninth day of Second Month, 7)",
        "102-25-10-26 VR (long form)",
        "8-14-10-3-2 LDT (long form)",
        "1-94-08-25 TVG (long form)",
        "2,452,275.1028 CJD",
        "2,452,275.0611 AJD",
        "2001-12-4-3 QLW (Daythree in Weekfour)",
    };
    s.phaseText = "Full moon, 99.2%";
    s.ageText = "[24] 15 days, 2 hrs, 3 mins (51.0%)";
    return s;
}

LogSettings AllOn(int16_t calendar = session::kCE, int16_t format = log::kFormatCalendarEqualsDate) {
    LogSettings s;
    s.currentCalendar = calendar;
    s.format = format;
    return s;
}

std::string Compose(const LogSettings& settings, const LogSource& source = SampleSource(),
                    const std::string& extra = "") {
    const log::LogOutcome out =
        log::ComposeEntry("2001-12-31 CE 14:28 (local = GMT+01:00)", "Convert date", extra, settings, source);
    EXPECT_EQ(out.failure, LogFailure::None) << out.errorText;
    return out.appended;
}

TEST(LogEntry, BothFormatsWithEverySwitchOn) {
    EXPECT_EQ(Compose(AllOn()),
              "Convert date\r\n"
              "2001-12-31 CE 14:28 (local = GMT+01:00)\r\n"
              "JC=2001-12-18  SAR=7-02-09  VR=102-25-10-26  LDT=8-14-10-3-2  TVG=1-94-08-25  "
              "QLW=2001-12-4-3  CJD=2,452,275.1028  AJD=2,452,275.0611  \r\n"
              "Full moon, illum. =  99.2%, lunat. and age = [24] 15 days, 2 hrs, 3 mins (51.0%).\r\n"
              "\r\n");
    // The CE and JC items keep the date and the code, not the weekday.
    EXPECT_EQ(Compose(AllOn(session::kSAR, log::kFormatDateCalendar)),
              "Convert date\r\n"
              "2001-12-31 CE 14:28 (local = GMT+01:00)\r\n"
              "2001-12-31 CE, 2001-12-18 JC, 102-25-10-26 VR, 8-14-10-3-2 LDT, 1-94-08-25 TVG, "
              "2001-12-4-3 QLW, 2,452,275.1028 CJD, 2,452,275.0611 AJD\r\n"
              "Full moon, illum. =  99.2%, lunat. and age = [24] 15 days, 2 hrs, 3 mins (51.0%).\r\n"
              "\r\n");
}

TEST(LogEntry, TheCurrentCalendarIsNeverAnItem) {
    for (int16_t calendar = 0; calendar < session::kCalendarCount; ++calendar) {
        for (int16_t format : {log::kFormatCalendarEqualsDate, log::kFormatDateCalendar}) {
            const std::string text = Compose(AllOn(calendar, format));
            const std::string code(session::CalendarCode(calendar));
            const std::string line = text.substr(text.find("\r\n", text.find("\r\n") + 2) + 2);
            const std::string calendarLine = line.substr(0, line.find("\r\n"));
            EXPECT_EQ(calendarLine.find(format == 0 ? code + "=" : " " + code), std::string::npos)
                << code << " in " << calendarLine;
            if (format == log::kFormatDateCalendar) {
                EXPECT_NE(calendarLine.rfind(", ", 0), 0u) << calendarLine;
            }
        }
    }
}

TEST(LogEntry, SwitchesChooseTheLines) {
    struct Case {
        const char* name;
        std::vector<int> off;
        const char* expected; // the text after the heading line
    };
    const std::vector<Case> cases = {
        {"no calendar line",
         {session::kIncludeCE, session::kIncludeJC, session::kIncludeSAR, session::kIncludeVR,
          session::kIncludeLDT, session::kIncludeTVG, session::kIncludeCJD, session::kIncludeAJD,
          session::kIncludeQLWC},
         "Full moon, illum. =  99.2%, lunat. and age = [24] 15 days, 2 hrs, 3 mins (51.0%).\r\n\r\n"},
        {"no Moon line",
         {session::kIncludeJC, session::kIncludeSAR, session::kIncludeVR, session::kIncludeLDT,
          session::kIncludeTVG, session::kIncludeCJD, session::kIncludeQLWC,
          session::kIncludePhaseOfMoonAndIllumination, session::kIncludeLunationAndAgeOfMoon},
         "AJD=2,452,275.0611  \r\n\r\n"},
        {"only the lunation",
         {session::kIncludeCE, session::kIncludeJC, session::kIncludeSAR, session::kIncludeVR,
          session::kIncludeLDT, session::kIncludeTVG, session::kIncludeCJD, session::kIncludeAJD,
          session::kIncludeQLWC, session::kIncludePhaseOfMoonAndIllumination},
         "Lunation and age = [24] 15 days, 2 hrs, 3 mins (51.0%).\r\n\r\n"},
        {"only the phase",
         {session::kIncludeLunationAndAgeOfMoon, session::kIncludeCJD},
         "JC=2001-12-18  SAR=7-02-09  VR=102-25-10-26  LDT=8-14-10-3-2  TVG=1-94-08-25  QLW=2001-12-4-3  "
         "AJD=2,452,275.0611  \r\nFull moon, illum. =  99.2%.\r\n\r\n"},
    };
    for (const Case& c : cases) {
        LogSettings settings = AllOn();
        for (int i : c.off)
            settings.include[static_cast<size_t>(i)] = false;
        const std::string text = Compose(settings);
        const std::string head = "Convert date\r\n2001-12-31 CE 14:28 (local = GMT+01:00)\r\n";
        ASSERT_EQ(text.substr(0, head.size()), head) << c.name;
        EXPECT_EQ(text.substr(head.size()), c.expected) << c.name;
    }
}

TEST(LogEntry, ExtraTextHasItsOwnLineBeforeTheEmptyLine) {
    LogSettings settings = AllOn();
    settings.include.fill(false);
    EXPECT_EQ(Compose(settings, SampleSource(), "Total lunar eclipse, lunation number = 24."),
              "Convert date\r\n2001-12-31 CE 14:28 (local = GMT+01:00)\r\n"
              "Total lunar eclipse, lunation number = 24.\r\n\r\n");
}

TEST(LogEntry, AMissingMarkerStopsTheEntryAndKeepsWhatWasWritten) {
    struct Case {
        int16_t format;
        int row; // calendar whose text loses its marker (-1: the phase text)
        const char* text;
        const char* kept; // what the entry holds after the heading
    };
    const std::vector<Case> cases = {
        {log::kFormatCalendarEqualsDate, session::kSAR, "7-02-09 (no code)", "JC=2001-12-18  "},
        {log::kFormatCalendarEqualsDate, session::kJC, "", ""},
        {log::kFormatDateCalendar, session::kVR, "102-25-10-26 VR", "2001-12-18 JC, 7-02-09 SAR"},
        {log::kFormatDateCalendar, session::kJC, "(2001)", ""},
        {log::kFormatCalendarEqualsDate, -1, "Full moon 99.2%",
         "JC=2001-12-18  SAR=7-02-09  VR=102-25-10-26  LDT=8-14-10-3-2  TVG=1-94-08-25  QLW=2001-12-4-3  "
         "CJD=2,452,275.1028  AJD=2,452,275.0611  \r\n"},
    };
    for (const Case& c : cases) {
        LogSource source = SampleSource();
        (c.row < 0 ? source.phaseText : source.values[static_cast<size_t>(c.row)]) = c.text;
        const log::LogOutcome out = log::ComposeEntry("H", "A", "", AllOn(session::kCE, c.format), source);
        EXPECT_EQ(out.failure, LogFailure::Error) << c.text;
        EXPECT_FALSE(out.errorText.empty());
        EXPECT_EQ(out.appended, std::string("A\r\nH\r\n") + c.kept) << c.text;
    }
    // Without the phase switch the phase text is not needed.
    LogSource source = SampleSource();
    source.phaseText.clear();
    LogSettings settings = AllOn();
    settings.include[session::kIncludePhaseOfMoonAndIllumination] = false;
    EXPECT_EQ(log::ComposeEntry("H", "A", "", settings, source).failure, LogFailure::None);
}

TEST(LogEntry, PendingEntryHeaderAndCapacity) {
    log::PendingLogEntry pending;
    const LogSource source = SampleSource();
    const std::string header = log::LogHeader("TAVR 18.0", "https://example.org/manual.html");
    EXPECT_EQ(header, "TAVR 18.0\r\nhttps://example.org/manual.html\r\n\r\n");

    // Off: the last result waits; nothing is written.
    auto off = log::AddLogEntry(pending, false, "H1", "A1", "", AllOn(), source, 0, header);
    EXPECT_TRUE(off.stored);
    EXPECT_TRUE(off.appended.empty());
    log::AddLogEntry(pending, false, "H2", "A2", "E2", AllOn(), source, 0, header);
    EXPECT_EQ(pending, (log::PendingLogEntry{"H2", "A2", "E2"}));

    // An empty heading writes nothing, even with every result logged.
    auto empty = log::AddLogEntry(pending, true, "", "A3", "", AllOn(), source, 0, header);
    EXPECT_FALSE(empty.written);
    EXPECT_TRUE(empty.appended.empty());

    // The first entry of a log carries the header, a later one not; the pending one is emptied.
    auto first = log::AddLogEntry(pending, true, "H4", "A4", "", AllOn(), source, 0, header);
    EXPECT_EQ(first.appended.rfind(header + "A4\r\nH4\r\n", 0), 0u);
    EXPECT_EQ(pending, log::PendingLogEntry{});
    auto later = log::AddLogEntry(pending, true, "H5", "A5", "", AllOn(), source, 500, header);
    EXPECT_EQ(later.appended.rfind("A5\r\nH5\r\n", 0), 0u);

    // A log that cannot grow: what fits stays, the rest is refused as "full".
    const size_t length = 100;
    auto full = log::AddLogEntry(pending, true, "H6", "A6", "", AllOn(), source, length, header, length + 12);
    EXPECT_EQ(full.failure, LogFailure::Full);
    EXPECT_EQ(full.appended, "A6\r\nH6\r\n");
    EXPECT_EQ(log::LogFullQuestion().text, "Log is full.  Clear log?");
    EXPECT_EQ(log::LogFullQuestion().buttons, session::Buttons::YesNo);
}

// The common tail of real conversions, read by the log as the window shows it.
TEST(LogEntry, GoldenEntriesFromTheCommonTail) {
    session::State state;
    state.dblCurrentAJDate = 2451545.0;
    state.zoneIndex = 26; // GMT + 01:00
    state.zoneOffset = 60;
    state.entryText = "2001-12-31 CE 14:28";
    const session::ActionResult result = session::Convert(state);
    ASSERT_EQ(result.kind, session::ResultKind::Done);
    session::State after = result.state;
    const std::string line = session::AddHistoryEntry(after, result.historyText, result.tail->timeLabel, 0);
    EXPECT_EQ(line, "2001-12-31 CE 14:28 (local = GMT+01:00)");
    const LogSource source = log::SourceOf(*result.tail);
    log::LogSettings settings = log::SettingsOf(after);
    EXPECT_EQ(
        log::ComposeEntry(line, result.actionText, "", settings, source).appended,
        "Convert date\r\n"
        "2001-12-31 CE 14:28 (local = GMT+01:00)\r\n"
        "JC=2001-12-18  SAR=4698-12-17  VR=102-27-10-17  LDT=100-10-06-1  TVG=1-96-07-17  QLW=5001-10-3-1  "
        "CJD=2,452,275.6028  AJD=2,452,275.0611  \r\n"
        "Gibbous moon (waning), illum. =  98.3%, lunat. and age = [24] 16 days, 16 hrs, 40 mins (56.2%).\r\n"
        "\r\n");
    settings.format = log::kFormatDateCalendar;
    settings.currentCalendar = session::kCJD;
    EXPECT_EQ(
        log::ComposeEntry("H", "Now", "", settings, source).appended,
        "Now\r\nH\r\n"
        "2001-12-31 CE, 2001-12-18 JC, 4698-12-17 SAR, 102-27-10-17 VR, 100-10-06-1 LDT, 1-96-07-17 TVG, "
        "5001-10-3-1 QLW, 2,452,275.0611 AJD\r\n"
        "Gibbous moon (waning), illum. =  98.3%, lunat. and age = [24] 16 days, 16 hrs, 40 mins (56.2%).\r\n"
        "\r\n");
}

} // namespace
