// Moments of the Moon's phases.
#include <array>

#include "astro_internal.h"

namespace halvor_detail {

namespace {

// One periodic term: coeff * E^ePower * sin(m M + mp M' + f F + om Omega).
struct PhaseTerm {
    double coeff;
    int8_t ePower, m, mp, f, om;
};

// Meeus, Astronomical Algorithms (2nd ed.), chapter 49, corrections for the
// new and the full Moon: the same arguments, a coefficient for each.
struct SyzygyTerm {
    double newMoon, fullMoon;
    int8_t ePower, m, mp, f, om;
};
constexpr std::array<SyzygyTerm, 25> kSyzygyTerms{{
    {-0.40720, -0.40614, 0, 0, 1, 0, 0},   {0.17241, 0.17302, 1, 1, 0, 0, 0},
    {0.01608, 0.01614, 0, 0, 2, 0, 0},     {0.01039, 0.01043, 0, 0, 0, 2, 0},
    {0.00739, 0.00734, 1, -1, 1, 0, 0},    {-0.00514, -0.00515, 1, 1, 1, 0, 0},
    {0.00208, 0.00209, 2, 2, 0, 0, 0},     {-0.00111, -0.00111, 0, 0, 1, -2, 0},
    {-0.00057, -0.00057, 0, 0, 1, 2, 0},   {0.00056, 0.00056, 1, 1, 2, 0, 0},
    {-0.00042, -0.00042, 0, 0, 3, 0, 0},   {0.00042, 0.00042, 1, 1, 0, 2, 0},
    {0.00038, 0.00038, 1, 1, 0, -2, 0},    {-0.00024, -0.00024, 1, -1, 2, 0, 0},
    {-0.00017, -0.00017, 0, 0, 0, 0, 1},   {-0.00007, -0.00007, 0, 2, 1, 0, 0},
    {0.00004, 0.00004, 0, 0, 2, -2, 0},    {0.00004, 0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0.00003, 0, 1, 1, -2, 0},    {0.00003, 0.00003, 0, 0, 2, 2, 0},
    {-0.00003, -0.00003, 0, 1, 1, 2, 0},   {0.00003, 0.00003, 0, -1, 1, 2, 0},
    {-0.00002, -0.00002, 0, -1, 1, -2, 0}, {-0.00002, -0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0.00002, 0, 0, 4, 0, 0},
}};

// Meeus, chapter 49, corrections for the first and last quarters.
constexpr std::array<PhaseTerm, 25> kQuarterTerms{{
    {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},    {-0.01183, 1, 1, 1, 0, 0},
    {0.00862, 0, 0, 2, 0, 0},  {0.00804, 0, 0, 0, 2, 0},    {0.00454, 1, -1, 1, 0, 0},
    {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0},  {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0},  {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},   {0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1}, {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0},   {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0},   {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
}};

// Meeus, chapter 49, the 14 additional (planetary) corrections: argument
// A = a0 + a1 k (+ a2 T^2 for A1) in degrees, correction coeff * sin A in days.
struct PlanetaryTerm {
    double a0, a1, coeff;
};
constexpr std::array<PlanetaryTerm, 14> kPlanetaryTerms{{
    {299.77, 0.107408, 0.000325},
    {251.88, 0.016321, 0.000165},
    {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126},
    {84.66, 18.206239, 0.000110},
    {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},
    {154.84, 7.306860, 0.000056},
    {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},
    {291.34, 1.844379, 0.000040},
    {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035},
    {331.55, 3.592518, 0.000023},
}};
constexpr double kA1T2 = -0.009173; // T^2 coefficient of the first planetary argument

// The harmonics of the four arguments that the periodic terms combine.
struct PhaseArguments {
    explicit PhaseArguments(const MeanPhase& p) : m(p.m), mp(p.mp), f(p.f), om(p.om), e(p.e) {}
    Harmonics<3> m;
    Harmonics<4> mp;
    Harmonics<2> f;
    Harmonics<1> om;
    double e;
};

// The sum of the terms of one coefficient column, in the table's order.
template <typename Term>
double SumTerms(const std::array<Term, 25>& terms, double Term::*coeff, const PhaseArguments& a) {
    const double scales[3] = {1.0, a.e, a.e * a.e};
    double sum = 0;
    for (const Term& t : terms) {
        sum += t.*coeff * scales[t.ePower] * (a.m(t.m) * a.mp(t.mp) * a.f(t.f) * a.om(t.om)).s;
    }
    return sum;
}

} // namespace

// Meeus, chapter 49, formulas 49.1 to 49.7 (mean phase and its arguments).
MeanPhase MeanPhaseOf(double k) {
    MeanPhase p{};
    const double t = k / kLunationsPerCentury;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    p.k = k;
    p.t = t;
    p.jde = 2451550.09766 + 29.530588861 * k + 0.00015437 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;
    p.e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    p.m = Radians(2.5534 + 29.10535670 * k - 0.0000014 * t2 - 0.00000011 * t3);
    p.mp = Radians(201.5643 + 385.81693528 * k + 0.0107582 * t2 + 0.00001238 * t3 - 0.000000058 * t4);
    p.f = Radians(160.7108 + 390.67050284 * k - 0.0016118 * t2 - 0.00000227 * t3 + 0.000000011 * t4);
    p.om = Radians(124.7746 - 1.56375588 * k + 0.0020672 * t2 + 0.00000215 * t3);
    return p;
}

double PhaseMoment(int32_t lunation, int phase) {
    const double k = lunation + 0.25 * phase;
    const MeanPhase p = MeanPhaseOf(k);
    const PhaseArguments a(p);
    double jde = p.jde;
    switch (phase) {
    case 0:
        jde += SumTerms(kSyzygyTerms, &SyzygyTerm::newMoon, a);
        break;
    case 2:
        jde += SumTerms(kSyzygyTerms, &SyzygyTerm::fullMoon, a);
        break;
    default: {
        jde += SumTerms(kQuarterTerms, &PhaseTerm::coeff, a);
        // Meeus, chapter 49, the quarter correction W (added at the first, subtracted at the last quarter).
        const double w = 0.00306 - 0.00038 * p.e * a.m.Cos(1) + 0.00026 * a.mp.Cos(1) -
                         0.00002 * (a.mp(1) * a.m(-1)).c + 0.00002 * (a.mp(1) * a.m(1)).c +
                         0.00002 * a.f.Cos(2);
        jde += phase == 1 ? w : -w;
        break;
    }
    }
    double planetary =
        kPlanetaryTerms[0].coeff *
        std::sin(Radians(kPlanetaryTerms[0].a0 + kPlanetaryTerms[0].a1 * k + kA1T2 * p.t * p.t));
    for (std::size_t i = 1; i < kPlanetaryTerms.size(); ++i) {
        const PlanetaryTerm& pt = kPlanetaryTerms[i];
        planetary += pt.coeff * std::sin(Radians(pt.a0 + pt.a1 * k));
    }
    return jde + planetary;
}

} // namespace halvor_detail
