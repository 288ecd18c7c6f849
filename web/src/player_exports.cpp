// The routines the web page calls in the WebAssembly module: play a lesson on the canvas,
// check one for the editor (its errors and warnings), play one headless for the benchmark, and the last run's GIF.
// Texts cross as UTF-8 (to the page) or as the lesson's own bytes, UTF-8 or Latin-1 (from it).
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draw/font.h"
#include "draw/image.h"
#include "draw/math_text.h"
#include "i18n/language.h"
#include "interp/engine.h"
#include "interp/screen_text.h"
#include "platform/active_device.h"
#include "platform/canvas_device.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "platform/viewer_answers.h"
#include "platform/whole_file.h"
#include "run/diagnostic_printer.h"
#include "run/error_report.h"
#include "run/lesson_compile.h"
#include "run/run_script.h"
#include "run/script_text.h"
#include "script/diagnostics.h"
#include "script/passes.h"

namespace vekora {
namespace {

// What vekora_play takes in its flags.
enum PlayFlags : std::int32_t {
    PlayVirtualClock = 1,  // the virtual clock, and the scripted events
    PlayShowLogo = 2,      // the logo at the start and the end, as the window shows it
    PlayRecordGif = 4,     // an animated GIF of the run, for vekora_gif_*
};
constexpr double GifFramesPerSecond = 25;
constexpr std::int32_t BadEvents = -3;

// The program refuses a lesson or an event file over MaxInputFileBytes; so does the page.
bool TooLarge(std::int32_t length) { return static_cast<std::size_t>(std::max(length, 0)) > MaxInputFileBytes; }

// What a run leaves for the page to fetch afterwards.
struct LastRun {
    std::string text;                // the last answer handed out as a C string
    std::vector<std::uint8_t> gif;
};
LastRun& Last() {
    static LastRun last;
    return last;
}

ScriptLines LessonLines(const char* text, std::int32_t length) {
    return SplitScriptText(ScriptTextToLatin1(std::string_view(text, static_cast<std::size_t>(length))));
}

const char* Hand(std::string text) {
    Last().text = std::move(text);
    return Last().text.c_str();
}

// The whole screen copied, so that the run's last picture outlives the closing logo.
OwnedImage CopyOf(ImageHandle image) {
    if (image == nullptr) return nullptr;
    OwnedImage copy(ImageNewLike(image, 0));
    if (copy) ImageBlit(copy.get(), 0, 0, image, BlitMode::Plain, 0);
    return copy;
}

}  // namespace
}  // namespace vekora

using namespace vekora;

extern "C" {

// The compilation of a lesson as JSON: {"result": 0, -1 or -2, "diagnostics": [every error
// and warning as `vekora --check --json` gives it, "file" being `name`], "report": [the
// console lines of the numbered report]}. Lines and columns count characters.
EMSCRIPTEN_KEEPALIVE const char* vekora_check(const char* text, std::int32_t length, const char* name) {
    if (TooLarge(length))
        return Hand("{\"result\":-1,\"diagnostics\":[],\"report\":[" + JsonString(std::string(name) + ": " + TooLargeReason()) + "]}");
    InitProgram();
    const ScriptLines lines = LessonLines(text, length);
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    CompileNotes notes;
    const std::int32_t result = CompileLesson(lines, table, errors, symbols, notes);
    std::string json = "{\"result\":" + std::to_string(result) + ",\"diagnostics\":[";
    const std::vector<Diagnostic> diagnostics = BuildDiagnostics(lines, errors, notes);
    for (std::size_t i = 0; i < diagnostics.size(); ++i) {
        if (i > 0) json += ',';
        json += DiagnosticJson(name, diagnostics[i]);
    }
    json += "],\"report\":[";
    if (result != 0) {
        const std::vector<std::string> report = CompilationReportLines(result, errors);
        for (std::size_t i = 0; i < report.size(); ++i) {
            if (i > 0) json += ',';
            json += JsonString(MathTextToUtf8(report[i]));
        }
    }
    json += "]}";
    return Hand(std::move(json));
}

// Plays a lesson on the page's canvas (see canvas_device.h) and returns as RunScript does;
// -3 when the events or the choices do not read. `name` titles the page until the lesson's
// TITLE does. Every wait for the viewer is answered `advanceMs` after it began (negative:
// never), menus by `choices` ("2,1,3", or "") as `vekora --choose` answers them.
// The run's last picture stays on the canvas. The screen is drawn at `renderScale` (1 to 8;
// anything else draws at 1): the page asks for as many pixels as the canvas is shown at.
EMSCRIPTEN_KEEPALIVE std::int32_t vekora_play(const char* text, std::int32_t length, const char* events,
                                              std::int32_t eventsLength, const char* name, std::int32_t flags,
                                              std::int32_t advanceMs, const char* choices, std::int32_t renderScale) {
    if (TooLarge(length) || TooLarge(eventsLength)) {
        Hand((TooLarge(length) ? std::string(name) : std::string("events")) + ": " + TooLargeReason());
        return BadEvents;
    }
    EventList eventList = ParseEvents(std::string_view(events, static_cast<std::size_t>(eventsLength)), "events");
    if (!eventList.error.empty()) {
        Hand(eventList.error);
        return BadEvents;
    }
    const std::string_view choiceText(choices);
    const std::optional<std::vector<std::int32_t>> chosen =
        choiceText.empty() ? std::vector<std::int32_t>{} : ParseChoices(choiceText);
    if (!chosen) {
        Hand("choose: menu item numbers from 1 to 127 separated by commas, not '" + std::string(choiceText) + "'");
        return BadEvents;
    }
    CanvasDevice device((flags & PlayVirtualClock) != 0 ? CanvasDevice::Clock::Virtual : CanvasDevice::Clock::Real,
                        std::move(eventList.events), ViewerAnswers(advanceMs, *chosen));
    if (!device.SetRenderScale(renderScale)) device.SetRenderScale(1);
    SetActiveDevice(&device);
    GifRecorder gif(GifFramesPerSecond);
    if ((flags & PlayRecordGif) != 0) device.AddClockObserver(&gif);
    device.WindowCaption(std::string(name) + std::string(TitleSuffix));
    ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = (flags & PlayShowLogo) != 0;
    OwnedImage lastPicture;
    setup.beforeClosingLogo = [&] { lastPicture = CopyOf(device.ScreenAtStop()); };
    ErrorLists errors;
    const std::int32_t result = RunScript(LessonLines(text, length), errors, setup);
    if (lastPicture) device.PresentImage(lastPicture.get());
    if ((flags & PlayRecordGif) != 0) {
        device.RemoveClockObserver(&gif);
        // A run that showed nothing leaves no GIF: the page offers none.
        gif.Close(device.Stopped() ? device.StopSeconds() : device.ClockSeconds());
        Last().gif = gif.TakeBytes();
    }
    const bool runError = result != RanToEnd && result != EndReached && result >= 0;
    Hand(runError ? MathTextToUtf8(RunErrorLine(result)) : std::string());
    SetActiveDevice(nullptr);
    return result;
}

// Gives the program the resident font `name` ("sans16") made for render `scale` (2 to 4), from
// the `length` bytes of its file, which the page fetched; 1 when it was added, 0 when the bytes
// do not read as a font or it is there already.
EMSCRIPTEN_KEEPALIVE std::int32_t vekora_add_font(const char* name, std::int32_t scale, const std::uint8_t* file,
                                                  std::int32_t length) {
    return AddScaledResidentFont(name, scale, std::span(file, static_cast<std::size_t>(std::max(length, 0)))) ? 1 : 0;
}

// The message of the last vekora_play that did not end well (a run-time error, bad events);
// "" otherwise.
EMSCRIPTEN_KEEPALIVE const char* vekora_last_message() { return Last().text.c_str(); }

// Plays a lesson headless without the logo, as fast as it goes; the seconds of its virtual
// clock (the benchmark divides them by the real time taken), negative when it did not compile.
EMSCRIPTEN_KEEPALIVE double vekora_play_headless(const char* text, std::int32_t length, const char* events,
                                                 std::int32_t eventsLength) {
    const EventList eventList = ParseEvents(std::string_view(events, static_cast<std::size_t>(eventsLength)), "events");
    HeadlessDevice device(eventList.events);
    SetActiveDevice(&device);
    ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = false;
    ErrorLists errors;
    const std::int32_t result = RunScript(LessonLines(text, length), errors, setup);
    SetActiveDevice(nullptr);
    return result == -1 || result == -2 ? -1.0 : device.ClockSeconds();
}

// The GIF of the last run played with PlayRecordGif: its bytes and their number.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* vekora_gif_data() { return Last().gif.data(); }
EMSCRIPTEN_KEEPALIVE std::int32_t vekora_gif_size() { return static_cast<std::int32_t>(Last().gif.size()); }

EMSCRIPTEN_KEEPALIVE const char* vekora_version() { return VEKORA_VERSION; }

// Speaks the language `code` asks for ("fr", "en-US", "C") from now on: the bar, the reports and
// vekora_translate. Returns the catalogue's code, "" when the lesson keeps the program's Spanish.
// The answers have their own buffer: the last run's message stays where vekora_last_message
// finds it.
EMSCRIPTEN_KEEPALIVE const char* vekora_language(const char* code) {
    static std::string chosen;
    chosen = SelectLanguage(code);
    return chosen.c_str();
}

// A text of the page (UTF-8, by its Spanish source) in the language chosen.
EMSCRIPTEN_KEEPALIVE const char* vekora_translate(const char* source) {
    static std::string translation;
    translation = MathTextToUtf8(Tr(Utf8ToMathText(source)));
    return translation.c_str();
}

}  // extern "C"
