// Speed of tavr180 events --at over 200 years (1900-2100) from a place, in
// process: every eclipse of the span tested, the visible ones written with
// their local circumstances.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/Cli.h"

namespace {

void BM_EventsAtAPlaceOver200Years(benchmark::State& state) {
    const std::vector<std::string> args{"events",           "--from", "1900-01-01 CE", "--to",
                                        "2100-01-01 CE",    "--kind", "eclipses",      "--at",
                                        "32.78,-96.80,140", "--json"};
    for (auto _ : state) {
        std::string out, err;
        benchmark::DoNotOptimize(tavr::cli::Run(args, out, err));
        benchmark::DoNotOptimize(out.size());
    }
}
BENCHMARK(BM_EventsAtAPlaceOver200Years)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
