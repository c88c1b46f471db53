// search and events with --at: only the eclipses visible from the place, with
// their local circumstances in JSON, text and iCalendar.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/tests/CliTestSupport.h"

using tavr::cli::testing::Call;
using tavr::cli::testing::JsonArray;
using tavr::cli::testing::Outcome;

namespace {

const std::vector<std::string> kDallas2024{"--from", "2024-01-01 CE", "--to", "2025-01-01 CE",
                                           "--kind", "eclipses",      "--at", "32.78,-96.80,140"};

std::vector<std::string> With(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

} // namespace

// 2024 from Dallas: the penumbral lunar eclipse of March 25, the total solar
// eclipse of April 8 and the partial lunar eclipse of September 18, not the
// annular solar eclipse of October 2 (seen from the South Pacific only).
TEST(CliLocal, EventsKeepTheEclipsesSeenFromThePlace) {
    const Outcome r = Call(With({"events"}, With(kDallas2024, {"--json"})));
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray events = JsonArray(r.out);
    ASSERT_EQ(events.size(), 3) << r.out;
    const char* kinds[] = {"penumbral", "total", "partial"};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject local = events[i].toObject()["eclipse"].toObject()["local"].toObject();
        for (const char* key : {"latitude", "longitude", "height", "visible", "kind", "magnitude",
                                "obscuration", "delta_t_s", "contacts"})
            EXPECT_TRUE(local.contains(key)) << key;
        EXPECT_TRUE(local["visible"].toBool());
        EXPECT_EQ(local["kind"].toString(), kinds[i]);
        EXPECT_EQ(local["latitude"].toDouble(), 32.78);
    }
    const QJsonObject total = events[1].toObject()["eclipse"].toObject()["local"].toObject();
    const QJsonObject contacts = total["contacts"].toObject();
    EXPECT_EQ(contacts.keys(), (QStringList{"C1", "C2", "C3", "C4", "max"}));
    // Totality at Dallas began at 18:40:43 UT (with the observed delta T, 69 s).
    EXPECT_EQ(contacts["C2"].toObject()["utc"].toString().left(16), "2024-04-08 18:40");
    EXPECT_GT(contacts["max"].toObject()["altitude"].toDouble(), 60.0);
    EXPECT_GT(total["magnitude"].toDouble(), 1.0);
    EXPECT_EQ(total["obscuration"].toDouble(), 1.0);
    EXPECT_TRUE(events[0].toObject()["eclipse"].toObject()["local"].toObject()["obscuration"].isNull());
    const QJsonObject lunar =
        events[2].toObject()["eclipse"].toObject()["local"].toObject()["contacts"].toObject();
    EXPECT_EQ(lunar.keys(), (QStringList{"P1", "P4", "U1", "U4", "max"}));

    // The text gives the same few lines after each eclipse's line.
    const Outcome text = Call(With({"events"}, kDallas2024));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("Seen from 32.78, -96.8, 140 m: total, magnitude 1.0"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("  C2  2024-04-08 18:40"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("2024-10-02"), std::string::npos) << text.out;
}

// The iCalendar events of an eclipse run from its first to its last contact
// at the place, which they name.
TEST(CliLocal, CalendarEventsSpanTheLocalContacts) {
    const Outcome r = Call(With({"events"}, With(kDallas2024, {"--ics"})));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("DTSTART:20240408T172"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DTEND:20240408T200"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("GEO:32.780000;-96.800000\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("Seen from 32.78\\, -96.8\\, 140 m"), std::string::npos);
}

// The next total solar eclipse seen from Madras, Oregon after 2017-01-01 is
// that of 2017-08-21; with --count the next one seen there follows.
TEST(CliLocal, SearchFindsTheNextEclipseSeenThere) {
    const Outcome r = Call({"search", "next", "total-solar", "--from", "2017-01-01 CE", "--at",
                            "44.6335,-121.1295,680", "--count", "2", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray found = JsonArray(r.out);
    ASSERT_EQ(found.size(), 2);
    const QJsonObject first = found[0].toObject()["eclipse"].toObject()["local"].toObject();
    EXPECT_EQ(first["kind"].toString(), "total");
    EXPECT_EQ(first["contacts"].toObject()["max"].toObject()["utc"].toString().left(13), "2017-08-21 17");
    // 2024-04-08 (lunation 300) is seen from Oregon as partial: it counts.
    const QJsonObject second = found[1].toObject()["eclipse"].toObject()["local"].toObject();
    EXPECT_TRUE(second["visible"].toBool());
    EXPECT_EQ(found[1].toObject()["eclipse"].toObject()["lunation"].toInt(), 300);
}

TEST(CliLocal, BadPlacesAndTargetsAreRefused) {
    const struct {
        std::vector<std::string> args;
        const char* err;
    } cases[] = {
        {{"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--at", "95,0"}, "--at takes"},
        {{"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--at", "1;2"}, "--at takes"},
        {{"search", "next", "solar", "--at", "1,2,3,4"}, "--at takes"},
        {{"search", "next", "solar", "--at"}, "Missing value"},
        {{"search", "next", "full-moon", "--from", "2024-01-01 CE", "--at", "1,2"}, "eclipse target"},
    };
    for (const auto& c : cases) {
        const Outcome r = Call(c.args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}
