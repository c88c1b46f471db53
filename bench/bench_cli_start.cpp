// Start of the command line beside that of `date`: each iteration starts
// `date` and `tavr180 convert "2000-01-01 CE"` one after the other (output to
// /dev/null) and waits for both; the counters give the mean time of each and
// their ratio (the goal: under 3.5).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Starts the program and waits for it; the time it took in seconds, or a
// negative value when it could not start or failed.
double Time(char* const argv[]) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -1.0;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

char kDate[] = "date";
char kProgram[] = TAVR_PROGRAM;
char kConvert[] = "convert";
char kText[] = "2000-01-01 CE";
char* const kDateArgs[] = {kDate, nullptr};
char* const kConvertArgs[] = {kProgram, kConvert, kText, nullptr};

void BM_StartConvertBesideDate(benchmark::State& state) {
    double date = 0.0;
    double convert = 0.0;
    for (auto _ : state) {
        const double d = Time(kDateArgs);
        const double c = Time(kConvertArgs);
        if (d < 0 || c < 0) {
            state.SkipWithError("a program did not start or failed");
            return;
        }
        date += d;
        convert += c;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["date_ms"] = 1000.0 * date / n;
    state.counters["convert_ms"] = 1000.0 * convert / n;
    state.counters["ratio"] = convert / date;
}
BENCHMARK(BM_StartConvertBesideDate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
