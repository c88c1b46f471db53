// Time per conversion of the solilunar (vrslc) and triday (dtc) libraries, in
// each direction, for random day numbers over each library's whole range and
// for the day that costs a plain walk the most; the plain walks run alongside.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "dtc.h"
#include "dtc_reference.h"
#include "vrslc.h"
#include "vrslc_reference.h"

namespace {

constexpr std::size_t kSampleCount = 4096;   // a power of two
constexpr int32_t kFirstVrDay = -2145796395; // great cycles -859..858
constexpr int32_t kLastVrDay = 2146210848;
constexpr int32_t kVrWorstDay = 207226;     // the last day of a great cycle: 6840 years to walk
constexpr int32_t kLunarWorstDay = 2552633; // the last day of a lunar cycle
constexpr int32_t kSolarWorstDay = 2561192; // the last day of a solar period

std::vector<int32_t> RandomDays(int32_t first, int32_t last) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int32_t> pick(first, last);
    std::vector<int32_t> days(kSampleCount);
    for (int32_t& d : days)
        d = pick(random);
    return days;
}

const std::vector<int32_t>& VrDays() {
    static const std::vector<int32_t> days = RandomDays(kFirstVrDay, kLastVrDay);
    return days;
}
const std::vector<int32_t>& AnyDays() {
    static const std::vector<int32_t> days =
        RandomDays(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    return days;
}

template <typename Record, typename Convert>
std::vector<Record> DatesOf(const std::vector<int32_t>& days, Convert convert) {
    std::vector<Record> dates(days.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        dates[i].dayNumber = days[i];
        convert(&dates[i]);
    }
    return dates;
}

void Report(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations());
}

// ---- vrslc ------------------------------------------------------------------

void VrDayToDate(benchmark::State& state) {
    const auto& days = VrDays();
    std::size_t i = 0;
    for (auto _ : state) {
        VrslcDate d{};
        d.dayNumber = days[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(jdn_to_vrslcdate(&d));
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void VrDateToDay(benchmark::State& state) {
    const auto dates = DatesOf<VrslcDate>(VrDays(), jdn_to_vrslcdate);
    std::size_t i = 0;
    for (auto _ : state) {
        VrslcDate d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(vrslcdate_to_jdn(&d));
    }
    Report(state);
}

void VrDayToDateWorst(benchmark::State& state) {
    for (auto _ : state) {
        VrslcDate d{};
        d.dayNumber = kVrWorstDay;
        benchmark::DoNotOptimize(jdn_to_vrslcdate(&d));
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void VrDateToDayWorst(benchmark::State& state) {
    for (auto _ : state) {
        VrslcDate d{-1, 60, 13, 31, 0, 0, 0, 0, 0, 0};
        benchmark::DoNotOptimize(vrslcdate_to_jdn(&d));
    }
    Report(state);
}

void VrDayToDateWalk(benchmark::State& state) {
    const auto& days = VrDays();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(vrref::FromDayNumber(days[i++ & (kSampleCount - 1)]));
    Report(state);
}

void VrDateToDayWalk(benchmark::State& state) {
    const auto dates = DatesOf<VrslcDate>(VrDays(), jdn_to_vrslcdate);
    std::size_t i = 0;
    for (auto _ : state) {
        const VrslcDate& d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(vrref::ToDayNumber(d.cycle, d.year, d.month, d.day));
    }
    Report(state);
}

void VrDayToDateWalkWorst(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(vrref::FromDayNumber(kVrWorstDay));
    Report(state);
}

void VrDateToDayWalkWorst(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(vrref::ToDayNumber(-1, 60, 13, 31));
    Report(state);
}

// ---- dtc, lunar form --------------------------------------------------------

void LunarDayToDate(benchmark::State& state) {
    const auto& days = AnyDays();
    std::size_t i = 0;
    for (auto _ : state) {
        DtcLunarDate d{};
        d.dayNumber = days[i++ & (kSampleCount - 1)];
        jdn_to_dtclunar(&d);
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void LunarDateToDay(benchmark::State& state) {
    const auto dates = DatesOf<DtcLunarDate>(AnyDays(), jdn_to_dtclunar);
    std::size_t i = 0;
    for (auto _ : state) {
        DtcLunarDate d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(dtclunar_to_jdn(&d));
    }
    Report(state);
}

void LunarDayToDateWorst(benchmark::State& state) {
    for (auto _ : state) {
        DtcLunarDate d{};
        d.dayNumber = kLunarWorstDay;
        jdn_to_dtclunar(&d);
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void LunarDayToDateWalk(benchmark::State& state) {
    const auto& days = AnyDays();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(dtcref::LunarFromDayNumber(days[i++ & (kSampleCount - 1)]));
    Report(state);
}

void LunarDateToDayWalk(benchmark::State& state) {
    const auto dates = DatesOf<DtcLunarDate>(AnyDays(), jdn_to_dtclunar);
    std::size_t i = 0;
    for (auto _ : state) {
        const DtcLunarDate& d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(dtcref::LunarToDayNumber({d.cycle, d.year, d.month, d.triday, d.day}));
    }
    Report(state);
}

void LunarDayToDateWalkWorst(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(dtcref::LunarFromDayNumber(kLunarWorstDay));
    Report(state);
}

// ---- dtc, solar form --------------------------------------------------------

void SolarDayToDate(benchmark::State& state) {
    const auto& days = AnyDays();
    std::size_t i = 0;
    for (auto _ : state) {
        DtcSolarDate d{};
        d.dayNumber = days[i++ & (kSampleCount - 1)];
        jdn_to_dtcsolar(&d);
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void SolarDateToDay(benchmark::State& state) {
    const auto dates = DatesOf<DtcSolarDate>(AnyDays(), jdn_to_dtcsolar);
    std::size_t i = 0;
    for (auto _ : state) {
        DtcSolarDate d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(dtcsolar_to_jdn(&d));
    }
    Report(state);
}

void SolarDayToDateWorst(benchmark::State& state) {
    for (auto _ : state) {
        DtcSolarDate d{};
        d.dayNumber = kSolarWorstDay;
        jdn_to_dtcsolar(&d);
        benchmark::DoNotOptimize(d);
    }
    Report(state);
}

void SolarDayToDateWalk(benchmark::State& state) {
    const auto& days = AnyDays();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(dtcref::SolarFromDayNumber(days[i++ & (kSampleCount - 1)]));
    Report(state);
}

void SolarDateToDayWalk(benchmark::State& state) {
    const auto dates = DatesOf<DtcSolarDate>(AnyDays(), jdn_to_dtcsolar);
    std::size_t i = 0;
    for (auto _ : state) {
        const DtcSolarDate& d = dates[i++ & (kSampleCount - 1)];
        benchmark::DoNotOptimize(dtcref::SolarToDayNumber({d.year, d.quarter, d.triday, d.day}));
    }
    Report(state);
}

void SolarDayToDateWalkWorst(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(dtcref::SolarFromDayNumber(kSolarWorstDay));
    Report(state);
}

} // namespace

BENCHMARK(VrDayToDate);
BENCHMARK(VrDateToDay);
BENCHMARK(VrDayToDateWorst);
BENCHMARK(VrDateToDayWorst);
BENCHMARK(VrDayToDateWalk);
BENCHMARK(VrDateToDayWalk);
BENCHMARK(VrDayToDateWalkWorst);
BENCHMARK(VrDateToDayWalkWorst);
BENCHMARK(LunarDayToDate);
BENCHMARK(LunarDateToDay);
BENCHMARK(LunarDayToDateWorst);
BENCHMARK(LunarDayToDateWalk);
BENCHMARK(LunarDateToDayWalk);
BENCHMARK(LunarDayToDateWalkWorst);
BENCHMARK(SolarDayToDate);
BENCHMARK(SolarDateToDay);
BENCHMARK(SolarDayToDateWorst);
BENCHMARK(SolarDayToDateWalk);
BENCHMARK(SolarDateToDayWalk);
BENCHMARK(SolarDayToDateWalkWorst);

BENCHMARK_MAIN();
