// The same lesson recorded as GIF, MP4 and WebM (and MP4 at twice the size): real seconds of
// playing and encoding per minute of lesson ("s/lesson-min"; under 60 means the recording
// is made faster than the lesson plays). "none" plays it without a recorder.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "platform/active_device.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "platform/video_recorder.h"
#include "run/run_script.h"
#include "run/script_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int Fps = 25;

// A recorder on the device's clock, closed when the run is over.
struct Recording {
    std::unique_ptr<vekora::ScreenSampler> sampler;
    std::string (*close)(vekora::ScreenSampler&, double);
};

Recording MakeRecording(const std::string& kind, const std::string& path) {
    if (kind == "gif") {
        return {std::make_unique<vekora::GifRecorder>(path, Fps),
                [](vekora::ScreenSampler& s, double end) { return static_cast<vekora::GifRecorder&>(s).Close(end); }};
    }
    if (kind == "none") return {};
    const int scale = kind == "mp4x2" ? 2 : 1;
    return {std::make_unique<vekora::VideoRecorder>(path, Fps, scale, [] { return 0xFFFFFFu; }),
            [](vekora::ScreenSampler& s, double end) { return static_cast<vekora::VideoRecorder&>(s).Close(end); }};
}

void RecordLesson(benchmark::State& state, const std::string& kind) {
    const fs::path lesson = fs::path(__FILE__).parent_path().parent_path() / "examples" / "circumcircle.vek";
    const vekora::ScriptLines lines = vekora::ReadScriptFile(lesson.string(), std::cerr).value_or(vekora::ScriptLines{});
    const std::string extension = kind == "mp4x2" ? "mp4" : kind;
    const std::string path = (fs::temp_directory_path() / ("vekora_bench_record." + extension)).string();
    double realSeconds = 0, lessonSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        vekora::HeadlessDevice device;
        vekora::SetActiveDevice(&device);
        Recording recording = MakeRecording(kind, path);
        if (recording.sampler) device.AddClockObserver(recording.sampler.get());
        vekora::ScriptRunSetup setup;
        setup.options.showLogo = false;
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::RunScript(lines, errors, setup));
        if (recording.sampler) {
            device.RemoveClockObserver(recording.sampler.get());
            const std::string error = recording.close(*recording.sampler, device.ClockSeconds());
            if (!error.empty()) state.SkipWithError(error.c_str());
        }
        lessonSeconds += device.ClockSeconds();
        vekora::SetActiveDevice(nullptr);
        realSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["s/lesson-min"] = realSeconds / (lessonSeconds / 60);
    state.counters["lesson_s"] = lessonSeconds / static_cast<double>(state.iterations());
    if (kind != "none") state.counters["file_kB"] = static_cast<double>(fs::file_size(path)) / 1000;
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK_CAPTURE(RecordLesson, none, std::string("none"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(RecordLesson, gif, std::string("gif"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(RecordLesson, mp4, std::string("mp4"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(RecordLesson, mp4x2, std::string("mp4x2"))->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(RecordLesson, webm, std::string("webm"))->Unit(benchmark::kMillisecond)->UseRealTime();
