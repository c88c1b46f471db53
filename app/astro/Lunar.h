// Lunar phases, lunations and eclipses in universal time, delta T, eclipse
// kind texts and a range-guarded Moon longitude. The only caller of the
// astronomy library for phases and delta T.
#ifndef TAVR_LUNAR_H
#define TAVR_LUNAR_H

#include <cstdint>
#include <string>

#include "halvor.h"

namespace tavr::lunar {

inline constexpr int16_t kNewMoon = 0;
inline constexpr int16_t kFirstQuarter = 1;
inline constexpr int16_t kFullMoon = 2;
inline constexpr int16_t kLastQuarter = 3;
inline constexpr int16_t kLaterLunation = -1;   // GetPhase/PhaseAtTT: moment lies in a later lunation
inline constexpr int16_t kBeforeLunation = -2;  // moment precedes the lunation
inline constexpr double kPhaseTolerance = 5e-5; // day (4.32 s): "the moment is that phase"
inline constexpr double kMoonLongitudeTooEarly = -99.0;
inline constexpr double kMoonLongitudeTooLate = -100.0;

// Sets meanSynodicMonth and lunationEpoch. Called once at start-up; the other
// operations call it themselves when it has not run yet.
void InitLunarConstants();
double MeanSynodicMonth();
double LunationEpoch(); // AJD (UT) of the new Moon of lunation 0

// The record shared by callers that do not read the eclipse fields.
PhaseEventRecord& SharedRecord();

double DeltaTForYear(int32_t year); // minutes
double DeltaTAt(double moment);     // minutes, for the Common Era year of the moment

// Moment of phase `phase` of lunation `k`; `record` nullptr means the shared record.
double PhaseMomentTT(int32_t k, int16_t phase, PhaseEventRecord* record = nullptr);
double PhaseMomentUT(int32_t k, int16_t phase, PhaseEventRecord* record = nullptr);

// Lunation k with new Moon(k) <= moment < new Moon(k + 1), new Moons in UT.
int32_t LunationOf(double moment);

// Latest phase of lunation k not after the moment (TT), or -1 / -2; `isPhase`
// tells whether the moment is that phase (within kPhaseTolerance).
int16_t PhaseAtTT(int32_t k, double momentTT, bool& isPhase);
// The same for a moment in UT, compared with the phases' UT moments.
int16_t GetPhase(int32_t k, double momentUT, bool& isPhase);

std::string EclipseKindText(int16_t eclipseType);

// Moon longitude (radians) at a UT moment, or -99.0 before 1600-01-01 and
// -100.0 after 2099-12-31 (day numbers 2305448..2488069 are served).
double MoonLongitudeAt(double moment, double* out);

} // namespace tavr::lunar

#endif
