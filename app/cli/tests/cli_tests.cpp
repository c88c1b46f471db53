// The command line run in-process: text and JSON output for a few moments,
// the options, and the exit statuses.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <sstream>

#include "cli/Cli.h"
#include "cli/tests/CliTestSupport.h"

using tavr::cli::testing::Call;
using tavr::cli::testing::Lines;
using tavr::cli::testing::Outcome;

namespace {

constexpr double kMomentTolerance = 1e-8;

QJsonObject Json(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document.object();
}

} // namespace

TEST(CommandLine, TextOutputInTheWindowsOrder) {
    const Outcome o = Call({"convert", "2000-01-01 CE 12:00"});
    ASSERT_EQ(o.status, 0) << o.err;
    const std::vector<std::string> lines = Lines(o.out);
    ASSERT_EQ(lines.size(), 13u) << o.out;
    EXPECT_EQ(lines[0], "Common Era: 2000-01-01 CE (Saturday, January 1, 2000)");
    EXPECT_EQ(lines[1], "Julian: 1999-12-19 JC (Saturday, December 19, 1999)");
    EXPECT_EQ(lines[2], "Sarvenes Calendar: 4696-11-25 SAR (Mars Day, Dionysus 25,  4696)");
    EXPECT_EQ(lines[3].rfind("Vosko-Rindal Solilunar: 102-25-10-26 VR (", 0), 0u);
    EXPECT_EQ(lines[4], "Lunar Dovrenia Triday: 098-09-09-3 LDT (Norasday 9 Davithe 98)");
    EXPECT_EQ(lines[5], "Tussary-Vosko Goddess 1-94-08-25 TVG (Saturday, Hathor 25, 1-94)");
    EXPECT_EQ(lines[6].rfind("Quorvane Lunar Week: 4999-10-4-3 QLW (Daythree in Weekfour of ", 0), 0u);
    EXPECT_EQ(lines[7], "Chronological Julian date: 2,451,545.5000 CJD");
    EXPECT_EQ(lines[8], "Astronomical Julian date: 2,451,545.0000 AJD");
    EXPECT_EQ(lines[9], "Time: 12:00 (local=GMT)");
    // Last quarter 1999-12-29, new Moon 2000-01-06: a waning crescent.
    EXPECT_EQ(lines[10].rfind("Phase of Moon, illumination: Crescent moon (waning), ", 0), 0u) << lines[10];
    EXPECT_EQ(lines[11].rfind("[Lunation] Age of Moon: [", 0), 0u) << lines[11];
    // Delta T was about 64 seconds in 2000.
    EXPECT_EQ(lines[12], "Delta T: 1 minute");
    EXPECT_EQ(o.err, "");
}

TEST(CommandLine, JsonOutput) {
    const Outcome o = Call({"convert", "--json", "--zone", "GMT + 01:00", "2001-12-31 ce 14:28"});
    ASSERT_EQ(o.status, 0) << o.err;
    const QJsonObject json = Json(o.out);
    EXPECT_NEAR(json["ajd"].toDouble(), 2452275.0 + (14 * 60 + 28 - 60) / 1440.0 - 0.5, kMomentTolerance);
    EXPECT_NEAR(json["cjd"].toDouble(), 2452275.0 + (14 * 60 + 28) / 1440.0, kMomentTolerance);
    EXPECT_EQ(json["calendar"].toString(), "CE");
    EXPECT_EQ(json["history"].toString(), "2001-12-31 CE");
    EXPECT_EQ(json["time"].toString(), "14:28 (local)");
    const QJsonObject rows = json["rows"].toObject();
    EXPECT_EQ(rows.size(), 9);
    EXPECT_EQ(rows["CE"].toObject()["value"].toString(), "2001-12-31 CE (Monday, December 31, 2001)");
    EXPECT_EQ(rows["CE"].toObject()["tooltip"].toString(),
              "The 31st day of December in the year 2001 in the Common Era Calendar");
    EXPECT_EQ(rows["CJD"].toObject()["value"].toString(), "2,452,275.6028 CJD");
    EXPECT_EQ(rows["CJD"].toObject()["tooltip"].toString(), "");
    EXPECT_FALSE(rows["QLW"].toObject()["tooltip"].toString().isEmpty());
    EXPECT_TRUE(json["phase"].toString().contains("%"));
    EXPECT_TRUE(json["age"].toString().startsWith("["));
    EXPECT_FALSE(json["deltaT"].toString().isEmpty());
}

TEST(CommandLine, OptionsTakeTheWindowsPath) {
    struct Row {
        std::vector<std::string> args;
        double ajd;
        const char* calendar;
        const char* history;
        const char* time;
    };
    const Row rows[] = {
        {{"convert", "--json", "2000-01-01 CE 12:00"}, 2451545.0, "CE", "2000-01-01 CE", "12:00 (local=GMT)"},
        {{"convert", "--json", "2000-01-01", "CE", "12:00"},
         2451545.0,
         "CE",
         "2000-01-01 CE",
         "12:00 (local=GMT)"},
        {{"convert", "--json", "--calendar", "sar", "4696-11-25"},
         2451545.0,
         "SAR",
         "4696-11-25 SAR",
         "12:00 (local=GMT)"},
        {{"convert", "--json", "--zone", "+05:30", "2000-01-01 CE 12:00"},
         2451545.0 - 330 / 1440.0,
         "CE",
         "2000-01-01 CE",
         "12:00 (local)"},
        {{"convert", "--json", "--zone=-03:30", "2000-01-01 CE 12:00"},
         2451545.0 + 210 / 1440.0,
         "CE",
         "2000-01-01 CE",
         "12:00 (local)"},
        {{"convert", "--json", "--zone", "-03:30", "2000-01-01 CE 12:00"},
         2451545.0 + 210 / 1440.0,
         "CE",
         "2000-01-01 CE",
         "12:00 (local)"},
        {{"convert", "--json", "--zone", "+05:30", "--greenwich", "2000-01-01 CE 12:00"},
         2451545.0,
         "CE",
         "2000-01-01 CE",
         "12:00 (GMT)"},
        {{"convert", "--json", "--days", "+1,000", "2000-01-01 CE 12:00"},
         2452545.0,
         "CE",
         "2002-09-27 CE",
         "12:00 (local=GMT)"},
        {{"convert", "--json", "--days", "-1", "--minus", "2000-01-01 CE 12:00"},
         2451546.0,
         "CE",
         "2000-01-02 CE",
         "12:00 (local=GMT)"},
        {{"convert", "--json", "-3200-01-01 CE"}, 552284.0, "CE", "-3200-01-01 CE", "12:00 (local=GMT)"},
        {{"convert", "--json", "--", "-0.5e0 AJD"}, -1, nullptr, nullptr, nullptr}, // refused: see below
        {{"convert", "--json", "--calendar", "QLW", "2000-01-01 CE 06:00"},
         2451544.75,
         "CE",
         "2000-01-01 CE",
         "06:00 (local=GMT)"},
        {{"convert", "--json", "--calendar", "AJD", "2,451,545"},
         2451545.0,
         "AJD",
         "2,451,545.0000 AJD",
         "12:00 (local=GMT)"},
    };
    for (const Row& row : rows) {
        const Outcome o = Call(row.args);
        if (!row.calendar) {
            EXPECT_NE(o.status, 0);
            continue;
        }
        ASSERT_EQ(o.status, 0) << row.args.back() << ": " << o.err;
        const QJsonObject json = Json(o.out);
        EXPECT_NEAR(json["ajd"].toDouble(), row.ajd, kMomentTolerance) << row.args.back();
        EXPECT_EQ(json["calendar"].toString().toStdString(), row.calendar) << row.args.back();
        EXPECT_EQ(json["history"].toString().toStdString(), row.history) << row.args.back();
        EXPECT_EQ(json["time"].toString().toStdString(), row.time) << row.args.back();
    }
}

TEST(CommandLine, ExitStatusesAndMessages) {
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err; // start of standard error ("" : empty)
    };
    const Row rows[] = {
        {{"convert", "2001-12-31 CE 24:00"},
         2,
         "Invalid date/time entry: Invalid time specification.  Times must be, e.g., 23:50.\n"},
        {{"convert"}, 2, "Invalid date/time entry: No date given.\n"},
        {{"convert", "   "}, 2, "Invalid date/time entry: No date given.\n"},
        {{"convert", "2001-12-31 14:28"},
         2,
         "Invalid date/time entry: Calendar must be specified (one of CE, JC, SAR, VR, LDT, QLW, CJD and "
         "AJD).\n"},
        {{"convert", "--days", "1-2", "2000-01-01 CE"},
         2,
         "Invalid date/time entry: Value for addition or subtraction is invalid.\n"},
        {{"convert", "5000-1-5-1 QLW"}, 2, "Invalid date/time entry: Invalid week value in QLW date.\n"},
        {{"convert", "1 AJD"}, 3, "Date out of range: Resultng date is earlier than -3200-01-01 CE.\n"},
        {{"convert", "3912515.0001 AJD"},
         3,
         "Date out of range: Resulting date is later than 6000-01-01 CE.\n"},
        {{"convert", "--days", "2", "6000-01-01 CE"},
         3,
         "Date out of range: Resulting date is later than 6000-01-01 CE.\n"},
        {{"convert", "552283 AJD"}, 0, ""},
        {{"convert", "3912515 AJD"}, 0, ""},
        {{}, 1, "Usage: tavr180"},
        {{"frobnicate"}, 1, "tavr180: unknown command"},
        {{"convert", "--frobnicate", "2000-01-01 CE"}, 1, "tavr180: Unknown option"},
        {{"convert", "--calendar", "XX", "2000-01-01"}, 1, "tavr180: unknown calendar"},
        {{"convert", "--zone", "+05:15", "2000-01-01 CE"}, 1, "tavr180: unknown zone"},
        {{"convert", "--zone", "GMT + 13:00", "2000-01-01 CE"}, 1, "tavr180: unknown zone"},
        {{"convert", "--calendar"}, 1, "tavr180: Missing value"},
        {{"convert", "--now", "2000-01-01 CE"}, 1, "tavr180: --now takes no date text"},
        {{"convert", "--zone", "+1", "--zone", "+2", "2000-01-01 CE"},
         1,
         "tavr180: --zone given more than once"},
    };
    for (const Row& row : rows) {
        const Outcome o = Call(row.args);
        const std::string what = row.args.empty() ? "(none)" : row.args.back();
        EXPECT_EQ(o.status, row.status) << what << ": " << o.err;
        if (*row.err == '\0')
            EXPECT_EQ(o.err, "") << what;
        else
            EXPECT_EQ(o.err.rfind(row.err, 0), 0u) << what << ": " << o.err;
        if (row.status != 0) {
            EXPECT_EQ(o.out, "") << what;
        }
    }
}

TEST(CommandLine, HelpVersionAndInvocation) {
    Outcome o = Call({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("Usage: tavr180 convert", 0), 0u);
    o = Call({"convert", "--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("--greenwich"), std::string::npos);
    o = Call({"--version"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "tavr180 18.0\n");

    struct Row {
        std::vector<const char*> argv;
        bool cli;
    };
    const Row rows[] = {
        {{"tavr180"}, false},
        {{"tavr180", "convert", "x"}, true},
        {{"tavr180", "--help"}, true},
        {{"tavr180", "-h"}, true},
        {{"tavr180", "--version"}, true},
        {{"tavr180", "-platform", "offscreen"}, false},
        {{"tavr180", "--platform=offscreen", "-reverse", "-session", "1a2b", "-style", "fusion"}, false},
        // Anything else is a command, an unknown one a usage error.
        {{"tavr180", "Convert"}, true},
        {{"tavr180", "frob"}, true},
        {{"tavr180", "--frob"}, true},
        {{"tavr180", "-platform"}, true},
        {{"tavr180", "-reverse=1"}, true},
        {{"tavr180", "-platform", "offscreen", "frob"}, true},
    };
    for (const Row& row : rows) {
        std::vector<char*> argv;
        for (const char* a : row.argv)
            argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(tavr::cli::IsCommandLineInvocation(static_cast<int>(argv.size()), argv.data()), row.cli)
            << row.argv.back();
    }
    EXPECT_FALSE(tavr::cli::IsCommandLineInvocation(0, nullptr));
}

TEST(CommandLine, NowConvertsThePresentMoment) {
    const Outcome o = Call({"convert", "--now", "--json", "--calendar", "AJD"});
    ASSERT_EQ(o.status, 0) << o.err;
    const QJsonObject json = Json(o.out);
    EXPECT_EQ(json["calendar"].toString(), "AJD");
    // The tests run with TZ=UTC and the zone GMT: the label reads the clock at GMT.
    EXPECT_TRUE(json["time"].toString().endsWith("(local=GMT)")) << json["time"].toString().toStdString();
    const double ajd = json["ajd"].toDouble();
    EXPECT_GT(ajd, 2460000.0); // after 2023
    EXPECT_LT(ajd, 2500000.0);
}

// An unknown command or option is named; every command prints its usage on
// --help; a refused value is echoed cut to a readable length.
TEST(CommandLine, UsageNamesWhatIsWrong) {
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const Row rows[] = {
        {{"--frob"}, 1, "tavr180: Unknown option '--frob'. (try tavr180 --help)\n"},
        {{"-platform", "offscreen", "frob"}, 1, "tavr180: unknown command \"frob\" (try tavr180 --help)\n"},
        {{"lunation", "--help"}, 0, ""},
        {{"lunation", "-h"}, 0, ""},
    };
    for (const Row& row : rows) {
        const Outcome o = Call(row.args);
        EXPECT_EQ(o.status, row.status) << row.args[0];
        EXPECT_EQ(o.err, row.err) << row.args[0];
    }
    EXPECT_EQ(Call({"lunation", "--help"}).out.rfind("Usage: tavr180 lunation [TEXT]", 0), 0u);

    const std::string zone(100000, 'z');
    const Outcome cut = Call({"convert", "--zone", zone, "2000-01-01 CE"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_LT(cut.err.size(), 300u);
    EXPECT_NE(cut.err.find("\"" + std::string(tavr::cli::kEchoedMost, 'z') + "...[cut, 100000 bytes]\""),
              std::string::npos)
        << cut.err;
    // Never inside a UTF-8 sequence; an escape counts with its four characters.
    const std::string accented = std::string(tavr::cli::kEchoedMost - 1, 'a') + "\xc3\xa9"
                                                                                "b";
    EXPECT_EQ(tavr::cli::Escaped(accented),
              std::string(tavr::cli::kEchoedMost - 1, 'a') + "\xc3\xa9...[cut, 82 bytes]");
    EXPECT_EQ(tavr::cli::Escaped(std::string(tavr::cli::kEchoedMost, 'a')),
              std::string(tavr::cli::kEchoedMost, 'a'));
}
