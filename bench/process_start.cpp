// The whole program as a user starts it, from exec to exit: the CPU time (user + system) of
// one run, taken from the child's own accounting, so that loading libraries, static
// initialisers, reading fonts, the run and writing its outputs all count. The medians of the
// repetitions are the figures to read ("cpu_ms"):
//   build/bench/bench_process_start --benchmark_repetitions=20 --benchmark_report_aggregates_only
// VEKORA_BENCH_PROGRAM names another build of the program to compare with. The instruments
// example changes its picture 372 times at 25 samples a second: the cost of a GIF frame or of
// a PNG frame is (instruments_gif or instruments_frames - instruments_plain) / 372.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path Source = fs::path(__FILE__).parent_path().parent_path();

// Runs the program with `args` (output to /dev/null); the child's CPU seconds, or -1. The
// child is spawned without copying this process (posix_spawn), so what it counts is the
// program's own work from exec to exit.
double ChildCpuSeconds(const std::vector<std::string>& args) {
    const char* other = std::getenv("VEKORA_BENCH_PROGRAM");
    const std::string program = other != nullptr ? other : VEKORA_PROGRAM;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed != 0) return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunProgram(benchmark::State& state, const std::vector<std::string>& args) {
    double cpu = 0;
    for (auto _ : state) {
        const double seconds = ChildCpuSeconds(args);
        if (seconds < 0) {
            state.SkipWithError("the program failed");
            return;
        }
        state.SetIterationTime(seconds);
        cpu += seconds;
    }
    state.counters["cpu_ms"] = 1000 * cpu / static_cast<double>(state.iterations());
}

const std::string Lesson = (Source / "examples" / "circumcircle.vek").string();
const std::string Instruments = (Source / "examples" / "instruments.vek").string();
const std::string InstrumentEvents = (Source / "examples" / "instruments.events").string();
const std::string Out = (fs::temp_directory_path() / "vekora_bench_process").string();

}  // namespace

BENCHMARK_CAPTURE(RunProgram, version, std::vector<std::string>{"--version"})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunProgram, check, std::vector<std::string>{"--check", Lesson})->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RunProgram, screenshot,
                  std::vector<std::string>{"--headless", "--no-logo", "--screenshot", Out + ".png", Lesson})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// The same picture drawn four times finer (2560 x 1920), as for a poster or a 4K projector.
BENCHMARK_CAPTURE(RunProgram, screenshot_scale4,
                  std::vector<std::string>{"--headless", "--no-logo", "--scale", "4", "--screenshot", Out + ".png", Lesson})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// The instruments example (60 s of lesson) as a GIF and as a folder of PNG frames.
BENCHMARK_CAPTURE(RunProgram, instruments_gif,
                  std::vector<std::string>{"--headless", "--no-logo", "--until", "60000", "--events", InstrumentEvents,
                                           "--record", Out + ".gif", Instruments})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(RunProgram, instruments_frames,
                  std::vector<std::string>{"--headless", "--no-logo", "--until", "60000", "--events", InstrumentEvents,
                                           "--frames", Out + "-frames", Instruments})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(RunProgram, instruments_plain,
                  std::vector<std::string>{"--headless", "--no-logo", "--until", "60000", "--events", InstrumentEvents,
                                           Instruments})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
