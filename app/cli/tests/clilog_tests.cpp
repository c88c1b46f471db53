// `convert --log`: the entry printed for a result equals the one composed,
// independently of the program's own composition, from the rows and Moon
// texts that `convert --json` reports for the same arguments, in both formats.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Cli.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Call(std::vector<std::string> args) {
    Outcome o;
    o.status = tavr::cli::Run(args, o.out, o.err);
    return o;
}

// The entry as the log's rules describe it, from the JSON of the same result.
std::string Expected(const QJsonObject& json, bool dateCalendar, const std::string& action) {
    const std::string current = json["calendar"].toString().toStdString();
    const QJsonObject rows = json["rows"].toObject();
    std::string heading = json["history"].toString().toStdString();
    if (current != "CJD" && current != "AJD")
        heading += " " + json["time"].toString().toStdString().substr(0, 5);
    std::string line;
    for (const char* code : {"CE", "JC", "SAR", "VR", "LDT", "TVG", "QLW", "CJD", "AJD"}) {
        if (current == code) continue;
        const std::string s = rows[code].toObject()["value"].toString().toStdString();
        if (dateCalendar) {
            if (!line.empty()) line += ", ";
            const std::string c(code);
            line += (c == "CJD" || c == "AJD") ? s : s.substr(0, s.find(" ("));
        } else {
            line += std::string(code) + "=" + s.substr(0, s.find(code) - 1) + "  ";
        }
    }
    const std::string phase = json["phase"].toString().toStdString();
    const size_t comma = phase.find(',');
    return action + "\r\n" + heading + "@\r\n" + line + "\r\n" + phase.substr(0, comma) +
           ", illum. = " + phase.substr(comma + 1) +
           ", lunat. and age = " + json["age"].toString().toStdString() + ".\r\n\r\n";
}

TEST(CliLog, EntryMatchesTheRowsInBothFormats) {
    struct Case {
        std::vector<std::string> args;
        const char* zoneNote; // the end of the heading
        const char* action;
    };
    const std::vector<Case> cases = {
        {{"2001-12-31 CE 14:28"}, " (local = GMT)", "Convert date"},
        {{"--zone", "+05:30", "--greenwich", "102-25-10-26 VR 03:00"},
         " (Greenwich; local = GMT+05:30)",
         "Convert date"},
        {{"--calendar", "QLW", "--zone", "-03:30", "2001-12-4-3 QLW 20:00"},
         " (local = GMT-03:30)",
         "Convert date"},
        {{"--zone", "+12:00", "2,452,275.25 CJD"}, " (local = GMT+12:00)", "Convert date"},
        {{"--days", "+1,000", "-3200-01-01 CE"}, " (local = GMT)", "Convert date plus +1,000 days"},
        {{"--zone", "-12:00", "--days", "1", "--minus", "1-94-08-25 TVG 23:59"},
         " (local = GMT-12:00)",
         "Convert date minus 1 day"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> json = {"convert", "--json"};
        json.insert(json.end(), c.args.begin(), c.args.end());
        const Outcome j = Call(json);
        ASSERT_EQ(j.status, 0) << j.err;
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(j.out)).object();
        for (bool dateCalendar : {false, true}) {
            std::vector<std::string> args = {"convert", "--log"};
            if (dateCalendar) args.insert(args.end(), {"--log-format", "date calendar,"});
            args.insert(args.end(), c.args.begin(), c.args.end());
            const Outcome o = Call(args);
            ASSERT_EQ(o.status, 0) << o.err;
            std::string expected = Expected(object, dateCalendar, c.action);
            expected.replace(expected.find('@'), 1, c.zoneNote);
            EXPECT_EQ(o.out, expected) << c.args.back();
            // With --json the object carries the same entry.
            args.insert(args.begin() + 1, "--json");
            const Outcome withJson = Call(args);
            const QJsonObject o2 = QJsonDocument::fromJson(QByteArray::fromStdString(withJson.out)).object();
            EXPECT_EQ(o2["log"].toString().toStdString(), expected);
        }
    }
}

TEST(CliLog, WrongUse) {
    EXPECT_EQ(Call({"convert", "--log", "--log-format", "date=calendar", "2001-12-31 CE"}).status,
              tavr::cli::kExitUsage);
    EXPECT_EQ(Call({"convert", "--log-format", "calendar=date", "2001-12-31 CE"}).status,
              tavr::cli::kExitUsage);
    const Outcome refused = Call({"convert", "--log", "2001-13-31 CE"});
    EXPECT_EQ(refused.status, tavr::cli::kExitRefused);
    EXPECT_EQ(refused.out, "");
    // Without --log the JSON object has no "log" key.
    const Outcome plain = Call({"convert", "--json", "2001-12-31 CE"});
    EXPECT_FALSE(QJsonDocument::fromJson(QByteArray::fromStdString(plain.out)).object().contains("log"));
    EXPECT_NE(Call({"--help"}).out.find("--log-format"), std::string::npos);
}

} // namespace
