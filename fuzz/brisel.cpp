// The solar astronomy library with any Julian date (NaN, infinities and huge
// values included): the longitude stays in 0..2 pi, the distance is finite
// (and near 1 au within the system's range; far outside it the polynomials in
// time diverge), and non-finite dates give 0.
#include "brisel.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const double jd = fuzz::RawDouble(in);
    const bool output = in.ConsumeBool();
    double distance = -1.0;
    const double longitude = brisel_app(jd, output ? &distance : nullptr);
    if (!std::isfinite(jd)) {
        FUZZ_CHECK(longitude == 0.0, "jd %.17g: longitude %.17g", jd, longitude);
        if (output) FUZZ_CHECK(distance == 0.0, "jd %.17g: distance %.17g", jd, distance);
        return 0;
    }
    FUZZ_CHECK(fuzz::InTurn(longitude), "jd %.17g: longitude %.17g", jd, longitude);
    if (!output) return 0;
    FUZZ_CHECK(std::isfinite(distance), "jd %.17g: distance %.17g", jd, distance);
    if (std::fabs(jd - 2451545.0) < 3e6) // 8,000 years either side of J2000
        FUZZ_CHECK(distance > 0.97 && distance < 1.03, "jd %.17g: distance %.17g", jd, distance);
    return 0;
}
