// tavr180 search and tavr180 events run in-process: targets, repeated
// searches with the eclipse memory, the JSON objects, the exit statuses and
// the form of the iCalendar output.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>
#include <sstream>

#include "cli/Cli.h"
#include "cli/tests/CliTestSupport.h"
#include "session/Search.h"

using tavr::cli::Run;

using tavr::cli::testing::Call;
using tavr::cli::testing::JsonArray;
using tavr::cli::testing::Outcome;

namespace {} // namespace

TEST(CliSearch, RepeatedTotalSolarEclipsesAsJson) {
    const Outcome r =
        Call({"search", "next", "total-solar", "--from", "2024-01-01 CE", "--count", "3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray results = JsonArray(r.out);
    ASSERT_EQ(results.size(), 3);
    double previous = 0.0;
    for (const QJsonValue& value : results) {
        const QJsonObject o = value.toObject();
        for (const char* key :
             {"ajd", "cjd", "calendar", "history", "time", "rows", "phase", "age", "deltaT"})
            EXPECT_TRUE(o.contains(key)) << key;
        const QJsonObject eclipse = o.value("eclipse").toObject();
        const int type = eclipse.value("type").toInt();
        EXPECT_TRUE(type == 3 || type == 4 || type == 6 || type == 7) << type;
        EXPECT_TRUE(eclipse.value("kind").toString().contains("total"));
        EXPECT_GT(eclipse.value("saros").toInt(), 0);
        EXPECT_NEAR(eclipse.value("greatestTD").toDouble(), o.value("ajd").toDouble(), 0.01);
        EXPECT_TRUE(eclipse.value("label").toString().startsWith(eclipse.value("kind").toString()));
        EXPECT_TRUE(eclipse.value("log").toString().endsWith("."));
        EXPECT_GT(o.value("ajd").toDouble(), previous + 100.0);
        previous = o.value("ajd").toDouble();
    }
    EXPECT_EQ(results[0].toObject().value("eclipse").toObject().value("saros").toInt(), 139);
}

TEST(CliSearch, TargetsByTextAndShortName) {
    const Outcome byName = Call({"search", "previous", "full-moon", "--from", "2000-01-01 CE", "--json"});
    const Outcome byText = Call({"search", "previous", "Full moon", "--from", "2000-01-01 CE", "--json"});
    const Outcome byWords = Call({"search", "previous", "full", "moon", "--from", "2000-01-01 CE", "--json"});
    ASSERT_EQ(byName.status, 0) << byName.err;
    EXPECT_EQ(byName.out, byText.out);
    EXPECT_EQ(byName.out, byWords.out);
    const QJsonObject o = JsonArray(byName.out)[0].toObject();
    EXPECT_TRUE(o.value("eclipse").isNull());
    EXPECT_EQ(o.value("history").toString().toStdString(), "1999-12-22 CE");

    const Outcome text =
        Call({"search", "next", "coincidence", "--from", "2000-01-01 CE", "--calendar", "VR"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("Search for next coincidence of 1sts of month.\n", 0), 0u) << text.out;
    EXPECT_NE(text.out.find("-01 VR"), std::string::npos) << text.out;
}

TEST(CliSearch, RefusalsAndUsage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"search", "next", "saros", "--from", "2024-01-01 CE"}, 2, "No eclipse displayed"},
        {{"search", "previous", "coincidence", "--from", "-2950-01-01 CE"},
         3,
         "Out of range: Earliest date exceeded."},
        {{"search", "next", "quarter", "--from", "5999-12-31 CE 23:59"}, 3, "Latest date exceeded."},
        {{"search", "next", "total-solar", "--from", "2024-13-01 CE"}, 2, "Invalid"},
        {{"search", "next", "total-solar", "--from", "9000-01-01 CE"}, 3, "Date out of range"},
        {{"search", "next", "moon"}, 1, "unknown target"},
        {{"search", "sideways", "full-moon"}, 1, "next or previous"},
        {{"search", "next"}, 1, "next or previous"},
        {{"search", "next", "full-moon", "--count", "0"}, 1, "--count"},
        {{"search", "next", "full-moon", "--count", "x"}, 1, "--count"},
        {{"search", "next", "full-moon", "--from"}, 1, "Missing value"},
        {{"search", "next", "full-moon", "--bogus"}, 1, "Unknown option"},
        {{"events", "--from", "2024-01-01 CE"}, 1, "--to"},
        {{"events", "--from", "2025-01-01 CE", "--to", "2024-01-01 CE"}, 1, "after --from"},
        {{"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--kind", "comets"}, 1, "--kind"},
        {{"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--ics", "--json"}, 1, "exclude"},
        {{"events", "--from", "-100-01-01 CE", "--to", "2-01-01 CE", "--ics"}, 1, "iCalendar"},
    };
    for (const Case& c : cases) {
        const Outcome r = Call(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << " " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    // Results found before a refusal are still shown.
    const Outcome partial =
        Call({"search", "previous", "coincidence", "--from", "-2700-01-01 CE", "--count", "50"});
    EXPECT_EQ(partial.status, 3);
    EXPECT_NE(partial.out.find("Search for previous coincidence"), std::string::npos);
}

TEST(CliEvents, TextJsonAndCalendarAgree) {
    const std::vector<std::string> span{"--from", "2024-01-01 CE", "--to", "2025-01-01 CE"};
    auto with = [&span](std::vector<std::string> args) {
        args.insert(args.begin() + 1, span.begin(), span.end());
        return Call(args);
    };
    const Outcome json = with({"events", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonArray events = JsonArray(json.out);
    int eclipses = 0;
    for (const QJsonValue& e : events)
        if (!e.toObject().value("eclipse").isNull()) ++eclipses;
    EXPECT_EQ(eclipses, 4);
    EXPECT_GE(events.size(), 48 + 4);

    const Outcome text = with({"events", "--kind", "eclipses"});
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find(" UT  Total solar eclipse (saros 139)\n"), std::string::npos) << text.out;

    const Outcome ics = with({"events", "--ics"});
    ASSERT_EQ(ics.status, 0) << ics.err;
    // Every line ends in CR LF and holds at most 75 octets; folded lines go on with a blank.
    size_t start = 0;
    int vevents = 0;
    std::set<std::string> uids;
    bool folded = false;
    while (start < ics.out.size()) {
        const size_t end = ics.out.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = ics.out.substr(start, end - start);
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (line == "BEGIN:VEVENT") ++vevents;
        if (line.rfind("UID:", 0) == 0) {
            EXPECT_TRUE(uids.insert(line).second) << line;
        }
        if (line.rfind("DTSTART:", 0) == 0) {
            EXPECT_EQ(line.back(), 'Z') << line;
        }
        if (!line.empty() && line[0] == ' ') folded = true;
        start = end + 2;
    }
    EXPECT_EQ(vevents, events.size());
    EXPECT_TRUE(folded); // the lunar eclipses' descriptions are long
    EXPECT_NE(ics.out.find("SUMMARY:Total solar eclipse (saros 139)\r\n"), std::string::npos);
    // The same span gives the same UIDs.
    const Outcome again = with({"events", "--ics"});
    EXPECT_EQ(again.out.substr(0, 200), ics.out.substr(0, 200));
}

// The eclipse on display is the one whose greatest moment lies within six
// hours of --from, then the one found before: a saros chain.
TEST(CliSearch, SarosFromTheEclipseAtFromOnward) {
    struct Case {
        std::vector<std::string> args;
        std::vector<const char*> dates;
    };
    const Case cases[] = {
        {{"next", "--from", "2024-04-08 CE 18:17", "--count", "3"},
         {"2042-04-20 CE", "2060-04-30 CE", "2078-05-11 CE"}},
        {{"next", "--from", "2024-04-09 CE 00:10"}, {"2042-04-20 CE"}},
        {{"previous", "--from", "2024-04-08 CE 12:30", "--count", "2"}, {"2006-03-29 CE", "1988-03-18 CE"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"search", c.args[0], "saros", "--json"};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const Outcome o = Call(args);
        ASSERT_EQ(o.status, 0) << c.args[2] << ": " << o.err;
        const QJsonArray hits = JsonArray(o.out);
        ASSERT_EQ(hits.size(), static_cast<int>(c.dates.size()));
        for (int i = 0; i < hits.size(); ++i) {
            const QJsonObject hit = hits[i].toObject();
            EXPECT_EQ(hit.value("history").toString().toStdString(), c.dates[i]) << c.args[2];
            EXPECT_EQ(hit.value("eclipse").toObject().value("saros").toInt(), 139);
        }
    }
    // More than six hours away, no eclipse is on display.
    const Outcome none = Call({"search", "next", "saros", "--from", "2024-04-09 CE 00:30"});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err.rfind("No eclipse displayed: ", 0), 0u) << none.err;
}

// Events are written span by span as they are made; joined, the spans are
// the list of the whole span.
TEST(CliEvents, SentSpanBySpanAsOneList) {
    const double from = 2451545.0;
    const double to = from + 100 * 365.25;
    const std::vector<tavr::session::LunarEvent> events = tavr::session::EventsBetween(from, to, true, true);
    const auto sent = tavr::cli::testing::CallSending(
        {"events", "--json", "--from", "2451545 AJD", "--to", std::to_string(to) + " AJD"});
    ASSERT_EQ(sent.status, 0) << sent.err;
    EXPECT_GT(sent.pieces.size(), 10u);
    const QJsonArray written = JsonArray(sent.all());
    ASSERT_EQ(written.size(), static_cast<int>(events.size()));
    for (int i = 0; i < written.size(); ++i) {
        const QJsonObject e = written[i].toObject();
        ASSERT_EQ(e.value("ajd").toDouble(), events[static_cast<size_t>(i)].moment) << i;
        ASSERT_EQ(e.value("summary").toString().toStdString(), events[static_cast<size_t>(i)].summary) << i;
    }
}
