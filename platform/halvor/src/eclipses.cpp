// Solar and lunar eclipses at the new and full Moons, and their saros series.
#include <array>

#include "astro_internal.h"
#include "tavr_floor.h"

namespace halvor_detail {

namespace {

// Meeus, Astronomical Algorithms (2nd ed.), chapter 54: eclipses are possible
// only when |sin F| stays below this limit at the mean phase.
constexpr double kSinFLimit = 0.36;
// Chapter 54: limits of |gamma| for a central solar eclipse, and the radii of
// the penumbra and umbra in the fundamental plane (Earth radii).
constexpr double kCentralLimit = 0.9972;
constexpr double kSolarPenumbra = 1.5433;
constexpr double kHybridU = 0.0047;
constexpr double kLunarPenumbra = 1.5573;
constexpr double kLunarUmbra = 1.0128;
constexpr double kLunarTotality = 0.4678;
constexpr double kLunarMagnitudeScale = 0.5450;

// Meeus, chapter 54, corrections from the mean phase to greatest eclipse:
// coeff * E^ePower * sin(m M + mp M' + f F1 + om Omega); the first two differ
// between new Moon (solar) and full Moon (lunar).
struct EclipseTerm {
    double coeff;
    int8_t ePower, m, mp, f, om;
};
constexpr std::array<EclipseTerm, 13> kGreatestTerms{{
    {0.0161, 0, 0, 2, 0, 0},
    {-0.0097, 0, 0, 0, 2, 0},
    {0.0073, 1, -1, 1, 0, 0},
    {-0.0050, 1, 1, 1, 0, 0},
    {-0.0023, 0, 0, 1, -2, 0},
    {0.0021, 1, 2, 0, 0, 0},
    {0.0012, 0, 0, 1, 2, 0},
    {0.0006, 1, 1, 2, 0, 0},
    {-0.0004, 0, 0, 3, 0, 0},
    {-0.0003, 1, 1, 0, 2, 0},
    {-0.0002, 1, 1, 0, -2, 0},
    {-0.0002, 1, -1, 2, 0, 0},
    {-0.0002, 0, 0, 0, 0, 1},
}};
constexpr double kA1Coeff = 0.0003; // chapter 54: + 0.0003 sin A1

using tavr::FloorDiv;
using tavr::FloorMod;

} // namespace

int32_t SarosOf(int32_t lunation, bool lunar) {
    // Series from the lunation number: one saros is 223 lunations, one inex
    // 358 lunations (the next series); 38 is the inverse of 358 modulo 223.
    const int64_t k = lunation;
    const int64_t lo = FloorDiv(k, 358) + 27;
    const int64_t c = lunar ? 124 : 112;
    return static_cast<int32_t>(lo + FloorMod(c + 38 * k - lo, 223));
}

bool NearNode(int32_t lunation, bool lunar) {
    const double k = lunation + (lunar ? 0.5 : 0.0);
    return std::abs(std::sin(MeanPhaseOf(k).f)) <= kSinFLimit;
}

Eclipse EclipseAt(int32_t lunation, bool lunar) {
    Eclipse ec;
    const double k = lunation + (lunar ? 0.5 : 0.0);
    const MeanPhase p = MeanPhaseOf(k);
    if (std::abs(std::sin(p.f)) > kSinFLimit) return ec;

    // Chapter 54: the argument of latitude corrected for the node, and A1.
    const double f1 = p.f - 0.02665 * kDegToRad * std::sin(p.om);
    const double a1 = Radians(299.77 + 0.107408 * k - 0.009173 * p.t * p.t);
    const double e = p.e;
    const Harmonics<2> m(p.m), f(f1);
    const Harmonics<3> mp(p.mp);
    const Harmonics<1> om(p.om);

    double greatest = p.jde;
    greatest +=
        lunar ? -0.4065 * mp.Sin(1) + 0.1727 * e * m.Sin(1) : -0.4075 * mp.Sin(1) + 0.1721 * e * m.Sin(1);
    for (const EclipseTerm& t : kGreatestTerms) {
        const double scale = t.ePower == 0 ? 1.0 : e;
        greatest += t.coeff * scale * (m(t.m) * mp(t.mp) * f(t.f) * om(t.om)).s;
    }
    greatest += kA1Coeff * std::sin(a1);

    // Chapter 54: P, Q, W, gamma and u.
    const double mPlusMp = (m(1) * mp(1)).c, mpMinusM = (mp(1) * m(-1)).c;
    const double pp = 0.2070 * e * m.Sin(1) + 0.0024 * e * m.Sin(2) - 0.0392 * mp.Sin(1) +
                      0.0116 * mp.Sin(2) - 0.0073 * e * (mp(1) * m(1)).s + 0.0067 * e * (mp(1) * m(-1)).s +
                      0.0118 * f.Sin(2);
    const double q = 5.2207 - 0.0048 * e * m.Cos(1) + 0.0020 * e * m.Cos(2) - 0.3299 * mp.Cos(1) -
                     0.0060 * e * mPlusMp + 0.0041 * e * mpMinusM;
    const double w = std::abs(f.Cos(1));
    const double gamma = (pp * f.Cos(1) + q * f.Sin(1)) * (1 - 0.0048 * w);
    const double u =
        0.0059 + 0.0046 * e * m.Cos(1) - 0.0182 * mp.Cos(1) + 0.0004 * mp.Cos(2) - 0.0005 * mPlusMp;
    const double g = std::abs(gamma);

    ec.greatest = greatest;
    ec.gamma = gamma;
    ec.u = u;
    if (!lunar) {
        if (g > kSolarPenumbra + u) return Eclipse{};
        if (g < kCentralLimit) {
            if (u < 0) {
                ec.type = 3;
            } else if (u > kHybridU) {
                ec.type = 2;
            } else {
                const double omega = 0.00464 * std::sqrt(1 - gamma * gamma);
                ec.type = u < omega ? 6 : 2;
            }
        } else if (g < kCentralLimit + std::abs(u)) {
            ec.type = u < 0 ? 4 : 5;
            ec.magnitude = (kSolarPenumbra + u - g) / (0.5461 + 2 * u);
        } else {
            ec.type = 1;
            ec.magnitude = (kSolarPenumbra + u - g) / (0.5461 + 2 * u);
        }
    } else {
        const double penumbralMagnitude = (kLunarPenumbra + u - g) / kLunarMagnitudeScale;
        const double umbralMagnitude = (kLunarUmbra - u - g) / kLunarMagnitudeScale;
        if (!(penumbralMagnitude > 0)) return Eclipse{};
        ec.magnitude = umbralMagnitude;
        ec.type = umbralMagnitude <= 0 ? 8 : (umbralMagnitude < 1 ? 9 : 10);
        // Chapter 54: semi-durations in minutes of the penumbral, partial and total phases.
        const double n = 0.5458 + 0.0400 * mp.Cos(1);
        const double h = kLunarPenumbra + u, pu = kLunarUmbra - u, tu = kLunarTotality - u;
        const double g2 = gamma * gamma;
        ec.semiPenumbral = 60 / n * std::sqrt(h * h - g2);
        if (ec.type >= 9) ec.semiPartial = 60 / n * std::sqrt(pu * pu - g2);
        if (ec.type == 10) ec.semiTotal = 60 / n * std::sqrt(tu * tu - g2);
    }
    ec.saros = SarosOf(lunation, lunar);
    return ec;
}

} // namespace halvor_detail
