// Internal interface of the solar astronomy library, shared with the lunar one:
// the Earth's orbit (VSOP87D), nutation and the Sun's apparent place. Angles in
// radians, time t in Julian centuries from J2000 (dynamical time).
#ifndef BRISEL_SUN_THEORY_H
#define BRISEL_SUN_THEORY_H

#include <numbers>

namespace brisel_detail {

inline constexpr double kTwoPi = 2.0 * std::numbers::pi;
inline constexpr double kArcsec = std::numbers::pi / (180.0 * 3600.0);
inline constexpr double kJ2000 = 2451545.0;
inline constexpr double kDaysPerCentury = 36525.0;
inline constexpr double kAuKm = 149597870.7;
// Light time for one astronomical unit, days.
inline constexpr double kLightDaysPerAu = 0.0057755183;

// An angle reduced to [0, 2 pi) for every finite input; non-finite inputs give NaN.
double ReduceAngle(double radians);

struct Nutation {
    double longitude; // delta psi
    double obliquity; // delta epsilon
};
Nutation NutationAt(double t);
// Mean obliquity of the ecliptic.
double MeanObliquity(double t);

struct SunPlace {
    double longitude; // geocentric, mean equinox of date, not reduced
    double latitude;
    double radius; // astronomical units
};
// Geometric geocentric place of the Sun.
SunPlace SunGeometric(double t);
// Annual aberration in longitude for the Sun at `radius` au.
double SunAberration(double radius);
// Apparent longitude (nutation and aberration applied), not reduced.
double SunApparentLongitude(double t);

} // namespace brisel_detail

#endif
