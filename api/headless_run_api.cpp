// VEKS_RUNHEADLESS: a script file played on a headless device of its own, for a C program that
// wants the run's last picture (and, if asked, a recording or its figure for paper) rather than
// a window.
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "api/c_arguments.h"
#include "export/figure_export.h"
#include "export/figure_outputs.h"
#include "interp/engine.h"
#include "platform/event_file.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_file.h"
#include "settings/settings.h"
#include "vekora.h"

namespace {

using namespace vekora;

constexpr std::int32_t RefusedArguments = -3;
constexpr std::int32_t UnusableEvents = -4;
constexpr std::int32_t RecordNotWritten = -5;  // a recording or a figure
constexpr std::int32_t RunFailed = -6;
constexpr std::int64_t DefaultLimitMs = 600000;
constexpr std::int32_t DefaultFramesPerSecond = 25;

ImageHandle CopyOf(ImageHandle image) {
    if (image == nullptr) return nullptr;
    ImageHandle copy = ImageNewLike(image, 0);
    if (copy != nullptr) ImageBlit(copy, 0, 0, image, BlitMode::Plain, 0);
    return copy;
}

// `figure`: what to write of the run's figure, or null.
std::int32_t RunHeadless(const char* fileName, const VEKS_HeadlessRun& options, std::int32_t scale,
                         const FigureRequest* figure, VekImage* finalScreen, VEKS_IntList& errorCodes,
                         VEKS_IntList& errorLines) {
    EventList events;
    if (options.eventFile != nullptr) {
        events = ReadEventFile(options.eventFile);
        if (!events.error.empty()) return UnusableEvents;
    }
    // The run's own device and settings, handed to it and never made the library's: runs on
    // other threads at the same time have theirs, and the caller's stay as they were.
    HeadlessDevice device(std::move(events.events));
    if (!device.SetRenderScale(scale)) return RefusedArguments;
    Settings settings;
    device.StopAt(static_cast<double>(options.untilMs > 0 ? options.untilMs : DefaultLimitMs) / 1000.0);
    const std::int32_t fps = options.framesPerSecond > 0 ? options.framesPerSecond : DefaultFramesPerSecond;
    std::unique_ptr<GifRecorder> gif;
    if (options.recordFile != nullptr) {
        gif = std::make_unique<GifRecorder>(options.recordFile, fps);
        device.AddClockObserver(gif.get());
    }

    // Recording from before the run makes its page, on this thread only.
    std::unique_ptr<FigureOutputs> figures;
    if (figure != nullptr) figures = std::make_unique<FigureOutputs>(*figure);
    std::string figureProblems;
    bool figureFinished = false;

    std::ostream silent(nullptr);
    ScriptRunSetup setup;
    setup.device = &device;
    setup.settings = &settings;
    setup.options.showLogo = false;
    setup.diagnostics = &silent;
    OwnedImage lastPicture;
    if (figures) {
        setup.afterCompiling = [&](const ScriptLines&, const ErrorLists&, const CompileNotes& notes) {
            figures->StatementLines(notes.rowPlaces);
        };
    }
    setup.beforeClosingLogo = [&] {
        lastPicture.reset(CopyOf(device.ScreenAtStop()));
        if (figures) figureProblems = figures->Finish(silent);
        figureFinished = true;
    };
    ErrorLists errors;
    const std::optional<ScriptLines> lines = ReadScriptFile(fileName, silent);
    std::int32_t result = RunScript(lines ? *lines : ScriptLines{}, errors, setup);
    if (gif) {
        // The last picture is held for one more frame, so that a run that took no time still
        // leaves one.
        device.Sleep((1000 + fps - 1) / fps);
        device.RemoveClockObserver(gif.get());
        if (!gif->Close(device.ClockSeconds()).empty() && (result == 0 || result == EndReached)) result = RecordNotWritten;
    }
    const bool figureMissing = figures && (!figureProblems.empty() || !figureFinished);
    if (figureMissing && (result == 0 || result == EndReached)) result = RecordNotWritten;
    if (!errors.codes.empty()) {
        if (!capi::HandList(errors.codes, errorCodes) || !capi::HandList(errors.lines, errorLines)) throw std::bad_alloc();
    }
    if (finalScreen != nullptr) *finalScreen = lastPicture.release();
    return result;
}

}  // namespace

extern "C" VEK_API int32_t VEKS_RUNHEADLESSSCALED(const char* fileName, const VEKS_HeadlessRun* options,
                                                  int32_t scale, VekImage* finalScreen, VEKS_IntList* errorCodes,
                                                  VEKS_IntList* errorLines) {
    if (finalScreen != nullptr) *finalScreen = nullptr;
    if (fileName == nullptr || errorCodes == nullptr || errorLines == nullptr) return RefusedArguments;
    const VEKS_HeadlessRun defaults{};
    try {
        return RunHeadless(fileName, options != nullptr ? *options : defaults, scale, nullptr, finalScreen,
                           *errorCodes, *errorLines);
    } catch (const std::exception&) {
        return RunFailed;
    }
}

extern "C" VEK_API int32_t VEKS_RUNHEADLESS(const char* fileName, const VEKS_HeadlessRun* options,
                                            VekImage* finalScreen, VEKS_IntList* errorCodes,
                                            VEKS_IntList* errorLines) {
    return VEKS_RUNHEADLESSSCALED(fileName, options, 1, finalScreen, errorCodes, errorLines);
}

extern "C" VEK_API int32_t VEKS_RUNHEADLESSFIGURE(const char* fileName, const VEKS_HeadlessRun* options,
                                                  const char* figureFile, int32_t paper, VEKS_IntList* errorCodes,
                                                  VEKS_IntList* errorLines) {
    if (fileName == nullptr || figureFile == nullptr || errorCodes == nullptr || errorLines == nullptr) return RefusedArguments;
    static constexpr const char* PaperNames[] = {"", "a4", "letter"};
    if (paper < VEKS_PAPER_FIGURE || paper > VEKS_PAPER_LETTER || !IsFigureFile(figureFile)) return RefusedArguments;
    FigureRequest figure;
    figure.exportFile = figureFile;
    figure.paper = PaperNames[paper];
    const VEKS_HeadlessRun defaults{};
    try {
        return RunHeadless(fileName, options != nullptr ? *options : defaults, 1, &figure, nullptr, *errorCodes,
                           *errorLines);
    } catch (const std::exception&) {
        return RunFailed;
    }
}
