// Parsing of VR date texts, including malformed and hostile input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "vrslc.h"

namespace {

constexpr int32_t kUntouched = 0x5A5A5A5A;

VrslcDate Sentinel() {
    return VrslcDate{kUntouched, kUntouched, kUntouched, kUntouched, kUntouched,
                     kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
}

// Parses a copy of the text in a heap block of exactly its size, so that the
// sanitizer build catches any read past the terminating NUL.
int32_t Parse(const std::string& text, VrslcDate* date) {
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::memcpy(exact.get(), text.c_str(), text.size() + 1);
    return vrslc_datestr_to_vrslc_date(exact.get(), date);
}

struct ParseRow {
    const char* text;
    int32_t result;
    int32_t cycle, year, month, day;
};

// Texts of the right form: the record receives the four numbers and zeros
// elsewhere, whatever the validation says.
const ParseRow kWellFormed[] = {
    {"0-1-1-1", 1, 0, 1, 1, 1},
    {"102-25-10-26", 1, 102, 25, 10, 26},
    {"-1-60-1-1", 1, -1, 60, 1, 1},
    {"-1-60-13-31", 1, -1, 60, 13, 31},
    {"0-3-13-30", 1, 0, 3, 13, 30},
    {"007-08-09-01", 1, 7, 8, 9, 1},
    {"-0-1-1-1", 1, 0, 1, 1, 1},
    {"200000-1-1-1", 1, 200000, 1, 1,
     1}, // well formed; beyond the great cycles only the conversion refuses it
    {"35791394-8-1-1", 1, 35791394, 8, 1, 1}, // cycle x 60 + year - 1 = 2147483647
    {"-35791394-1-1-1", 1, -35791394, 1, 1, 1},
    {"0-3-13-31", 0, 0, 3, 13, 31}, // month 13 of year 3 has 30 days
    {"0-1-13-1", 0, 0, 1, 13, 1},   // year 1 is short
    {"0-61-1-1", 0, 0, 61, 1, 1},   // year outside 1..60
    {"0-0-1-1", 0, 0, 0, 1, 1},
    {"0-1-0-1", 0, 0, 1, 0, 1},
    {"0-1-14-1", 0, 0, 1, 14, 1},
    {"0-1-1-0", 0, 0, 1, 1, 0},
    {"0-1-1-30", 0, 0, 1, 1, 30},
    {"0-1-2147483647-2147483647", 0, 0, 1, 2147483647, 2147483647},
};

TEST(VrslcParse, WellFormedTexts) {
    for (const ParseRow& row : kWellFormed) {
        SCOPED_TRACE(row.text);
        VrslcDate d = Sentinel();
        EXPECT_EQ(Parse(row.text, &d), row.result);
        EXPECT_EQ(d.cycle, row.cycle);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.month, row.month);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.valid, 0);
        EXPECT_EQ(d.error, 0);
        EXPECT_EQ(d.dayOfGreatCycle, 0);
        EXPECT_EQ(d.dayNumber, 0);
        EXPECT_EQ(d.spare1, 0);
        EXPECT_EQ(d.spare2, 0);
    }
}

// Any other form gives 0 and leaves the record as it was.
const char* const kMalformed[] = {
    "",
    "-",
    "---",
    "----",
    "-----",
    "0-1-1",      // two dashes
    "0-1-1-1-1",  // five numbers
    "-0-1-1-1-1", // five dashes
    "0-1-1-1-",   // trailing dash
    "0-1-1-1-5",  // the extra dash is allowed only before the cycle
    "0--1-1-1",   // empty year read as 0 otherwise
    "-1--1-1",
    "--1-1-1-1",
    "-1-1-1-",
    "1-1-1-",
    "-1-1-1", // four fields needed
    "+1-1-1-1",
    " 0-1-1-1",
    "0-1-1-1 ",
    "0 -1-1-1",
    "a-1-1-1",
    "0-1-1-1x",
    "0-1-1-1.5",
    "0-1-1-0x1",
    "0-1-1-\xe9",
    "\xff\xfe-1-1-1",
    "2147483648-1-1-1", // does not fit in 32 bits
    "-2147483649-1-1-1",
    "0-4294967297-1-1", // would wrap to year 1
    "0-1-1-99999999999999999999",
    "35791395-1-1-1", // cycle x 60 leaves the 32-bit range
    "-35791395-1-1-1",
    "-2147483648-1-1-1",
    "35791394-9-1-1",   // cycle x 60 + year - 1 leaves it
    "-35791395-60-1-1", // cycle x 60 leaves it, though the total would not
};

TEST(VrslcParse, MalformedTextsLeaveTheRecordAlone) {
    for (const char* text : kMalformed) {
        SCOPED_TRACE(text);
        VrslcDate d = Sentinel();
        EXPECT_EQ(Parse(text, &d), 0);
        EXPECT_EQ(d.cycle, kUntouched);
        EXPECT_EQ(d.day, kUntouched);
        EXPECT_EQ(d.spare2, kUntouched);
    }
}

TEST(VrslcParse, HostileTexts) {
    const std::string longDigits(5000, '7');
    const std::string texts[] = {
        std::string(5000, '-'),
        longDigits,
        longDigits + "-1-1-1",
        "0-1-1-" + longDigits,
        "0-1-1-1" + std::string(5000, ' '),
        std::string(3000, '\x80') + "0-1-1-1",
    };
    for (const std::string& text : texts) {
        VrslcDate d = Sentinel();
        EXPECT_EQ(Parse(text, &d), 0) << text.substr(0, 20);
        EXPECT_EQ(d.cycle, kUntouched);
    }
    // The text ends at its first NUL.
    const char embedded[] = "0-1-1-1\0-5";
    VrslcDate d = Sentinel();
    EXPECT_EQ(vrslc_datestr_to_vrslc_date(embedded, &d), 1);
    d = Sentinel();
    EXPECT_EQ(vrslc_datestr_to_vrslc_date(nullptr, &d), 0);
    EXPECT_EQ(d.cycle, kUntouched);
    EXPECT_EQ(vrslc_datestr_to_vrslc_date("0-1-1-1", nullptr), 0);
}

// The parse feeds the conversion: the examples of the calendar.
TEST(VrslcParse, ParsedTextsConvert) {
    const struct {
        const char* text;
        int32_t dayNumber;
    } rows[] = {
        {"0-1-1-1", 207227}, {"-1-60-13-31", 207226}, {"114-1-1-1", 2705485}, {"102-25-10-26", 2451545}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        VrslcDate d{};
        ASSERT_EQ(vrslc_datestr_to_vrslc_date(row.text, &d), 1);
        EXPECT_EQ(vrslcdate_to_jdn(&d), row.dayNumber);
    }
}

} // namespace
