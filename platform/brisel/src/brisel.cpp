// Apparent longitude of the Sun.
#include "brisel.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;

double Radians(double degrees) {
    double r = std::fmod(degrees, 360.0);
    if (r < 0) r += 360.0;
    return r * kDegToRad;
}

struct SunPosition {
    double apparentLongitude; // degrees, not reduced
    double radius;            // astronomical units
};

// Meeus, Astronomical Algorithms (2nd ed.), chapter 25, formulas 25.2 to 25.5
// and the equation of the centre: the geometric longitude referred to the mean
// equinox of the date; then the apparent longitude, corrected for nutation and
// aberration with the chapter's short expression in the Moon's node.
SunPosition SunAt(double t) {
    const double t2 = t * t;
    const double l0 = 280.46646 + 36000.76983 * t + 0.0003032 * t2;
    const double m = Radians(357.52911 + 35999.05029 * t - 0.0001537 * t2);
    const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t2;
    const double c = (1.914602 - 0.004817 * t - 0.000014 * t2) * std::sin(m) +
                     (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double trueLongitude = l0 + c;
    const double trueAnomaly = m + c * kDegToRad;
    const double omega = Radians(125.04 - 1934.136 * t);
    SunPosition s;
    s.apparentLongitude = trueLongitude - 0.00569 - 0.00478 * std::sin(omega);
    s.radius = 1.000001018 * (1 - e * e) / (1 + e * std::cos(trueAnomaly));
    return s;
}

} // namespace

TAVR_API(double) brisel_app(double jd, double* distance) {
    double lon = 0, radius = 0;
    if (std::isfinite(jd)) {
        const SunPosition s = SunAt((jd - 2451545.0) / 36525.0);
        if (std::isfinite(s.apparentLongitude) && std::isfinite(s.radius)) {
            lon = Radians(s.apparentLongitude);
            radius = s.radius;
        }
    }
    if (distance != nullptr) *distance = radius;
    return lon;
}
