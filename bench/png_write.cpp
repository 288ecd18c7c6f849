// Writing a lesson's last picture as a PNG, as --screenshot does: the file written in full
// (colours numbered, rows compressed, the temporary file renamed over the last one).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench/example_lesson.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "platform/png_writer.h"
#include "run/run_script.h"

namespace {

namespace fs = std::filesystem;

void WriteLessonPng(benchmark::State& state, const std::string& name) {
    const vekora::bench::ExampleLesson lesson = vekora::bench::LoadExampleLesson(name);
    vekora::HeadlessDevice device(lesson.events.events);
    vekora::SetActiveDevice(&device);
    vekora::ScriptRunSetup setup;
    setup.options.showLogo = false;
    vekora::ErrorLists errors;
    vekora::RunScript(lesson.lines, errors, setup);
    const std::string path = (fs::temp_directory_path() / ("vekora-bench-" + std::to_string(getpid()) + ".png")).string();
    for (auto _ : state) {
        const std::string problem = vekora::WritePng(device.ScreenAtStop(), path);
        if (!problem.empty()) state.SkipWithError(problem.c_str());
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove(path);
    vekora::SetActiveDevice(nullptr);
}

}  // namespace

BENCHMARK_CAPTURE(WriteLessonPng, circumcircle, std::string("circumcircle"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteLessonPng, instruments, std::string("instruments"))->Unit(benchmark::kMicrosecond);
