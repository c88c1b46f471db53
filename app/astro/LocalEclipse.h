// Local circumstances of an eclipse for a place on the Earth: the contacts in
// UT with the body's altitude, how much of the Sun is covered, and whether
// the eclipse can be seen there at all.
#ifndef TAVR_LOCAL_ECLIPSE_H
#define TAVR_LOCAL_ECLIPSE_H

#include <cstdint>
#include <optional>
#include <string>

#include "halvor.h"

namespace tavr::local {

// Geodetic latitude and longitude in degrees (north and east positive), height
// above the ellipsoid in metres.
struct Place {
    double latitude = 0.0;
    double longitude = 0.0;
    double height = 0.0;
};

// Whether a place lies in the accepted range: latitude -90..90, longitude
// -180..180, height -1000..10000 m, all finite.
bool IsValidPlace(const Place& place);

// Reads "LAT,LON" or "LAT,LON,HEIGHT" (decimal numbers, nothing else).
std::optional<Place> ParsePlace(const std::string& text);

// The geometric altitude of a body's centre at which standard refraction
// (34.5' at the horizon) lifts it onto the horizon.
inline constexpr double kHorizonAltitude = -0.5750;

struct Contact {
    const char* name = ""; // C1, C2, max, C3, C4; P1, U1, U2, max, U3, U4, P4
    double jdUt = 0.0;
    double altitude = 0.0; // geometric topocentric altitude of the body's centre, degrees
};

struct Circumstances {
    bool eclipsed = false;    // the place meets the shadow at all (day or night)
    bool visible = false;     // the body's centre above the horizon between first and last contact
    std::string kind;         // solar: partial, annular, total as seen there; lunar: the eclipse's own
    double magnitude = 0.0;   // solar: fraction of the Sun's diameter covered; lunar: umbral magnitude
    double obscuration = 0.0; // solar: fraction of the Sun's area covered (NaN for a lunar eclipse)
    double deltaTSeconds = 0.0;
    int count = 0; // contacts in time order
    Contact contacts[7];

    const Contact* Find(const char* name) const;
};

// The circumstances of the eclipse a phase record describes (a solar one at a
// new Moon, a lunar one at a full Moon) with the given delta T in seconds;
// an empty result for a record without an eclipse.
Circumstances SolarCircumstances(const PhaseEventRecord& record, const Place& place, double deltaTSeconds);
Circumstances LunarCircumstances(const PhaseEventRecord& record, const Place& place, double deltaTSeconds);
// The same with the program's delta T at greatest eclipse.
Circumstances CircumstancesOf(const PhaseEventRecord& record, const Place& place);

// The circumstances when the eclipse is visible from the place, else nothing
// (a quick test first spares most eclipses that are not); with the given
// delta T in seconds or the program's.
std::optional<Circumstances> VisibleFrom(const PhaseEventRecord& record, const Place& place,
                                         double deltaTSeconds);
std::optional<Circumstances> VisibleFrom(const PhaseEventRecord& record, const Place& place);

// The first solar (lunar = false) or lunar eclipse visible from the place
// whose greatest eclipse comes after (forward) or before the UT moment,
// searched over at most `lunations` lunations; its record and circumstances.
bool NextVisibleEclipse(double momentUt, bool forward, bool lunar, const Place& place,
                        PhaseEventRecord& record, Circumstances& found, int lunations = 1300);

} // namespace tavr::local

#endif
