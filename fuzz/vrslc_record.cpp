// The VR conversions with any day number and any record: every day number
// converts to a date in range that converts back to it; every record is
// either refused with its error or converts to a day number that gives the
// same date back; month lengths and the long-year test stay in their sets.
#include <cstring>

#include "FuzzCheck.h"
#include "vrslc.h"

namespace {

// Day numbers of the supported great cycles; the days of the great cycles cut
// by the 32-bit limits convert to dates that do not convert back.
constexpr int64_t kFirstDay = 207227 + int64_t{VRSLC_MIN_GREAT_CYCLE} * 2498258;
constexpr int64_t kLastDay = 207227 + int64_t{VRSLC_MAX_GREAT_CYCLE + 1} * 2498258 - 1;

bool SameFields(const VrslcDate& a, const VrslcDate& b) {
    return a.cycle == b.cycle && a.year == b.year && a.month == b.month && a.day == b.day;
}

void DayNumberRoundTrip(int32_t dayNumber) {
    VrslcDate d;
    std::memset(&d, 0x5a, sizeof d);
    d.dayNumber = dayNumber;
    const int32_t length = jdn_to_vrslcdate(&d);
    FUZZ_CHECK(length >= 29 && length <= 31, "day %d: month length %d", dayNumber, length);
    FUZZ_CHECK(d.valid == 1 && d.error == 0 && d.year >= 1 && d.year <= 60 && d.month >= 1 && d.month <= 13 &&
                   d.day >= 1 && d.day <= length && d.dayOfGreatCycle >= 1 && d.dayOfGreatCycle <= 2498258,
               "day %d gives %d-%d-%d-%d (day %d of the great cycle)", dayNumber, d.cycle, d.year, d.month,
               d.day, d.dayOfGreatCycle);
    FUZZ_CHECK(is_long_vrslc_year(d.year, d.cycle) == 1 || d.month <= 12, "day %d: month 13 of a short year",
               dayNumber);

    VrslcDate back{};
    back.cycle = d.cycle;
    back.year = d.year;
    back.month = d.month;
    back.day = d.day;
    if (dayNumber < kFirstDay || dayNumber > kLastDay) {
        back.dayNumber = 7;
        FUZZ_CHECK(vrslcdate_to_jdn(&back) == 7 && back.error == VRSLC_BAD_GREAT_CYCLE,
                   "day %d beyond the supported great cycles converts back", dayNumber);
        return;
    }
    FUZZ_CHECK(vrslcdate_to_jdn(&back) == dayNumber && back.valid == 1 &&
                   back.dayOfGreatCycle == d.dayOfGreatCycle,
               "day %d -> %d-%d-%d-%d -> day %d", dayNumber, d.cycle, d.year, d.month, d.day, back.dayNumber);

    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d-%d", d.cycle, d.year, d.month, d.day);
    VrslcDate parsed{};
    FUZZ_CHECK(vrslc_datestr_to_vrslc_date(text, &parsed) == 1 && SameFields(parsed, d), "\"%s\" refused",
               text);
}

void AnyRecord(const VrslcDate& record) {
    VrslcDate d = record;
    const int32_t result = vrslcdate_to_jdn(&d);
    FUZZ_CHECK(d.valid == 0 || d.valid == 1, "valid %d", d.valid);
    FUZZ_CHECK((d.valid == 1) == (d.error == VRSLC_OK), "valid %d with error %d", d.valid, d.error);
    FUZZ_CHECK(SameFields(d, record), "the date fields changed");
    switch (d.error) {
    case VRSLC_OK: {
        FUZZ_CHECK(result == d.dayNumber, "returned %d, wrote %d", result, d.dayNumber);
        VrslcDate back{};
        back.dayNumber = d.dayNumber;
        jdn_to_vrslcdate(&back);
        FUZZ_CHECK(SameFields(back, d) && back.dayOfGreatCycle == d.dayOfGreatCycle,
                   "%d-%d-%d-%d -> day %d -> %d-%d-%d-%d", d.cycle, d.year, d.month, d.day, d.dayNumber,
                   back.cycle, back.year, back.month, back.day);
        break;
    }
    case VRSLC_BAD_GREAT_CYCLE:
        FUZZ_CHECK(result == record.dayNumber && d.dayNumber == record.dayNumber, "day number changed");
        break;
    case VRSLC_BAD_YEAR:
    case VRSLC_BAD_MONTH:
    case VRSLC_NO_MONTH_13:
    case VRSLC_BAD_DAY:
        FUZZ_CHECK(result == 0 && d.dayNumber == 0, "refused date gives day %d", result);
        break;
    default:
        FUZZ_CHECK(false, "error %d", d.error);
    }

    VrslcDate m = record;
    const int32_t length = vrmonth_length(&m);
    FUZZ_CHECK(length == 0 || (length >= 29 && length <= 31), "month length %d", length);
    if (length == 0) {
        FUZZ_CHECK(m.valid == 0 && m.error >= VRSLC_BAD_YEAR && m.error <= VRSLC_NO_MONTH_13,
                   "no length, valid %d error %d", m.valid, m.error);
    } else {
        FUZZ_CHECK(m.error == VRSLC_OK && m.valid == record.valid, "length %d with error %d", length,
                   m.error);
    }
    const int32_t isLong = is_long_vrslc_year(record.year, record.cycle);
    FUZZ_CHECK(isLong == 0 || isLong == 1, "long-year test gives %d", isLong);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    DayNumberRoundTrip(in.ConsumeIntegral<int32_t>());
    VrslcDate record;
    record.cycle = in.ConsumeIntegral<int32_t>();
    record.year = in.ConsumeIntegral<int32_t>();
    record.month = in.ConsumeIntegral<int32_t>();
    record.day = in.ConsumeIntegral<int32_t>();
    record.valid = in.ConsumeIntegral<int32_t>();
    record.error = in.ConsumeIntegral<int32_t>();
    record.dayOfGreatCycle = in.ConsumeIntegral<int32_t>();
    record.dayNumber = in.ConsumeIntegral<int32_t>();
    record.spare1 = in.ConsumeIntegral<int32_t>();
    record.spare2 = in.ConsumeIntegral<int32_t>();
    AnyRecord(record);
    return 0;
}
