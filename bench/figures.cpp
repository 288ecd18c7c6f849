// Figures for paper: what keeping the vector record costs a run (the same lesson played with
// and without a recorder), what writing the circumcircle's figure as SVG, PDF and TikZ adds, and the
// CPU time of a ten-step handout.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "bench/example_lesson.h"
#include "export/figure_export.h"
#include "export/figure_outputs.h"
#include "export/svg_figure.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "run/run_script.h"

namespace {

using vekora::bench::ExampleLesson;

// A lesson that did not compile measures nothing: the benchmark stops with the reason.
bool Compiled(benchmark::State& state, const vekora::ErrorLists& errors) {
    if (errors.codes.empty()) return true;
    state.SkipWithError(("the lesson does not compile: error on line " + std::to_string(errors.lines.front())).c_str());
    return false;
}

bool Play(benchmark::State& state, const ExampleLesson& lesson, vekora::HeadlessDevice& device) {
    if (lesson.lines.empty()) {
        // The examples are found from the build folder, where the benchmarks are run.
        state.SkipWithError("the example lesson was not found: run the benchmarks from the build folder");
        return false;
    }
    vekora::SetActiveDevice(&device);
    vekora::ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = false;
    vekora::ErrorLists errors;
    benchmark::DoNotOptimize(vekora::RunScript(lesson.lines, errors, setup));
    vekora::SetActiveDevice(nullptr);
    return Compiled(state, errors);
}

// The run alone (range 0) and with the record kept (range 1): the two times compared.
void PlayRecorded(benchmark::State& state, const std::string& name) {
    const ExampleLesson lesson = vekora::bench::LoadExampleLesson(name);
    for (auto _ : state) {
        vekora::HeadlessDevice device(lesson.events.events);
        if (state.range(0) != 0) {
            vekora::FigureRecorder recorder;
            if (!Play(state, lesson, device)) break;
            benchmark::DoNotOptimize(recorder.Figure().items.size());
        } else if (!Play(state, lesson, device)) {
            break;
        }
    }
}

bool CircumcircleFigure(benchmark::State& state, vekora::FigureRecord& figure) {
    const ExampleLesson lesson = vekora::bench::LoadExampleLesson("circumcircle");
    vekora::HeadlessDevice device(lesson.events.events);
    vekora::FigureRecorder recorder;
    if (!Play(state, lesson, device)) return false;
    figure = recorder.Figure();
    return true;
}

// The circumcircle's figure written to a file of the form the extension names.
void WriteCircumcircle(benchmark::State& state, const std::string& extension) {
    vekora::FigureRecord figure;
    if (!CircumcircleFigure(state, figure)) return;
    const std::string path = "/tmp/vekora-bench-figure" + extension;
    for (auto _ : state) benchmark::DoNotOptimize(vekora::WriteFigure(figure, path, {}));
    std::remove(path.c_str());
}

// Ten steps, a WAIT after each: ten panels and the end's.
vekora::ScriptLines TenStepLesson() {
    vekora::ScriptLines lines = {"TITLE \"Diez pasos\"", "SCREEN 640, 480"};
    for (int i = 0; i < 10; ++i) {
        const std::string n = std::to_string(i);
        const int x = 60 + 50 * i, y = 400 - 30 * i;
        lines.push_back("POINT P" + n + ", " + std::to_string(x) + ", " + std::to_string(y));
        lines.push_back("POINT Q" + n + ", " + std::to_string(x + 20 + 5 * i) + ", " + std::to_string(y));
        lines.push_back("K" + n + " = CIRCLE P" + n + ", Q" + n);
        lines.push_back("MARKPOINT P" + n + ", 16, 2");
        lines.push_back("WAIT");
    }
    lines.push_back("END");
    return lines;
}

void TenStepHandout(benchmark::State& state) {
    const vekora::ScriptLines lines = TenStepLesson();
    const std::string path = "/tmp/vekora-bench-handout.pdf";
    for (auto _ : state) {
        vekora::HeadlessDevice device({}, vekora::ViewerAnswers(0, {}));
        vekora::SetActiveDevice(&device);
        device.StopAt(600);
        vekora::FigureRequest request;
        request.handoutFile = path;
        vekora::FigureOutputs outputs(request);
        vekora::ScriptRunSetup setup;
        setup.device = &device;
        setup.options.showLogo = false;
        std::ostringstream diagnostics;
        setup.beforeClosingLogo = [&] { benchmark::DoNotOptimize(outputs.Finish(diagnostics)); };
        vekora::ErrorLists errors;
        benchmark::DoNotOptimize(vekora::RunScript(lines, errors, setup));
        vekora::SetActiveDevice(nullptr);
        if (!Compiled(state, errors)) break;
    }
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK_CAPTURE(PlayRecorded, circumcircle, std::string("circumcircle"))->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlayRecorded, instruments, std::string("instruments"))->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteCircumcircle, svg, std::string(".svg"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteCircumcircle, pdf, std::string(".pdf"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteCircumcircle, tex, std::string(".tex"))->Unit(benchmark::kMillisecond);
BENCHMARK(TenStepHandout)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
