// The entry grammar as tables: every error code with entries that produce it,
// the accepted forms of every calendar, times, codes inside texts, CJD and AJD
// with grouping, QLW times around 06:00.
#include <gtest/gtest.h>

#include <cmath>

#include "calendar/QLWC.h"
#include "session/tests/SessionTestSupport.h"

using namespace tavr::session;
using namespace tavr::session::testing;

namespace {

// Far below a second; the parser's arithmetic is exact to about 1e-10 day.
constexpr double kMomentTolerance = 1e-8;

struct ErrorRow {
    const char* entry;
    int16_t current; // current calendar
    int error;
    const char* box; // text of the entry box afterwards
};

// AJD of local civil day `day` at `fraction`, zone offset in minutes.
double Ajd(int32_t day, double fraction, int offset = 0) {
    return day + fraction - offset / 1440.0 - 0.5;
}

} // namespace

TEST(EntryGrammar, EveryErrorCode) {
    const ErrorRow rows[] = {
        // 1: nothing, or not beginning with a digit or "-"
        {"", kCE, 1, ""},
        {" , ", kCE, 1, ","},
        {"CE 2001-12-31", kCE, 1, "CE 2001-12-31"},
        {"x2001-12-31 CE", kCE, 1, "X2001-12-31 CE"},
        {"(2001-12-31) CE", kCE, 1, "(2001-12-31) CE"},
        // 2: no code with spaces, or the code followed by something else than a digit or "("
        {"2001-12-31 14:28", kCE, 2, "2001-12-31 14:28"},
        {"2001-12-31 CEX", kCE, 2, "2001-12-31 CEX"},
        {"2001-12-31 ce-", kCE, 2, "2001-12-31 CE-"},
        {"2001-12-31 CE -1:00", kCE, 2, "2001-12-31 CE -1:00"},
        // 3: a time with CJD or AJD
        {"2451545 CJD 12:00", kCE, 3, "2451545 CJD 12:00"},
        {"2451545:5 AJD", kCE, 3, "2451545:5 AJD"},
        // 4: the time of day
        {"2001-12-31 CE 24:00", kCE, 4, "2001-12-31 CE 24:00"},
        {"2001-12-31 CE 23:60", kCE, 4, "2001-12-31 CE 23:60"},
        {"2001-12-31 CE 99:99", kCE, 4, "2001-12-31 CE 99:99"},
        {"1:30 CE", kCE, 4, "1:30 CE"},
        {"1:30", kCE, 4, "1:30 CE"},
        // 5: dots or slashes in a calendar date
        {"2001.12.31 CE", kCE, 5, "2001.12.31 CE"},
        {"2001/12/31", kCE, 5, "2001/12/31 CE"},
        {"102.25.10.26 VR", kCE, 5, "102.25.10.26 VR"},
        // 6: a CE date the parser refuses
        {"2001-02-29 CE", kCE, 6, "2001-02-29 CE"},
        {"14:28 2001-12-31 CE", kCE, 6, "14:28 2001-12-31 CE"},
        {"2001-12-31 14:28 CE", kCE, 6, "2001-12-31 14:28 CE"}, // the time must follow the code
        {"2001-12-3114:28", kCE, 6, "2001-12-3114:28 CE"},
        {"102-25-10-26 14:28 VR", kCE, 9, "102-25-10-26 14:28 VR"},
        {"5000-01-1-1 07:00 QLW", kCE, 15, "5000-01-1-1 07:00 QLW"},
        {"5 VR CE", kCE, 6, "5 VR CE"},
        {"2001-12 CE", kCE, 6, "2001-12 CE"},
        {"2001-13-01", kCE, 6, "2001-13-01 CE"},
        // 7 .. 11: the other calendars' parsers
        {"2001-02-29 JC", kCE, 7, "2001-02-29 JC"},
        {"2001-02-29", kJC, 7, "2001-02-29 JC"},
        {"443-10-30 SAR", kCE, 8, "443-10-30 SAR"},
        {"442-13-01", kSAR, 8, "442-13-01 SAR"},
        {"102-25-14-01 VR", kCE, 9, "102-25-14-01 VR"},
        {"102-25 VR", kCE, 9, "102-25 VR"},
        {"98-13-01-1 LDT", kCE, 10, "98-13-01-1 LDT"},
        {"98-09-09 LDT", kCE, 10, "98-09-09 LDT"},
        {"1-10-13-30 TVG", kCE, 11, "1-10-13-30 TVG"},
        {"1-1 TVG", kCE, 11, "1-1 TVG"},
        {"1-5-02-30", kTVG, 11, "1-5-02-30 TVG"},
        // 12: more than one "-" in a CJD or AJD
        {"-1-2 AJD", kCE, 12, "-1-2 AJD"},
        {"2-451-545 CJD", kCE, 12, "2-451-545 CJD"},
        // 13: no code at all (a current calendar outside the table)
        {"2001-12-31", 9, 13, "2001-12-31"},
        {"2001-12-31", -1, 13, "2001-12-31"},
        // 15 .. 18: QLW
        {"5000-1-1 QLW", kCE, 15, "5000-1-1 QLW"},
        {"5000-1-1-1-1-1 QLW", kCE, 15, "5000-1-1-1-1-1 QLW"},
        {"12:00 QLW", kCE, 15, "12:00 QLW"},
        {"5000-14-1-1 QLW", kCE, 16, "5000-14-1-1 QLW"},
        {"5000-0-1-1", kQLW, 16, "5000-0-1-1 QLW"},
        {"5000-1-5-1 QLW", kCE, 17, "5000-1-5-1 QLW"},
        {"5000-1-1-10 QLW", kCE, 18, "5000-1-1-10 QLW"},
    };
    for (const ErrorRow& row : rows) {
        State state = MakeState();
        state.currentCalendar = row.current;
        const ParseResult result = ParseDateEntry(row.entry, state);
        EXPECT_EQ(Code(result.error), row.error) << row.entry;
        EXPECT_EQ(result.entryText, row.box) << row.entry;
        EXPECT_EQ(result.moment, 0.0) << row.entry;
        EXPECT_EQ(result.calendar, -1) << row.entry;
    }
}

TEST(EntryGrammar, MessagesOfTheCodes) {
    EXPECT_EQ(EntryErrorText(EntryError{6}),
              "Invalid CE date.  CE dates must be in ISO 8601 format: year-month-day");
    EXPECT_EQ(EntryErrorText(EntryError{15}),
              "Invalid QLW date.  QWL dates must be in the form: year-month-week-day");
    EXPECT_EQ(EntryErrorText(EntryError{10}), "Invalid LDT date.  LDT dates must be in the form: "
                                              "cycle-year-month-triday-day or year-month-triday-day");
    EXPECT_EQ(EntryErrorText(EntryError{19}), "No date given.");
    EXPECT_EQ(EntryErrorText(EntryError{0}), "Unknown error.");
    EXPECT_EQ(EntryErrorText(EntryError{20}), "Unknown error.");
    for (int16_t code = 1; code <= 19; ++code)
        EXPECT_NE(EntryErrorText(EntryError{code}), "Unknown error.") << code;
    const Message box = ShowEntryError(EntryError{4});
    EXPECT_EQ(box.title, "Invalid date/time entry");
    EXPECT_EQ(box.text, "Invalid time specification.  Times must be, e.g., 23:50.");
    EXPECT_EQ(box.icon, Icon::Warning);
    EXPECT_EQ(box.buttons, Buttons::Ok);
}

TEST(EntryGrammar, AcceptedFormsAndTimes) {
    struct Row {
        const char* entry;
        int16_t current;
        int zone;
        View view;
        int16_t calendar; // recognised
        double ajd;
        const char* box;
    };
    const double noon2000 = Ajd(kDay2000_01_01, 0.5);
    const Row rows[] = {
        // Every calendar's form of 2000-01-01 at noon (GMT)
        {"2000-01-01 CE", kCE, 0, View::Local, kCE, noon2000, "2000-01-01 CE"},
        {"1999-12-19 JC", kCE, 0, View::Local, kJC, noon2000, "1999-12-19 JC"},
        {"4696-11-25 SAR", kCE, 0, View::Local, kSAR, noon2000, "4696-11-25 SAR"},
        {"102-25-10-26 VR", kCE, 0, View::Local, kVR, noon2000, "102-25-10-26 VR"},
        {"098-09-09-3 LDT", kCE, 0, View::Local, kLDT, noon2000, "098-09-09-3 LDT"},
        {"0-98-09-09-3 LDT", kCE, 0, View::Local, kLDT, noon2000, "0-98-09-09-3 LDT"},
        {"1-94-08-25 TVG", kCE, 0, View::Local, kTVG, noon2000, "1-94-08-25 TVG"},
        {"94-8-25 TVG", kCE, 0, View::Local, kTVG, noon2000, "94-8-25 TVG"},
        {"2451545 AJD", kCE, 0, View::Local, kAJD, 2451545.0, "2451545 AJD"},
        {"2,451,545.5 CJD", kCE, 0, View::Local, kCJD, 2451545.0, "2,451,545.5 CJD"},
        {"2451545.5 CJD", kCE, 0, View::Local, kCJD, 2451545.0, "2451545.5 CJD"},
        {"2,111,111 AJD", kCE, 0, View::Local, kAJD, 2111111.0, "2,111,111 AJD"},
        {"-0.5 AJD", kCE, 0, View::Local, kAJD, -0.5, "-0.5 AJD"},
        // Without code: the current calendar's code is appended
        {"2001-12-31", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, 0.5), "2001-12-31 CE"},
        {"4696-11-25", kSAR, 0, View::Local, kSAR, noon2000, "4696-11-25 SAR"},
        {"2451545.5", kCJD, 0, View::Local, kCJD, 2451545.0, "2451545.5 CJD"},
        {"2451545", kAJD, 0, View::Local, kAJD, 2451545.0, "2451545 AJD"},
        {"2001-12-31CE14:28", kJC, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31CE14:28"},
        // Times: case, one-digit hours, minutes past 59, the last minute
        {"2001-12-31 ce 14:28", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31 CE 14:28"},
        {"  2001-12-31 CE 14:28  ", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31 CE 14:28"},
        {"2001-12-31 CE 9:30", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(9, 30)),
         "2001-12-31 CE 9:30"},
        {"2001-12-31 CE 10:75", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(11, 15)),
         "2001-12-31 CE 10:75"},
        {"2001-12-31 CE 23:59", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(23, 59)),
         "2001-12-31 CE 23:59"},
        {"2001-12-31 CE 00:00", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, 0.0), "2001-12-31 CE 00:00"},
        {"2001-12-31 CE 14:28:59", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31 CE 14:28:59"},
        {"2001-12-31 CE 7:", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(7, 0)), "2001-12-31 CE 7:"},
        // Zones: local time in the Local view, Greenwich time in the Greenwich view
        {"2001-12-31 CE 14:28", kCE, 60, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28), 60),
         "2001-12-31 CE 14:28"},
        {"2001-12-31 CE 14:28", kCE, 60, View::Greenwich, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31 CE 14:28"},
        {"2001-12-31 CE 00:10", kCE, 600, View::Local, kCE, Ajd(kDay2001_12_31, Clock(0, 10), 600),
         "2001-12-31 CE 00:10"},
        {"2451545.5 CJD", kCE, -210, View::Local, kCJD, 2451545.0 + 210.0 / 1440.0, "2451545.5 CJD"},
        {"2451545.5 CJD", kCE, -210, View::Greenwich, kCJD, 2451545.0, "2451545.5 CJD"},
        {"2451545 AJD", kCE, -210, View::Local, kAJD, 2451545.0, "2451545 AJD"},
        // Pasted display texts: "(" may follow the code
        {"2001-12-31 CE (Monday, December 31, 2001)", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, 0.5),
         "2001-12-31 CE (MONDAY, DECEMBER 31, 2001)"},
        {"2001-12-31 CE 14:28 (Monday)", kCE, 0, View::Local, kCE, Ajd(kDay2001_12_31, Clock(14, 28)),
         "2001-12-31 CE 14:28 (MONDAY)"},
        {"4696-11-25 SAR (Mars Day, Dionysus 25,  4696)", kJC, 0, View::Local, kSAR, noon2000,
         "4696-11-25 SAR (MARS DAY, DIONYSUS 25,  4696)"},
        // Negative years
        {"-3200-01-01 CE", kCE, 0, View::Local, kCE, 552284.0, "-3200-01-01 CE"},
        {"-3201-12-31 CE 12:00", kCE, 0, View::Local, kCE, 552283.0, "-3201-12-31 CE 12:00"},
    };
    for (const Row& row : rows) {
        State state = MakeState(0.0, row.zone, row.view, row.current);
        const ParseResult result = ParseDateEntry(row.entry, state);
        ASSERT_EQ(result.error, EntryError::None) << row.entry << ": " << EntryErrorText(result.error);
        EXPECT_EQ(result.calendar, row.calendar) << row.entry;
        EXPECT_NEAR(result.moment, row.ajd, kMomentTolerance) << row.entry;
        EXPECT_EQ(result.entryText, row.box) << row.entry;
    }
}

TEST(EntryGrammar, GroupedAndPlainNumbersGiveTheSameMoment) {
    const State state = MakeState(0.0, 330, View::Local);
    const char* pairs[][2] = {
        {"2,451,545.25 CJD", "2451545.25 CJD"},
        {"2,111,111 AJD", "2111111AJD"},
        {"1,234,567.890 AJD", "1234567.890 AJD"},
    };
    for (const auto& pair : pairs) {
        const ParseResult grouped = ParseDateEntry(pair[0], state);
        const ParseResult plain = ParseDateEntry(pair[1], state);
        ASSERT_EQ(grouped.error, EntryError::None) << pair[0];
        ASSERT_EQ(plain.error, EntryError::None) << pair[1];
        EXPECT_EQ(grouped.moment, plain.moment) << pair[0];
    }
}

TEST(EntryGrammar, QlwTimesAroundSixInTheMorning) {
    // The QLW date of the civil day 2000-01-01: the moment of noon is a QLW 06:00.
    const tavr::qlw::QlwDate date = tavr::qlw::FromDayNumber(kDay2000_01_01).date;
    ASSERT_EQ(date.valid, 1);
    const std::string text = std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                             std::to_string(date.week) + "-" + std::to_string(date.day) + " QLW";
    struct Row {
        const char* time;
        int32_t civilDay;
        double civilTime;
    };
    const Row rows[] = {
        {"", kDay2000_01_01, Clock(18, 0)}, // noon of the QLW day
        {" 00:00", kDay2000_01_01, Clock(6, 0)},     {" 05:59", kDay2000_01_01, Clock(11, 59)},
        {" 06:00", kDay2000_01_01, Clock(12, 0)},    {" 06:01", kDay2000_01_01, Clock(12, 1)},
        {" 17:59", kDay2000_01_01, Clock(23, 59)},   {" 18:00", kDay2000_01_01 + 1, 0.0},
        {" 20:00", kDay2000_01_01 + 1, Clock(2, 0)}, {" 23:59", kDay2000_01_01 + 1, Clock(5, 59)},
    };
    for (const Row& row : rows) {
        const std::string entry = text + row.time;
        const ParseResult result = ParseDateEntry(entry, MakeState(0.0, 60, View::Local));
        ASSERT_EQ(result.error, EntryError::None) << entry;
        EXPECT_EQ(result.calendar, kQLW);
        EXPECT_NEAR(result.moment, Ajd(row.civilDay, row.civilTime, 60), kMomentTolerance) << entry;
    }
}

TEST(EntryGrammar, HistoryLinesAndDayCounts) {
    State state = MakeState(2451545.0);
    state.entryText = "what the box holds";
    state.fromHistory = true;
    // A history line keeps the box as it was; its time after CJD is allowed.
    ParseResult result = ParseDateEntry("2,452,275.6028 CJD 14:28 (local=GMT)", state);
    EXPECT_EQ(result.error, EntryError::None);
    EXPECT_EQ(result.entryText, "what the box holds");
    EXPECT_NEAR(result.moment, 2452275.6028 - 0.5, kMomentTolerance);
    result = ParseDateEntry("2001-12-31 CE 14:28 (local = GMT+01:00)", state);
    EXPECT_EQ(result.error, EntryError::None);
    EXPECT_NEAR(result.moment, Ajd(kDay2001_12_31, Clock(14, 28)), kMomentTolerance);

    // An entry of nothing but separators with a day count stands for the current date and time.
    state = MakeState(Ajd(kDay2001_12_31, Clock(14, 28)), 0, View::Local, kCE);
    state.dayCountText = "5";
    result = ParseDateEntry(" , ", state);
    EXPECT_EQ(result.error, EntryError::None);
    EXPECT_EQ(result.entryText, "2001-12-31 CE 14:28");
    EXPECT_NEAR(result.moment, state.dblCurrentAJDate, kMomentTolerance);
    state.currentCalendar = kCJD;
    result = ParseDateEntry(",", state);
    EXPECT_EQ(result.error, EntryError::None);
    EXPECT_EQ(result.entryText, "2,452,275.6028 CJD");
}

TEST(EntryGrammar, OddTextsNeverCrash) {
    // Long, binary and extreme texts give some error code or a moment, never a crash.
    const std::string texts[] = {
        std::string(5000, '9') + " AJD",
        std::string(5000, '9') + " CE",
        std::string(1, '\0') + "1 CE",
        "-" + std::string(300, '1') + "-01-01 CE",
        "9999999999-99-99-99 VR",
        "2147483647-12-30-3 LDT",
        "-2147483648-01-01 SAR",
        "99999999999-1-1-1 QLW",
        "1-2-3-4-5-6-7-8 TVG",
        ":",
        "-",
        "--:--",
        "1(",
        "1CE(",
        "1CE1",
        "0CE0:0",
        "\xff\xfe CE",
    };
    for (const std::string& text : texts) {
        const ParseResult result = ParseDateEntry(text, MakeState());
        if (result.error == EntryError::None) {
            EXPECT_FALSE(std::isnan(result.moment)) << text;
        }
    }
}
