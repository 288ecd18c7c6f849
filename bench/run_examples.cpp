// The example scripts played headless without the logo: how many seconds of the run's
// virtual clock are played in one second of real time (the "played" rate).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/active_device.h"
#include "platform/event_file.h"
#include "platform/headless_device.h"
#include "shell/run_script.h"
#include "shell/script_text.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void PlayExample(benchmark::State& state, const std::string& name) {
    // The build names this source by its full path, so the examples are found beside it.
    const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "examples";
    const vekora::ScriptLines lines = vekora::SplitScriptText(vekora::ScriptTextToLatin1(ReadText(folder / (name + ".vek"))));
    const fs::path eventsPath = folder / (name + ".events");
    const vekora::EventList events =
        vekora::ParseEvents(fs::exists(eventsPath) ? ReadText(eventsPath) : std::string(), eventsPath.string());
    double playedSeconds = 0;
    for (auto _ : state) {
        vekora::HeadlessDevice device(events.events);
        vekora::SetActiveDevice(&device);
        vekora::ScriptRunSetup setup;
        setup.options.showLogo = false;
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::RunScript(lines, errors, setup));
        playedSeconds += device.ClockSeconds();
        vekora::SetActiveDevice(nullptr);
    }
    state.counters["played"] = benchmark::Counter(playedSeconds, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK_CAPTURE(PlayExample, circumcircle, std::string("circumcircle"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, incircle, std::string("incircle"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, tangents, std::string("tangents"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, equilateral, std::string("equilateral"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, measures, std::string("measures"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, menu_lesson, std::string("menu_lesson"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayExample, instruments, std::string("instruments"))->Unit(benchmark::kMillisecond);
