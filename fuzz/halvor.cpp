// The lunar astronomy library with any lunation, phase and double (NaN,
// infinities and huge values included): the phase record stays in its 88
// bytes and its documented sets, phases of the system's range come in order,
// delta T is finite, and the Moon's longitude stays in 0..2 pi.
#include <cstring>
#include <memory>

#include "FuzzCheck.h"
#include "halvor.h"

namespace {

// Lunations of the system's range (-3200..6000 CE) and a margin.
constexpr int32_t kOrderedLunations = 100000;

double Phase(int32_t lunation, int32_t phase) {
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[sizeof(PhaseEventRecord)]);
    std::memset(bytes.get(), 0x5a, sizeof(PhaseEventRecord));
    auto* record = reinterpret_cast<PhaseEventRecord*>(bytes.get());
    const double jde = halvor(lunation, phase, record);
    FUZZ_CHECK(record->lunation == lunation && record->phase == phase,
               "lunation %d phase %d: record of %d %d", lunation, phase, record->lunation, record->phase);
    FUZZ_CHECK(record->reserved == 0.0, "reserved field %g", record->reserved);
    if (phase < 0 || phase > 3) {
        FUZZ_CHECK(jde == 0.0 && record->jde == 0.0 && record->eclipseType == 0, "phase %d: moment %.17g",
                   phase, jde);
        return jde;
    }
    FUZZ_CHECK(std::isfinite(jde) && record->jde == jde, "lunation %d phase %d: moment %.17g", lunation,
               phase, jde);
    const int32_t type = record->eclipseType;
    FUZZ_CHECK(type >= 0 && type <= 10, "lunation %d phase %d: eclipse type %d", lunation, phase, type);
    if (type == 0 || phase == 1 || phase == 3) {
        FUZZ_CHECK(type == 0 && record->saros == 0 && record->greatest == 0.0 &&
                       record->semiPenumbral == 0.0 && record->semiPartial == 0.0 && record->semiTotal == 0.0,
                   "lunation %d phase %d: eclipse data without an eclipse (type %d)", lunation, phase, type);
        return jde;
    }
    FUZZ_CHECK((phase == 0) == (type <= 7), "lunation %d phase %d: eclipse type %d", lunation, phase, type);
    // Far outside the system's range the theory's polynomials in time diverge:
    // the moments stay finite but no longer describe the sky.
    if (lunation < -kOrderedLunations || lunation > kOrderedLunations) return jde;
    FUZZ_CHECK(std::isfinite(record->greatest) && std::fabs(record->greatest - jde) < 1.0,
               "lunation %d phase %d: greatest eclipse %.17g, phase %.17g", lunation, phase, record->greatest,
               jde);
    FUZZ_CHECK(record->semiPenumbral >= 0.0 && record->semiPartial >= 0.0 && record->semiTotal >= 0.0 &&
                   record->semiPenumbral < 1000.0 && record->semiPartial < 1000.0 &&
                   record->semiTotal < 1000.0,
               "lunation %d phase %d: durations %g %g %g", lunation, phase, record->semiPenumbral,
               record->semiPartial, record->semiTotal);
    return jde;
}

void Phases(int32_t lunation, int32_t phase) {
    Phase(lunation, phase);
    if (lunation < -kOrderedLunations || lunation > kOrderedLunations) return;
    double previous = Phase(lunation, 0);
    for (int32_t p = 1; p <= 4; ++p) {
        const double next = p < 4 ? Phase(lunation, p) : Phase(lunation + 1, 0);
        FUZZ_CHECK(next > previous + 5.0 && next < previous + 10.0,
                   "lunation %d: phase %d at %.17g after %.17g", lunation, p, next, previous);
        previous = next;
    }
}

void DeltaT(double year, int32_t model) {
    const double minutes = deltat(year, model);
    FUZZ_CHECK(std::isfinite(minutes), "year %.17g: delta T %g", year, minutes);
    if (!std::isfinite(year)) FUZZ_CHECK(minutes == 0.0, "year %.17g: delta T %g", year, minutes);
    if (std::fabs(year) < 1e5)
        FUZZ_CHECK(minutes > -60.0 && minutes < 1e7, "year %.17g: delta T %g", year, minutes);
}

void Moon(double days, bool outputs) {
    double latitude = 1.0, distance = 1.0;
    const double longitude = outputs ? moonpos(days, &latitude, &distance) : moonpos(days, nullptr, nullptr);
    if (!std::isfinite(days)) {
        FUZZ_CHECK(longitude == 0.0, "days %.17g: longitude %.17g", days, longitude);
        if (outputs) FUZZ_CHECK(latitude == 0.0 && distance == 0.0, "days %.17g: outputs not zero", days);
        return;
    }
    FUZZ_CHECK(std::isfinite(longitude), "days %.17g: longitude %.17g", days, longitude);
    FUZZ_CHECK(fuzz::InTurn(longitude), "days %.17g: longitude %.17g", days, longitude);
    if (!outputs) return;
    FUZZ_CHECK(std::isfinite(latitude) && std::isfinite(distance), "days %.17g: latitude %g distance %g",
               days, latitude, distance);
    if (std::fabs(days) < 3e6) {
        // Within 8,000 years of J2000 the series stay physical.
        FUZZ_CHECK(std::fabs(latitude) < 0.1 && distance > 350000.0 && distance < 410000.0,
                   "days %.17g: latitude %g distance %g", days, latitude, distance);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int32_t lunation = in.ConsumeIntegral<int32_t>();
    const int32_t phase =
        in.ConsumeBool() ? in.ConsumeIntegralInRange<int32_t>(0, 3) : in.ConsumeIntegral<int32_t>();
    Phases(lunation, phase);
    DeltaT(fuzz::RawDouble(in), in.ConsumeIntegral<int32_t>());
    Moon(fuzz::RawDouble(in), in.ConsumeBool());
    return 0;
}
