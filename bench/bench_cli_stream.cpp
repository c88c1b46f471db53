// Peak memory of the command line over long outputs: the built program runs
// `move --times 300000 --json` and `events --json` over the whole accepted
// range (output to /dev/null), and the counter gives its peak resident size
// (the goal: under 100 MB whatever the count, since every result is written
// as it is made).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr double kPeakGoalMb = 100.0;

struct Run {
    bool ok = false;
    double peakMb = 0.0;
};

// Starts the program with `args` and waits for it: its peak resident size.
Run Measure(std::vector<std::string> args) {
    args.insert(args.begin(), TAVR_PROGRAM);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    Run run;
    if (started != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return run;
}

void Peak(benchmark::State& state, const std::vector<std::string>& args) {
    Run run;
    for (auto _ : state)
        run = Measure(args);
    if (!run.ok) {
        state.SkipWithError("the program did not start or failed");
        return;
    }
    state.counters["peak_MB"] = run.peakMb;
    if (run.peakMb >= kPeakGoalMb) state.SkipWithError("peak memory above 100 MB");
}

void BM_MoveJson300000Steps(benchmark::State& state) {
    Peak(state, {"move", "1 minute", "forward", "--from", "2000-01-01 CE", "--times", "300000", "--json"});
}
void BM_EventsJsonWholeRange(benchmark::State& state) {
    Peak(state, {"events", "--from", "-3200-01-01 CE", "--to", "6000-01-01 CE", "--json"});
}
BENCHMARK(BM_MoveJson300000Steps)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_EventsJsonWholeRange)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace

BENCHMARK_MAIN();
