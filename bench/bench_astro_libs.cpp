// Speed of the astronomy libraries, called through their exports.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "brisel.h"
#include "halvor.h"

namespace {

// Lunations of the accepted range, -3200..6000.
constexpr int32_t kFirstLunation = -64316;
constexpr int32_t kLastLunation = 49472;
constexpr double kFirstJd = 552283.0;
constexpr double kLastJd = 3912515.0;
constexpr double kSynodicMonth = 29.530588861;
constexpr double kNewMoonK0 = 2451550.09766;
constexpr std::size_t kSamples = 4096;

std::vector<double> RandomMoments() {
    std::mt19937_64 rng(20240408);
    std::uniform_real_distribution<double> jd(kFirstJd, kLastJd);
    std::vector<double> v(kSamples);
    for (double& x : v)
        x = jd(rng);
    return v;
}

// One phase moment with its eclipse data: a random lunation and phase.
void BM_PhaseMomentWithEclipse(benchmark::State& state) {
    std::mt19937_64 rng(1);
    std::uniform_int_distribution<int32_t> k(kFirstLunation, kLastLunation);
    std::vector<int32_t> ks(kSamples);
    for (int32_t& x : ks)
        x = k(rng);
    PhaseEventRecord r;
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t j = i++ % kSamples;
        benchmark::DoNotOptimize(halvor(ks[j], static_cast<int32_t>(j & 3), &r));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PhaseMomentWithEclipse);

// Only syzygies that carry an eclipse, the slowest path.
void BM_PhaseMomentOfAnEclipse(benchmark::State& state) {
    std::vector<int32_t> ks;
    PhaseEventRecord r;
    for (int32_t k = 0; ks.size() < 256; ++k) {
        halvor(k, 0, &r);
        if (r.eclipseType != 0) ks.push_back(k);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(halvor(ks[i++ % ks.size()], 0, &r));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PhaseMomentOfAnEclipse);

// The next total solar eclipse (central or not) after a random moment: a loop over new Moons.
void BM_NextTotalSolarEclipse(benchmark::State& state) {
    const std::vector<double> moments = RandomMoments();
    std::size_t i = 0;
    int64_t newMoons = 0;
    for (auto _ : state) {
        const double t = moments[i++ % kSamples];
        auto k = static_cast<int32_t>(std::floor((t - kNewMoonK0) / kSynodicMonth)) - 1;
        PhaseEventRecord r;
        for (;; ++k) {
            ++newMoons;
            const double jde = halvor(k, 0, &r);
            if (jde >= t && (r.eclipseType == 3 || r.eclipseType == 4)) break;
        }
        benchmark::DoNotOptimize(r.greatest);
    }
    state.counters["new Moons per search"] =
        benchmark::Counter(static_cast<double>(newMoons) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_NextTotalSolarEclipse);

void BM_DeltaT(benchmark::State& state) {
    std::vector<double> years(kSamples);
    std::mt19937_64 rng(2);
    std::uniform_int_distribution<int> y(-3200, 6000);
    for (double& x : years)
        x = y(rng);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(deltat(years[i++ % kSamples], 1915));
}
BENCHMARK(BM_DeltaT);

void BM_MoonLongitude(benchmark::State& state) {
    const std::vector<double> moments = RandomMoments();
    std::size_t i = 0;
    double lat = 0, dist = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(moonpos(moments[i++ % kSamples] - 2451545.0, &lat, &dist));
}
BENCHMARK(BM_MoonLongitude);

void BM_SunLongitude(benchmark::State& state) {
    const std::vector<double> moments = RandomMoments();
    std::size_t i = 0;
    double r = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(brisel_app(moments[i++ % kSamples], &r));
}
BENCHMARK(BM_SunLongitude);

} // namespace

BENCHMARK_MAIN();
