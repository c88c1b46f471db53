#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/StrProc.h"

using namespace tavr::strproc;

namespace {

struct RemoveCase {
    const char* text;
    const char* set;
    const char* expected;
};

TEST(StrProc, RemoveAndKeepChars) {
    const RemoveCase cases[] = {
        {"2,451, 545 CJD", ", ", "2451545CJD"},
        {"", ",", ""},
        {"abc", "", "abc"},
        {",,,", ",", ""},
        {"a,b,", ",", "ab"},
        {",a", ",", "a"},
        {"2001-12-31 CE", "-", "20011231 CE"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveChars(c.text, c.set), c.expected) << c.text;
    EXPECT_EQ(KeepChars("2000/01-01x", "-0123456789"), "200001-01");
    EXPECT_EQ(KeepChars("", "abc"), "");
    EXPECT_EQ(RemoveSpaces(" 1 - 2 "), "1-2");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("    "), "");
}

TEST(StrProc, CountOccurrences) {
    struct Case {
        std::string text, sub;
        bool caseSensitive;
        int32_t expected;
    };
    const Case cases[] = {
        {"aaaa", "aa", true, 2}, // non-overlapping
        {"a b c", " ", true, 2},
        {"", "a", true, 0},
        {"abc", "", true, 0},
        {"CE ce Ce", "ce", true, 1},
        {"CE ce Ce", "ce", false, 3},
        {"\xC9T\xC9", "\xE9", false, 2}, // E-acute capitals match the small form
        {"\x8A\x9A", "\x9A", false, 2},  // S-caron
        {"\x9F\xFF", "\xFF", false, 2},  // Y-diaeresis
        {"\xD7\xF7", "\xF7", false, 1},  // the multiplication sign is no letter
        {"1-2-3-4", "-", true, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountOccurrences(c.text, c.sub, c.caseSensitive), c.expected) << c.text;
}

TEST(StrProc, ValidateDayCount) {
    struct Case {
        const char* text;
        bool removeCommas;
        bool valid;
        const char* after;
    };
    const Case cases[] = {
        {"5", false, true, "5"},
        {"  +1,000 ", false, true, "+1,000"},
        {"  +1,000 ", true, true, "+1000"},
        {"-5", false, true, "-5"},
        {"1.5", false, true, "1.5"},
        {"-0.25", true, true, "-0.25"},
        {"", false, false, ""},
        {"   ", false, false, "   "},
        {"1-2", false, false, "1-2"},
        {"5+", false, false, "5+"},
        {"+-5", false, false, "+-5"},
        {"-5-3", false, false, "-5-3"}, // a second sign anywhere is refused
        {"1.2.3", false, false, "1.2.3"},
        {"12a", false, false, "12a"},
        {"-", false, false, "-"}, // no digit
        {".", false, false, "."},
        {",,,", true, false, ",,,"},
        {"1e5", false, false, "1e5"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(ValidateDayCount(text, c.removeCommas), c.valid) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(StrProc, Ordinals) {
    struct Case {
        int64_t n;
        const char* expected;
    };
    const Case cases[] = {{0, "0th"},     {1, "1st"},     {2, "2nd"},   {3, "3rd"},     {4, "4th"},
                          {11, "11th"},   {12, "12th"},   {13, "13th"}, {21, "21st"},   {22, "22nd"},
                          {23, "23rd"},   {30, "30th"},   {31, "31st"}, {101, "101st"}, {111, "111th"},
                          {112, "112th"}, {113, "113th"}, {-1, "-1"},   {-12, "-12"}};
    for (const auto& c : cases)
        EXPECT_EQ(Ordinal(c.n), c.expected) << c.n;
    EXPECT_EQ(OrdinalSuffix(-3), "");
}

TEST(StrProc, MinutesAsWords) {
    struct Case {
        int64_t minutes;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0 minutes"},
        {-5, "0 minutes"},
        {1, "1 minute"},
        {59, "59 minutes"},
        {60, "1 hour"},
        {61, "1 hour and 1 minute"},
        {69, "1 hour and 9 minutes"},
        {120, "2 hours"},
        {1439, "23 hours and 59 minutes"},
        {1440, "1 day"},
        {1441, "1 day and 1 minute"},
        {1500, "1 day and 1 hour"},
        {1501, "1 day, 1 hour and 1 minute"},
        {2 * 1440 + 2 * 60 + 2, "2 days, 2 hours and 2 minutes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MinutesAsWords(c.minutes), c.expected) << c.minutes;
}

TEST(StrProcRoundHalfEven, Halves) {
    const double rows[][2] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& row : rows)
        EXPECT_EQ(RoundHalfEven(row[0]), row[1]) << row[0];
}

TEST(StrProcLeadingNumber, Forms) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"12", 12},        {"  12:30", 12},
        {"-5.25x", -5.25}, {"+3", 3},
        {".5", 0.5},       {"5.", 5},
        {"1.2.3", 1.2},    {"", 0},
        {"abc", 0},        {"-", 0},
        {".", 0},          {"1E5", 1},
        {"007", 7},        {"2451545.25CJD", 2451545.25},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LeadingNumber(row.text), row.value) << row.text;
    EXPECT_TRUE(std::isinf(LeadingNumber(std::string(400, '9'))));
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

// The field reader of the dashed date forms: where it stops, and what it refuses.
TEST(StrProcReadDigits, StopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        std::size_t from;
        bool read;
        int64_t value;  // when read
        std::size_t to; // when read
    };
    const Case cases[] = {
        {"2147483647", 0, true, 2147483647, 10},
        {"2147483648", 0, false, 0, 0},
        {"12-05", 0, true, 12, 2},
        {"12-05", 3, true, 5, 5},
        {"12-05", 2, false, 0, 0},
        {"", 0, false, 0, 0},
        {"007x", 0, true, 7, 3},
        {"-3", 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        std::size_t pos = c.from;
        int64_t value = -1;
        EXPECT_EQ(ReadDigits(c.text, pos, value), c.read) << c.text << " from " << c.from;
        if (!c.read) continue;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(pos, c.to) << c.text;
    }
}

} // namespace
