// The command line under hostile arguments: control characters echoed
// escaped, well-formed dates outside the range, pasted row texts.
#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "cli/tests/CliTestSupport.h"

using tavr::cli::Escaped;
using tavr::cli::Run;

using tavr::cli::testing::Call;
using tavr::cli::testing::Outcome;

namespace {

TEST(CliHostile, EscapedControlCharacters) {
    EXPECT_EQ(Escaped("plain +05:30 \xe9"), "plain +05:30 \xe9");
    EXPECT_EQ(Escaped("a\nb\tc\rd"), "a\\nb\\tc\\rd");
    EXPECT_EQ(Escaped(std::string("\x1b[2J\x7f\x01", 6)), "\\x1b[2J\\x7f\\x01");
    EXPECT_EQ(Escaped(std::string("\0", 1)), "\\x00");
}

TEST(CliHostile, UsageErrorsNeverEchoControlCharacters) {
    const std::string hostile = "x\x1b]0;title\x07\ny";
    const std::vector<std::vector<std::string>> calls = {
        {hostile},
        {"convert", "--calendar", hostile, "2000-01-01"},
        {"convert", "--zone", hostile, "2000-01-01 CE"},
        {"convert", "--" + hostile, "2000-01-01 CE"},
        {"convert", "--zone", "+1", "--days"},
        {"convert", "--greenwich=" + hostile, "2000-01-01 CE"},
        {"search", "next", "full-moon", "--" + hostile},
        {"search", "next", "full-moon", "--calendar", hostile},
        {"events", "--from", "2000-01-01 CE", "--to", "2001-01-01 CE", "--kind", hostile},
        {"move", "1 SAR month", "forward", "--" + hostile},
        {"move", "1 SAR month", "forward", "--calendar", hostile},
        {"lunation", "--" + hostile},
        {"lunation", "--calendar", hostile},
        {"lunation", "--zone", hostile},
    };
    for (const auto& args : calls) {
        const Outcome o = Call(args);
        EXPECT_EQ(o.status, tavr::cli::kExitUsage) << o.err;
        EXPECT_EQ(o.out, "");
        // One line of message, nothing below 0x20 but its final newline.
        ASSERT_FALSE(o.err.empty());
        EXPECT_EQ(o.err.back(), '\n');
        for (size_t i = 0; i + 1 < o.err.size(); ++i)
            EXPECT_GE(static_cast<unsigned char>(o.err[i]), 0x20u) << Escaped(o.err);
    }
    EXPECT_NE(Call({"convert", "--zone", hostile, "2000-01-01 CE"}).err.find("x\\x1b]0;title\\x07\\ny"),
              std::string::npos);
}

TEST(CliHostile, WellFormedDatesOutsideTheRangeExitWithTheRangeStatus) {
    for (const char* entry : {"9000-1-1-1 QLW", "99999-1-1-1 QLW", "-700-1-1-1 QLW", "6000-01-02 CE"}) {
        const Outcome o = Call({"convert", entry});
        EXPECT_EQ(o.status, tavr::cli::kExitOutOfRange) << entry << ": " << o.err;
        EXPECT_EQ(o.err.rfind("Date out of range: ", 0), 0u) << o.err;
    }
    // The first days of the range show QLW year -201 and read back.
    const Outcome first = Call({"convert", "--calendar", "QLW", "--", "-201-10-4-1"});
    EXPECT_EQ(first.status, tavr::cli::kExitShown) << first.err;
    EXPECT_NE(first.out.find("-201-10-4-1 QLW"), std::string::npos) << first.out;
}

TEST(CliHostile, PastedRowTextsWithTheirLongForm) {
    const Outcome qlw = Call({"convert", "--json", "4999-10-4-3 QLW (Daythree in Weekfour of Joyce, 4999)"});
    EXPECT_EQ(qlw.status, tavr::cli::kExitShown) << qlw.err;
    EXPECT_NE(qlw.out.find("\"calendar\":\"QLW\""), std::string::npos) << qlw.out;
    const Outcome plain = Call({"convert", "--json", "4999-10-4-3 QLW"});
    EXPECT_EQ(qlw.out, plain.out);
}

TEST(CliHostile, HelpNamesTheLibraryStatus) {
    const Outcome o = Call({"--help"});
    EXPECT_NE(o.out.find("4 a shared library could not be loaded"), std::string::npos);
}

} // namespace
