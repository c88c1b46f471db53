// Lunar phases, lunations and eclipses in universal time, delta T, eclipse
// kind texts and a range-guarded Moon longitude. The only caller of the
// astronomy library for phases and delta T.
#ifndef TAVR_LUNAR_H
#define TAVR_LUNAR_H

#include <cstdint>
#include <string>

#include "halvor.h"

namespace tavr::lunar {

// The phases of a lunation in their order, numbered as the library numbers them.
enum Phase : int16_t { kNewMoon, kFirstQuarter, kFullMoon, kLastQuarter };
inline constexpr int16_t kLaterLunation = -1;   // GetPhase: moment lies in a later lunation
inline constexpr int16_t kBeforeLunation = -2;  // moment precedes the lunation
inline constexpr double kPhaseTolerance = 5e-5; // day (4.32 s): "the moment is that phase"
inline constexpr double kMoonLongitudeTooEarly = -99.0;
inline constexpr double kMoonLongitudeTooLate = -100.0;
inline constexpr int32_t kFirstSearchedLunation = -150000; // bounds of LunationOf
inline constexpr int32_t kLastSearchedLunation = 100000;
inline constexpr double kMeanSynodicMonth = 29.5305888531; // days

// True when the astronomy library and its three exports could be bound.
bool Available();

// Sets meanSynodicMonth and lunationEpoch. Called once at start-up; the other
// operations call it themselves when it has not run yet.
void InitLunarConstants();
double MeanSynodicMonth();
double LunationEpoch(); // AJD (UT) of the new Moon of lunation 0

// The record shared by callers that do not read the eclipse fields.
PhaseEventRecord& SharedRecord();

// Delta T in minutes (0 without the astronomy library). DeltaTAt takes the
// Common Era year of the UT day nearest the moment (a half goes to the even
// day); a non-finite moment gives 0.
double DeltaTForYear(int32_t year);
double DeltaTAt(double moment);
// The UT moment of a TT moment: less the delta T of the TT moment's year (as
// DeltaTAt finds it). Every conversion from the library's dynamical time to
// universal time goes through here.
double TtToUt(double tt);

// Moment of phase `phase` of lunation `k`; `record` nullptr means the shared record.
// The UT moment is the TT moment less the delta T of the TT moment's year.
// Without the astronomy library the TT moment is 0.
double PhaseMomentTT(int32_t k, int16_t phase, PhaseEventRecord* record = nullptr);
double PhaseMomentUT(int32_t k, int16_t phase, PhaseEventRecord* record = nullptr);

// Lunation k with new Moon(k) <= moment < new Moon(k + 1), new Moons in UT.
// The search is bounded: it covers lunations kFirstSearchedLunation ..
// kLastSearchedLunation (about the years -10100 .. 10080); an earlier moment
// (-infinity included) gives kFirstSearchedLunation, a later one
// kLastSearchedLunation, and NaN gives 0. Without the astronomy library the
// mean lunation of the moment is returned.
int32_t LunationOf(double moment);

// Latest phase of lunation k not after the moment (UT), or -1 / -2; `isPhase`
// tells whether the moment is that phase (within kPhaseTolerance). Compared
// with the phases' UT moments (PhaseMomentUT): for every moment of lunation k
// (as LunationOf finds it) the result is a phase 0..3 of k, never -1 or -2.
int16_t GetPhase(int32_t k, double momentUT, bool& isPhase);

// The kinds of eclipse a phase record names in its eclipseType: 0 none, 1..7
// solar, 8..10 lunar (a lunar kind has the phases of the kinds before it).
enum class EclipseType : int16_t {
    None = 0,
    PartialSolar = 1,
    CentralAnnularSolar = 2,
    CentralTotalSolar = 3,
    NonCentralTotalSolar = 4,
    NonCentralAnnularSolar = 5,
    CentralAnnularTotalSolar = 6,
    NonCentralAnnularTotalSolar = 7,
    PenumbralLunar = 8,
    PartialLunar = 9,
    TotalLunar = 10,
};
constexpr int32_t Code(EclipseType type) {
    return static_cast<int32_t>(type);
}
// A record's eclipseType read as the program reads it: solar 1..7, lunar from 8 on.
constexpr bool IsSolarEclipse(int32_t type) {
    return type >= Code(EclipseType::PartialSolar) && type < Code(EclipseType::PenumbralLunar);
}
constexpr bool IsLunarEclipse(int32_t type) {
    return type >= Code(EclipseType::PenumbralLunar);
}

// "Partial solar eclipse" .. "Total lunar eclipse" for types 1..10; "" otherwise.
std::string EclipseKindText(int16_t eclipseType);

// Moon longitude (radians) at a UT moment, or -99.0 before 1600-01-01 and
// -100.0 after 2099-12-31 (day numbers 2305448..2488069 are served). NaN, and
// every moment when the astronomy library is missing, give -99.0.
double MoonLongitudeAt(double moment, double* out);

} // namespace tavr::lunar

#endif
