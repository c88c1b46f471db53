// Prints the geometric places of the lunar and solar theories for the moments
// (Julian dates, dynamical time) read from standard input, one a line:
//   jd moon_lon moon_lat moon_dist_km sun_lon sun_lat sun_dist_au obliquity
//      moon_drift sun_drift obliquity_drift
// angles in degrees on the mean ecliptic and equinox of date, longitudes not
// reduced; the places are those of the theories with their drifts from DE431
// taken away, the drifts follow. compare.py reads them beside the
// DE431-derived reference.
#include <cstdio>

#include "astro_internal.h"

int main() {
    namespace hd = halvor_detail;
    constexpr double kDeg = 180.0 / std::numbers::pi;
    double jd = 0;
    while (std::scanf("%lf", &jd) == 1) {
        const double t = (jd - hd::kJ2000) / hd::kDaysPerCentury;
        const hd::MoonPlace m = hd::MoonGeometric(t);
        const hd::SunPlace s = hd::SunComplete(t);
        std::printf("%.9f %.12f %.12f %.6f %.12f %.12f %.12f %.12f %.12f %.12f %.12f\n", jd,
                    m.longitude * kDeg, m.latitude * kDeg, m.distance, s.longitude * kDeg, s.latitude * kDeg,
                    s.radius, hd::MeanObliquity(t) * kDeg, hd::MoonDrift(t) * kDeg, hd::SunDrift(t) * kDeg,
                    hd::MeanObliquityDrift(t) * kDeg);
    }
    return 0;
}
