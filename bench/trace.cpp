// An ANIMATION whose point leaves a trace, played headless for 60 and for 600 seconds of the
// virtual clock: how many seconds of the run are played in one second of real time. A frame
// that costs only what it draws (the trails' newest positions among it) keeps the two rates
// equal.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_text.h"

namespace {

// A point runs round a circle, 20 frames a second, and leaves its trail; a second point
// crosses it, so that the order of the trails shows where they meet.
std::string TraceLesson(std::int64_t seconds) {
    const std::int64_t frames = seconds * 20;
    return "SCREEN 640, 480\nFRAMESPEED 50\n"
           "CIRCLE K, 320, 230, 150, &H0000FF\n"
           "POINT P, 470, 230\nPOINT Q, 170, 230\n"
           "ANIMATE Orbit\nEND\n"
           "ANIMATION Orbit\nSTEP P ALONG K, 3\nSTEP Q ALONG K, -2\nTRACE P, Q\n"
           "REPEAT " + std::to_string(frames) + "\n";
}

void TraceAnimation(benchmark::State& state) {
    const std::int64_t seconds = state.range(0);
    const vekora::ScriptLines lines = vekora::SplitScriptText(TraceLesson(seconds));
    double playedSeconds = 0;
    for (auto _ : state) {
        vekora::HeadlessDevice device;
        // The main module waits for the viewer after an animation: end the run there.
        device.StopAt(static_cast<double>(seconds) + 2.0);
        vekora::ScriptRunSetup setup;
        setup.device = &device;
        setup.options.showLogo = false;
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::RunScript(lines, errors, setup));
        playedSeconds += device.ClockSeconds();
    }
    state.counters["played"] = benchmark::Counter(playedSeconds, benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(TraceAnimation)->Arg(60)->Arg(600)->Unit(benchmark::kMillisecond);
