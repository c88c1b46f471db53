#include "MoonRender.h"

#include <algorithm>
#include <cmath>

namespace moonpics {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kSynodicMonth = 29.530588853; // mean, days

struct Vec {
    double x, y, z;
};

Vec FromSelenographic(double latDeg, double lonDeg) {
    const double la = latDeg * kDeg, lo = lonDeg * kDeg;
    return {std::cos(la) * std::sin(lo), std::sin(la), std::cos(la) * std::cos(lo)};
}

double Dot(const Vec& a, const Vec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double Smoothstep(double e0, double e1, double v) {
    const double t = std::clamp((v - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Hash-based value noise on a 3-D lattice, smooth-interpolated.
double Hash(int x, int y, int z) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(z) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF) * 2.0 - 1.0; // -1..1
}

double ValueNoise(double x, double y, double z) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y)),
              iz = static_cast<int>(std::floor(z));
    const double fx = x - ix, fy = y - iy, fz = z - iz;
    const double ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy), uz = fz * fz * (3 - 2 * fz);
    auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
    const double c00 = lerp(Hash(ix, iy, iz), Hash(ix + 1, iy, iz), ux);
    const double c10 = lerp(Hash(ix, iy + 1, iz), Hash(ix + 1, iy + 1, iz), ux);
    const double c01 = lerp(Hash(ix, iy, iz + 1), Hash(ix + 1, iy, iz + 1), ux);
    const double c11 = lerp(Hash(ix, iy + 1, iz + 1), Hash(ix + 1, iy + 1, iz + 1), ux);
    return lerp(lerp(c00, c10, uy), lerp(c01, c11, uy), uz);
}

double Fractal(const Vec& p, double scale, int octaves) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(p.x * scale + 17.3 * i, p.y * scale - 5.1 * i, p.z * scale + 9.7 * i);
        norm += amp;
        amp *= 0.5;
        scale *= 2.0;
    }
    return sum / norm;
}

// A dark plain: centre, semi-axes along longitude and latitude (degrees of
// arc), tilt of the ellipse (degrees) and how much it darkens the highland
// albedo. Positions and sizes after the Lunar Astronautical Charts / IAU
// gazetteer of planetary nomenclature (Mare Imbrium 32.8 N 15.6 W, etc.);
// the large irregular Oceanus Procellarum is made of several ellipses.
struct Mare {
    double lat, lon, a, b, tilt, depth;
};

const Mare kMaria[] = {
    {34.0, -17.0, 20.0, 16.5, 0.0, 0.44},   // Imbrium
    {44.5, -31.5, 5.5, 4.0, 20.0, 0.38},    // Sinus Iridum
    {12.0, -8.0, 5.0, 3.5, 0.0, 0.26},      // Sinus Aestuum
    {28.0, 17.5, 11.5, 11.0, 0.0, 0.38},    // Serenitatis
    {8.5, 30.0, 14.0, 10.5, 30.0, 0.44},    // Tranquillitatis
    {15.0, 41.0, 6.0, 4.5, 0.0, 0.40},      // Tranquillitatis, north-east bay
    {17.0, 59.0, 10.0, 8.0, 0.0, 0.47},     // Crisium
    {-6.0, 52.0, 9.0, 14.0, -15.0, 0.38},   // Fecunditatis
    {-15.2, 35.5, 6.0, 6.0, 0.0, 0.40},     // Nectaris
    {14.0, 4.0, 5.5, 4.0, 0.0, 0.28},       // Vaporum
    {2.0, 1.0, 4.0, 3.0, 0.0, 0.22},        // Sinus Medii
    {19.0, 27.0, 5.0, 4.0, 0.0, 0.36},      // where Serenitatis meets Tranquillitatis
    {22.0, -38.0, 9.0, 9.0, 0.0, 0.38},     // between Imbrium and Procellarum
    {-2.0, -42.0, 12.0, 14.0, 0.0, 0.40},   // Procellarum, south
    {12.0, -53.0, 14.0, 16.0, -10.0, 0.43}, // Procellarum, middle
    {29.0, -56.0, 12.0, 14.0, 0.0, 0.42},   // Procellarum, north
    {44.0, -45.0, 10.0, 8.0, 0.0, 0.38},    // Procellarum, towards Sinus Roris
    {5.0, -64.0, 8.0, 12.0, 0.0, 0.38},     // Procellarum, west
    {8.0, -28.0, 11.0, 8.0, 0.0, 0.32},     // Insularum
    {-20.0, -15.0, 12.0, 10.0, 0.0, 0.38},  // Nubium
    {-10.0, -22.0, 7.0, 6.0, 0.0, 0.36},    // Cognitum
    {-24.4, -38.6, 7.0, 7.0, 0.0, 0.42},    // Humorum
    {57.0, -30.0, 16.0, 4.5, 5.0, 0.30},    // Frigoris, west
    {59.0, -2.0, 12.0, 3.0, 0.0, 0.26},     // Frigoris, middle
    {56.0, 26.0, 14.0, 4.0, -10.0, 0.30},   // Frigoris, east
    {-46.0, 88.0, 8.0, 9.0, 0.0, 0.30},     // Australe (at the limb)
    {13.0, 86.0, 5.0, 8.0, 0.0, 0.30},      // Marginis (at the limb)
    {-2.0, 87.0, 5.0, 7.0, 0.0, 0.30},      // Smythii (at the limb)
    {51.6, -9.4, 1.7, 1.5, 0.0, 0.40},      // Plato (dark floor)
    {-5.2, -68.6, 2.8, 2.8, 0.0, 0.44},     // Grimaldi (dark floor)
};

// Bright young craters with ray systems: centre, radius of the bright halo
// (degrees), brightness, number and length (degrees) of rays.
struct RayCrater {
    double lat, lon, halo, bright;
    int rays;
    double rayLength;
};

const RayCrater kRayCraters[] = {
    {-43.3, -11.2, 1.3, 0.20, 18, 60.0}, // Tycho
    {9.6, -20.1, 2.0, 0.22, 10, 18.0},   // Copernicus
    {8.1, -38.0, 1.4, 0.18, 8, 12.0},    // Kepler
    {23.7, -47.4, 1.0, 0.30, 6, 8.0},    // Aristarchus
    {16.1, 46.8, 1.0, 0.16, 5, 10.0},    // Proclus
    {-8.9, 61.1, 1.5, 0.12, 0, 0.0},     // Langrenus
};

// Small craters scattered over the face: dark floors with brighter rims.
struct Crater {
    double lat, lon, r;
};

const std::vector<Crater>& SmallCraters() {
    static const std::vector<Crater> craters = [] {
        std::vector<Crater> list;
        uint32_t s = 12345u;
        auto rnd = [&s] {
            s = s * 1664525u + 1013904223u;
            return (s >> 8) / double(1u << 24);
        };
        for (int i = 0; i < 160; ++i) {
            const double lat = std::asin(rnd() * 2 - 1) / kDeg;
            const double lon = (rnd() * 2 - 1) * 88.0;
            const double r = 0.6 + 2.4 * rnd() * rnd();
            list.push_back({lat, lon, r});
        }
        // A few large craters of the southern highlands (IAU gazetteer).
        list.push_back({-58.4, -14.4, 3.8}); // Clavius
        list.push_back({-9.3, -1.9, 2.6});   // Ptolemaeus
        list.push_back({-13.4, -3.2, 1.9});  // Alphonsus
        list.push_back({-50.5, -6.3, 2.7});  // Maginus
        list.push_back({-44.4, 24.6, 1.9});  // Maurolycus
        list.push_back({-29.9, 61.1, 1.6});  // Petavius
        return list;
    }();
    return craters;
}

// Precomputed frame of a feature: centre and tangent directions.
struct Frame {
    Vec c, east, north;
    double cosReach; // points with a larger dot product with c may be affected
};

Frame MakeFrame(double latDeg, double lonDeg, double reachDeg) {
    const double la = latDeg * kDeg, lo = lonDeg * kDeg;
    return {FromSelenographic(latDeg, lonDeg),
            {std::cos(lo), 0.0, -std::sin(lo)},
            {-std::sin(la) * std::sin(lo), std::cos(la), -std::sin(la) * std::cos(lo)},
            std::cos(std::min(reachDeg, 179.0) * kDeg)};
}

// Offset in degrees in the tangent plane of the frame (u east, v north).
void Offset(const Frame& f, const Vec& p, double& u, double& v) {
    const double ang = std::acos(std::clamp(Dot(p, f.c), -1.0, 1.0));
    const double pe = Dot(p, f.east), pn = Dot(p, f.north);
    const double len = std::hypot(pe, pn);
    if (len < 1e-12) {
        u = v = 0;
        return;
    }
    u = pe / len * ang / kDeg;
    v = pn / len * ang / kDeg;
}

const std::vector<Frame>& MareFrames() {
    static const std::vector<Frame> frames = [] {
        std::vector<Frame> list;
        for (const Mare& m : kMaria)
            list.push_back(MakeFrame(m.lat, m.lon, std::max(m.a, m.b) * 1.6));
        return list;
    }();
    return frames;
}

const std::vector<Frame>& CraterFrames() {
    static const std::vector<Frame> frames = [] {
        std::vector<Frame> list;
        for (const Crater& c : SmallCraters())
            list.push_back(MakeFrame(c.lat, c.lon, c.r * 1.4));
        return list;
    }();
    return frames;
}

const std::vector<Frame>& RayFrames() {
    static const std::vector<Frame> frames = [] {
        std::vector<Frame> list;
        for (const RayCrater& rc : kRayCraters)
            list.push_back(MakeFrame(rc.lat, rc.lon, 180.0));
        return list;
    }();
    return frames;
}

// Darkening of the maria, 0 (highland) .. about 0.5.
double MareDarkness(const Vec& p0) {
    // Warp the surface a little so that the outlines bend and fray.
    const Vec warp{0.07 * Fractal({p0.x, p0.y, p0.z}, 3.0, 3), 0.07 * Fractal({p0.y, p0.z, p0.x}, 3.0, 3),
                   0.07 * Fractal({p0.z, p0.x, p0.y}, 3.0, 3)};
    Vec p{p0.x + warp.x, p0.y + warp.y, p0.z + warp.z};
    const double n = std::sqrt(Dot(p, p));
    p = {p.x / n, p.y / n, p.z / n};
    double dark = 0.0;
    const double wobble = 0.25 * Fractal(p0, 6.0, 2) + 0.12 * Fractal(p0, 18.0, 2);
    const auto& frames = MareFrames();
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& f = frames[i];
        if (Dot(p, f.c) < f.cosReach) continue;
        const Mare& m = kMaria[i];
        double u, v;
        Offset(f, p, u, v);
        const double t = m.tilt * kDeg;
        const double ur = u * std::cos(t) + v * std::sin(t), vr = -u * std::sin(t) + v * std::cos(t);
        const double d = std::sqrt((ur / m.a) * (ur / m.a) + (vr / m.b) * (vr / m.b)) + wobble;
        // darkest in the middle, fading out over the outer third
        const double inside =
            (1.0 - Smoothstep(0.55, 1.2, d)) * (0.85 + 0.15 * (1.0 - Smoothstep(0.0, 0.7, d)));
        dark = std::max(dark, m.depth * inside);
    }
    // The plains are not uniform: lighter and darker flows.
    return dark * (0.86 + 0.2 * Fractal(p0, 9.0, 3));
}

double RayBrightness(const Vec& p) {
    double add = 0.0;
    const auto& frames = RayFrames();
    for (size_t i = 0; i < frames.size(); ++i) {
        const RayCrater& rc = kRayCraters[i];
        const Frame& f = frames[i];
        const double ang = std::acos(std::clamp(Dot(p, f.c), -1.0, 1.0)) / kDeg;
        add += rc.bright * std::exp(-(ang / rc.halo) * (ang / rc.halo));
        if (rc.rays == 0 || ang > rc.rayLength) continue;
        double u, v;
        Offset(f, p, u, v);
        const double bearing = std::atan2(v, u);
        for (int k = 0; k < rc.rays; ++k) {
            const double b = 2 * kPi * (k + 0.45 * std::sin(k * 2.3 + rc.lat)) / rc.rays;
            const double diff = std::remainder(bearing - b, 2 * kPi);
            if (std::cos(diff) <= 0) continue;
            const double across = std::fabs(std::sin(diff)) * ang; // degrees off the ray
            const double width = 0.9 + ang * 0.05;
            const double length = rc.rayLength * (0.55 + 0.45 * std::fabs(std::sin(k * 1.7 + rc.lon)));
            const double fade = 1.0 - Smoothstep(length * 0.2, length, ang);
            add += 0.14 * rc.bright * fade * std::exp(-(across / width) * (across / width));
        }
    }
    return add;
}

double CraterShade(const Vec& p) {
    double f = 1.0;
    const auto& frames = CraterFrames();
    const auto& craters = SmallCraters();
    for (size_t i = 0; i < frames.size(); ++i) {
        const double cosAng = Dot(p, frames[i].c);
        if (cosAng < frames[i].cosReach) continue;
        const double d = std::acos(std::clamp(cosAng, -1.0, 1.0)) / kDeg / craters[i].r;
        f *= d < 0.8 ? 0.96 : 1.0 + 0.04 * std::exp(-((d - 1.0) / 0.2) * ((d - 1.0) / 0.2));
    }
    return f;
}

} // namespace

double Albedo(double x, double y, double z) {
    const Vec p{x, y, z};
    double a = 0.80;
    a *= 1.0 + 0.07 * Fractal(p, 3.0, 4) + 0.05 * Fractal(p, 24.0, 2);
    a *= 1.0 - MareDarkness(p);
    a *= CraterShade(p);
    a += RayBrightness(p);
    return std::clamp(a, 0.0, 1.2);
}

Lighting LightingForAge(double ageDays) {
    const double theta = 2 * kPi * ageDays / kSynodicMonth; // 0 at new Moon, pi at full Moon
    Lighting l;
    l.sx = std::sin(theta);
    l.sy = 0.0;
    l.sz = -std::cos(theta);
    return l;
}

Picture Render(int size, double centre, double radius, const Lighting& light, int samples) {
    Picture pic;
    pic.size = size;
    pic.grey.assign(static_cast<size_t>(size) * size, 0);
    pic.classes.assign(static_cast<size_t>(size) * size, PixelClass::Outside);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double dx0 = px - centre, dy0 = py - centre;
            if (dx0 * dx0 + dy0 * dy0 > radius * radius) continue;
            double litSum = 0, nightSum = 0;
            int litCount = 0, count = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (px + (sx + 0.5) / samples - 0.5 - centre) / (radius + 0.5);
                    const double y = -(py + (sy + 0.5) / samples - 0.5 - centre) / (radius + 0.5);
                    const double rr = x * x + y * y;
                    if (rr >= 1.0) continue;
                    const double z = std::sqrt(1.0 - rr);
                    const double a = Albedo(x, y, z);
                    const double mu = z;
                    const double mu0 = x * light.sx + y * light.sy + z * light.sz;
                    // Lommel-Seeliger reflection, normalised to 1 at full Moon,
                    // with a mild darkening towards the limb.
                    const double ls = mu0 > 0 ? 2.0 * mu0 / (mu0 + mu) : 0.0;
                    const double limb = 0.78 + 0.22 * std::sqrt(mu);
                    const double shade = mu0 > 0 ? 0.15 + 0.85 * std::pow(std::min(ls, 1.25), 0.5) : 0.0;
                    const double lit = a * limb * shade;
                    const double night = a * light.earthshine * limb;
                    litSum += lit + night * (1.0 - Smoothstep(0.0, 0.08, mu0));
                    nightSum += night;
                    if (mu0 > 0) ++litCount;
                    ++count;
                }
            }
            if (count == 0) continue;
            const bool lit = litCount * 2 >= count;
            const double b = (lit ? litSum : nightSum) / count;
            pic.classAt(px, py) = lit ? PixelClass::Lit : PixelClass::Night;
            pic.greyAt(px, py) =
                static_cast<uint8_t>(std::clamp(std::lround(245.0 * std::pow(b, 0.9)), 1L, 255L));
        }
    }
    return pic;
}

} // namespace moonpics
