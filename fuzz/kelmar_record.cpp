// The date library's conversions with any day number, any record and any
// Julian date: every day number gives an existing date of both calendars that
// converts back to it; a record is either refused with day number 0 or
// converts to a day number that gives it back; the weekday is 0..6 and moves
// by one a day; the date of a Julian date is a calendar date or all zero.
#include <cstring>

#include "FuzzCheck.h"
#include "kelmar.h"

namespace {

bool SameDate(const EuroDate& a, const EuroDate& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

void DayNumberRoundTrip(int32_t dayNumber, int32_t letter) {
    EuroDate d{};
    d.calendar = letter;
    d.dayNumber = dayNumber;
    jdn_to_euro_date(&d);
    FUZZ_CHECK(d.valid == 1 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31 &&
                   d.calendar == letter && d.dayNumber == dayNumber,
               "day %d gives %d-%d-%d %c", dayNumber, d.year, d.month, d.day, letter);
    EuroDate back = d;
    back.dayNumber = 0;
    back.valid = 0;
    FUZZ_CHECK(euro_date_to_jdn(&back) == dayNumber && back.valid == 1, "day %d -> %d-%d-%d %c -> day %d",
               dayNumber, d.year, d.month, d.day, letter, back.dayNumber);
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d-%d", d.year, d.month, d.day);
    EuroDate parsed{};
    FUZZ_CHECK(str_to_date(text, 2, &parsed, letter) == 0 && SameDate(parsed, d) &&
                   parsed.dayNumber == dayNumber,
               "\"%s\" %c refused", text, letter);
}

void AnyRecord(const EuroDate& record) {
    EuroDate d = record;
    const int32_t dayNumber = euro_date_to_jdn(&d);
    FUZZ_CHECK(SameDate(d, record) && d.calendar == record.calendar, "the conversion changed the date");
    FUZZ_CHECK(d.valid == 0 || d.valid == 1, "valid %d", d.valid);
    FUZZ_CHECK(d.dayNumber == dayNumber, "returned %d, wrote %d", dayNumber, d.dayNumber);
    if (!d.valid) {
        FUZZ_CHECK(dayNumber == 0, "refused date gives day %d", dayNumber);
        return;
    }
    FUZZ_CHECK(record.calendar == 'G' || record.calendar == 'J', "calendar %d accepted", record.calendar);
    EuroDate back{};
    back.calendar = record.calendar;
    back.dayNumber = dayNumber;
    jdn_to_euro_date(&back);
    FUZZ_CHECK(SameDate(back, record), "%d-%d-%d -> day %d -> %d-%d-%d", record.year, record.month,
               record.day, dayNumber, back.year, back.month, back.day);

    EuroDate other{};
    other.calendar = record.calendar;
    other.dayNumber = record.dayNumber;
    jdn_to_euro_date(&other); // any calendar letter and day number: no crash
}

void Weekday(int32_t dayNumber) {
    const int32_t w = euro_day_of_week(dayNumber);
    FUZZ_CHECK(w >= 0 && w <= 6, "day %d: weekday %d", dayNumber, w);
    if (dayNumber < INT32_MAX) {
        const int32_t next = euro_day_of_week(dayNumber + 1);
        FUZZ_CHECK(next == (w + 1) % 7, "day %d: weekday %d, next %d", dayNumber, w, next);
    }
}

void JulianDate(double jd, bool outputs) {
    int32_t year = 0x5a5a5a5a, month = 0x5a5a5a5a, day = 0x5a5a5a5a, hour = 0x5a5a5a5a;
    if (!outputs) {
        juldat(jd, "A", nullptr, nullptr, nullptr, nullptr);
        return;
    }
    juldat(jd, "A", &year, &month, &day, &hour);
    if (month == 0) {
        FUZZ_CHECK(year == 0 && day == 0 && hour == 0, "jd %.17g: partial zeros", jd);
        const double civil = jd + 0.5;
        FUZZ_CHECK(!std::isfinite(civil) || std::floor(civil) < INT32_MIN || std::floor(civil) > INT32_MAX,
                   "jd %.17g in range refused", jd);
        return;
    }
    FUZZ_CHECK(month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 23,
               "jd %.17g gives %d-%d-%d %dh", jd, year, month, day, hour);
    EuroDate d{};
    d.calendar = 'G';
    d.dayNumber = static_cast<int32_t>(std::floor(jd + 0.5));
    jdn_to_euro_date(&d);
    FUZZ_CHECK(d.year == year && d.month == month && d.day == day,
               "jd %.17g gives %d-%d-%d, its day %d-%d-%d", jd, year, month, day, d.year, d.month, d.day);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t dayNumber = in.ConsumeIntegral<int32_t>();
    DayNumberRoundTrip(dayNumber, 'G');
    DayNumberRoundTrip(dayNumber, 'J');
    Weekday(dayNumber);

    EuroDate record;
    record.year = in.ConsumeIntegral<int32_t>();
    record.month = in.ConsumeIntegral<int32_t>();
    record.day = in.ConsumeIntegral<int32_t>();
    record.calendar = in.PickValueInArray<int32_t>({'G', 'J', 'R', 0, -1, 'G' + 256});
    record.dayNumber = in.ConsumeIntegral<int32_t>();
    record.valid = in.ConsumeIntegral<int32_t>();
    AnyRecord(record);

    JulianDate(fuzz::RawDouble(in), in.ConsumeBool());
    return 0;
}
