// Conversions, validation errors, month lengths and long years of the VR library.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "vrslc.h"

namespace {

constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();

VrslcDate FromDayNumber(int32_t dayNumber, int32_t* monthLength = nullptr) {
    VrslcDate d{};
    d.dayNumber = dayNumber;
    d.valid = 0;
    d.error = 99;
    const int32_t length = jdn_to_vrslcdate(&d);
    if (monthLength != nullptr) *monthLength = length;
    return d;
}

struct DayRow {
    int32_t dayNumber;
    int32_t cycle, year, month, day;
    int32_t dayOfGreatCycle;
    int32_t monthLength;
};

const DayRow kDayRows[] = {
    {207227, 0, 1, 1, 1, 1, 29},                  // the epoch
    {207226, -1, 60, 13, 31, 2498258, 31},        // year 6840 is long with a 31-day month 13
    {2705485, 114, 1, 1, 1, 1, 29},               // one great cycle after the epoch
    {2451545, 102, 25, 10, 26, 2244319, 30},      // 2000-01-01 CE
    {207227 + 354, 0, 2, 1, 1, 355, 29},          // years 1 and 2 are short
    {207227 + 708 + 354, 0, 3, 13, 1, 1063, 30},  // year 3 is the first long year, month 13 of 30 days
    {-2145796395, -97926, 1, 1, 1, 1, 29},        // first day of great cycle -859
    {2146210848, 97925, 60, 13, 31, 2498258, 31}, // last day of great cycle 858
};

TEST(VrslcConversion, DayNumberToDate) {
    for (const DayRow& row : kDayRows) {
        SCOPED_TRACE(row.dayNumber);
        int32_t length = 0;
        const VrslcDate d = FromDayNumber(row.dayNumber, &length);
        EXPECT_EQ(d.cycle, row.cycle);
        EXPECT_EQ(d.year, row.year);
        EXPECT_EQ(d.month, row.month);
        EXPECT_EQ(d.day, row.day);
        EXPECT_EQ(d.dayOfGreatCycle, row.dayOfGreatCycle);
        EXPECT_EQ(length, row.monthLength);
        EXPECT_EQ(d.valid, 1);
        EXPECT_EQ(d.error, VRSLC_OK);
        EXPECT_EQ(d.dayNumber, row.dayNumber);
    }
}

TEST(VrslcConversion, DateToDayNumber) {
    for (const DayRow& row : kDayRows) {
        SCOPED_TRACE(row.dayNumber);
        VrslcDate d{row.cycle, row.year, row.month, row.day, 0, 77, 0, 0, 5, 6};
        EXPECT_EQ(vrslcdate_to_jdn(&d), row.dayNumber);
        EXPECT_EQ(d.dayNumber, row.dayNumber);
        EXPECT_EQ(d.dayOfGreatCycle, row.dayOfGreatCycle);
        EXPECT_EQ(d.valid, 1);
        EXPECT_EQ(d.error, VRSLC_OK);
        EXPECT_EQ(d.spare1, 5);
        EXPECT_EQ(d.spare2, 6);
    }
}

// Day numbers beyond the supported great cycles still convert to their date,
// with no arithmetic overflow.
TEST(VrslcConversion, ExtremeDayNumbers) {
    const VrslcDate low = FromDayNumber(kInt32Min);
    EXPECT_EQ(low.valid, 1);
    EXPECT_LT(low.cycle, -97926);
    EXPECT_GE(low.dayOfGreatCycle, 1);
    const VrslcDate high = FromDayNumber(kInt32Max);
    EXPECT_EQ(high.valid, 1);
    EXPECT_GT(high.cycle, 97925);
    EXPECT_LE(high.dayOfGreatCycle, 2498258);
}

struct ErrorRow {
    const char* what;
    int32_t cycle, year, month, day;
    int32_t error;
};

const ErrorRow kErrorRows[] = {
    {"year 0", 0, 0, 1, 1, VRSLC_BAD_YEAR},
    {"year 61", 0, 61, 1, 1, VRSLC_BAD_YEAR},
    {"negative year", 0, -5, 1, 1, VRSLC_BAD_YEAR},
    {"month 0", 0, 1, 0, 1, VRSLC_BAD_MONTH},
    {"month 14", 0, 3, 14, 1, VRSLC_BAD_MONTH},
    {"month 13 of short year 1", 0, 1, 13, 1, VRSLC_NO_MONTH_13},
    {"month 13 of short year 2", 114, 2, 13, 1, VRSLC_NO_MONTH_13}, // year 2 of great cycle 1
    {"day 0", 0, 1, 1, 0, VRSLC_BAD_DAY},
    {"day 30 of a 29-day month", 0, 1, 1, 30, VRSLC_BAD_DAY},
    {"day 31 of a 30-day month", 0, 1, 2, 31, VRSLC_BAD_DAY},
    {"day 31 of a 30-day month 13", 0, 3, 13, 31, VRSLC_BAD_DAY},
    {"negative day", 0, 1, 1, -1, VRSLC_BAD_DAY},
};

TEST(VrslcConversion, ValidationErrors) {
    for (const ErrorRow& row : kErrorRows) {
        SCOPED_TRACE(row.what);
        VrslcDate d{row.cycle, row.year, row.month, row.day, 1, 0, 0, 4242, 0, 0};
        EXPECT_EQ(vrslcdate_to_jdn(&d), 0);
        EXPECT_EQ(d.valid, 0);
        EXPECT_EQ(d.error, row.error);
        EXPECT_EQ(d.dayNumber, 0);
    }
}

// Outside great cycles -859..858 the day number would not fit: error 6, and
// the day number field keeps what it held.
TEST(VrslcConversion, GreatCycleBounds) {
    struct Row {
        int32_t cycle, year;
        bool supported;
    };
    const Row rows[] = {
        {-97926, 1, true},      {97925, 60, true},     {-97927, 60, false},   {97926, 1, false},
        {kInt32Max, 60, false}, {kInt32Min, 1, false}, {35791394, 60, false}, {-35791395, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cycle);
        VrslcDate d{row.cycle, row.year, 1, 1, 1, 0, 0, 12345, 0, 0};
        const int32_t result = vrslcdate_to_jdn(&d);
        if (row.supported) {
            EXPECT_EQ(d.valid, 1);
            EXPECT_EQ(result, d.dayNumber);
        } else {
            EXPECT_EQ(d.valid, 0);
            EXPECT_EQ(d.error, VRSLC_BAD_GREAT_CYCLE);
            EXPECT_EQ(d.dayNumber, 12345);
            EXPECT_EQ(result, 12345);
        }
    }
}

struct MonthRow {
    int32_t yearOfGreatCycle, month;
    int32_t length, error;
};

const MonthRow kMonthRows[] = {
    {1, 1, 29, 0},
    {1, 2, 30, 0},
    {1, 11, 29, 0},
    {1, 12, 30, 0},
    {1, 13, 0, VRSLC_NO_MONTH_13},
    {2, 13, 0, VRSLC_NO_MONTH_13},
    {3, 13, 30, 0},
    {6840, 13, 31, 0},
    {0, 1, 0, VRSLC_BAD_YEAR},
    {6841, 1, 0, VRSLC_BAD_YEAR},
    {kInt32Min, 1, 0, VRSLC_BAD_YEAR},
    {3, 0, 0, VRSLC_BAD_MONTH},
    {3, 14, 0, VRSLC_BAD_MONTH},
    {3, kInt32Max, 0, VRSLC_BAD_MONTH},
};

TEST(VrslcMonthLength, Table) {
    for (const MonthRow& row : kMonthRows) {
        SCOPED_TRACE(testing::Message() << row.yearOfGreatCycle << "-" << row.month);
        VrslcDate d{0, row.yearOfGreatCycle, row.month, 1, 1, 7, 0, 0, 0, 0};
        EXPECT_EQ(vrmonth_length(&d), row.length);
        EXPECT_EQ(d.error, row.error);
        EXPECT_EQ(d.valid, row.error == 0 ? 1 : 0); // success clears the error only
    }
}

// The counts that make up a great cycle: 2519 long years, 1328 of them with a
// 31-day month 13, 2,498,258 days.
TEST(VrslcMonthLength, GreatCycleTotals) {
    int64_t days = 0;
    int longYears = 0;
    int long13 = 0;
    for (int32_t y = 1; y <= 6840; ++y) {
        for (int32_t m = 1; m <= 13; ++m) {
            VrslcDate d{};
            d.year = y;
            d.month = m;
            const int32_t length = vrmonth_length(&d);
            days += length;
            if (m == 13 && length > 0) ++longYears;
            if (m == 13 && length == 31) ++long13;
        }
        VrslcDate d{};
        d.year = y;
        d.month = 13;
        const bool hasMonth13 = vrmonth_length(&d) > 0;
        EXPECT_EQ(is_long_vrslc_year((y - 1) % 60 + 1, (y - 1) / 60), hasMonth13 ? 1 : 0) << y;
    }
    EXPECT_EQ(days, 2498258);
    EXPECT_EQ(longYears, 2519);
    EXPECT_EQ(long13, 1328);
}

TEST(VrslcLongYear, Table) {
    struct Row {
        int32_t year, cycle, expected;
    };
    const Row rows[] = {
        {1, 0, 0},   {2, 0, 0},    {3, 0, 1},         {60, -1, 1}, // year 6840 of the great cycle
        {0, 0, 0},   {61, 0, 0},   {-1, 0, 0},        {kInt32Min, 0, 0},
        {3, 114, 1}, {3, -114, 1}, {1, kInt32Min, 0}, {2, kInt32Max, 1}, // years 961 and 5822
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.cycle << "-" << row.year);
        EXPECT_EQ(is_long_vrslc_year(row.year, row.cycle), row.expected);
    }
}

TEST(VrslcConversion, NullPointers) {
    EXPECT_EQ(jdn_to_vrslcdate(nullptr), 0);
    EXPECT_EQ(vrslcdate_to_jdn(nullptr), 0);
    EXPECT_EQ(vrmonth_length(nullptr), 0);
}

} // namespace
