// Writes the table of phase moments and eclipses of the supported lunations,
// computed from the precise theories: phase_table_gen OUTPUT.
#include <cstdio>
#include <thread>
#include <vector>

#include "phase_table.h"

using namespace halvor_detail;

namespace {

struct Lunation {
    float phases[4];
    TableEclipse eclipses[2];
    bool has[2];
};

void Compute(int32_t first, int32_t count, int32_t from, int32_t step, std::vector<Lunation>& out) {
    for (int32_t i = from; i < count; i += step) {
        const int32_t k = first + i;
        Lunation& l = out[i];
        for (int p = 0; p < 4; ++p) {
            const double jde = PrecisePhaseMoment(k, p);
            l.phases[p] = static_cast<float>(jde - MeanPhaseOf(k + 0.25 * p).jde);
            if (p == 1 || p == 3) continue;
            const bool lunar = p == 2;
            const Eclipse ec = PreciseEclipse(k, lunar, jde);
            l.has[lunar] = ec.type != 0;
            TableEclipse& t = l.eclipses[lunar];
            t = TableEclipse{};
            t.key = 2 * i + (lunar ? 1 : 0);
            t.type = ec.type;
            t.greatest = static_cast<float>(ec.greatest - jde);
            t.gamma = static_cast<float>(ec.gamma);
            t.u = static_cast<float>(ec.u);
            t.magnitude = static_cast<float>(ec.magnitude);
            t.semiPenumbral = static_cast<float>(ec.semiPenumbral);
            t.semiPartial = static_cast<float>(ec.semiPartial);
            t.semiTotal = static_cast<float>(ec.semiTotal);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: phase_table_gen OUTPUT\n");
        return 2;
    }
    const int32_t first = kTableFirstLunation, count = kTableLastLunation - kTableFirstLunation + 1;
    std::vector<Lunation> lunations(count);
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(Compute, first, count, static_cast<int32_t>(t), static_cast<int32_t>(threads),
                          std::ref(lunations));
    for (std::thread& t : pool)
        t.join();

    std::vector<TableEclipse> eclipses;
    for (const Lunation& l : lunations)
        for (int s = 0; s < 2; ++s)
            if (l.has[s]) eclipses.push_back(l.eclipses[s]);
    TableHeader h{kTableMagic, kTableVersion, first, count, static_cast<int32_t>(eclipses.size()), 0};

    const std::string tmp = std::string(argv[1]) + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (f == nullptr) {
        std::perror(tmp.c_str());
        return 1;
    }
    bool ok = std::fwrite(&h, sizeof h, 1, f) == 1;
    for (const Lunation& l : lunations)
        ok = ok && std::fwrite(l.phases, sizeof l.phases, 1, f) == 1;
    ok = ok && std::fwrite(eclipses.data(), sizeof(TableEclipse), eclipses.size(), f) == eclipses.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), argv[1]) != 0) {
        std::fprintf(stderr, "phase_table_gen: cannot write %s\n", argv[1]);
        std::remove(tmp.c_str());
        return 1;
    }
    std::printf("phase table: %d lunations, %zu eclipses\n", count, eclipses.size());
    return 0;
}
