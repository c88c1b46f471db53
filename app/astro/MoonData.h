// The Moon data shown for a moment: lunation number and age, phase name with
// waxing or waning and the illuminated percentage, and which picture of the
// Moon to show (a stored quarter, dark or full picture, or a drawn crescent or
// gibbous Moon with the shape of its terminator). No Qt: the drawing itself
// lives in app/astro/picture (DrawMoonPicture), the window only shows texts
// and picture.
//
// Moments whose UT date lies in 1600-01-01 .. 2099-12-31 CE use the precise
// display (elongation from the Moon and Sun longitudes); other moments the
// approximate one (interpolation between the phase moments of the lunation).
#ifndef TAVR_MOONDATA_H
#define TAVR_MOONDATA_H

#include <cstdint>
#include <string>

#include "base/Range.h"

namespace tavr::moon {

// Which picture shows the Moon.
enum class PictureCase {
    None,           // nothing to draw (error): the previous picture stays
    Dark,           // "darkmoon" unchanged (f < 0.01)
    FirstQuarter,   // "1stquarter" unchanged (0.49 < f < 0.51, waxing)
    LastQuarter,    // "lastquarter" unchanged (0.49 < f < 0.51, waning)
    Full,           // "fullmoon" unchanged (f > 0.99)
    WaxingCrescent, // drawn on "1stquarter"
    WaxingGibbous,  // drawn on "fullmoon"
    WaningGibbous,  // drawn on "fullmoon"
    WaningCrescent, // drawn on "lastquarter"
};

// File stem of the base picture of a case ("darkmoon", "1stquarter",
// "fullmoon", "lastquarter"; empty for None). Files are stem + ".bmp".
const char* BasePictureName(PictureCase picture);
// True for the four drawn cases (terminator painted over the base picture).
bool IsDrawn(PictureCase picture);

struct MoonReport {
    // "[k] d days, h hrs, m mins (p.p%)". Set whenever the lunation is known,
    // also when `error` is set.
    std::string ageLabel;
    // "Crescent moon (waxing), 23.4%". Empty when `error` is set.
    std::string phaseLabel;
    double illuminated = 0.0; // f, 0..1
    bool waxing = false;
    bool precise = false;    // true: from the Moon and Sun longitudes
    int32_t lunation = 0;    // k
    int16_t phase = 0;       // GetPhase result (0..3, or -1 / -2 on error)
    double ageDays = 0.0;    // t - new Moon(k)
    double agePercent = 0.0; // age as a percentage of the lunation's length
    PictureCase picture = PictureCase::None;
    double r2 = 0.0; // (1 - 2f)^2, squared half-width of the terminator ellipse
    // A failure to show to the user (warning icon): the age label may be set,
    // the phase label and picture are to stay as they were.
    bool error = false;
    std::string errorTitle; // "Error"
    std::string errorText;  // "Error-1 when calling GetPhase() in DisplayMoonData()."
};

// Earliest and latest moments (AJD) the display shows; others give an error.
// A move shows the moment it reached before it stops at an end of the
// accepted range, so the display reaches past both ends by more than the
// longest step (a TVG cycle, 180,432 days).
inline constexpr double kMoonMargin = 200000.0;
inline constexpr double kFirstMoment = kEarliestMoment - kMoonMargin;
inline constexpr double kLastMoment = kLatestMoment + kMoonMargin;

// True when the Sun longitude's library and its export could be bound.
bool SunLongitudeAvailable();

// Everything shown for the moment `ajd` (astronomical Julian date, UT).
// `decimalPoint` separates the one decimal of the percentages.
MoonReport ComputeMoonData(double ajd, char decimalPoint = '.');

// The pieces, for callers and tests.

// "12 days, 14 hrs, 29 mins": the age rounded to whole seconds, then split
// into days, hours and whole minutes by integer division (negative ages, which
// the lunation search never gives, count as 0).
std::string AgeText(double days);
// "[k] " + AgeText(age) + " (" + percent with one decimal + "%)".
std::string AgeLabel(int32_t lunation, double ageDays, double percent, char decimalPoint = '.');
// Phase name for p = 100 f, with " (waxing)" / " (waning)" for 0.05 <= p <= 99.95.
std::string PhaseName(double f, bool waxing);
// PhaseName + ", " + p with one decimal + "%".
std::string PhaseLabel(double f, bool waxing, char decimalPoint = '.');
// The picture for an illuminated fraction and direction.
PictureCase ChoosePicture(double f, bool waxing);
// Fills phaseLabel, picture and r2 of `report` from f and waxing (the phase display).
void ApplyPhase(MoonReport& report, double f, bool waxing, char decimalPoint = '.');
// "Error" + q + " when calling GetPhase() in DisplayMoonData()."
std::string GetPhaseErrorText(int q);

// Illuminated fraction from the Moon and Sun longitudes (radians): (1 - cos e) / 2
// with e the elongation folded into 0..pi.
double IlluminatedFromLongitudes(double moonLongitude, double sunLongitude);
// Illuminated fraction interpolated within phase q (0..3) that began at t0 and
// ends at t1 (the next phase): 0 at new Moon, 0.5 at the quarters, 1 at full Moon.
double InterpolatedIlluminated(int16_t q, double t, double t0, double t1);

} // namespace tavr::moon

#endif
