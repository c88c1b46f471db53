// Internal interface of the solar astronomy library, shared with the lunar one:
// the Earth's orbit (VSOP87D), nutation and the Sun's apparent place. Angles in
// radians, time t in Julian centuries from J2000 (dynamical time).
#ifndef BRISEL_SUN_THEORY_H
#define BRISEL_SUN_THEORY_H

#include <cmath>
#include <cstddef>
#include <numbers>

namespace brisel_detail {

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;
inline constexpr double kArcsec = std::numbers::pi / (180.0 * 3600.0);
inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kDaysPerCentury = 36525.0;
inline constexpr double kAuKm = 149597870.7;
// Light time for one astronomical unit, days.
inline constexpr double kLightDaysPerAu = 0.0057755183;

// sin x for the large arguments of the series: one reduction to [-pi/2, pi/2]
// and the Taylor polynomial to x^17 (error below 1e-13); several times as fast
// as the library's sine and exact enough for amplitudes of arcseconds. It has
// no branch the processor must guess: the whole turns are rounded by
// WholeTurnsNear, and the folding takes a minimum and a maximum.
// SeriesSinNear is the same for |x| below kSeriesSinNearLimit only, without
// even the test of x (so that loops of it can be vectorised).
inline constexpr double kSeriesSinNearLimit = 1e15;

inline double SeriesSinOfTurns(double x, double n) {
    constexpr double kTwoPiHi = 6.283185307179586, kTwoPiLo = 2.4492935982947064e-16;
    constexpr double kPi = 3.141592653589793;
    double r = (x - n * kTwoPiHi) - n * kTwoPiLo;
    const double folded = kPi - r;
    r = folded < r ? folded : r; // r > pi/2: pi - r
    const double mirrored = -kPi - r;
    r = mirrored > r ? mirrored : r; // r < -pi/2: -pi - r
    const double r2 = r * r;
    double p = 1.0 / 355687428096000.0;
    p = p * r2 - 1.0 / 1307674368000.0;
    p = p * r2 + 1.0 / 6227020800.0;
    p = p * r2 - 1.0 / 39916800.0;
    p = p * r2 + 1.0 / 362880.0;
    p = p * r2 - 1.0 / 5040.0;
    p = p * r2 + 1.0 / 120.0;
    p = p * r2 - 1.0 / 6.0;
    return r + r * r2 * p;
}

// sum_n tau^n S_n with S_n = sum(series_n, tau), Horner-wise from the highest
// power: a VSOP87 coordinate from its series of each power of time.
template <typename Sum, typename... Series> double PowerSeries(double tau, Sum sum, const Series&... series) {
    const double sums[] = {sum(series, tau)...};
    double r = 0;
    for (std::size_t i = sizeof...(series); i-- > 0;)
        r = r * tau + sums[i];
    return r;
}

inline constexpr double kInvTwoPi = 0.15915494309189535;

// The whole number of turns nearest to x / (2 pi), halves to even, for
// |x| < kSeriesSinNearLimit. With double arithmetic adding and taking away
// 1.5 * 2^52 rounds to a whole number without a branch or a call, and loops of
// it vectorise; where intermediates carry more than 53 bits (the x87 unit) that
// sum is not rounded at all, so there the rounding is explicit.
inline double WholeTurnsNear(double x) {
#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ == 0
    constexpr double kRound = 6755399441055744.0; // 1.5 * 2^52
    return (x * kInvTwoPi + kRound) - kRound;
#else
    return std::nearbyint(x * kInvTwoPi);
#endif
}

inline double SeriesSinNear(double x) {
    return SeriesSinOfTurns(x, WholeTurnsNear(x));
}

inline double SeriesSin(double x) {
    return std::fabs(x) < kSeriesSinNearLimit ? SeriesSinNear(x)
                                              : SeriesSinOfTurns(x, std::nearbyint(x * kInvTwoPi));
}

// An angle reduced to [0, 2 pi) for every finite input; non-finite inputs give NaN.
double ReduceAngle(double radians);

struct Nutation {
    double longitude; // delta psi
    double obliquity; // delta epsilon
};
Nutation NutationAt(double t);
// Mean obliquity of the ecliptic: IAU 1980 less MeanObliquityDrift, its drift
// from the long-term obliquity of DE431's reference (radians).
double MeanObliquity(double t);
double MeanObliquityDrift(double t);

// A polynomial sum c[i] t^(first + i) in arcseconds, as radians, with t held
// to kDriftFirstCentury .. kDriftLastCentury (-3500 .. 5000).
inline constexpr double kDriftFirstCentury = -55.0;
inline constexpr double kDriftLastCentury = 30.0;
template <std::size_t N> double DriftOf(const double (&c)[N], int first, double t) {
    const double u =
        t < kDriftFirstCentury ? kDriftFirstCentury : (t > kDriftLastCentury ? kDriftLastCentury : t);
    double s = 0;
    for (std::size_t i = N; i-- > 0;)
        s = s * u + c[i];
    for (int i = 0; i < first; ++i)
        s *= u;
    return s * kArcsec;
}
// The Sun's secular drift in longitude from DE431 (see MoonDrift in the
// eclipse library for the fit), radians; SunGeometric takes it away.
double SunDrift(double t);

struct SunPlace {
    double longitude; // geocentric, mean equinox of date, not reduced
    double latitude;
    double radius; // astronomical units
};
// Geometric geocentric place of the Sun.
SunPlace SunGeometric(double t);
// The geometric places of the hours around t from one reading of the series:
// the place at t with the rates and accelerations of the leading terms, read
// at t + dt (centuries). Within a quarter of a day of t it gives SunGeometric's
// place to 0.01" and 5e-7 au, for a little more than the cost of one place.
class SunAround {
  public:
    explicit SunAround(double t);
    SunPlace At(double dt) const;

  private:
    double t_;
    SunPlace place_, rate_ = {}, acceleration_ = {};
};
// Annual aberration in longitude for the Sun at `radius` au.
double SunAberration(double radius);
// Apparent longitude (nutation and aberration applied), not reduced.
double SunApparentLongitude(double t);

} // namespace brisel_detail

#endif
