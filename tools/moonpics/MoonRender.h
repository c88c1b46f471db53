// Procedural rendering of the Moon's near side for the pictures shipped beside
// the program: a grey face with the maria at their selenographic places, a few
// bright ray craters, fine noise, limb darkening and, for phases, lighting by
// the Sun with a soft terminator and faint earthshine on the night side.
#ifndef TAVR_TOOLS_MOONRENDER_H
#define TAVR_TOOLS_MOONRENDER_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace moonpics {

// One rendered picture: per pixel a grey level 0..255 (lit or earthshine) and a
// class; pixel rows top to bottom.
enum class PixelClass : uint8_t {
    Outside, // beyond the disc
    Lit,     // sunlit face
    Night,   // night side (earthshine)
};

struct Picture {
    int size = 0;
    std::vector<uint8_t> grey;       // size * size
    std::vector<PixelClass> classes; // size * size
    uint8_t& greyAt(int x, int y) { return grey[static_cast<size_t>(y) * size + x]; }
    PixelClass& classAt(int x, int y) { return classes[static_cast<size_t>(y) * size + x]; }
};

// Albedo of the near side at a point of the unit sphere seen from the Earth:
// x to the right (selenographic east), y up (north), z towards the viewer.
// Roughly 0.45 in the maria up to 1 on bright crater rays.
double Albedo(double x, double y, double z);

struct Lighting {
    // Sun direction in the same frame (unit vector). (0, 0, 1): full Moon;
    // (1, 0, 0): first quarter (lit on the right); (-1, 0, 0): last quarter.
    double sx = 0, sy = 0, sz = 1;
    // Brightness of the night side relative to the sunlit full Moon (0: none).
    double earthshine = 0.0;
};

// Renders a disc centred at pixel (centre, centre) with radius `radius`
// (pixel centres at most `radius` away belong to the disc) on a size x size
// picture, with `samples` x `samples` samples per pixel.
Picture Render(int size, double centre, double radius, const Lighting& light, int samples = 4);

// Sun direction for a Moon `ageDays` days after new Moon (mean lunation).
Lighting LightingForAge(double ageDays);

} // namespace moonpics

#endif
