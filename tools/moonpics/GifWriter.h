// Writes a one-frame GIF89a picture with giflib: 8-bit indices, a palette of
// up to 256 colours and an optional transparent index.
#ifndef TAVR_TOOLS_GIFWRITER_H
#define TAVR_TOOLS_GIFWRITER_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace moonpics {

struct Rgb {
    uint8_t r, g, b;
};

// `indices` holds width x height palette indices, rows top to bottom.
// `transparentIndex` -1 for none. Returns an empty string on success, else the error.
std::string WriteGif(const std::string& path, int width, int height, const std::vector<uint8_t>& indices,
                     const std::array<Rgb, 256>& palette, int transparentIndex);

} // namespace moonpics

#endif
