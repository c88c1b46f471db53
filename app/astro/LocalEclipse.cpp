// Local circumstances from the Besselian elements of the Moon's shadow (solar
// eclipses) and from the phases of the lunar eclipse with the Moon's place
// (lunar eclipses). The elements come from the lunar and solar theories at
// five moments around greatest eclipse and are read between them through the
// polynomial of degree four, so that a place costs a few hundred operations.
#include "astro/LocalEclipse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "astro/Lunar.h"
#include "astro_internal.h"
#include "base/TimeUnits.h"

namespace tavr::local {

namespace {

namespace hd = halvor_detail;

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;
constexpr double kStep = 0.09;          // days between the five moments
constexpr double kReach = 2.6;          // steps: the farthest moment read from the polynomials
constexpr double kRootTolerance = 1e-9; // steps (10 us)
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr int kVisibilitySamples = 16;
constexpr double kLightKmPerDay = 299792.458 * 86400.0;
// Gaussian gravitational constant: the Sun's speed in longitude is about k / r^2.
constexpr double kGauss = 0.01720209895;
// The first, quick test of a solar eclipse lets pass every place within this
// distance (Earth radii) of the penumbra and this many degrees of the horizon:
// it errs by less than a tenth of either.
constexpr double kQuickShadowMargin = 0.02;
constexpr double kQuickHorizonMargin = 0.6;
constexpr double kNearCenturies = 3.0;
constexpr double kQuickWindowSlack = 0.1; // steps

// Bounds of an acceptable place.
constexpr double kLowestHeight = -1000.0, kHighestHeight = 10000.0;

// The polynomial of degree four through values at s = -2..2.
struct Poly {
    double c[5] = {};

    static Poly Through(const double (&f)[5]) {
        Poly p;
        p.c[0] = f[2];
        p.c[1] = (f[0] - 8 * f[1] + 8 * f[3] - f[4]) / 12;
        p.c[2] = (-f[0] + 16 * f[1] - 30 * f[2] + 16 * f[3] - f[4]) / 24;
        p.c[3] = (-f[0] + 2 * f[1] - 2 * f[3] + f[4]) / 12;
        p.c[4] = (f[0] - 4 * f[1] + 6 * f[2] - 4 * f[3] + f[4]) / 24;
        return p;
    }
    double At(double s) const { return c[0] + s * (c[1] + s * (c[2] + s * (c[3] + s * c[4]))); }
    double Rate(double s) const { return c[1] + s * (2 * c[2] + s * (3 * c[3] + s * 4 * c[4])); }
};

// An angle made continuous across the five moments.
void Unwrap(double (&a)[5]) {
    for (int i = 1; i < 5; ++i)
        a[i] = a[i - 1] + std::remainder(a[i] - a[i - 1], 2 * kPi);
}

// Greenwich apparent sidereal time (radians): the Earth's rotation angle at UT,
// the precession in right ascension at TT (IAU 2006) and the equation of the
// equinoxes.
double SiderealTime(double jdUt, double jdTt, const hd::Nutation& n) {
    const double du = jdUt - hd::kJ2000;
    const double era = 2 * kPi * (0.7790572732640 + 0.00273781191135448 * du + (du - std::floor(du)));
    const double t = (jdTt - hd::kJ2000) / hd::kDaysPerCentury;
    const double precession =
        0.014506 +
        t * (4612.156534 + t * (1.3915817 + t * (-0.00000044 + t * (-0.000029956 - t * 0.0000000368))));
    const double eps = hd::MeanObliquity(t) + n.obliquity;
    return era + precession * hd::kArcsec + n.longitude * std::cos(eps);
}

// A body's declination, Greenwich hour angle and distance (Earth radii).
struct BodyPolys {
    Poly dec, gha, dist;
};

// The apparent places and the sidereal time at the five moments, or with a
// stride of 2 at s = -2, 0, 2 only (the quick places, whose elements are read
// between on the parabola through those three).
struct Nodes {
    hd::EquatorialPlaces places[5];
    double sidereal[5];
    int stride = 1;
};

// The value at s = -1 and 1 of the parabola through s = -2, 0, 2.
double Between(double a, double b, double c, bool later) {
    return later ? (-a + 6 * b + 3 * c) / 8 : (3 * a + 6 * b - c) / 8;
}

// Values at s = -1 and 1 filled in from those at s = -2, 0, 2 (angles made
// continuous first) where the nodes have a stride of 2.
void FillBetween(const Nodes& nodes, double (&a)[5], bool angle = false) {
    if (nodes.stride == 1) return;
    if (angle) {
        a[2] = a[0] + std::remainder(a[2] - a[0], 2 * kPi);
        a[4] = a[2] + std::remainder(a[4] - a[2], 2 * kPi);
    }
    a[1] = Between(a[0], a[2], a[4], false);
    a[3] = Between(a[0], a[2], a[4], true);
}

double Centuries(double jde) {
    return (jde - hd::kJ2000) / hd::kDaysPerCentury;
}

// The Moon's short series (0.3") at the five moments, from one reading of
// its terms around the middle one.
void ShortMoon(double t0, hd::MoonPlace (&moon)[5]) {
    const hd::MoonAround around(Centuries(t0), hd::MoonSeries::kShort);
    for (int i = 0; i < 5; ++i)
        moon[i] = around.At((i - 2) * kStep / hd::kDaysPerCentury);
}

// The apparent places and sidereal times of the five moments from the geometric places.
Nodes NodesOf(double t0, double deltaT, const hd::MoonPlace (&moon)[5], const hd::SunPlace (&sun)[5],
              const hd::Nutation& n) {
    Nodes nodes;
    for (int i = 0; i < 5; ++i) {
        const double jde = t0 + (i - 2) * kStep;
        nodes.places[i] = hd::ApparentPlacesOf(Centuries(jde), moon[i], sun[i], n);
        nodes.sidereal[i] = SiderealTime(jde - deltaT / kSecondsPerDay, jde, n);
    }
    return nodes;
}

// The places from the theories at the five moments: the Moon's short series
// (ShortMoon); the Sun's truncated series around the middle moment
// (SunAround, within 0.01"), with the terms beyond its table (periods of
// months, and below 0.03" within kNearCenturies of J2000) of the middle
// moment; the nutation of the middle moment.
Nodes PreciseNodes(double t0, double deltaT) {
    hd::MoonPlace moon[5];
    hd::SunPlace sun[5];
    const double tm = Centuries(t0);
    ShortMoon(t0, moon);
    const hd::SunAround around(tm);
    const hd::SunPlace far =
        std::abs(tm) <= kNearCenturies ? hd::SunPlace{0.0, 0.0, 0.0} : hd::SunFarTerms(tm);
    for (int i = 0; i < 5; ++i) {
        const hd::SunPlace s = around.At((i - 2) * kStep / hd::kDaysPerCentury);
        sun[i] = {s.longitude + far.longitude, s.latitude + far.latitude, s.radius + far.radius};
    }
    return NodesOf(t0, deltaT, moon, sun, hd::NutationAt(tm));
}

// The Moon's places for a lunar eclipse (ShortMoon) with the nutation of the
// middle moment; the Sun's places are left empty.
Nodes MoonNodes(double t0, double deltaT) {
    hd::MoonPlace moon[5];
    ShortMoon(t0, moon);
    const hd::SunPlace none[5] = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    return NodesOf(t0, deltaT, moon, none, hd::NutationAt(Centuries(t0)));
}

// Still quicker places for the first test of a solar eclipse, at s = -2, 0, 2:
// the Moon moving along the chord of its coarse places at s = -1 and 1
// (within 50" over the five moments), the Sun uniformly from the Moon's place
// at the phase moment.
Nodes ChordNodes(double t0, double phase, double deltaT) {
    const hd::MoonPlace a = hd::MoonGeometric(Centuries(t0 - kStep), hd::MoonSeries::kCoarse);
    const hd::MoonPlace b = hd::MoonGeometric(Centuries(t0 + kStep), hd::MoonSeries::kCoarse);
    const auto along = [&](double s) {
        const double w = 0.5 * (s + 1);
        hd::MoonPlace m = a;
        m.longitude = a.longitude + w * (b.longitude - a.longitude);
        m.latitude = a.latitude + w * (b.latitude - a.latitude);
        m.distance = a.distance + w * (b.distance - a.distance);
        return m;
    };
    const hd::MoonPlace atPhase = along((phase - t0) / kStep);
    const double sunAtPhase =
        atPhase.longitude - atPhase.rate * atPhase.distance / kLightKmPerDay - hd::SunAberration(1.0);
    const hd::Nutation none{0.0, 0.0};
    Nodes nodes;
    nodes.stride = 2;
    for (int i = 0; i < 5; i += nodes.stride) {
        const double jde = t0 + (i - 2) * kStep;
        const hd::SunPlace sun{sunAtPhase + (jde - phase) * kGauss, 0.0, 1.0};
        nodes.places[i] = hd::ApparentPlacesOf(Centuries(jde), along(i - 2), sun, none);
        nodes.sidereal[i] = SiderealTime(jde - deltaT / kSecondsPerDay, jde, none);
    }
    return nodes;
}

BodyPolys BodyOf(const Nodes& nodes, bool moon) {
    double dec[5], gha[5], dist[5];
    for (int i = 0; i < 5; i += nodes.stride) {
        const hd::EquatorialPlaces& p = nodes.places[i];
        const double* unit = moon ? p.moon : p.sun;
        dec[i] = std::asin(unit[2]);
        gha[i] = nodes.sidereal[i] - std::atan2(unit[1], unit[0]);
        dist[i] = moon ? p.moonDist : p.sunDist;
    }
    FillBetween(nodes, dec);
    FillBetween(nodes, gha, true);
    FillBetween(nodes, dist);
    Unwrap(gha);
    return {Poly::Through(dec), Poly::Through(gha), Poly::Through(dist)};
}

// The observer on the ellipsoid.
struct Observer {
    double rc = 0, rs = 0; // rho cos phi', rho sin phi' (Earth radii)
    double lon = 0;
    double up[3] = {}; // the geodetic vertical in the Earth-fixed frame
    double pos[3] = {};

    explicit Observer(const Place& p) {
        const double phi = p.latitude * kDeg;
        lon = p.longitude * kDeg;
        const double b = 1 - kFlattening;
        const double c = 1 / std::sqrt(std::cos(phi) * std::cos(phi) + b * b * std::sin(phi) * std::sin(phi));
        const double h = p.height / 1000.0 / hd::kEarthRadiusKm;
        rc = (c + h) * std::cos(phi);
        rs = (b * b * c + h) * std::sin(phi);
        up[0] = std::cos(phi) * std::cos(lon);
        up[1] = std::cos(phi) * std::sin(lon);
        up[2] = std::sin(phi);
        pos[0] = rc * std::cos(lon);
        pos[1] = rc * std::sin(lon);
        pos[2] = rs;
    }

    // Geometric altitude (degrees) of a body at the moment s.
    double Altitude(const BodyPolys& b, double s) const {
        const double dec = b.dec.At(s), gha = b.gha.At(s), dist = b.dist.At(s);
        const double v[3] = {dist * std::cos(dec) * std::cos(gha) - pos[0],
                             -dist * std::cos(dec) * std::sin(gha) - pos[1], dist * std::sin(dec) - pos[2]};
        const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return std::asin((v[0] * up[0] + v[1] * up[1] + v[2] * up[2]) / len) / kDeg;
    }
};

// Besselian elements around greatest eclipse, with the Sun's place.
struct Elements {
    Poly x, y, z, sind, cosd, mu, l1, l2, tf1, tf2;
    // The cone of the umbra with the Moon's whole disk (the radius of the
    // penumbra's): the disk's size as seen from the place, for the magnitude.
    Poly l2Disk, tf2Disk;
    BodyPolys sun;
};

Elements SolarElements(const Nodes& nodes) {
    double x[5], y[5], z[5], sd[5], cd[5], mu[5], l1[5], l2[5], tf1[5], tf2[5], l2Disk[5], tf2Disk[5];
    const double sunRadius = hd::kSunSemiDiameter1Au * hd::kArcsec * hd::kAuKm / hd::kEarthRadiusKm;
    for (int i = 0; i < 5; i += nodes.stride) {
        const hd::EquatorialPlaces& p = nodes.places[i];
        double moon[3], g[3];
        for (int j = 0; j < 3; ++j) {
            moon[j] = p.moonDist * p.moon[j];
            g[j] = p.sunDist * p.sun[j] - moon[j];
        }
        const double gLen = std::sqrt(g[0] * g[0] + g[1] * g[1] + g[2] * g[2]);
        const double a[3] = {g[0] / gLen, g[1] / gLen, g[2] / gLen};
        const double ch = std::hypot(a[0], a[1]);
        const double east[3] = {-a[1] / ch, a[0] / ch, 0};
        const double north[3] = {-a[2] * a[0] / ch, -a[2] * a[1] / ch, ch};
        x[i] = moon[0] * east[0] + moon[1] * east[1];
        y[i] = moon[0] * north[0] + moon[1] * north[1] + moon[2] * north[2];
        z[i] = moon[0] * a[0] + moon[1] * a[1] + moon[2] * a[2];
        sd[i] = a[2];
        cd[i] = ch;
        mu[i] = nodes.sidereal[i] - std::atan2(a[1], a[0]);
        const double f1 = std::asin((sunRadius + hd::kMoonK1) / gLen);
        const double f2 = std::asin((sunRadius - hd::kMoonK2) / gLen);
        const double f2Disk = std::asin((sunRadius - hd::kMoonK1) / gLen);
        tf1[i] = std::tan(f1);
        tf2[i] = std::tan(f2);
        l1[i] = z[i] * tf1[i] + hd::kMoonK1 / std::cos(f1);
        l2[i] = z[i] * tf2[i] - hd::kMoonK2 / std::cos(f2);
        tf2Disk[i] = std::tan(f2Disk);
        l2Disk[i] = z[i] * tf2Disk[i] - hd::kMoonK1 / std::cos(f2Disk);
    }
    for (double(*a)[5] : {&x, &y, &z, &sd, &cd, &l1, &l2, &tf1, &tf2, &l2Disk, &tf2Disk})
        FillBetween(nodes, *a);
    FillBetween(nodes, mu, true);
    Unwrap(mu);
    // Each element as the polynomial through its five samples.
    const auto fit = Poly::Through;
    return {fit(x),
            fit(y),
            fit(z),
            fit(sd),
            fit(cd),
            fit(mu),
            fit(l1),
            fit(l2),
            fit(tf1),
            fit(tf2),
            fit(l2Disk),
            fit(tf2Disk),
            BodyOf(nodes, false)};
}

// The shadow as the observer meets it at the moment s.
struct Shadow {
    double u, v, du, dv; // the axis less the observer, and its rate (per step)
    double l1, l2;       // radii of the penumbra and umbra in the observer's plane
    double l2Disk;       // the umbra's with the Moon's whole disk
    double moonDistance; // from the observer along the axis
    double Distance() const { return std::hypot(u, v); }
};

Shadow ShadowAt(const Elements& e, const Observer& o, double s) {
    const double h = e.mu.At(s) + o.lon, sh = std::sin(h), ch = std::cos(h);
    const double sd = e.sind.At(s), cd = e.cosd.At(s), mu1 = e.mu.Rate(s);
    const double xi = o.rc * sh, eta = o.rs * cd - o.rc * ch * sd, zeta = o.rs * sd + o.rc * ch * cd;
    Shadow w;
    w.u = e.x.At(s) - xi;
    w.v = e.y.At(s) - eta;
    w.du = e.x.Rate(s) - o.rc * ch * mu1;
    w.dv = e.y.Rate(s) - o.rc * sh * sd * mu1;
    w.l1 = e.l1.At(s) - zeta * e.tf1.At(s);
    w.l2 = e.l2.At(s) - zeta * e.tf2.At(s);
    w.l2Disk = e.l2Disk.At(s) - zeta * e.tf2Disk.At(s);
    w.moonDistance = e.z.At(s) - zeta;
    return w;
}

// The moment of least distance between the observer and the shadow's axis.
double LeastDistance(const Elements& e, const Observer& o) {
    double s = 0;
    for (int i = 0; i < 30; ++i) {
        const Shadow w = ShadowAt(e, o, s);
        const double n2 = w.du * w.du + w.dv * w.dv;
        const double step = -(w.u * w.du + w.v * w.dv) / n2;
        if (!std::isfinite(step)) break;
        s = std::clamp(s + step, -kReach, kReach);
        if (std::abs(step) < kRootTolerance) break;
    }
    return s;
}

// The local maximum: the least angular distance between the centres of the
// Moon and the Sun, near the least distance s0 from the axis (the observer
// nears the Moon as the Sun rises, which moves it by seconds).
double LocalMaximum(const Elements& e, const Observer& o, double s0) {
    const auto negative = [&](double s) {
        const Shadow w = ShadowAt(e, o, s);
        return w.Distance() / w.moonDistance;
    };
    constexpr double kWindow = 0.05; // steps (9 min)
    return hd::GoldenMinimum(negative, s0 - kWindow, s0 + kWindow, kRootTolerance);
}

// The root of f beyond `inside` (f(inside) < 0) in direction dir, the search
// starting at the estimate `guess`; NaN when f stays negative within reach.
template <typename F> double RootOutward(F f, double inside, double guess, int dir) {
    double in = inside, out = inside + dir * std::max(std::abs(guess - inside) * 1.05, 0.005);
    double fin = f(in), fout = f(out);
    while (fout < 0) {
        if (std::abs(out) >= kReach) return std::numeric_limits<double>::quiet_NaN();
        in = out;
        fin = fout;
        out = std::clamp(out + dir * 0.1, -kReach, kReach);
        fout = f(out);
    }
    // Regula falsi with the Illinois change: the bracket [in, out] shrinks to the root.
    int side = 0;
    for (int i = 0; i < 100 && std::abs(out - in) > kRootTolerance; ++i) {
        const double s = (in * fout - out * fin) / (fout - fin);
        const double fs = f(s);
        if (fs < 0) {
            in = s;
            fin = fs;
            if (side == -1) fout /= 2;
            side = -1;
        } else {
            out = s;
            fout = fs;
            if (side == 1) fin /= 2;
            side = 1;
        }
    }
    return 0.5 * (in + out);
}

// The fraction of the Sun's disk (radius rs) covered by the Moon's (rm) at distance c.
double CoveredArea(double rs, double rm, double c) {
    if (c >= rs + rm) return 0;
    if (c <= rm - rs) return 1;
    if (c <= rs - rm) return (rm * rm) / (rs * rs);
    const double a = rs * rs * std::acos((c * c + rs * rs - rm * rm) / (2 * c * rs)) +
                     rm * rm * std::acos((c * c + rm * rm - rs * rs) / (2 * c * rm)) -
                     0.5 * std::sqrt((-c + rs + rm) * (c + rs - rm) * (c - rs + rm) * (c + rs + rm));
    return a / (kPi * rs * rs);
}

void Add(Circumstances& c, const char* name, double jdUt, double altitude) {
    c.contacts[c.count++] = {name, jdUt, altitude};
}

// Whether the body's centre stands above `horizon` (geometric altitude) at some moment from s1 to s2.
bool AboveHorizon(const Observer& o, const BodyPolys& b, double s1, double s2, double horizon) {
    for (int i = 0; i <= kVisibilitySamples; ++i)
        if (o.Altitude(b, s1 + (s2 - s1) * i / kVisibilitySamples) > horizon) return true;
    return false;
}

// The circumstances from the elements; with `quick`, only whether the place
// may see the eclipse (the margins of the quick places) is meant.
Circumstances FromElements(const Elements& e, const Observer& o, double t0, double deltaT, bool quick) {
    Circumstances c;
    c.deltaTSeconds = deltaT;
    const double least0 = LeastDistance(e, o);
    const double sm = quick ? least0 : LocalMaximum(e, o, least0);
    Shadow at = ShadowAt(e, o, sm);
    if (quick) at.l1 += kQuickShadowMargin;
    const double least = at.Distance();
    if (!(least < at.l1)) return c;

    const auto ut = [&](double s) { return t0 + s * kStep - deltaT / kSecondsPerDay; };
    const auto alt = [&](double s) { return o.Altitude(e.sun, s); };
    const double n = std::hypot(at.du, at.dv);
    const auto penumbra = [&](double s) {
        const Shadow w = ShadowAt(e, o, s);
        return w.Distance() - w.l1;
    };
    const auto umbra = [&](double s) {
        const Shadow w = ShadowAt(e, o, s);
        return w.Distance() - std::abs(w.l2);
    };
    const double half1 = std::sqrt(std::max(0.0, at.l1 * at.l1 - least * least)) / n;
    if (quick) {
        // The eclipse lasts about 2 half1 (the paths taken as straight): the
        // Sun is looked for over half as much again and more.
        const double reach = 1.5 * half1 + kQuickWindowSlack;
        c.eclipsed = true;
        c.visible = AboveHorizon(o, e.sun, std::max(sm - reach, -kReach), std::min(sm + reach, kReach),
                                 kHorizonAltitude - kQuickHorizonMargin);
        return c;
    }
    const double s1 = RootOutward(penumbra, sm, sm - half1, -1);
    const double s4 = RootOutward(penumbra, sm, sm + half1, 1);
    if (!std::isfinite(s1) || !std::isfinite(s4)) return c;
    c.eclipsed = true;
    const bool central = least < std::abs(at.l2);
    double s2 = 0, s3 = 0;
    if (central) {
        const double half2 = std::sqrt(std::max(0.0, at.l2 * at.l2 - least * least)) / n;
        s2 = RootOutward(umbra, sm, sm - half2, -1);
        s3 = RootOutward(umbra, sm, sm + half2, 1);
    }
    // The kind as seen there: a central phase under the horizon leaves a partial eclipse.
    const bool centralSeen =
        central && std::isfinite(s2) && std::isfinite(s3) && AboveHorizon(o, e.sun, s2, s3, kHorizonAltitude);
    c.kind = !centralSeen ? "partial" : (at.l2 < 0 ? "total" : "annular");
    const double rs = 0.5 * (at.l1 + at.l2Disk), rm = 0.5 * (at.l1 - at.l2Disk);
    c.magnitude = (at.l1 - least) / (at.l1 + at.l2Disk);
    c.obscuration = CoveredArea(rs, rm, least);
    Add(c, "C1", ut(s1), alt(s1));
    if (central && std::isfinite(s2)) Add(c, "C2", ut(s2), alt(s2));
    Add(c, "max", ut(sm), alt(sm));
    if (central && std::isfinite(s3)) Add(c, "C3", ut(s3), alt(s3));
    Add(c, "C4", ut(s4), alt(s4));
    c.visible = AboveHorizon(o, e.sun, s1, s4, kHorizonAltitude);
    return c;
}

bool IsSolar(const PhaseEventRecord& r) {
    return r.eclipseType >= 1 && r.eclipseType <= 7;
}

} // namespace

bool IsValidPlace(const Place& p) {
    return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::isfinite(p.height) &&
           std::abs(p.latitude) <= 90.0 && std::abs(p.longitude) <= 180.0 && p.height >= kLowestHeight &&
           p.height <= kHighestHeight;
}

std::optional<Place> ParsePlace(const std::string& text) {
    double values[3] = {0, 0, 0};
    int n = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (true) {
        if (n == 3) return std::nullopt;
        if (p != end && *p == '+') ++p;
        const auto [next, ec] = std::from_chars(p, end, values[n]);
        if (ec != std::errc{} || next == p) return std::nullopt;
        ++n;
        p = next;
        if (p == end) break;
        if (*p != ',') return std::nullopt;
        ++p;
    }
    if (n < 2) return std::nullopt;
    const Place place{values[0], values[1], values[2]};
    if (!IsValidPlace(place)) return std::nullopt;
    return place;
}

const Contact* Circumstances::Find(const char* name) const {
    for (int i = 0; i < count; ++i)
        if (std::strcmp(contacts[i].name, name) == 0) return &contacts[i];
    return nullptr;
}

Circumstances LunarCircumstances(const PhaseEventRecord& record, const Place& place, double deltaT) {
    Circumstances c;
    c.deltaTSeconds = deltaT;
    c.obscuration = std::numeric_limits<double>::quiet_NaN();
    if (record.eclipseType < 8 || record.eclipseType > 10) return c;
    const double t0 = record.greatest;
    const BodyPolys moon = BodyOf(MoonNodes(t0, deltaT), true);
    const Observer o(place);
    const double minutes = 1.0 / (1440.0 * kStep); // steps per minute
    const double p = record.semiPenumbral * minutes, u = record.semiPartial * minutes,
                 t = record.semiTotal * minutes;
    const auto add = [&](const char* name, double s) {
        Add(c, name, t0 + s * kStep - deltaT / kSecondsPerDay, o.Altitude(moon, s));
    };
    add("P1", -p);
    if (u > 0) add("U1", -u);
    if (t > 0) add("U2", -t);
    add("max", 0);
    if (t > 0) add("U3", t);
    if (u > 0) add("U4", u);
    add("P4", p);
    c.eclipsed = true;
    c.kind = record.eclipseType == 8 ? "penumbral" : (record.eclipseType == 9 ? "partial" : "total");
    c.magnitude = record.magnitude;
    c.visible = AboveHorizon(o, moon, -p, p, kHorizonAltitude);
    return c;
}

Circumstances SolarCircumstances(const PhaseEventRecord& record, const Place& place, double deltaT) {
    if (!IsSolar(record)) return Circumstances{};
    return FromElements(SolarElements(PreciseNodes(record.greatest, deltaT)), Observer(place),
                        record.greatest, deltaT, false);
}

Circumstances CircumstancesOf(const PhaseEventRecord& record, const Place& place) {
    const double deltaT = lunar::DeltaTAt(record.greatest) * 60.0;
    return record.eclipseType >= 8 ? LunarCircumstances(record, place, deltaT)
                                   : SolarCircumstances(record, place, deltaT);
}

std::optional<Circumstances> VisibleFrom(const PhaseEventRecord& record, const Place& place, double deltaT) {
    if (record.eclipseType < 1 || record.eclipseType > 10) return std::nullopt;
    if (IsSolar(record)) {
        const Circumstances quick =
            FromElements(SolarElements(ChordNodes(record.greatest, record.jde, deltaT)), Observer(place),
                         record.greatest, deltaT, true);
        if (!quick.visible) return std::nullopt;
    }
    Circumstances c = record.eclipseType >= 8 ? LunarCircumstances(record, place, deltaT)
                                              : SolarCircumstances(record, place, deltaT);
    if (!c.visible) return std::nullopt;
    return c;
}

std::optional<Circumstances> VisibleFrom(const PhaseEventRecord& record, const Place& place) {
    return VisibleFrom(record, place, lunar::DeltaTAt(record.greatest) * 60.0);
}

bool NextVisibleEclipse(double momentUt, bool forward, bool lunar, const Place& place,
                        PhaseEventRecord& record, Circumstances& found, int lunations) {
    const int16_t phase = lunar ? lunar::kFullMoon : lunar::kNewMoon;
    int32_t k = lunar::LunationOf(momentUt);
    for (int i = 0; i < lunations; ++i, k += forward ? 1 : -1) {
        PhaseEventRecord r{};
        lunar::PhaseMomentTT(k, phase, &r);
        if (lunar ? r.eclipseType < 8 : !IsSolar(r)) continue;
        const double deltaT = lunar::DeltaTAt(r.greatest) * 60.0;
        const double greatestUt = r.greatest - deltaT / kSecondsPerDay;
        if (forward ? !(greatestUt > momentUt) : !(greatestUt < momentUt)) continue;
        if (std::optional<Circumstances> c = VisibleFrom(r, place, deltaT)) {
            record = r;
            found = *c;
            return true;
        }
    }
    return false;
}

} // namespace tavr::local
