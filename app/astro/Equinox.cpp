#include "astro/Equinox.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "astro/Lunar.h"

namespace tavr::sun {
namespace {

constexpr double kTwoPi = 6.28318530717959;
constexpr double kDegToRad = kTwoPi / 360.0;

// Meeus, Astronomical Algorithms (2nd ed.), chapter 27, table 27.C: the 24
// periodic terms A cos(B + C T) of the equinoxes and solstices (B, C in degrees).
struct PeriodicTerm {
    double a, b, c;
};
constexpr PeriodicTerm kEquinoxTerms[24] = {
    {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},   {182, 27.85, 445267.112},
    {156, 73.14, 45036.886}, {136, 171.52, 22518.443}, {77, 222.54, 65928.934}, {74, 296.72, 3034.906},
    {70, 243.58, 9037.513},  {58, 119.81, 33718.147},  {52, 297.17, 150.678},   {50, 21.02, 2281.226},
    {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},   {18, 155.12, 67555.328},
    {17, 288.79, 4562.452},  {16, 198.04, 62894.029},  {14, 199.76, 31436.921}, {12, 95.39, 14577.848},
    {12, 287.11, 31931.756}, {12, 320.81, 34777.259},  {9, 227.73, 1222.114},   {8, 15.45, 16859.074},
};

// The terms with B and C turned into radians once.
const std::array<PeriodicTerm, 24>& RadianTerms() {
    static const std::array<PeriodicTerm, 24> terms = [] {
        std::array<PeriodicTerm, 24> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = {kEquinoxTerms[i].a, kEquinoxTerms[i].b * kDegToRad, kEquinoxTerms[i].c * kDegToRad};
        return t;
    }();
    return terms;
}

} // namespace

double MarchEquinox(int32_t ceYear) {
    double jde0;
    if (ceYear < 1000) {
        const double y = ceYear / 1000.0;
        jde0 = 1721139.29189 + 365242.13740 * y + 0.06134 * y * y + 0.00111 * y * y * y -
               0.00071 * y * y * y * y;
    } else {
        const double y = (ceYear - 2000) / 1000.0;
        jde0 = 2451623.80984 + 365242.37404 * y + 0.05169 * y * y - 0.00411 * y * y * y -
               0.00057 * y * y * y * y;
    }
    const double t = (jde0 - 2451545.0) / 36525.0;
    const double w = (35999.373 * t - 2.47) * kDegToRad;
    const double deltaLambda = 1.0 + 0.0334 * std::cos(w) + 0.0007 * std::cos(2.0 * w);
    double s = 0.0;
    for (const PeriodicTerm& term : RadianTerms())
        s += term.a * std::cos(term.b + term.c * t);
    const double jde = jde0 + 0.00001 * s / deltaLambda;
    return lunar::TtToUt(jde); // the equinox lies in ceYear
}

} // namespace tavr::sun
