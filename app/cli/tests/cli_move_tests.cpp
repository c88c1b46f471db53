// tavr180 move run in-process: steps by text and by number, several steps,
// QLW steps on both sides of 06:00, the range stop, and wrong use.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Cli.h"
#include "cli/tests/CliTestSupport.h"

using tavr::cli::Run;

using tavr::cli::testing::Call;
using tavr::cli::testing::JsonArray;
using tavr::cli::testing::Outcome;

namespace {

std::string Field(const QJsonValue& step, const char* key) {
    return step.toObject().value(key).toString().toStdString();
}
} // namespace

TEST(CliMove, StepByTextOrNumberAndSeveralSteps) {
    for (const char* step : {"1 SAR month", "6", "1 sar month"}) {
        const Outcome o = Call({"move", step, "forward", "--from", "2000-01-01 CE 14:28", "--zone", "+01:00",
                                "--times", "2", "--json"});
        ASSERT_EQ(o.status, 0) << step << o.err;
        const QJsonArray steps = JsonArray(o.out);
        ASSERT_EQ(steps.size(), 2);
        EXPECT_EQ(Field(steps[0], "history"), "4696-12-25 SAR");
        EXPECT_EQ(Field(steps[1], "history"), "4697-01-25 SAR");
        EXPECT_EQ(Field(steps[1], "calendar"), "SAR");
        EXPECT_EQ(Field(steps[1], "time"), "14:28 (local)");
    }
    // The words of a step may also come one by one; text output per step.
    const Outcome o = Call({"move", "1", "CE", "month", "back", "--from", "2024-03-31 CE 21:05"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find("Common Era: 2024-02-29 CE (Thursday, February 29, 2024)"), std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("Time: 21:05 (local=GMT)"), std::string::npos);
}

TEST(CliMove, QlwStepsKeepTheClockTimeOnBothSidesOfSix) {
    struct Case {
        const char* from;
        const char* qlwAfter;
        const char* time; // QLW current: the time of the QLW day
    };
    // 2000-01-01 CE 05:30 is 23:30 of QLW day 4999-10-4-2, 06:30 is 00:30 of
    // 4999-10-4-3; a week later both keep their QLW day and clock time.
    const Case cases[] = {
        {"2000-01-01 CE 05:30", "4999-11-1-2 QLW", "23:30 (local QLW)"},
        {"2000-01-01 CE 06:30", "4999-11-1-3 QLW", "00:30 (local QLW)"},
    };
    for (const Case& c : cases) {
        const Outcome o = Call({"move", "1 QLW week", "forward", "--from", c.from, "--json"});
        ASSERT_EQ(o.status, 0) << o.err;
        const QJsonArray steps = JsonArray(o.out);
        ASSERT_EQ(steps.size(), 1);
        EXPECT_EQ(Field(steps[0], "history"), c.qlwAfter) << c.from;
        EXPECT_EQ(Field(steps[0], "time"), c.time) << c.from;
        EXPECT_EQ(Field(steps[0], "calendar"), "QLW");
    }
}

TEST(CliMove, RangeStopShowsTheStepAndExitsThree) {
    const Outcome o = Call({"move", "1 day", "forward", "--from", "5999-12-31 CE 12:00", "--greenwich",
                            "--times", "5", "--json"});
    EXPECT_EQ(o.status, 3);
    EXPECT_EQ(o.err, "Out of range: Latest date exceeded.\n");
    const QJsonArray steps = JsonArray(o.out);
    ASSERT_EQ(steps.size(), 2); // 6000-01-01 12:00 is accepted, the next is not
    EXPECT_EQ(Field(steps[1], "history"), "6000-01-02 CE");

    const Outcome back = Call({"move", "0", "back", "--from", "552283 AJD", "--greenwich"});
    EXPECT_EQ(back.status, 3);
    EXPECT_EQ(back.err, "Out of range: Earliest date exceeded.\n");
}

TEST(CliMove, WrongUseAndRefusedEntries) {
    const std::vector<std::vector<std::string>> usage = {
        {"move"},
        {"move", "1 day"},
        {"move", "1 day", "sideways"},
        {"move", "20", "forward"},
        {"move", "1 week", "forward"},
        {"move", "2", "forward", "--times", "0"},
        {"move", "2", "forward", "--times", "abc"},
        {"move", "2", "forward", "--times", "1000001"},
        {"move", "2", "forward", "--times"},
        {"move", "2", "forward", "--calendar", "XX"},
        {"move", "2", "forward", "--zone", "+13:00"},
        {"move", "2", "forward", "--from", "a", "--from", "b"},
        {"move", "2", "forward", "--bogus"},
    };
    for (const auto& args : usage) {
        const Outcome o = Call(args);
        EXPECT_EQ(o.status, 1) << args.back();
        EXPECT_TRUE(o.out.empty());
        EXPECT_FALSE(o.err.empty());
    }
    const Outcome refused = Call({"move", "2", "forward", "--from", "2000-13-01 CE"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(refused.err.rfind("Invalid date/time entry: ", 0), 0u) << refused.err;

    const Outcome help = Call({"--help"});
    EXPECT_NE(help.out.find("tavr180 move STEP forward|back"), std::string::npos);
    EXPECT_EQ(Call({"move", "--help"}).status, 0);
}

// Every step is sent on as it is made: the pieces stay small whatever the
// count and together give the output of a run that keeps it whole; a write
// that fails ends the run at once with its own status.
TEST(CliMove, StepsAreSentAsTheyAreMade) {
    using tavr::cli::testing::CallSending;
    for (const char* format : {"--json", "--greenwich"}) {
        const std::vector<std::string> args{"move",          "1 hour",  "forward", "--from",
                                            "2000-01-01 CE", "--times", "3000",    format};
        const Outcome kept = Call(args);
        const auto sent = CallSending(args);
        ASSERT_EQ(sent.status, 0) << sent.err;
        EXPECT_EQ(sent.all(), kept.out);
        EXPECT_GT(sent.pieces.size(), 10u);
        for (const std::string& piece : sent.pieces)
            EXPECT_LT(piece.size(), tavr::cli::kSendAt + 4096);

        const auto failed = CallSending(args, {}, 1);
        EXPECT_EQ(failed.status, tavr::cli::kExitWrite);
        EXPECT_EQ(failed.calls, 2u);
        EXPECT_EQ(failed.err, "tavr180: standard output could not be written (Test failure)\n");
    }
}
