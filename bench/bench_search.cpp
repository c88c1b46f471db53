// Speed of the searches with the whole display of each hit: the next total
// solar eclipse from 1,000 random moments of the range, the coincidence of
// 1sts of month from the starting points with the longest way to go (both
// directions, and before the first coincidence of the range), and the events
// of one year as the session lists them and as an iCalendar text.
//
// Every search must end well within a second; the counter "worst_ms" shows
// the slowest single search of a run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "astro/Lunar.h"
#include "cli/Cli.h"
#include "session/Search.h"

namespace {

using namespace tavr;
using Clock = std::chrono::steady_clock;

constexpr size_t kMoments = 1000;

session::State StateAt(double ajd, int16_t target, bool next) {
    session::State state;
    state.dblCurrentAJDate = ajd;
    state.targetIndex = target;
    state.searchNext = next;
    return state;
}

const std::vector<double>& RandomMoments() {
    static const std::vector<double> moments = [] {
        std::mt19937_64 rng(20261208);
        // Leave room for the eclipse after the last moment.
        std::uniform_real_distribution<double> dist(kEarliestMoment, kLatestMoment - 2000.0);
        std::vector<double> v(kMoments);
        for (double& m : v)
            m = dist(rng);
        return v;
    }();
    return moments;
}

// Runs one search per iteration over `starts`; records the slowest.
void RunSearches(benchmark::State& bench, const std::vector<session::State>& starts) {
    double worst = 0.0;
    size_t i = 0;
    for (auto _ : bench) {
        const auto t0 = Clock::now();
        session::ActionResult r = session::Search(starts[i]);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        worst = std::max(worst, ms);
        benchmark::DoNotOptimize(r);
        if (++i == starts.size()) i = 0;
    }
    bench.counters["worst_ms"] = worst;
}

void BM_NextTotalSolarEclipse(benchmark::State& bench) {
    lunar::InitLunarConstants();
    std::vector<session::State> starts;
    for (double m : RandomMoments())
        starts.push_back(StateAt(m, 11, true));
    RunSearches(bench, starts);
}
BENCHMARK(BM_NextTotalSolarEclipse)->Iterations(kMoments)->Unit(benchmark::kMicrosecond);

// The days of every coincidence in the range, found by walking forward.
const std::vector<double>& Coincidences() {
    static const std::vector<double> found = [] {
        std::vector<double> v;
        session::State state = StateAt(kEarliestMoment, session::kTargetCoincidence, true);
        for (int n = 0; n < 100000; ++n) {
            const session::ActionResult r = session::Search(state);
            if (r.kind != session::ResultKind::Done) break;
            v.push_back(r.state.dblCurrentAJDate);
            state.dblCurrentAJDate = r.state.dblCurrentAJDate;
        }
        return v;
    }();
    return found;
}

// The starting points with the longest way to the next (or previous)
// coincidence: just after (before) the ends of the three widest gaps, and
// the range's first day for a previous search.
std::vector<session::State> WorstStarts(bool next) {
    const std::vector<double>& c = Coincidences();
    std::vector<std::pair<double, size_t>> gaps;
    for (size_t i = 1; i < c.size(); ++i)
        gaps.emplace_back(c[i] - c[i - 1], i);
    std::sort(gaps.rbegin(), gaps.rend());
    std::vector<session::State> starts;
    for (size_t g = 0; g < std::min<size_t>(3, gaps.size()); ++g) {
        const size_t i = gaps[g].second;
        starts.push_back(next ? StateAt(c[i - 1] + 0.6, session::kTargetCoincidence, true)
                              : StateAt(c[i] - 0.6, session::kTargetCoincidence, false));
    }
    if (!next && !c.empty()) starts.push_back(StateAt(c.front() - 0.6, session::kTargetCoincidence, false));
    return starts;
}

void BM_CoincidenceWorstNext(benchmark::State& bench) {
    lunar::InitLunarConstants();
    const std::vector<session::State> starts = WorstStarts(true);
    if (starts.empty()) {
        bench.SkipWithError("no coincidences found");
        return;
    }
    const std::vector<double>& c = Coincidences();
    double widest = 0.0;
    for (size_t i = 1; i < c.size(); ++i)
        widest = std::max(widest, c[i] - c[i - 1]);
    bench.counters["coincidences_in_range"] = static_cast<double>(c.size());
    bench.counters["widest_gap_days"] = widest;
    bench.counters["first_after_start_days"] = c.front() - kEarliestMoment;
    RunSearches(bench, starts);
}
BENCHMARK(BM_CoincidenceWorstNext)->Unit(benchmark::kMillisecond);

void BM_CoincidenceWorstPrevious(benchmark::State& bench) {
    lunar::InitLunarConstants();
    const std::vector<session::State> starts = WorstStarts(false);
    if (starts.empty()) {
        bench.SkipWithError("no coincidences found");
        return;
    }
    RunSearches(bench, starts);
}
BENCHMARK(BM_CoincidenceWorstPrevious)->Unit(benchmark::kMillisecond);

void BM_EventsOneYear(benchmark::State& bench) {
    lunar::InitLunarConstants();
    size_t count = 0;
    for (auto _ : bench) {
        const auto events = session::EventsBetween(2460310.5, 2460676.5, true, true);
        count = events.size();
        benchmark::DoNotOptimize(events.data());
    }
    bench.counters["events"] = static_cast<double>(count);
}
BENCHMARK(BM_EventsOneYear)->Unit(benchmark::kMicrosecond);

void BM_EventsOneYearIcs(benchmark::State& bench) {
    for (auto _ : bench) {
        std::string out;
        std::string err;
        const int status =
            cli::Run({"events", "--from", "2024-01-01 CE", "--to", "2025-01-01 CE", "--ics"}, out, err);
        if (status != 0) bench.SkipWithError(err.c_str());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_EventsOneYearIcs)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
