#include "astro/MoonData.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <iterator>

#include "astro/Lunar.h"
#include "base/LibLoader.h"
#include "brisel.h"

namespace tavr::moon {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long long kSecondsPerDay = 86400;

// Thresholds of the phase names and of the waxing/waning suffix, in percent.
constexpr double kDarkBelow = 1.0;
constexpr double kCrescentBelow = 45.0;
constexpr double kHalfBelow = 55.0;
constexpr double kGibbousBelow = 99.0;
constexpr double kSuffixFrom = 0.05;
constexpr double kSuffixTo = 99.95;

// Illuminated fractions at which the stored pictures are shown unchanged.
constexpr double kDarkPictureBelow = 0.01;
constexpr double kQuarterPictureLow = 0.49;
constexpr double kQuarterPictureHigh = 0.51;
constexpr double kFullPictureAbove = 0.99;

std::string OneDecimal(double value, char decimalPoint) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", value + 0.0);
    std::string s(buf);
    if (s == "-0.0") s = "0.0";
    for (char& c : s)
        if (c == '.') c = decimalPoint;
    return s;
}

std::string Counted(long long n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

decltype(&brisel_app) SunLongitudeExport() {
    static const auto fn = tavr::BindFunction<decltype(&brisel_app)>("brisel", "brisel_app", 12);
    return fn;
}

// Sun's apparent longitude (radians), or NaN when the library is missing.
double SunLongitude(double ajd) {
    const auto fn = SunLongitudeExport();
    if (fn == nullptr) return std::nan("");
    double distance = 0.0;
    return fn(ajd, &distance);
}

bool IsLongitude(double value) {
    return std::isfinite(value) && value != lunar::kMoonLongitudeTooEarly &&
           value != lunar::kMoonLongitudeTooLate;
}

} // namespace

bool SunLongitudeAvailable() {
    return SunLongitudeExport() != nullptr;
}

namespace {

// The stored picture of each case, in the order of PictureCase, and whether
// the terminator is drawn over it.
struct PictureRow {
    const char* base;
    bool drawn;
};
constexpr PictureRow kPictureRows[] = {
    {"", false},           {"darkmoon", false},  {"1stquarter", false}, {"lastquarter", false},
    {"fullmoon", false},   {"1stquarter", true}, {"fullmoon", true},    {"fullmoon", true},
    {"lastquarter", true},
};
static_assert(std::size(kPictureRows) == static_cast<std::size_t>(PictureCase::WaningCrescent) + 1);

const PictureRow& RowOf(PictureCase picture) {
    const auto i = static_cast<std::size_t>(picture);
    return i < std::size(kPictureRows) ? kPictureRows[i] : kPictureRows[0];
}

} // namespace

const char* BasePictureName(PictureCase picture) {
    return RowOf(picture).base;
}

bool IsDrawn(PictureCase picture) {
    return RowOf(picture).drawn;
}

std::string AgeText(double days) {
    long long seconds = 0;
    if (std::isfinite(days) && days > 0.0) seconds = std::llround(days * kSecondsPerDay);
    const long long d = seconds / kSecondsPerDay;
    const long long h = seconds % kSecondsPerDay / 3600;
    const long long m = seconds % 3600 / 60;
    return Counted(d, "day") + ", " + Counted(h, "hr") + ", " + Counted(m, "min");
}

std::string AgeLabel(int32_t lunation, double ageDays, double percent, char decimalPoint) {
    return "[" + std::to_string(lunation) + "] " + AgeText(ageDays) + " (" +
           OneDecimal(percent, decimalPoint) + "%)";
}

std::string PhaseName(double f, bool waxing) {
    const double p = 100.0 * f;
    std::string name;
    if (p < kDarkBelow)
        name = "Dark moon";
    else if (p < kCrescentBelow)
        name = "Crescent moon";
    else if (p < kHalfBelow)
        name = "Half moon";
    else if (p < kGibbousBelow)
        name = "Gibbous moon";
    else
        name = "Full moon";
    if (p >= kSuffixFrom && p <= kSuffixTo) name += waxing ? " (waxing)" : " (waning)";
    return name;
}

std::string PhaseLabel(double f, bool waxing, char decimalPoint) {
    return PhaseName(f, waxing) + ", " + OneDecimal(100.0 * f, decimalPoint) + "%";
}

PictureCase ChoosePicture(double f, bool waxing) {
    if (f < kDarkPictureBelow) return PictureCase::Dark;
    if (f > kQuarterPictureLow && f < kQuarterPictureHigh)
        return waxing ? PictureCase::FirstQuarter : PictureCase::LastQuarter;
    if (f > kFullPictureAbove) return PictureCase::Full;
    if (waxing) return f < 0.5 ? PictureCase::WaxingCrescent : PictureCase::WaxingGibbous;
    return f < 0.5 ? PictureCase::WaningCrescent : PictureCase::WaningGibbous;
}

void ApplyPhase(MoonReport& report, double f, bool waxing, char decimalPoint) {
    report.illuminated = f;
    report.waxing = waxing;
    report.phaseLabel = PhaseLabel(f, waxing, decimalPoint);
    report.r2 = (1.0 - 2.0 * f) * (1.0 - 2.0 * f);
    report.picture = ChoosePicture(f, waxing);
}

std::string GetPhaseErrorText(int q) {
    return "Error" + std::to_string(q) + " when calling GetPhase() in DisplayMoonData().";
}

double IlluminatedFromLongitudes(double moonLongitude, double sunLongitude) {
    double d1 = moonLongitude - sunLongitude;
    if (d1 < 0) d1 += 2 * kPi;
    double d2 = sunLongitude - moonLongitude;
    if (d2 < 0) d2 += 2 * kPi;
    const double e = std::min(d1, d2);
    return (1.0 - std::cos(e)) / 2.0;
}

double InterpolatedIlluminated(int16_t q, double t, double t0, double t1) {
    const double len = t1 - t0;
    double u = 0.0;
    switch (q) {
    case 0:
        u = (t - t0) / len / 2;
        break;
    case 1:
        u = (t - t0) / len / 2 + 0.5;
        break;
    case 2:
        u = (t1 - t) / len / 2 + 0.5;
        break;
    default:
        u = (t1 - t) / len / 2;
        break;
    }
    return (1.0 - std::cos(2 * kPi * u / 2)) / 2;
}

MoonReport ComputeMoonData(double ajd, char decimalPoint) {
    MoonReport r;
    if (!std::isfinite(ajd) || ajd < kFirstMoment || ajd > kLastMoment) {
        r.error = true;
        r.errorTitle = "Error";
        r.errorText = "The moment lies outside the range of the Moon display.";
        return r;
    }
    const double t = ajd;

    // Age label (both displays).
    r.lunation = lunar::LunationOf(t);
    const double m0 = lunar::PhaseMomentUT(r.lunation, lunar::kNewMoon);
    const double m1 = lunar::PhaseMomentUT(r.lunation + 1, lunar::kNewMoon);
    r.ageDays = t - m0;
    r.agePercent = (t - m0) * 100.0 / (m1 - m0);
    // Without the astronomy library the phase moments are no moments: no label.
    if (m1 > m0 && std::isfinite(r.agePercent))
        r.ageLabel = AgeLabel(r.lunation, r.ageDays, r.agePercent, decimalPoint);

    bool isPhase = false;
    const int16_t q = lunar::GetPhase(r.lunation, t, isPhase);
    r.phase = q;
    if (q < 0) {
        r.error = true;
        r.errorTitle = "Error";
        r.errorText = GetPhaseErrorText(q);
        return r;
    }

    // Precise display: elongation from the Moon and Sun longitudes.
    double out = 0.0;
    const double lm = lunar::MoonLongitudeAt(t, &out);
    if (IsLongitude(lm)) {
        const double ls = SunLongitude(t);
        if (std::isfinite(ls)) {
            r.precise = true;
            ApplyPhase(r, IlluminatedFromLongitudes(lm, ls), q <= 1, decimalPoint);
            return r;
        }
    }

    // Approximate display: interpolation between the phase moments.
    const double t0 = lunar::PhaseMomentUT(r.lunation, q);
    const double t1 = q == lunar::kLastQuarter
                          ? lunar::PhaseMomentUT(r.lunation + 1, lunar::kNewMoon)
                          : lunar::PhaseMomentUT(r.lunation, static_cast<int16_t>(q + 1));
    ApplyPhase(r, InterpolatedIlluminated(q, t, t0, t1), q < 2, decimalPoint);
    return r;
}

} // namespace tavr::moon
