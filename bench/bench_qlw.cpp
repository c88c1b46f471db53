// Lunar week calendar conversions over random day numbers of the accepted range
// (-3200-01-01 .. 6000-01-01 CE). Each iteration takes a new random day, so the
// caches of the calendar rarely help; "Sequential" shows the cost of a move that
// steps one day at a time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/QLWC.h"

using namespace tavr::qlw;

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
            QlwDate q;
            DayNumberToQlw(days[(i * 7919) % days.size()], q);
            v.push_back(q);
        }
        return v;
    }();
    return dates;
}

void BM_DayNumberToQlw(benchmark::State& state) {
    const auto& days = RandomDays();
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q;
        benchmark::DoNotOptimize(DayNumberToQlw(days[i++ % days.size()], q));
        benchmark::DoNotOptimize(q);
    }
}
BENCHMARK(BM_DayNumberToQlw);

void BM_QlwToDayNumber(benchmark::State& state) {
    const auto& dates = RandomDates();
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q = dates[i++ % dates.size()];
        benchmark::DoNotOptimize(QlwToDayNumber(q));
        benchmark::DoNotOptimize(q);
    }
}
BENCHMARK(BM_QlwToDayNumber);

// What a display row costs: the conversion and the texts of forms 1 and 2.
void BM_DayNumberToQlwTexts(benchmark::State& state) {
    const auto& days = RandomDays();
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q;
        DayNumberToQlw(days[i++ % days.size()], q);
        std::string a = QlwText(q, 1);
        std::string b = QlwText(q, 2);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_DayNumberToQlwTexts);

// A QLW move step: parse the shown text, step a month, convert back.
void BM_ParseMonthStep(benchmark::State& state) {
    const auto& dates = RandomDates();
    std::vector<std::string> texts;
    for (size_t i = 0; i < 1024; ++i) {
        std::string t = QlwText(dates[i], 1);
        texts.push_back(t.substr(0, t.size() - 4));
    }
    size_t i = 0;
    for (auto _ : state) {
        QlwDate q;
        ParseQlw(texts[i++ % texts.size()], q);
        benchmark::DoNotOptimize(MonthStep(q, true));
    }
}
BENCHMARK(BM_ParseMonthStep);

void BM_DayNumberToQlwSequential(benchmark::State& state) {
    int32_t d = 2451545;
    for (auto _ : state) {
        QlwDate q;
        benchmark::DoNotOptimize(DayNumberToQlw(d++, q));
        if (d > kLastDay) d = kFirstDay;
    }
}
BENCHMARK(BM_DayNumberToQlwSequential);

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
