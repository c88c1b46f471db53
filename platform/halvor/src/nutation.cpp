// Nutation in longitude.
#include "astro_internal.h"

namespace halvor_detail {

// Meeus, Astronomical Algorithms (2nd ed.), chapter 22, the short expression
// for the nutation in longitude (accurate to 0.5"): terms in the longitude of
// the Moon's node and the mean longitudes of the Sun and the Moon.
double NutationLongitude(double t) {
    const double om = Radians(125.04452 - 1934.136261 * t);
    const double sunL = Radians(280.4665 + 36000.7698 * t);
    const double moonL = Radians(218.3165 + 481267.8813 * t);
    const double arcsec = -17.20 * std::sin(om) - 1.32 * std::sin(2 * sunL) - 0.23 * std::sin(2 * moonL) +
                          0.21 * std::sin(2 * om);
    return arcsec / 3600.0;
}

} // namespace halvor_detail
