// Internal interface of the lunar astronomy library: the theories behind the
// exports, in plain C++ (angles in degrees unless a name says otherwise).
#ifndef HALVOR_ASTRO_INTERNAL_H
#define HALVOR_ASTRO_INTERNAL_H

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>

#include "sun_theory.h"

namespace halvor_detail {

using namespace brisel_detail;

inline constexpr double kDegToRad = std::numbers::pi / 180.0;
// Lunations per Julian century, the time unit of the phase and eclipse theory.
inline constexpr double kLunationsPerCentury = 1236.85;

// An angle in degrees reduced to [0, 360) and turned into radians; the
// reduction keeps sin and cos accurate for the large angles of distant lunations.
inline double Radians(double degrees) {
    // x - 360 floor(x / 360) is exact for every angle of the range and much
    // faster than fmod.
    double r = degrees - 360.0 * std::floor(degrees / 360.0);
    if (r >= 360.0) r -= 360.0;
    if (r < 0.0) r += 360.0;
    return r * kDegToRad;
}

// A point on the unit circle, cos x + i sin x; products add the angles, so the
// periodic terms of the theories need one sine and cosine per fundamental
// argument instead of one per term.
struct Turn {
    double c = 1.0, s = 0.0;
};
inline Turn operator*(Turn a, Turn b) {
    return {a.c * b.c - a.s * b.s, a.s * b.c + a.c * b.s};
}

// cos nx + i sin nx for n = -N..N.
template <int N> class Harmonics {
  public:
    explicit Harmonics(double x) {
        p_[1] = {std::cos(x), std::sin(x)};
        for (int n = 2; n <= N; ++n)
            p_[n] = p_[n - 1] * p_[1];
    }
    Turn operator()(int n) const {
        const Turn t = p_[n < 0 ? -n : n];
        return n < 0 ? Turn{t.c, -t.s} : t;
    }
    double Sin(int n) const { return (*this)(n).s; }
    double Cos(int n) const { return (*this)(n).c; }

  private:
    Turn p_[N + 1];
};

// The least of f over [a, b] by golden-section search, to `tolerance` (f
// with a single minimum there).
template <typename F> double GoldenMinimum(F f, double a, double b, double tolerance) {
    constexpr double g = 0.6180339887498949;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > tolerance) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = f(d);
        }
    }
    return 0.5 * (a + b);
}

// Mean elements of a phase of lunation k (k + 0.25 per quarter), in radians.
struct MeanPhase {
    double k;
    double t;   // Julian centuries from J2000 (k / 1236.85)
    double jde; // mean phase, dynamical time
    double m;   // Sun's mean anomaly
    double mp;  // Moon's mean anomaly
    double f;   // Moon's argument of latitude
    double om;  // longitude of the ascending node
    double e;   // eccentricity factor of the Earth's orbit
};
MeanPhase MeanPhaseOf(double k);

// True moment (Julian date, dynamical time) of `phase` (0 new, 1 first
// quarter, 2 full, 3 last quarter) of lunation `lunation`.
double PhaseMoment(int32_t lunation, int phase);

struct Eclipse {
    int type = 0; // 0 none, 1..7 solar, 8..10 lunar
    int32_t saros = 0;
    double greatest = 0;      // Julian date, dynamical time
    double gamma = 0;         // least distance of the shadow axis from the Earth's centre, equatorial radii
    double u = 0;             // radius of the umbral cone in the fundamental plane, equatorial radii
    double magnitude = 0;     // lunar: umbral magnitude; solar: magnitude of a non-central eclipse
    double semiPenumbral = 0; // minutes
    double semiPartial = 0;   // minutes
    double semiTotal = 0;     // minutes
};
// The solar eclipse at the new Moon (lunar = false) or the lunar eclipse at the
// full Moon (lunar = true) of lunation k; type 0 when there is none.
Eclipse EclipseAt(int32_t lunation, bool lunar);
// Whether an eclipse is possible at all at that phase (the Moon near a node).
bool NearNode(int32_t lunation, bool lunar);
// The same from the positions of the theories (phaseMoment from PrecisePhaseMoment).
Eclipse PreciseEclipse(int32_t lunation, bool lunar, double phaseMoment);
// Moment of the phase as the root of the apparent elongation (0, 90, 180, 270 degrees).
double PrecisePhaseMoment(int32_t lunation, int phase);
// Saros series of the solar (new Moon) or lunar (full Moon) eclipse of lunation k.
int32_t SarosOf(int32_t lunation, bool lunar);

// The Earth's equatorial radius, the unit of the eclipse geometry, and the
// square of the eccentricity of its meridian (IERS 2003 flattening).
inline constexpr double kEarthRadiusKm = 6378.137;
inline constexpr double kEarthE2 = 0.00669438;
// Ratio of the Moon's radius to the Earth's: for the penumbra and the Moon's
// disk, and (smaller, the mean radius of the limb valleys) for the umbra.
inline constexpr double kMoonK1 = 0.2725076;
inline constexpr double kMoonK2 = 0.2722810;
// The Sun's semi-diameter at one astronomical unit, arcseconds.
inline constexpr double kSunSemiDiameter1Au = 959.63;

// Delta T in seconds at a fractional year (TT - UT; year + 0.5 is the middle
// of the year), for the Moon of kTidalAccelerationDeltaT.
double DeltaTSeconds(double year);

// The Sun's geometric place with every term of VSOP87D that matters over the
// program's range (the solar library's table is complete only near J2000).
SunPlace SunComplete(double t);
// What SunComplete adds to SunGeometric.
SunPlace SunFarTerms(double t);

// Secular drifts of the theories' longitudes from those of the JPL ephemeris
// DE431 on the mean ecliptic and equinox of date, radians (the theory less
// DE431; the callers take them away). Fitted by tools/theory_drift/compare.py
// --fit to the means over 20 years of the differences at every century of
// -3500..5000, and held at their values of -3500 and 5000 beyond. The Sun's
// is mostly the precession of VSOP87D's equinox of date, 0.3"/cy faster than
// the present one; the Moon's grows as the series depart from DE431 far from
// the epochs they were fitted to.
double MoonDrift(double t);
// SunDrift is the solar library's (brisel_detail), in its geometric place.

// The Moon's tidal acceleration in longitude: the theory's solution (fitted to
// DE405/DE406) carries that of the ephemeris, -25.826"/cy^2; delta T (the
// Stephenson-Morrison-Hohenkerk model and the observed values that join it)
// belongs to -25.82"/cy^2. The mean longitude's T^2 term takes half the
// difference, so that the Moon and delta T agree and UT moments need no
// secular correction.
inline constexpr double kTidalAccelerationTheory = -25.826; // arcseconds per century^2
inline constexpr double kTidalAccelerationDeltaT = -25.82;
inline constexpr double kW1TidalT2 = 0.5 * (kTidalAccelerationDeltaT - kTidalAccelerationTheory) * kArcsec;
// Geocentric place of the Moon (radians, kilometres) at t Julian centuries from
// J2000 (dynamical time), referred to the mean ecliptic and equinox of date.
struct MoonPlace {
    double longitude; // not reduced
    double latitude;
    double distance; // kilometres
    double rate;     // speed in longitude, radians per day
};
// The complete series (good to a few hundredths of an arcsecond), shorter
// ones for displays (0.3") or coarse ones for quick tests (some 20").
enum class MoonSeries { kFull, kShort, kCoarse };
// The geometric place, from the lunar theory.
MoonPlace MoonGeometric(double t, MoonSeries series = MoonSeries::kFull);
// The geometric places of the hours around t from one reading of a series:
// every term's value and first four derivatives at t, read at t + dt
// (centuries) by their Taylor polynomials. Within a quarter of a day of t it
// gives MoonGeometric's place to 0.001" and 2 m (its rate is complete, where
// MoonGeometric's own, from the leading terms, is good to 0.1 %), for about
// twice the cost of one place.
class MoonAround {
  public:
    MoonAround(double t, MoonSeries series);
    MoonPlace At(double dt) const;

    // A series' value and derivatives 0..4 at t, and its Taylor polynomial.
    struct Jet {
        double d[5] = {};
        double At(double dt) const {
            return d[0] + dt * (d[1] + dt * (d[2] / 2 + dt * (d[3] / 6 + dt * d[4] / 24)));
        }
        double RateAt(double dt) const { return d[1] + dt * (d[2] + dt * (d[3] / 2 + dt * d[4] / 6)); }
    };

  private:
    double t_;
    Jet series_[3][4]; // longitude, latitude, distance; each the series of t^0..t^3
};
// The apparent place: nutation in longitude and light time applied.
MoonPlace MoonApparent(double t, MoonSeries series = MoonSeries::kFull);

// Apparent geocentric places of the Moon and the Sun on the true equator and
// equinox of date (light time, aberration and nutation applied): unit vectors,
// and distances in Earth radii.
struct EquatorialPlaces {
    double moon[3], sun[3];
    double moonDist, sunDist;
};
EquatorialPlaces ApparentPlacesAt(double jde);
// The same from given geometric places at t Julian centuries (TT), with the nutation n.
EquatorialPlaces ApparentPlacesOf(double t, const MoonPlace& moon, const SunPlace& sun, const Nutation& n);

} // namespace halvor_detail

#endif
