// Lunar week calendar conversions over random day numbers of the accepted range
// (-3200-01-01 .. 6000-01-01 CE). Each iteration takes a new random day, so the
// caches of the calendar rarely help; "Sequential" shows the cost of a move that
// steps one day at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "astro/Equinox.h"
#include "calendar/QLWC.h"

using namespace tavr::qlw;
using tavr::sun::MarchEquinox;

namespace {

constexpr int32_t kFirstDay = 552283;
constexpr int32_t kLastDay = 3912515;
constexpr size_t kSamples = 1 << 14;

const std::vector<int32_t>& RandomDays() {
    static const std::vector<int32_t> days = [] {
        std::mt19937 rng(20240611);
        std::uniform_int_distribution<int32_t> pick(kFirstDay, kLastDay);
        std::vector<int32_t> v(kSamples);
        for (int32_t& d : v)
            d = pick(rng);
        return v;
    }();
    return days;
}

const std::vector<QlwDate>& RandomDates() {
    static const std::vector<QlwDate> dates = [] {
        std::vector<QlwDate> v;
        v.reserve(kSamples);
        // Converted in a different order from the one the benchmark reads them in.
        const auto& days = RandomDays();
        for (size_t i = 0; i < days.size(); ++i) {
            v.push_back(FromDayNumber(days[(i * 7919) % days.size()]).date);
        }
        return v;
    }();
    return dates;
}

void BM_FromDayNumber(benchmark::State& state) {
    const auto& days = RandomDays();
    size_t i = 0;
    for (auto _ : state) {
        QlwDay day = FromDayNumber(days[i++ % days.size()]);
        benchmark::DoNotOptimize(day);
    }
}
BENCHMARK(BM_FromDayNumber);

void BM_ToDayNumber(benchmark::State& state) {
    const auto& dates = RandomDates();
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q = dates[i++ % dates.size()];
        benchmark::DoNotOptimize(ToDayNumber(q));
        benchmark::DoNotOptimize(q);
    }
}
BENCHMARK(BM_ToDayNumber);

// What a display row costs: the conversion and the texts of forms 1 and 2.
void BM_FromDayNumberTexts(benchmark::State& state) {
    const auto& days = RandomDays();
    size_t i = 0;
    for (auto _ : state) {
        const QlwDay day = FromDayNumber(days[i++ % days.size()]);
        std::string a = Text(day, tavr::TextForm::Short);
        std::string b = Text(day, tavr::TextForm::Descriptive);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_FromDayNumberTexts);

// A QLW move step: parse the shown text, step a month, convert back.
void BM_ParseMonthStep(benchmark::State& state) {
    const auto& dates = RandomDates();
    std::vector<std::string> texts;
    for (size_t i = 0; i < 1024; ++i) {
        std::string t = Text(dates[i], tavr::TextForm::Short);
        texts.push_back(t.substr(0, t.size() - 4));
    }
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q;
        Parse(texts[i++ % texts.size()], q);
        benchmark::DoNotOptimize(MonthStep(q, true));
    }
}
BENCHMARK(BM_ParseMonthStep);

void BM_FromDayNumberSequential(benchmark::State& state) {
    int32_t d = 2451545;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FromDayNumber(d++));
        if (d > kLastDay) d = kFirstDay;
    }
}
BENCHMARK(BM_FromDayNumberSequential);

void BM_MarchEquinox(benchmark::State& state) {
    int32_t y = -3200;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MarchEquinox(y));
        if (++y > 5999) y = -3200;
    }
}
BENCHMARK(BM_MarchEquinox);

} // namespace

BENCHMARK_MAIN();
