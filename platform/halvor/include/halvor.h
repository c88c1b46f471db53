// Public interface of the lunar astronomy library: phase moments with eclipse
// data, delta T and the Moon's apparent longitude.
#ifndef HALVOR_H
#define HALVOR_H

#include <stddef.h>
#include <stdint.h>

#include "tavr_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

// Filled by halvor(). Callers reserve 88 bytes; the library writes nothing past them.
typedef struct PhaseEventRecord {
    int32_t lunation;     // 0
    int32_t phase;        // 4: 0..3 as asked (the record is empty for other values)
    int32_t saros;        // 8: saros series of the eclipse, 0 without one
    int32_t eclipseType;  // 12: 0 none, 1..7 solar, 8..10 lunar
    double jde;           // 16: moment of the phase, dynamical time
    double greatest;      // 24: greatest eclipse, Julian date in dynamical time
    double gamma;         // 32: least distance of the shadow axis from the Earth's centre, Earth radii
    double u;             // 40: radius of the umbral cone in the fundamental plane, Earth radii
    double magnitude;     // 48: lunar: umbral magnitude (negative when penumbral);
                          //     solar: of a partial or non-central eclipse, else 0
    double reserved;      // 56: always 0
    double semiPenumbral; // 64: minutes
    double semiPartial;   // 72: minutes
    double semiTotal;     // 80: minutes
} PhaseEventRecord;

// Moment (Julian date, dynamical time) of phase 0..3 of lunation k (k = 0 is
// the new Moon of 2000-01-06); fills the record.
TAVR_API(double) halvor(int32_t lunation, int32_t phase, PhaseEventRecord* record);
// Delta T in minutes for a Common Era year (its value at mid-year); `model` is
// 1915 and has no effect. Non-finite years give 0.
TAVR_API(double) deltat(double year, int32_t model);
// Moon's apparent longitude (radians, 0..2 pi) for days since JD 2451545.0
// (dynamical time); the geocentric latitude (radians) and the distance (km)
// go to the two doubles when they are not null. Non-finite days give 0.
TAVR_API(double) moonpos(double daysSinceJ2000, double* latitude, double* distance);

#ifdef __cplusplus
}
static_assert(sizeof(PhaseEventRecord) == 88, "PhaseEventRecord is 88 bytes");
static_assert(offsetof(PhaseEventRecord, saros) == 8);
static_assert(offsetof(PhaseEventRecord, eclipseType) == 12);
static_assert(offsetof(PhaseEventRecord, greatest) == 24);
static_assert(offsetof(PhaseEventRecord, semiPenumbral) == 64);
static_assert(offsetof(PhaseEventRecord, semiPartial) == 72);
static_assert(offsetof(PhaseEventRecord, semiTotal) == 80);
#endif

#endif
