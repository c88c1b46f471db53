// Geocentric position of the Moon.
#include <array>

#include "astro_internal.h"

namespace halvor_detail {

namespace {

// Meeus, Astronomical Algorithms (2nd ed.), chapter 47, table 47.A: multiples
// of D, M, M', F and the coefficients of sin(argument) for the longitude and of
// cos(argument) for the distance (units of 0.000001 degree and 0.001 km).
struct LonDistTerm {
    int8_t d, m, mp, f;
    int32_t sl, sr;
};
constexpr std::array<LonDistTerm, 60> kLonDist{{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

// Meeus, chapter 47, table 47.B: multiples of D, M, M', F and the coefficient
// of sin(argument) for the latitude (units of 0.000001 degree).
struct LatTerm {
    int8_t d, m, mp, f;
    int32_t sb;
};
constexpr std::array<LatTerm, 60> kLat{{
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
}};

} // namespace

MoonPosition MoonAt(double t) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    // Chapter 47, formulas 47.1 to 47.6: the Moon's mean longitude, mean
    // elongation, the Sun's and the Moon's mean anomalies, the Moon's argument
    // of latitude, and E.
    const double lpDeg = 218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0;
    const double lp = Radians(lpDeg);
    const double d =
        Radians(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 - t4 / 113065000.0);
    const double m = Radians(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0);
    const double mp =
        Radians(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0);
    const double f =
        Radians(93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 + t4 / 863310000.0);
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double e2 = e * e; // terms in M carry E, in 2M E^2
    // Chapter 47: arguments of the additive terms (Venus, Jupiter, flattening of the Earth).
    const double a1 = Radians(119.75 + 131.849 * t);
    const double a2 = Radians(53.09 + 479264.290 * t);
    const double a3 = Radians(313.45 + 481266.484 * t);

    const Harmonics<4> hd(d), hmp(mp);
    const Harmonics<2> hm(m);
    const Harmonics<3> hf(f);
    const double scales[3] = {1.0, e, e2};
    double sl = 0, sr = 0;
    for (const LonDistTerm& term : kLonDist) {
        const Turn arg = hd(term.d) * hm(term.m) * hmp(term.mp) * hf(term.f);
        const double scale = scales[term.m < 0 ? -term.m : term.m];
        sl += term.sl * scale * arg.s;
        sr += term.sr * scale * arg.c;
    }
    double sb = 0;
    for (const LatTerm& term : kLat) {
        const Turn arg = hd(term.d) * hm(term.m) * hmp(term.mp) * hf(term.f);
        sb += term.sb * scales[term.m < 0 ? -term.m : term.m] * arg.s;
    }
    sl += 3958 * std::sin(a1) + 1962 * std::sin(lp - f) + 318 * std::sin(a2);
    sb += -2235 * std::sin(lp) + 382 * std::sin(a3) + 175 * std::sin(a1 - f) + 175 * std::sin(a1 + f) +
          127 * std::sin(lp - mp) - 115 * std::sin(lp + mp);

    MoonPosition pos;
    pos.longitude = lpDeg + sl / 1e6 + NutationLongitude(t);
    pos.latitude = sb / 1e6;
    pos.distance = 385000.56 + sr / 1000.0;
    return pos;
}

} // namespace halvor_detail
