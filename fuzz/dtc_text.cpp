// The three triday parses with any text. A refused text leaves the record
// alone; a text of the form fills the fields, reads the same after
// formatting, returns the validation's answer, and an accepted date converts
// to a day number that gives it back.
#include <cstring>

#include "FuzzCheck.h"
#include "dtc.h"

namespace {

template <class T> T Sentinel() {
    T d;
    std::memset(&d, 0x5a, sizeof d);
    return d;
}

bool SameLunar(const DtcLunarDate& a, const DtcLunarDate& b) {
    return a.cycle == b.cycle && a.year == b.year && a.month == b.month && a.triday == b.triday &&
           a.day == b.day;
}

bool SameSolar(const DtcSolarDate& a, const DtcSolarDate& b) {
    return a.year == b.year && a.quarter == b.quarter && a.triday == b.triday && a.day == b.day;
}

void Lunar(const char* text, bool longForm) {
    auto parse = longForm ? parse_long_lunar_dtc_date : parse_short_lunar_dtc_date;
    DtcLunarDate d = Sentinel<DtcLunarDate>();
    const DtcLunarDate before = d;
    const int32_t accepted = parse(text, &d);
    FUZZ_CHECK(accepted == 0 || accepted == 1, "result %d", accepted);
    if (std::memcmp(&d, &before, sizeof d) == 0) {
        FUZZ_CHECK(accepted == 0, "accepted without filling the record");
        return;
    }
    FUZZ_CHECK(std::strlen(text) <= 63, "a text of %zu characters read", std::strlen(text));
    FUZZ_CHECK(d.valid == accepted && d.dayNumber == before.dayNumber, "valid %d, result %d", d.valid,
               accepted);
    FUZZ_CHECK(longForm || d.cycle == 0, "short form with cycle %d", d.cycle);

    char formatted[80];
    if (longForm)
        std::snprintf(formatted, sizeof formatted, "%d-%d-%d-%d-%d", d.cycle, d.year, d.month, d.triday,
                      d.day);
    else
        std::snprintf(formatted, sizeof formatted, "%d-%d-%d-%d", d.year, d.month, d.triday, d.day);
    DtcLunarDate again = Sentinel<DtcLunarDate>();
    FUZZ_CHECK(parse(formatted, &again) == accepted && SameLunar(again, d), "\"%s\" reads differently",
               formatted);

    DtcLunarDate checked = d;
    FUZZ_CHECK(dtclunar_valid(&checked) == accepted, "\"%s\": parse and validation differ", formatted);
    if (!accepted) return;
    FUZZ_CHECK(d.year >= 0 && d.year <= 383 && d.month >= 1 && d.month <= 12 && d.triday >= 1 &&
                   d.triday <= 10 && d.day >= 1 && d.day <= 3,
               "accepted \"%s\" out of range", formatted);
    FUZZ_CHECK(3 * d.triday <= num_days_in_month(d.year, d.month), "\"%s\": triday beyond the month",
               formatted);
    DtcLunarDate converted = d;
    const int32_t dayNumber = dtclunar_to_jdn(&converted);
    FUZZ_CHECK(converted.valid == 1 && converted.dayNumber == dayNumber, "accepted \"%s\" does not convert",
               formatted);
    DtcLunarDate back = Sentinel<DtcLunarDate>();
    back.dayNumber = dayNumber;
    jdn_to_dtclunar(&back);
    FUZZ_CHECK(SameLunar(back, d), "\"%s\" -> day %d -> %d-%d-%d-%d-%d", formatted, dayNumber, back.cycle,
               back.year, back.month, back.triday, back.day);
}

void Solar(const char* text) {
    DtcSolarDate d = Sentinel<DtcSolarDate>();
    const DtcSolarDate before = d;
    const int32_t accepted = parse_solar_dtc_date(text, &d);
    FUZZ_CHECK(accepted == 0 || accepted == 1, "result %d", accepted);
    if (std::memcmp(&d, &before, sizeof d) == 0) {
        FUZZ_CHECK(accepted == 0, "accepted without filling the record");
        return;
    }
    FUZZ_CHECK(std::strlen(text) <= 63, "a text of %zu characters read", std::strlen(text));
    FUZZ_CHECK(d.valid == accepted && d.dayNumber == before.dayNumber, "valid %d, result %d", d.valid,
               accepted);

    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%d-%d-%d-%d", d.year, d.quarter, d.triday, d.day);
    DtcSolarDate again = Sentinel<DtcSolarDate>();
    FUZZ_CHECK(parse_solar_dtc_date(formatted, &again) == accepted && SameSolar(again, d),
               "\"%s\" reads differently", formatted);

    DtcSolarDate checked = d;
    FUZZ_CHECK(dtcsolar_valid(&checked) == accepted, "\"%s\": parse and validation differ", formatted);
    if (!accepted) return;
    FUZZ_CHECK(d.quarter >= 1 && d.quarter <= 4 && d.triday >= 1 && d.triday <= 31 && d.day >= 1 &&
                   d.day <= 3,
               "accepted \"%s\" out of range", formatted);
    DtcSolarDate converted = d;
    const int32_t dayNumber = dtcsolar_to_jdn(&converted);
    FUZZ_CHECK(converted.valid == 1 && converted.dayNumber == dayNumber, "accepted \"%s\" does not convert",
               formatted);
    DtcSolarDate back = Sentinel<DtcSolarDate>();
    back.dayNumber = dayNumber;
    jdn_to_dtcsolar(&back);
    FUZZ_CHECK(SameSolar(back, d), "\"%s\" -> day %d -> %d-%d-%d-%d", formatted, dayNumber, back.year,
               back.quarter, back.triday, back.day);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Text(data, size);
    Lunar(text.c_str(), true);
    Lunar(text.c_str(), false);
    Solar(text.c_str());
    return 0;
}
