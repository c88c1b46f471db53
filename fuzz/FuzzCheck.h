// Helpers of the fuzz targets: a check that stops the run with a message (the
// fuzzer then saves the input as a reproducer), and readers of raw input bytes.
#ifndef TAVR_FUZZ_CHECK_H
#define TAVR_FUZZ_CHECK_H

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

// FUZZ_CHECK(condition, printf-format, args...): aborts with the message when
// the condition does not hold.
#define FUZZ_CHECK(cond, ...)                                                                                \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "\n%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #cond);                \
            std::fprintf(stderr, __VA_ARGS__);                                                               \
            std::fputc('\n', stderr);                                                                        \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

namespace fuzz {

// Any double, NaN, infinities and subnormals included: eight raw bytes.
inline double RawDouble(FuzzedDataProvider& in) {
    return std::bit_cast<double>(in.ConsumeIntegral<uint64_t>());
}

// The whole input as a text; the library sees it up to its first NUL.
inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

constexpr double kTwoPi = 6.283185307179586;

inline bool InTurn(double radians) {
    return radians >= 0.0 && radians <= kTwoPi;
}

} // namespace fuzz

#endif
