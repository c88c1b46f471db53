// Reading the table of phase moments and eclipses built into the library.
#include "phase_table.h"

#include <algorithm>
#include <cstring>

// The table's bytes, placed in the library's read-only data at build time.
// The section and the visibility are spelled for the object format (ELF or
// PE/COFF), and the labels carry the platform's prefix of C names (an
// underscore on 32-bit Windows).
#define HALVOR_STR2(x) #x
#define HALVOR_STR(x) HALVOR_STR2(x)
#define HALVOR_LABEL(name) HALVOR_STR(__USER_LABEL_PREFIX__) #name
#define HALVOR_TABLE_START HALVOR_LABEL(halvor_phase_table) ":\n"
#define HALVOR_TABLE_END HALVOR_LABEL(halvor_phase_table_end) ":\n"
#define HALVOR_TABLE_INCBIN ".incbin \"" HALVOR_STR(HALVOR_PHASE_TABLE) "\"\n"
#if defined(_WIN32)
#define HALVOR_TABLE_SECTION ".section .rdata,\"dr\"\n"
#define HALVOR_TABLE_HIDDEN ""
#define HALVOR_TABLE_SECTION_END ".text\n"
#else
#define HALVOR_TABLE_SECTION ".section .rodata\n"
#define HALVOR_TABLE_HIDDEN                                                                                  \
    ".hidden " HALVOR_LABEL(halvor_phase_table) "\n.hidden " HALVOR_LABEL(halvor_phase_table_end) "\n"
#define HALVOR_TABLE_SECTION_END ".previous\n"
#endif
__asm__(HALVOR_TABLE_SECTION ".balign 16\n" HALVOR_TABLE_HIDDEN HALVOR_TABLE_START HALVOR_TABLE_INCBIN
            HALVOR_TABLE_END HALVOR_TABLE_SECTION_END);
extern "C" const unsigned char halvor_phase_table[];
extern "C" const unsigned char halvor_phase_table_end[];

namespace halvor_detail {

namespace {

struct Table {
    TableHeader header{};
    const float* phases = nullptr;
    const TableEclipse* eclipses = nullptr;
    bool valid = false;
};

const Table& TheTable() {
    static const Table table = [] {
        Table t;
        const std::size_t size = static_cast<std::size_t>(halvor_phase_table_end - halvor_phase_table);
        if (size < sizeof(TableHeader)) return t;
        std::memcpy(&t.header, halvor_phase_table, sizeof t.header);
        const TableHeader& h = t.header;
        if (h.magic != kTableMagic || h.version != kTableVersion || h.lunations < 0 || h.eclipses < 0)
            return t;
        const std::size_t expected = sizeof(TableHeader) +
                                     sizeof(float) * 4 * static_cast<std::size_t>(h.lunations) +
                                     sizeof(TableEclipse) * static_cast<std::size_t>(h.eclipses);
        if (size != expected) return t;
        t.phases = reinterpret_cast<const float*>(halvor_phase_table + sizeof(TableHeader));
        t.eclipses =
            reinterpret_cast<const TableEclipse*>(t.phases + 4 * static_cast<std::size_t>(h.lunations));
        t.valid = true;
        return t;
    }();
    return table;
}

// Index of the lunation in the table, or -1.
int64_t IndexOf(const Table& t, int32_t lunation) {
    if (!t.valid) return -1;
    const int64_t i = static_cast<int64_t>(lunation) - t.header.firstLunation;
    return i >= 0 && i < t.header.lunations ? i : -1;
}

} // namespace

std::string_view EmbeddedTableBytes() {
    return {reinterpret_cast<const char*>(halvor_phase_table),
            static_cast<std::size_t>(halvor_phase_table_end - halvor_phase_table)};
}

bool TablePhase(int32_t lunation, int phase, double* jde) {
    const Table& t = TheTable();
    const int64_t i = IndexOf(t, lunation);
    if (i < 0 || phase < 0 || phase > 3) return false;
    *jde = MeanPhaseOf(lunation + 0.25 * phase).jde + t.phases[4 * i + phase];
    return true;
}

bool TableEclipseAt(int32_t lunation, bool lunar, double phaseMoment, Eclipse* eclipse) {
    const Table& t = TheTable();
    const int64_t i = IndexOf(t, lunation);
    if (i < 0) return false;
    const int32_t key = static_cast<int32_t>(2 * i + (lunar ? 1 : 0));
    const TableEclipse* end = t.eclipses + t.header.eclipses;
    const TableEclipse* e =
        std::lower_bound(t.eclipses, end, key, [](const TableEclipse& a, int32_t k) { return a.key < k; });
    *eclipse = Eclipse{};
    if (e == end || e->key != key) return true;
    eclipse->type = e->type;
    eclipse->saros = SarosOf(lunation, lunar);
    eclipse->greatest = phaseMoment + e->greatest;
    eclipse->gamma = e->gamma;
    eclipse->u = e->u;
    eclipse->magnitude = e->magnitude;
    eclipse->semiPenumbral = e->semiPenumbral;
    eclipse->semiPartial = e->semiPartial;
    eclipse->semiTotal = e->semiTotal;
    return true;
}

} // namespace halvor_detail
