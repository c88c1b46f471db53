// The Sun's place for the phases and eclipses: the solar library's VSOP87D
// with the terms its table leaves out near J2000 but that move the Sun by up
// to 2.6' at the ends of the range (their weight grows as tau^n).
#include <cstddef>

#include "astro_internal.h"
#include "vsop87d_far_table.inc"

namespace halvor_detail {

namespace {

template <std::size_t N> double SumFar(const FarTerm (&terms)[N], double tau) {
    double s = 0;
    for (const FarTerm& term : terms)
        s += term.a * std::cos(term.b + term.c * tau);
    return s;
}

template <typename... Series> double FarPower(double tau, const Series&... series) {
    return PowerSeries(
        tau, [](const auto& terms, double t) { return SumFar(terms, t); }, series...);
}

} // namespace

SunPlace SunFarTerms(double t) {
    const double tau = t / 10.0; // millennia
    // Heliocentric terms: the geocentric longitude and radius move with them,
    // the latitude against them.
    return {FarPower(tau, kFarEarthL0, kFarEarthL1, kFarEarthL2, kFarEarthL3, kFarEarthL4, kFarEarthL5),
            -FarPower(tau, kFarEarthB0, kFarEarthB1, kFarEarthB2, kFarEarthB3, kFarEarthB4),
            FarPower(tau, kFarEarthR0, kFarEarthR1, kFarEarthR2, kFarEarthR3, kFarEarthR4, kFarEarthR5)};
}

SunPlace SunComplete(double t) {
    const SunPlace s = SunGeometric(t), far = SunFarTerms(t);
    return {s.longitude + far.longitude, s.latitude + far.latitude, s.radius + far.radius};
}

} // namespace halvor_detail
