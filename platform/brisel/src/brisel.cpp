// Apparent longitude of the Sun.
#include "brisel.h"

#include <cmath>

#include "sun_theory.h"

using namespace brisel_detail;

TAVR_API(double) brisel_app(double jd, double* distance) {
    double lon = 0, radius = 0;
    if (std::isfinite(jd)) {
        const double t = (jd - kJ2000) / kDaysPerCentury;
        const SunPlace s = SunGeometric(t);
        const double app = ReduceAngle(s.longitude + NutationAt(t).longitude + SunAberration(s.radius));
        if (std::isfinite(app) && std::isfinite(s.radius)) {
            lon = app;
            radius = s.radius;
        }
    }
    if (distance != nullptr) *distance = radius;
    return lon;
}
