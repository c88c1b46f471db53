// The Earth's orbit from VSOP87D, the 1980 nutation and the Sun's apparent place.
#include "sun_theory.h"

#include <cmath>
#include <cstddef>

#include "nutation_table.inc"
#include "vsop87d_earth_table.inc"

namespace brisel_detail {

namespace {

template <std::size_t N> double SumSeries(const VsopTerm (&terms)[N], double tau) {
    double s = 0;
    for (const VsopTerm& term : terms)
        s += term.a * SeriesSin(term.b + term.c * tau + 0.5 * std::numbers::pi);
    return s;
}

template <typename... Series> double Power(double tau, const Series&... series) {
    return PowerSeries(
        tau, [](const auto& terms, double t) { return SumSeries(terms, t); }, series...);
}

double Degrees(double d) {
    return d * std::numbers::pi / 180.0;
}

} // namespace

double ReduceAngle(double radians) {
    if (!std::isfinite(radians)) return std::nan("");
    double r = std::fmod(radians, kTwoPi); // exact for every finite input
    if (r < 0) r += kTwoPi;
    // A tiny negative remainder may round up to a whole turn.
    return r >= kTwoPi ? 0.0 : r;
}

Nutation NutationAt(double t) {
    // Fundamental arguments of the 1980 theory (Meeus, chapter 22), degrees.
    const double d = Degrees(297.85036 + t * (445267.111480 + t * (-0.0019142 + t / 189474.0)));
    const double m = Degrees(357.52772 + t * (35999.050340 + t * (-0.0001603 - t / 300000.0)));
    const double mp = Degrees(134.96298 + t * (477198.867398 + t * (0.0086972 + t / 56250.0)));
    const double f = Degrees(93.27191 + t * (483202.017538 + t * (-0.0036825 + t / 327270.0)));
    const double om = Degrees(125.04452 + t * (-1934.136261 + t * (0.0020708 + t / 450000.0)));
    double dpsi = 0, deps = 0;
    for (const NutationTerm& n : kNutation) {
        const double arg = n.d * d + n.m * m + n.mp * mp + n.f * f + n.om * om;
        dpsi += (n.s0 + n.s1 * t) * std::sin(arg);
        deps += (n.c0 + n.c1 * t) * std::cos(arg);
    }
    return {dpsi * 1e-4 * kArcsec, deps * 1e-4 * kArcsec};
}

double MeanObliquityDrift(double t) {
    // IAU 1980 less the long-term obliquity of the DE431-derived reference,
    // fitted by tools/theory_drift/compare.py --fit over -3500..5000 (residuals
    // 0.02" rms), arcseconds for t^1 .. t^7. It reaches 4" at -1000 and 17" at -3000.
    constexpr double kDrift[] = {2.214347e-02, -1.613252e-04, -1.788567e-04, 3.360724e-07,
                                 2.174655e-08, 2.213774e-10,  2.698351e-12};
    return DriftOf(kDrift, 1, t);
}

double SunDrift(double t) {
    // Arcseconds for t^1 .. t^10, fitted as MeanObliquityDrift: residuals
    // 0.13" rms, 0.4" at worst. Mostly the precession of VSOP87D's equinox of
    // date, 0.3"/cy faster than the present one.
    constexpr double kDrift[] = {2.934457e-01, 8.267076e-03, -5.945408e-05, -1.073449e-05, -1.707154e-07,
                                 1.421716e-08, 3.654123e-10, -4.882820e-12, -2.268288e-13, -1.840840e-15};
    return DriftOf(kDrift, 1, t);
}

double MeanObliquity(double t) {
    // IAU 1980 (Lieske), arcseconds.
    return (84381.448 + t * (-46.8150 + t * (-0.00059 + t * 0.001813))) * kArcsec - MeanObliquityDrift(t);
}

SunPlace SunGeometric(double t) {
    const double tau = t / 10.0; // millennia
    const double l = Power(tau, kEarthL0, kEarthL1, kEarthL2, kEarthL3, kEarthL4, kEarthL5);
    const double b = Power(tau, kEarthB0, kEarthB1, kEarthB2, kEarthB3, kEarthB4);
    const double r = Power(tau, kEarthR0, kEarthR1, kEarthR2, kEarthR3, kEarthR4, kEarthR5);
    // Geocentric, then from the dynamical ecliptic of VSOP87 to the FK5 system (Meeus, formula 32.3).
    const double lp = l - Degrees(1.397) * t - Degrees(0.00031) * t * t;
    const double lon = l + std::numbers::pi - 0.09033 * kArcsec - SunDrift(t);
    const double lat = -(b + 0.03916 * kArcsec * (std::cos(lp) - std::sin(lp)));
    return {lon, lat, r};
}

double SunAberration(double radius) {
    return -20.4898 * kArcsec / radius;
}

double SunApparentLongitude(double t) {
    const SunPlace s = SunGeometric(t);
    return s.longitude + NutationAt(t).longitude + SunAberration(s.radius);
}

} // namespace brisel_detail
