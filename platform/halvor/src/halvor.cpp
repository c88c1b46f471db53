// Exports of the lunar astronomy library.
#include "halvor.h"

#include <cstring>

#include "astro_internal.h"

using namespace halvor_detail;

TAVR_API(double) halvor(int32_t lunation, int32_t phase, PhaseEventRecord* record) {
    PhaseEventRecord r;
    std::memset(&r, 0, sizeof r);
    r.lunation = lunation;
    r.phase = phase;
    if (phase >= 0 && phase <= 3) {
        r.jde = PhaseMoment(lunation, phase);
        if (phase == 0 || phase == 2) {
            const Eclipse ec = EclipseAt(lunation, phase == 2);
            if (ec.type != 0) {
                r.saros = ec.saros;
                r.eclipseType = ec.type;
                r.greatest = ec.greatest;
                r.gamma = ec.gamma;
                r.u = ec.u;
                r.magnitude = ec.magnitude;
                r.semiPenumbral = ec.semiPenumbral;
                r.semiPartial = ec.semiPartial;
                r.semiTotal = ec.semiTotal;
            }
        }
    }
    // Exactly the record's bytes, never more.
    if (record != nullptr) std::memcpy(record, &r, sizeof r);
    return r.jde;
}

TAVR_API(double) deltat(double year, int32_t /*model*/) {
    if (!std::isfinite(year)) return 0.0;
    // One value for the whole year: the one at its middle.
    const double minutes = DeltaTSeconds(std::floor(year) + 0.5) / 60.0;
    return std::isfinite(minutes) ? minutes : 0.0;
}

TAVR_API(double) moonpos(double daysSinceJ2000, double* latitude, double* distance) {
    double lon = 0, lat = 0, dist = 0;
    if (std::isfinite(daysSinceJ2000)) {
        const MoonPosition pos = MoonAt(daysSinceJ2000 / kDaysPerCentury);
        if (std::isfinite(pos.longitude) && std::isfinite(pos.latitude) && std::isfinite(pos.distance)) {
            lon = Radians(pos.longitude);
            lat = pos.latitude * kDegToRad;
            dist = pos.distance;
        }
    }
    if (latitude != nullptr) *latitude = lat;
    if (distance != nullptr) *distance = dist;
    return lon;
}
