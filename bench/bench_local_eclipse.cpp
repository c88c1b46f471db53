// Speed of the local circumstances: the next solar eclipse visible from a
// place, from moments spread over 1900-2100, for places around the world.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "astro/LocalEclipse.h"

namespace {

constexpr double kFirst = 2415020.5; // 1900-01-01
constexpr double kLast = 2488069.5;  // 2100-01-01
constexpr size_t kSamples = 256;

struct Case {
    double moment;
    tavr::local::Place place;
};

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = [] {
        std::mt19937_64 rng(20260408);
        std::uniform_real_distribution<double> moment(kFirst, kLast), lat(-70.0, 70.0), lon(-180.0, 180.0);
        std::vector<Case> v(kSamples);
        for (Case& c : v)
            c = {moment(rng), {lat(rng), lon(rng), 0.0}};
        return v;
    }();
    return cases;
}

// state.range(0): 0 solar, 1 lunar.
void BM_NextVisibleEclipse(benchmark::State& state) {
    const std::vector<Case>& cases = Cases();
    const bool lunar = state.range(0) == 1;
    size_t i = 0;
    PhaseEventRecord record{};
    tavr::local::Circumstances found;
    for (auto _ : state) {
        const Case& c = cases[i++ % kSamples];
        benchmark::DoNotOptimize(
            tavr::local::NextVisibleEclipse(c.moment, true, lunar, c.place, record, found));
    }
}
BENCHMARK(BM_NextVisibleEclipse)->ArgName("lunar")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
