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

// A series around tau: its value, and the first and second derivatives (per
// millennium) of its leading `count` terms.
struct SeriesJet {
    double value = 0, rate = 0, acceleration = 0;
};
template <std::size_t N> SeriesJet JetOfSeries(const VsopTerm (&terms)[N], double tau, std::size_t count) {
    SeriesJet j;
    const std::size_t leading = count < N ? count : N;
    for (std::size_t i = 0; i < leading; ++i) {
        const VsopTerm& term = terms[i];
        const double phase = term.b + term.c * tau;
        const double c = term.a * SeriesSin(phase + 0.5 * std::numbers::pi);
        j.value += c;
        j.rate -= term.a * term.c * SeriesSin(phase);
        j.acceleration -= term.c * term.c * c;
    }
    for (std::size_t i = leading; i < N; ++i)
        j.value += terms[i].a * SeriesSin(terms[i].b + terms[i].c * tau + 0.5 * std::numbers::pi);
    return j;
}

// sum_n tau^n S_n with its first two derivatives, from the series' jets.
template <std::size_t M> SeriesJet PowerOfJets(const SeriesJet (&s)[M], double tau) {
    SeriesJet p;
    for (std::size_t n = M; n-- > 0;) {
        p.acceleration = p.acceleration * tau + 2 * p.rate + s[n].acceleration;
        p.rate = p.rate * tau + p.value + s[n].rate;
        p.value = p.value * tau + s[n].value;
    }
    return p;
}

// The leading terms whose rates carry the Sun's motion over a few hours: the
// rest of the longitude's first series adds up to 0.08 radians a millennium
// at most (0.01" in a quarter of a day), of the latitude's to 0.005", of the
// radius's to 4e-7 au; the other series' terms all.
constexpr std::size_t kLongitudeRateTerms = 80;
constexpr std::size_t kLatitudeRateTerms = 10;
constexpr std::size_t kRadiusRateTerms = 10;
constexpr std::size_t kAllTerms = 1000;

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

namespace {

// The geocentric place from the heliocentric series' sums, then from the
// dynamical ecliptic of VSOP87 to the FK5 system (Meeus, formula 32.3).
SunPlace GeocentricOf(double t, double l, double b, double r) {
    const double lp = l - Degrees(1.397) * t - Degrees(0.00031) * t * t;
    const double lon = l + std::numbers::pi - 0.09033 * kArcsec - SunDrift(t);
    const double lat = -(b + 0.03916 * kArcsec * (std::cos(lp) - std::sin(lp)));
    return {lon, lat, r};
}

} // namespace

SunPlace SunGeometric(double t) {
    const double tau = t / 10.0; // millennia
    const double l = Power(tau, kEarthL0, kEarthL1, kEarthL2, kEarthL3, kEarthL4, kEarthL5);
    const double b = Power(tau, kEarthB0, kEarthB1, kEarthB2, kEarthB3, kEarthB4);
    const double r = Power(tau, kEarthR0, kEarthR1, kEarthR2, kEarthR3, kEarthR4, kEarthR5);
    return GeocentricOf(t, l, b, r);
}

SunAround::SunAround(double t) : t_(t) {
    const double tau = t / 10.0;
    const SeriesJet l[] = {
        JetOfSeries(kEarthL0, tau, kLongitudeRateTerms), JetOfSeries(kEarthL1, tau, kAllTerms),
        JetOfSeries(kEarthL2, tau, kAllTerms),           JetOfSeries(kEarthL3, tau, kAllTerms),
        JetOfSeries(kEarthL4, tau, kAllTerms),           JetOfSeries(kEarthL5, tau, kAllTerms)};
    const SeriesJet b[] = {JetOfSeries(kEarthB0, tau, kLatitudeRateTerms),
                           JetOfSeries(kEarthB1, tau, kAllTerms), JetOfSeries(kEarthB2, tau, kAllTerms),
                           JetOfSeries(kEarthB3, tau, kAllTerms), JetOfSeries(kEarthB4, tau, kAllTerms)};
    const SeriesJet r[] = {
        JetOfSeries(kEarthR0, tau, kRadiusRateTerms), JetOfSeries(kEarthR1, tau, kAllTerms),
        JetOfSeries(kEarthR2, tau, kAllTerms),        JetOfSeries(kEarthR3, tau, kAllTerms),
        JetOfSeries(kEarthR4, tau, kAllTerms),        JetOfSeries(kEarthR5, tau, kAllTerms)};
    const SeriesJet lon = PowerOfJets(l, tau), lat = PowerOfJets(b, tau), radius = PowerOfJets(r, tau);
    place_ = GeocentricOf(t, lon.value, lat.value, radius.value);
    // Per century; the geocentric latitude is the heliocentric one reversed.
    rate_ = {lon.rate / 10.0, -lat.rate / 10.0, radius.rate / 10.0};
    acceleration_ = {lon.acceleration / 100.0, -lat.acceleration / 100.0, radius.acceleration / 100.0};
}

SunPlace SunAround::At(double dt) const {
    // The drift of the equinox is read at the moment itself.
    const double drift = SunDrift(t_) - SunDrift(t_ + dt);
    return {place_.longitude + dt * (rate_.longitude + 0.5 * dt * acceleration_.longitude) + drift,
            place_.latitude + dt * (rate_.latitude + 0.5 * dt * acceleration_.latitude),
            place_.radius + dt * (rate_.radius + 0.5 * dt * acceleration_.radius)};
}

double SunAberration(double radius) {
    return -20.4898 * kArcsec / radius;
}

double SunApparentLongitude(double t) {
    const SunPlace s = SunGeometric(t);
    return s.longitude + NutationAt(t).longitude + SunAberration(s.radius);
}

} // namespace brisel_detail
