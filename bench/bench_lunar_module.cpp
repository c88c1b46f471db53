// Speed of the lunar-phase module over the whole range -3200..6000: the
// lunation of a random moment, a phase moment in UT, delta T of a moment and
// the phase of a moment.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "astro/Lunar.h"

namespace {

constexpr double kEarliest = 552283.0; // AJD of the range's first moment
constexpr double kLatest = 3912515.0;  // AJD of the range's last moment
constexpr int32_t kFirstLunation = -64316;
constexpr int32_t kLastLunation = 49472;
constexpr size_t kSamples = 4096;

const std::vector<double>& Moments() {
    static const std::vector<double> moments = [] {
        std::mt19937_64 rng(20240101);
        std::uniform_real_distribution<double> dist(kEarliest, kLatest);
        std::vector<double> v(kSamples);
        for (double& m : v)
            m = dist(rng);
        return v;
    }();
    return moments;
}

const std::vector<int32_t>& Lunations() {
    static const std::vector<int32_t> lunations = [] {
        std::mt19937_64 rng(20240102);
        std::uniform_int_distribution<int32_t> dist(kFirstLunation, kLastLunation);
        std::vector<int32_t> v(kSamples);
        for (int32_t& k : v)
            k = dist(rng);
        return v;
    }();
    return lunations;
}

void BM_LunationOf(benchmark::State& state) {
    tavr::lunar::InitLunarConstants();
    const auto& moments = Moments();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavr::lunar::LunationOf(moments[i]));
        i = (i + 1) % kSamples;
    }
}
BENCHMARK(BM_LunationOf);

void BM_PhaseMomentUT(benchmark::State& state) {
    tavr::lunar::InitLunarConstants();
    const auto& lunations = Lunations();
    size_t i = 0;
    for (auto _ : state) {
        const auto phase = static_cast<int16_t>(i % 4);
        benchmark::DoNotOptimize(tavr::lunar::PhaseMomentUT(lunations[i], phase));
        i = (i + 1) % kSamples;
    }
}
BENCHMARK(BM_PhaseMomentUT);

void BM_PhaseMomentTT(benchmark::State& state) {
    const auto& lunations = Lunations();
    size_t i = 0;
    for (auto _ : state) {
        const auto phase = static_cast<int16_t>(i % 4);
        benchmark::DoNotOptimize(tavr::lunar::PhaseMomentTT(lunations[i], phase));
        i = (i + 1) % kSamples;
    }
}
BENCHMARK(BM_PhaseMomentTT);

void BM_DeltaTAt(benchmark::State& state) {
    const auto& moments = Moments();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tavr::lunar::DeltaTAt(moments[i]));
        i = (i + 1) % kSamples;
    }
}
BENCHMARK(BM_DeltaTAt);

// LunationOf followed by GetPhase, as the Moon display does for every moment.
void BM_LunationAndPhase(benchmark::State& state) {
    tavr::lunar::InitLunarConstants();
    const auto& moments = Moments();
    size_t i = 0;
    bool isPhase = false;
    for (auto _ : state) {
        const int32_t k = tavr::lunar::LunationOf(moments[i]);
        benchmark::DoNotOptimize(tavr::lunar::GetPhase(k, moments[i], isPhase));
        i = (i + 1) % kSamples;
    }
}
BENCHMARK(BM_LunationAndPhase);

} // namespace

BENCHMARK_MAIN();
