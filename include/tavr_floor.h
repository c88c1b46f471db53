// Floor division and the non-negative remainder, the arithmetic every
// calendar and the astronomy use so that counts before an epoch behave like
// the others, and the 32-bit bounds those counts must keep. Header-only, so the shared libraries stay free of
// dependencies.
#ifndef TAVR_FLOOR_H
#define TAVR_FLOOR_H

#include <cstdint>

namespace tavr {

// floor(a / b) for b != 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// a - b * floor(a / b): in 0..b-1 for b > 0.
constexpr int64_t FloorMod(int64_t a, int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// The ends of the 32-bit numbers (day numbers, years, cycles) in 64-bit arithmetic.
inline constexpr int64_t kInt32Min = INT32_MIN;
inline constexpr int64_t kInt32Max = INT32_MAX;

// True when a count worked out in 64 bits fits in 32.
constexpr bool FitsInt32(int64_t v) {
    return v >= kInt32Min && v <= kInt32Max;
}

static_assert(FloorDiv(-1, 7) == -1 && FloorMod(-1, 7) == 6 && FloorDiv(7, 7) == 1 && FloorMod(-14, 7) == 0);

} // namespace tavr

#endif
