// Phase moments and eclipses from the positions of the lunar and solar
// theories: the phases as roots of the apparent elongation, the lunar eclipses
// from the Moon's distance to the Earth's shadow, the solar ones from the
// Besselian elements of the Moon's shadow.
#include <algorithm>
#include <array>

#include "astro_internal.h"

namespace halvor_detail {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLightKmPerDay = 299792.458 * 86400.0;
// The Earth's shadow by Danjon's rule, as the current canon of lunar eclipses
// draws it: the Earth's radius enlarged by 1/85 for the opaque layers of its
// atmosphere, and with the Earth's mean radius at the shadow's edge
// (0.99834 of the equatorial one) the Moon's parallax counts 1.01 times:
// umbra 1.01 pi_Moon + pi_Sun - s_Sun, penumbra 1.01 pi_Moon + pi_Sun + s_Sun.
// (The older catalogue of 1901-2100 enlarges the whole shadow by 1/50, which
// makes umbral magnitudes about 0.005 larger and partial phases about a minute
// longer.) Against the canon's eclipses of 2021-2060 this rule gives the umbral
// magnitudes within 0.0005 and the whole durations within their rounding.
constexpr double kShadowParallaxFactor = 1.01;
// Gaussian gravitational constant: the Sun's speed in longitude is about k / r^2.
constexpr double kGauss = 0.01720209895;

// Apparent places of the Moon and the Sun without the nutation (which the
// elongation does not see).
struct Pair {
    double moonLon, moonLat, moonDist, moonRate;
    double sunLon, sunLat, sunDist;
};

Pair PairAt(double jde) {
    const double t = (jde - kJ2000) / kDaysPerCentury;
    const MoonPlace m = MoonGeometric(t);
    const SunPlace s = SunComplete(t);
    Pair p;
    p.moonLon = m.longitude - m.rate * m.distance / kLightKmPerDay;
    p.moonLat = m.latitude;
    p.moonDist = m.distance;
    p.moonRate = m.rate;
    p.sunLon = s.longitude + SunAberration(s.radius);
    p.sunLat = s.latitude;
    p.sunDist = s.radius;
    return p;
}

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(double k, Vec a) {
    return {k * a.x, k * a.y, k * a.z};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Equatorial unit vector of an ecliptic direction at obliquity eps.
Vec Equatorial(double lon, double lat, double eps) {
    const double cb = std::cos(lat), sb = std::sin(lat), cl = std::cos(lon), sl = std::sin(lon);
    const double ce = std::cos(eps), se = std::sin(eps);
    const Vec ecl{cb * cl, cb * sl, sb};
    return {ecl.x, ecl.y * ce - ecl.z * se, ecl.y * se + ecl.z * ce};
}

// Apparent equatorial places of both bodies (true equator of date).
struct Places {
    Vec moon, sun;   // unit vectors
    double moonDist; // Earth radii
    double sunDist;  // Earth radii
};

Places PlacesAt(double jde) {
    const double t = (jde - kJ2000) / kDaysPerCentury;
    const Pair p = PairAt(jde);
    const Nutation n = NutationAt(t);
    const double eps = MeanObliquity(t) + n.obliquity;
    Places r;
    r.moon = Equatorial(p.moonLon + n.longitude, p.moonLat, eps);
    r.sun = Equatorial(p.sunLon + n.longitude, p.sunLat, eps);
    r.moonDist = p.moonDist / kEarthRadiusKm;
    r.sunDist = p.sunDist * kAuKm / kEarthRadiusKm;
    return r;
}

// Samples of a quantity at kNodes equally spaced moments around a phase, and
// the polynomial through them.
constexpr int kNodes = 5;
constexpr double kStep = 0.125; // days
using Samples = std::array<double, kNodes>;

double Interpolate(const Samples& v, double s) {
    // Lagrange form on the nodes -2..2 (s in steps from the middle node).
    double r = 0;
    for (int i = 0; i < kNodes; ++i) {
        double w = 1;
        for (int j = 0; j < kNodes; ++j)
            if (j != i) w *= (s - (j - 2)) / double(i - j);
        r += w * v[i];
    }
    return r;
}

// The moment in [lo, hi] (steps) where f changes sign, f(lo) and f(hi) of opposite signs.
template <typename F> double Bisect(F f, double lo, double hi) {
    double flo = f(lo);
    for (int i = 0; i < 60 && hi - lo > 1e-9; ++i) {
        const double mid = 0.5 * (lo + hi);
        const double fm = f(mid);
        if ((fm < 0) == (flo < 0)) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

// Least of f over [-2, 2] steps: a scan, then golden-section refinement.
template <typename F> double Minimize(F f) {
    constexpr int kScan = 96;
    int best = 0;
    double bestValue = f(-2.0);
    for (int i = 1; i <= kScan; ++i) {
        const double v = f(-2.0 + 4.0 * i / kScan);
        if (v < bestValue) {
            bestValue = v;
            best = i;
        }
    }
    double a = -2.0 + 4.0 * std::max(best - 1, 0) / kScan;
    double b = -2.0 + 4.0 * std::min(best + 1, kScan) / kScan;
    return GoldenMinimum(f, a, b, 1e-9);
}

// Semi-duration (minutes) of the phase where g(s) < 0 around the minimum s0 of g, 0 when g(s0) >= 0.
template <typename G> double SemiDuration(G g, double s0) {
    if (!(g(s0) < 0)) return 0.0;
    const double lo = g(-2.0) > 0 ? Bisect(g, -2.0, s0) : -2.0;
    const double hi = g(2.0) > 0 ? Bisect(g, s0, 2.0) : 2.0;
    return (hi - lo) * 0.5 * kStep * 1440.0;
}

Eclipse LunarEclipse(int32_t lunation, double full) {
    Samples x{}, y{}, umbra{}, penumbra{}, moonRadius{}, scale{};
    for (int i = 0; i < kNodes; ++i) {
        const Places p = PlacesAt(full + (i - 2) * kStep);
        const Vec axis = -1.0 * p.sun; // the shadow's centre, opposite the Sun
        // East and north on the sky at the shadow's centre.
        const double ch = std::hypot(axis.x, axis.y);
        const Vec east{-axis.y / ch, axis.x / ch, 0};
        const Vec north{-axis.z * axis.x / ch, -axis.z * axis.y / ch, ch};
        const Vec d = p.moon - Dot(p.moon, axis) * axis;
        x[i] = Dot(d, east);
        y[i] = Dot(d, north);
        const double moonParallax = std::asin(1.0 / p.moonDist);
        const double sunParallax = std::asin(1.0 / p.sunDist);
        const double sunRadius = kSunSemiDiameter1Au * kArcsec / (p.sunDist * kEarthRadiusKm / kAuKm);
        umbra[i] = kShadowParallaxFactor * moonParallax + sunParallax - sunRadius;
        penumbra[i] = kShadowParallaxFactor * moonParallax + sunParallax + sunRadius;
        moonRadius[i] = std::asin(kMoonK1 / p.moonDist);
        scale[i] = p.moonDist;
    }
    const auto sigma = [&](double s) { return std::asin(std::hypot(Interpolate(x, s), Interpolate(y, s))); };
    const double s0 = Minimize(sigma);
    const double dist = sigma(s0);
    const double sm = Interpolate(moonRadius, s0);
    const double pen = (Interpolate(penumbra, s0) + sm - dist) / (2 * sm);
    const double umb = (Interpolate(umbra, s0) + sm - dist) / (2 * sm);
    Eclipse ec;
    if (!(pen > 0)) return ec;
    ec.type = umb <= 0 ? 8 : (umb < 1 ? 9 : 10);
    ec.greatest = full + s0 * kStep;
    const double earthRadii = Interpolate(scale, s0);
    ec.gamma = std::copysign(std::sin(dist) * earthRadii, Interpolate(y, s0));
    ec.magnitude = umb;
    // The umbral radius in the textbook's convention, 1.0128 - u, in Earth radii at the Moon.
    ec.u = 1.0128 - std::sin(Interpolate(umbra, s0) + sm) * earthRadii;
    ec.semiPenumbral = SemiDuration(
        [&](double s) { return sigma(s) - Interpolate(penumbra, s) - Interpolate(moonRadius, s); }, s0);
    ec.semiPartial = SemiDuration(
        [&](double s) { return sigma(s) - Interpolate(umbra, s) - Interpolate(moonRadius, s); }, s0);
    ec.semiTotal = SemiDuration(
        [&](double s) { return sigma(s) - Interpolate(umbra, s) + Interpolate(moonRadius, s); }, s0);
    ec.saros = SarosOf(lunation, true);
    return ec;
}

Eclipse SolarEclipse(int32_t lunation, double newMoon) {
    Samples x{}, y{}, d{}, l1{}, l2{}, tanF2{};
    for (int i = 0; i < kNodes; ++i) {
        const Places p = PlacesAt(newMoon + (i - 2) * kStep);
        const Vec sun = p.sunDist * p.sun, moon = p.moonDist * p.moon;
        const Vec g = sun - moon;
        const double gLen = std::sqrt(Dot(g, g));
        const Vec axis = (1.0 / gLen) * g;
        const double ch = std::hypot(axis.x, axis.y);
        const Vec east{-axis.y / ch, axis.x / ch, 0};
        const Vec north{-axis.z * axis.x / ch, -axis.z * axis.y / ch, ch};
        x[i] = Dot(moon, east);
        y[i] = Dot(moon, north);
        const double z = Dot(moon, axis);
        d[i] = std::asin(axis.z);
        const double sunRadius = kSunSemiDiameter1Au * kArcsec * kAuKm / kEarthRadiusKm;
        const double f1 = std::asin((sunRadius + kMoonK1) / gLen);
        const double f2 = std::asin((sunRadius - kMoonK2) / gLen);
        l1[i] = z * std::tan(f1) + kMoonK1 / std::cos(f1);
        l2[i] = z * std::tan(f2) - kMoonK2 / std::cos(f2);
        tanF2[i] = std::tan(f2);
    }
    const auto r2 = [&](double s) {
        const double xs = Interpolate(x, s), ys = Interpolate(y, s);
        return xs * xs + ys * ys;
    };
    // Distance of the axis from the Earth's centre with the Earth's flattening:
    // the Earth's outline in the fundamental plane is an ellipse of axes 1 and rho1.
    const auto m2 = [&](double s) {
        const double xs = Interpolate(x, s), ys = Interpolate(y, s), cd = std::cos(Interpolate(d, s));
        const double rho1 = std::sqrt(1 - kEarthE2 * cd * cd);
        return xs * xs + (ys / rho1) * (ys / rho1);
    };
    // Distance of the axis from the Earth's outline (negative inside), along the
    // line to the Earth's centre.
    const auto gap = [&](double s) {
        const double m = std::sqrt(m2(s));
        return std::sqrt(r2(s)) * (1 - 1 / m);
    };
    const double s0 = Minimize(r2);
    const double sm = Minimize(gap);
    const double m = std::sqrt(m2(sm)), outside = gap(sm);
    const double l1m = Interpolate(l1, sm), l2m = Interpolate(l2, sm);
    Eclipse ec;
    if (!(outside < l1m)) return ec;
    ec.greatest = newMoon + s0 * kStep;
    ec.gamma = std::copysign(std::sqrt(r2(s0)), Interpolate(y, s0));
    ec.u = Interpolate(l2, s0);
    if (m < 1) {
        // Central: total, annular or both along the central line, where the
        // umbral radius on the ground is L2 = l2 - zeta tan f2.
        double lo = 1e9, hi = -1e9;
        const auto inside = [&](double s) { return m2(s) - 1; };
        const double from = inside(-2.0) > 0 ? Bisect(inside, -2.0, sm) : -2.0;
        const double to = inside(2.0) > 0 ? Bisect(inside, sm, 2.0) : 2.0;
        constexpr int kSteps = 64;
        for (int i = 0; i <= kSteps; ++i) {
            const double s = from + (to - from) * i / kSteps;
            const double zeta = std::sqrt(std::max(0.0, -inside(s)));
            const double big = Interpolate(l2, s) - zeta * Interpolate(tanF2, s);
            lo = std::min(lo, big);
            hi = std::max(hi, big);
        }
        ec.type = hi < 0 ? 3 : (lo > 0 ? 2 : 6);
    } else {
        ec.type = outside < std::abs(l2m) ? (l2m < 0 ? 4 : 5) : 1;
        ec.magnitude = (l1m - outside) / (l1m + l2m);
    }
    ec.saros = SarosOf(lunation, false);
    return ec;
}

} // namespace

EquatorialPlaces ApparentPlacesOf(double t, const MoonPlace& m, const SunPlace& s, const Nutation& n) {
    const double eps = MeanObliquity(t) + n.obliquity;
    const Vec moon =
        Equatorial(m.longitude - m.rate * m.distance / kLightKmPerDay + n.longitude, m.latitude, eps);
    const Vec sun = Equatorial(s.longitude + SunAberration(s.radius) + n.longitude, s.latitude, eps);
    return {{moon.x, moon.y, moon.z},
            {sun.x, sun.y, sun.z},
            m.distance / kEarthRadiusKm,
            s.radius * kAuKm / kEarthRadiusKm};
}

EquatorialPlaces ApparentPlacesAt(double jde) {
    const double t = (jde - kJ2000) / kDaysPerCentury;
    return ApparentPlacesOf(t, MoonGeometric(t), SunComplete(t), NutationAt(t));
}

double PrecisePhaseMoment(int32_t lunation, int phase) {
    double jde = PhaseMoment(lunation, phase);
    for (int i = 0; i < 8; ++i) {
        const Pair p = PairAt(jde);
        const double diff = std::remainder(p.moonLon - p.sunLon - phase * 0.5 * kPi, 2 * kPi);
        const double rate = p.moonRate - kGauss / (p.sunDist * p.sunDist);
        const double step = diff / rate;
        if (!std::isfinite(step)) break;
        jde -= step;
        if (std::abs(step) < 1e-9) break;
    }
    return jde;
}

Eclipse PreciseEclipse(int32_t lunation, bool lunar, double phaseMoment) {
    // Far from a node of the Moon's orbit there is none (the textbook's test on the mean phase).
    if (!NearNode(lunation, lunar)) return Eclipse{};
    return lunar ? LunarEclipse(lunation, phaseMoment) : SolarEclipse(lunation, phaseMoment);
}

} // namespace halvor_detail
