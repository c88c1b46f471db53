// The three parses of the triday library, including malformed and hostile input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dtc.h"

namespace {

constexpr int32_t kUntouched = 0x5A5A5A5A;

// Copies the text into a heap block of exactly its size, so that the
// sanitizer build catches any read past the terminating NUL.
class ExactText {
  public:
    explicit ExactText(const std::string& text) : buffer_(new char[text.size() + 1]) {
        std::memcpy(buffer_.get(), text.c_str(), text.size() + 1);
    }
    const char* get() const { return buffer_.get(); }

  private:
    std::unique_ptr<char[]> buffer_;
};

DtcLunarDate LunarSentinel() {
    return DtcLunarDate{kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
}
DtcSolarDate SolarSentinel() {
    return DtcSolarDate{kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
}

struct LunarRow {
    const char* text;
    int32_t result;
    int32_t cycle, year, month, triday, day;
};

// Well-formed long texts: the record receives the fields and the validation.
const LunarRow kLongRows[] = {
    {"0-0-1-1-1", 1, 0, 0, 1, 1, 1},
    {"0-98-9-9-3", 1, 0, 98, 9, 9, 3},
    {"-1-383-12-9-3", 1, -1, 383, 12, 9, 3},
    {"00-098-09-09-3", 1, 0, 98, 9, 9, 3},
    {"-0-1-1-1-1", 1, 0, 1, 1, 1, 1},
    {"0-10-12-10-1", 1, 0, 10, 12, 10, 1},
    {"0-2-12-10-1", 0, 0, 2, 12, 10, 1}, // year 2 has 9 tridays in month 12
    {"0-0-6-10-1", 0, 0, 0, 6, 10, 1},   // month 6 has 9 tridays
    {"0-0-1-11-1", 0, 0, 0, 1, 11, 1},
    {"0-0-1-1-0", 0, 0, 0, 1, 1, 0},
    {"0-0-1-1-4", 0, 0, 0, 1, 1, 4},
    {"0-384-1-1-1", 0, 0, 384, 1, 1, 1},
    {"0-0-13-1-1", 0, 0, 0, 13, 1, 1},
    {"20000-0-1-1-1", 0, 20000, 0, 1, 1, 1}, // day number beyond 32 bits
    {"-2147483648-0-1-1-1", 0, -2147483647 - 1, 0, 1, 1, 1},
};

const LunarRow kShortRows[] = {
    {"98-9-9-3", 1, 0, 98, 9, 9, 3},   {"0-1-1-1", 1, 0, 0, 1, 1, 1},     {"383-12-9-3", 1, 0, 383, 12, 9, 3},
    {"-5-1-1-1", 0, 0, -5, 1, 1, 1}, // the form allows a negative year; the validation refuses it
    {"384-1-1-1", 0, 0, 384, 1, 1, 1}, {"2-12-10-3", 0, 0, 2, 12, 10, 3},
};

void CheckLunarRows(const LunarRow* rows, std::size_t count, decltype(&parse_long_lunar_dtc_date) parse) {
    for (std::size_t i = 0; i < count; ++i) {
        const LunarRow& row = rows[i];
        SCOPED_TRACE(row.text);
        DtcLunarDate d = LunarSentinel();
        EXPECT_EQ(parse(ExactText(row.text).get(), &d), row.result);
        EXPECT_EQ(d.cycle, row.cycle);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.month, row.month);
        EXPECT_EQ(d.triday, row.triday);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.valid, row.result);
        EXPECT_EQ(d.dayNumber, kUntouched);
    }
}

TEST(DtcParse, LongLunarWellFormed) {
    CheckLunarRows(kLongRows, std::size(kLongRows), parse_long_lunar_dtc_date);
}

TEST(DtcParse, ShortLunarWellFormed) {
    CheckLunarRows(kShortRows, std::size(kShortRows), parse_short_lunar_dtc_date);
}

TEST(DtcParse, SolarWellFormed) {
    const struct {
        const char* text;
        int32_t result, year, quarter, triday, day;
    } rows[] = {
        {"95-4-5-3", 1, 95, 4, 5, 3},
        {"0-1-1-1", 1, 0, 1, 1, 1},
        {"-1-4-30-3", 1, -1, 4, 30, 3},
        {"4-4-31-1", 1, 4, 4, 31, 1},
        {"3-4-31-1", 0, 3, 4, 31, 1},
        {"0-2-31-3", 1, 0, 2, 31, 3},
        {"0-5-1-1", 0, 0, 5, 1, 1},
        {"0-0-1-1", 0, 0, 0, 1, 1},
        {"0-1-0-1", 0, 0, 1, 0, 1},
        {"-5886000-1-1-1", 1, -5886000, 1, 1, 1},
        {"2147483647-1-1-1", 0, 2147483647, 1, 1, 1}, // day number beyond 32 bits
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        DtcSolarDate d = SolarSentinel();
        EXPECT_EQ(parse_solar_dtc_date(ExactText(row.text).get(), &d), row.result);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.quarter, row.quarter);
        EXPECT_EQ(d.triday, row.triday);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.valid, row.result);
        EXPECT_EQ(d.dayNumber, kUntouched);
    }
}

// Texts of another form give 0 and leave the record as it was.
const char* const kMalformedLong[] = {
    "",
    "-",
    "-----",
    "------",
    "0-0-1-1",
    "0-1-1",
    "0-0-1-1-1-1",
    "-5-1-1-1",   // would be read as cycle 0, year 5
    "0--1-1-1",   // would be read as year 0
    "0-0-1-1-1-", // the extra dash only as the first character
    "--0-1-1-1",
    "0-0-1-1--1",
    "+0-0-1-1-1",
    " 0-0-1-1-1",
    "0-0-1-1-1 ",
    "0-0-1-1-x",
    "0-0-1-1-1.0",
    "0x0-0-1-1-1",
    "0-0-1-1-\xe9",
    "\xc3\xa9-0-1-1-1",
    "2147483648-0-1-1-1", // does not fit in 32 bits
    "-2147483649-0-1-1-1",
    "0-4294967296-1-1-1", // would wrap to year 0
    "0-0-1-1-99999999999999999999",
};

const char* const kMalformedShort[] = {
    "",
    "-",
    "----",
    "-----",
    "1-1-1",
    "0-1-1-1-1",
    "--5-1-1-1",
    "5--1-1",
    "5-1-1-1-",
    "5-1-1-",
    "-1-1-1",
    "0-1-1-1a",
    "a0-1-1-1",
    "1- 1-1-1",
    "4294967296-1-1-1",
    "0-1-1-2147483648",
};

TEST(DtcParse, MalformedTextsLeaveTheRecordAlone) {
    for (const char* text : kMalformedLong) {
        SCOPED_TRACE(text);
        DtcLunarDate d = LunarSentinel();
        EXPECT_EQ(parse_long_lunar_dtc_date(ExactText(text).get(), &d), 0);
        EXPECT_EQ(d.cycle, kUntouched);
        EXPECT_EQ(d.day, kUntouched);
        EXPECT_EQ(d.valid, kUntouched);
    }
    for (const char* text : kMalformedShort) {
        SCOPED_TRACE(text);
        DtcLunarDate d = LunarSentinel();
        EXPECT_EQ(parse_short_lunar_dtc_date(ExactText(text).get(), &d), 0);
        EXPECT_EQ(d.cycle, kUntouched);
        EXPECT_EQ(d.valid, kUntouched);
        DtcSolarDate s = SolarSentinel();
        EXPECT_EQ(parse_solar_dtc_date(ExactText(text).get(), &s), 0);
        EXPECT_EQ(s.year, kUntouched);
        EXPECT_EQ(s.valid, kUntouched);
    }
}

// The work buffer holds 63 characters: a text of 63 is read whole, a longer
// one is refused rather than cut.
TEST(DtcParse, SixtyThreeCharacters) {
    const std::string tail = "-1-1-1";
    const std::string fits = std::string(63 - tail.size() - 1, '0') + "5" + tail;
    ASSERT_EQ(fits.size(), 63u);
    DtcSolarDate s = SolarSentinel();
    EXPECT_EQ(parse_solar_dtc_date(ExactText(fits).get(), &s), 1);
    EXPECT_EQ(s.year, 5);

    const std::string tooLong = "0" + fits;
    s = SolarSentinel();
    EXPECT_EQ(parse_solar_dtc_date(ExactText(tooLong).get(), &s), 0);
    EXPECT_EQ(s.year, kUntouched);

    // Its first 63 characters would read as the valid 0-0-1-1-1.
    const std::string cutValid = "0-0-1-1-" + std::string(54, '0') + "15";
    DtcLunarDate d = LunarSentinel();
    EXPECT_EQ(parse_long_lunar_dtc_date(ExactText(cutValid).get(), &d), 0);
    EXPECT_EQ(d.cycle, kUntouched);
}

TEST(DtcParse, HostileTexts) {
    const std::string texts[] = {
        std::string(5000, '-'),    std::string(5000, '7'), "0-0-1-1-" + std::string(5000, '1'),
        std::string(4000, '\xff'), std::string(62, '-'),   std::string(63, '-'),
        std::string(64, '-'),
    };
    for (const std::string& text : texts) {
        const ExactText exact(text);
        DtcLunarDate d = LunarSentinel();
        EXPECT_EQ(parse_long_lunar_dtc_date(exact.get(), &d), 0);
        EXPECT_EQ(parse_short_lunar_dtc_date(exact.get(), &d), 0);
        EXPECT_EQ(d.cycle, kUntouched);
        DtcSolarDate s = SolarSentinel();
        EXPECT_EQ(parse_solar_dtc_date(exact.get(), &s), 0);
        EXPECT_EQ(s.year, kUntouched);
    }

    DtcLunarDate d = LunarSentinel();
    DtcSolarDate s = SolarSentinel();
    EXPECT_EQ(parse_long_lunar_dtc_date(nullptr, &d), 0);
    EXPECT_EQ(parse_short_lunar_dtc_date(nullptr, &d), 0);
    EXPECT_EQ(parse_solar_dtc_date(nullptr, &s), 0);
    EXPECT_EQ(d.cycle, kUntouched);
    EXPECT_EQ(s.year, kUntouched);
    EXPECT_EQ(parse_long_lunar_dtc_date("0-0-1-1-1", nullptr), 0);
    EXPECT_EQ(parse_short_lunar_dtc_date("0-1-1-1", nullptr), 0);
    EXPECT_EQ(parse_solar_dtc_date("0-1-1-1", nullptr), 0);

    // The text ends at its first NUL.
    const char embedded[] = "0-1-1-1\0-5";
    EXPECT_EQ(parse_solar_dtc_date(embedded, &s), 1);
}

// Parses on several threads at once do not disturb each other.
TEST(DtcParse, ConcurrentParses) {
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &mismatches] {
            const std::string text = std::to_string(t) + "-" + std::to_string(100 + t) + "-" +
                                     std::to_string(t + 1) + "-" + std::to_string(t + 2) + "-" +
                                     std::to_string(t % 3 + 1);
            for (int i = 0; i < 20000; ++i) {
                DtcLunarDate d{};
                if (parse_long_lunar_dtc_date(text.c_str(), &d) != 1 || d.cycle != t || d.year != 100 + t ||
                    d.month != t + 1 || d.triday != t + 2 || d.day != t % 3 + 1) {
                    ++mismatches[t];
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

} // namespace
