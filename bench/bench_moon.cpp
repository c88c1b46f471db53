// Speed of the Moon display: ComputeMoonData for moments of the precise
// (1600-2099) and approximate ranges, and DrawMoonPicture per case. The
// pictures are read from the benchmark's own folder (bin/), or from
// TAVR_BENCH_PICDIR when set.
#include <benchmark/benchmark.h>

#include <QColor>
#include <QCoreApplication>
#include <QFileInfo>

#include <random>
#include <vector>

#include "astro/MoonData.h"
#include "astro/picture/MoonPicture.h"
#include "base/LibLoader.h"

using namespace tavr::moon;

namespace {

std::vector<double> Moments(double from, double to) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> d(from, to);
    std::vector<double> v(4096);
    for (double& t : v)
        t = d(rng);
    return v;
}

void BM_ComputeMoonData_Precise(benchmark::State& state) {
    const auto moments = Moments(2305448.0, 2488069.0); // 1600..2099
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeMoonData(moments[i++ % moments.size()]));
}
BENCHMARK(BM_ComputeMoonData_Precise);

void BM_ComputeMoonData_Approximate(benchmark::State& state) {
    const auto moments = Moments(kFirstMoment + 40, 2305000.0); // -3200..1598
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeMoonData(moments[i++ % moments.size()]));
}
BENCHMARK(BM_ComputeMoonData_Approximate);

QString PictureFolder() {
    // The program's own folder: bin/, where this benchmark is written.
    return QFileInfo(QString::fromLocal8Bit(qgetenv("TAVR_BENCH_PICDIR"))).isDir()
               ? QString::fromLocal8Bit(qgetenv("TAVR_BENCH_PICDIR"))
               : QString::fromStdString(tavr::LibraryDirectory());
}

// Argument: illuminated percentage; range(1): 1 waxing, 0 waning.
void BM_DrawMoonPicture(benchmark::State& state) {
    MoonReport r;
    ApplyPhase(r, state.range(0) / 100.0, state.range(1) != 0);
    const QString dir = PictureFolder();
    if (DrawMoonPicture(r, QColor(0, 0, 128), dir).isNull()) {
        state.SkipWithError("Moon pictures not found (set TAVR_BENCH_PICDIR)");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawMoonPicture(r, QColor(0, 0, 128), dir));
}
BENCHMARK(BM_DrawMoonPicture)
    ->Args({0, 1})   // dark, unchanged
    ->Args({50, 1})  // quarter, unchanged
    ->Args({20, 1})  // waxing crescent
    ->Args({80, 1})  // waxing gibbous
    ->Args({80, 0})  // waning gibbous
    ->Args({20, 0}); // waning crescent

// The whole display: data, then picture.
void BM_MoonDisplay(benchmark::State& state) {
    const auto moments = Moments(2305448.0, 2488069.0);
    const QString dir = PictureFolder();
    size_t i = 0;
    for (auto _ : state) {
        const MoonReport r = ComputeMoonData(moments[i++ % moments.size()]);
        benchmark::DoNotOptimize(DrawMoonPicture(r, QColor(0, 0, 128), dir));
    }
}
BENCHMARK(BM_MoonDisplay);

} // namespace

BENCHMARK_MAIN();
