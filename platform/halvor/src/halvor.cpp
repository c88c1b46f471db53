// Exports of the lunar astronomy library.
#include "halvor.h"

#include <cstring>

#include "astro_internal.h"
#include "phase_table.h"

using namespace halvor_detail;

TAVR_API(double) halvor(int32_t lunation, int32_t phase, PhaseEventRecord* record) {
    PhaseEventRecord r;
    std::memset(&r, 0, sizeof r);
    r.lunation = lunation;
    r.phase = phase;
    if (phase >= 0 && phase <= 3) {
        // The table of the supported lunations; the textbook series beyond it.
        if (!TablePhase(lunation, phase, &r.jde)) r.jde = PhaseMoment(lunation, phase);
        if (phase == 0 || phase == 2) {
            Eclipse ec;
            if (!TableEclipseAt(lunation, phase == 2, r.jde, &ec)) ec = EclipseAt(lunation, phase == 2);
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
        const MoonPlace m = MoonApparent(daysSinceJ2000 / kDaysPerCentury, MoonSeries::kShort);
        const double reduced = ReduceAngle(m.longitude);
        if (std::isfinite(reduced) && std::isfinite(m.latitude) && std::isfinite(m.distance)) {
            lon = reduced;
            lat = m.latitude;
            dist = m.distance;
        }
    }
    if (latitude != nullptr) *latitude = lat;
    if (distance != nullptr) *distance = dist;
    return lon;
}
