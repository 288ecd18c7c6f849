// The example scripts played headless without the logo: how many seconds of the run's
// virtual clock are played in one second of real time (the "played" rate).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/example_lesson.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "run/run_script.h"

namespace {

void PlayExample(benchmark::State& state, const std::string& name) {
    const vekora::bench::ExampleLesson lesson = vekora::bench::LoadExampleLesson(name);
    double playedSeconds = 0;
    for (auto _ : state) {
        vekora::HeadlessDevice device(lesson.events.events);
        vekora::SetActiveDevice(&device);
        vekora::ScriptRunSetup setup;
        setup.options.showLogo = false;
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::RunScript(lesson.lines, errors, setup));
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
