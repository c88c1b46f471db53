// The VR date parse with any text. A text it refuses leaves the record alone;
// a text of the date form fills the fields, reads the same after formatting,
// and is accepted exactly when the conversion accepts the date.
#include <cstring>

#include "FuzzCheck.h"
#include "vrslc.h"

namespace {

constexpr int64_t kDaysPerGreatCycle = 2498258;

VrslcDate Sentinel() {
    VrslcDate d;
    std::memset(&d, 0x5a, sizeof d);
    return d;
}

bool SameFields(const VrslcDate& a, const VrslcDate& b) {
    return a.cycle == b.cycle && a.year == b.year && a.month == b.month && a.day == b.day;
}

int64_t GreatCycleOf(const VrslcDate& d) {
    const int64_t t = static_cast<int64_t>(d.cycle) * 60 + d.year - 1;
    return t >= 0 ? t / 6840 : -((-t + 6839) / 6840);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::Text(data, size);
    VrslcDate d = Sentinel();
    const VrslcDate before = d;
    const int32_t accepted = vrslc_datestr_to_vrslc_date(text.c_str(), &d);
    FUZZ_CHECK(accepted == 0 || accepted == 1, "result %d", accepted);
    if (std::memcmp(&d, &before, sizeof d) == 0) {
        FUZZ_CHECK(accepted == 0, "accepted without filling the record");
        return 0;
    }
    FUZZ_CHECK(d.valid == 0 && d.error == 0 && d.dayOfGreatCycle == 0 && d.dayNumber == 0 && d.spare1 == 0 &&
                   d.spare2 == 0,
               "fields beside the date not zeroed");

    // The date written out reads back the same.
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%d-%d-%d-%d", d.cycle, d.year, d.month, d.day);
    VrslcDate again = Sentinel();
    FUZZ_CHECK(vrslc_datestr_to_vrslc_date(formatted, &again) == accepted && SameFields(again, d),
               "\"%s\" reads differently", formatted);

    // The conversion agrees; it alone refuses a great cycle beyond 32-bit day numbers.
    VrslcDate converted = d;
    const int32_t dayNumber = vrslcdate_to_jdn(&converted);
    if (accepted == 0) {
        FUZZ_CHECK(converted.valid == 0, "refused \"%s\" converts", formatted);
        return 0;
    }
    FUZZ_CHECK(d.year >= 1 && d.year <= 60 && d.month >= 1 && d.month <= 13 && d.day >= 1 && d.day <= 31,
               "accepted \"%s\" out of range", formatted);
    if (converted.error == VRSLC_BAD_GREAT_CYCLE) {
        const int64_t g = GreatCycleOf(d);
        FUZZ_CHECK(g < VRSLC_MIN_GREAT_CYCLE || g > VRSLC_MAX_GREAT_CYCLE, "\"%s\": great cycle %lld refused",
                   formatted, static_cast<long long>(g));
        return 0;
    }
    FUZZ_CHECK(converted.valid == 1 && converted.error == 0 && dayNumber == converted.dayNumber,
               "accepted \"%s\" does not convert (error %d)", formatted, converted.error);
    FUZZ_CHECK(converted.dayOfGreatCycle >= 1 && converted.dayOfGreatCycle <= kDaysPerGreatCycle,
               "day of great cycle %d", converted.dayOfGreatCycle);
    if (d.month == 13) FUZZ_CHECK(is_long_vrslc_year(d.year, d.cycle) == 1, "month 13 of a short year");

    VrslcDate back{};
    back.dayNumber = dayNumber;
    const int32_t length = jdn_to_vrslcdate(&back);
    FUZZ_CHECK(SameFields(back, d) && d.day <= length, "\"%s\" -> day %d -> %d-%d-%d-%d", formatted,
               dayNumber, back.cycle, back.year, back.month, back.day);
    return 0;
}
