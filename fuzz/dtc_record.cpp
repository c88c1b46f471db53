// The triday conversions and validations with any day number and any record:
// every day number gives a valid date of each form that converts back to it;
// a record that validates converts to a day number that gives it back; the
// length exports stay in their sets.
#include <cstring>

#include "FuzzCheck.h"
#include "dtc.h"

namespace {

bool SameLunar(const DtcLunarDate& a, const DtcLunarDate& b) {
    return a.cycle == b.cycle && a.year == b.year && a.month == b.month && a.triday == b.triday &&
           a.day == b.day;
}

bool SameSolar(const DtcSolarDate& a, const DtcSolarDate& b) {
    return a.year == b.year && a.quarter == b.quarter && a.triday == b.triday && a.day == b.day;
}

void DayNumberRoundTrip(int32_t dayNumber, int32_t validField) {
    DtcLunarDate l{};
    l.dayNumber = dayNumber;
    l.valid = validField;
    jdn_to_dtclunar(&l);
    FUZZ_CHECK(l.valid == validField && l.dayNumber == dayNumber, "day %d: valid or day number written",
               dayNumber);
    FUZZ_CHECK(l.year >= 0 && l.year <= 383 && l.month >= 1 && l.month <= 12 && l.triday >= 1 &&
                   l.triday <= 10 && l.day >= 1 && l.day <= 3,
               "day %d gives %d-%d-%d-%d-%d", dayNumber, l.cycle, l.year, l.month, l.triday, l.day);
    DtcLunarDate lv = l;
    FUZZ_CHECK(dtclunar_valid(&lv) == 1, "day %d gives invalid %d-%d-%d-%d-%d", dayNumber, l.cycle, l.year,
               l.month, l.triday, l.day);
    DtcLunarDate lb = l;
    lb.dayNumber = 0;
    FUZZ_CHECK(dtclunar_to_jdn(&lb) == dayNumber, "day %d -> lunar -> day %d", dayNumber, lb.dayNumber);
    char text[80];
    std::snprintf(text, sizeof text, "%d-%d-%d-%d-%d", l.cycle, l.year, l.month, l.triday, l.day);
    DtcLunarDate lp{};
    FUZZ_CHECK(parse_long_lunar_dtc_date(text, &lp) == 1 && SameLunar(lp, l), "\"%s\" refused", text);

    DtcSolarDate s{};
    s.dayNumber = dayNumber;
    s.valid = validField;
    jdn_to_dtcsolar(&s);
    FUZZ_CHECK(s.valid == validField && s.dayNumber == dayNumber, "day %d: valid or day number written",
               dayNumber);
    FUZZ_CHECK(s.quarter >= 1 && s.quarter <= 4 && s.triday >= 1 && s.triday <= 31 && s.day >= 1 &&
                   s.day <= 3,
               "day %d gives %d-%d-%d-%d", dayNumber, s.year, s.quarter, s.triday, s.day);
    DtcSolarDate sv = s;
    FUZZ_CHECK(dtcsolar_valid(&sv) == 1, "day %d gives invalid %d-%d-%d-%d", dayNumber, s.year, s.quarter,
               s.triday, s.day);
    DtcSolarDate sb = s;
    sb.dayNumber = 0;
    FUZZ_CHECK(dtcsolar_to_jdn(&sb) == dayNumber, "day %d -> solar -> day %d", dayNumber, sb.dayNumber);
    std::snprintf(text, sizeof text, "%d-%d-%d-%d", s.year, s.quarter, s.triday, s.day);
    DtcSolarDate sp{};
    FUZZ_CHECK(parse_solar_dtc_date(text, &sp) == 1 && SameSolar(sp, s), "\"%s\" refused", text);
}

void AnyLunar(const DtcLunarDate& record) {
    DtcLunarDate v = record;
    const int32_t valid = dtclunar_valid(&v);
    FUZZ_CHECK((valid == 0 || valid == 1) && v.valid == valid && SameLunar(v, record) &&
                   v.dayNumber == record.dayNumber,
               "validation gives %d and changes the record", valid);
    DtcLunarDate c = record;
    const int32_t dayNumber = dtclunar_to_jdn(&c);
    FUZZ_CHECK(SameLunar(c, record), "the conversion changed the date");
    FUZZ_CHECK(c.dayNumber == dayNumber ||
                   (dayNumber == 0 && c.valid == 0 && c.dayNumber == record.dayNumber),
               "returned %d, wrote %d", dayNumber, c.dayNumber);
    if (!valid) return;
    FUZZ_CHECK(c.dayNumber == dayNumber, "valid date %d-%d-%d-%d-%d refused by the conversion", record.cycle,
               record.year, record.month, record.triday, record.day);
    DtcLunarDate back{};
    back.dayNumber = dayNumber;
    jdn_to_dtclunar(&back);
    FUZZ_CHECK(SameLunar(back, record), "%d-%d-%d-%d-%d -> day %d -> %d-%d-%d-%d-%d", record.cycle,
               record.year, record.month, record.triday, record.day, dayNumber, back.cycle, back.year,
               back.month, back.triday, back.day);
}

void AnySolar(const DtcSolarDate& record) {
    DtcSolarDate v = record;
    const int32_t valid = dtcsolar_valid(&v);
    FUZZ_CHECK((valid == 0 || valid == 1) && v.valid == valid && SameSolar(v, record) &&
                   v.dayNumber == record.dayNumber,
               "validation gives %d and changes the record", valid);
    DtcSolarDate c = record;
    const int32_t dayNumber = dtcsolar_to_jdn(&c);
    FUZZ_CHECK(SameSolar(c, record), "the conversion changed the date");
    FUZZ_CHECK(c.dayNumber == dayNumber ||
                   (dayNumber == 0 && c.valid == 0 && c.dayNumber == record.dayNumber),
               "returned %d, wrote %d", dayNumber, c.dayNumber);
    if (!valid) return;
    FUZZ_CHECK(c.dayNumber == dayNumber, "valid date %d-%d-%d-%d refused by the conversion", record.year,
               record.quarter, record.triday, record.day);
    DtcSolarDate back{};
    back.dayNumber = dayNumber;
    jdn_to_dtcsolar(&back);
    FUZZ_CHECK(SameSolar(back, record), "%d-%d-%d-%d -> day %d -> %d-%d-%d-%d", record.year, record.quarter,
               record.triday, record.day, dayNumber, back.year, back.quarter, back.triday, back.day);
}

void Lengths(int32_t year, int32_t month) {
    const int32_t days = num_days_in_month(year, month);
    const int32_t twelfth = num_tridays_in_12th_month(year);
    const int32_t fourth = num_tridays_in_4th_quarter(year);
    FUZZ_CHECK(twelfth == 9 || twelfth == 10, "year %d: %d tridays in month 12", year, twelfth);
    FUZZ_CHECK(fourth == 30 || fourth == 31, "year %d: %d tridays in quarter 4", year, fourth);
    const int32_t expected = (month < 1 || month > 12) ? 0 : month == 6 ? 27 : month == 12 ? 3 * twelfth : 30;
    FUZZ_CHECK(days == expected, "year %d month %d: %d days, expected %d", year, month, days, expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t dayNumber = in.ConsumeIntegral<int32_t>();
    DayNumberRoundTrip(dayNumber, in.ConsumeIntegral<int32_t>());

    DtcLunarDate l;
    l.cycle = in.ConsumeIntegral<int32_t>();
    l.year = in.ConsumeIntegral<int32_t>();
    l.month = in.ConsumeIntegral<int32_t>();
    l.triday = in.ConsumeIntegral<int32_t>();
    l.day = in.ConsumeIntegral<int32_t>();
    l.valid = in.ConsumeIntegral<int32_t>();
    l.dayNumber = in.ConsumeIntegral<int32_t>();
    AnyLunar(l);
    Lengths(l.year, l.month);

    DtcSolarDate s;
    s.year = in.ConsumeIntegral<int32_t>();
    s.quarter = in.ConsumeIntegral<int32_t>();
    s.triday = in.ConsumeIntegral<int32_t>();
    s.day = in.ConsumeIntegral<int32_t>();
    s.valid = in.ConsumeIntegral<int32_t>();
    s.dayNumber = in.ConsumeIntegral<int32_t>();
    AnySolar(s);
    return 0;
}
