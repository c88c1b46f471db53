// The phase moments and eclipses of the supported lunations, computed once at
// build time from the precise theories (gen/phase_table_gen.cpp) and built
// into the library; the layout of that table.
#ifndef HALVOR_PHASE_TABLE_H
#define HALVOR_PHASE_TABLE_H

#include <cstdint>
#include <string_view>

#include "astro_internal.h"

namespace halvor_detail {

inline constexpr uint32_t kTableMagic = 0x48504854; // "THPH"
inline constexpr uint32_t kTableVersion = 1;
// The lunations that hold the ends of the program's range (-3200..6000).
inline constexpr int32_t kTableFirstLunation = -64320;
inline constexpr int32_t kTableLastLunation = 49480;

struct TableHeader {
    uint32_t magic;
    uint32_t version;
    int32_t firstLunation;
    int32_t lunations;
    int32_t eclipses;
    int32_t reserved;
};
static_assert(sizeof(TableHeader) == 24);

// After the header: per lunation four floats, the moments of its phases as
// offsets (days) from their mean moments (MeanPhaseOf(k + phase / 4).jde); then
// the eclipses ordered by key.
struct TableEclipse {
    int32_t key;    // 2 (lunation - first) for the new Moon, + 1 for the full Moon
    int32_t type;   // 1..10
    float greatest; // days from the phase moment
    float gamma, u, magnitude;
    float semiPenumbral, semiPartial, semiTotal;
};
static_assert(sizeof(TableEclipse) == 36);

// The table's bytes as built into the library.
std::string_view EmbeddedTableBytes();

// The moment of the phase from the table; false outside it.
bool TablePhase(int32_t lunation, int phase, double* jde);
// The eclipse of the new (lunar = false) or full Moon from the table, given
// the phase's moment; false outside the table (type 0: none).
bool TableEclipseAt(int32_t lunation, bool lunar, double phaseMoment, Eclipse* eclipse);

} // namespace halvor_detail

#endif
