// The command line's run: device, recorders, screenshot, and the chooser.
#include "shell/play.h"

#include <unistd.h>

#include <memory>

#include "platform/event_file.h"
#include "platform/frames_writer.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "platform/png_writer.h"
#include "platform/window_device.h"
#include "shell/chooser.h"
#include "shell/diagnostic_printer.h"
#include "shell/run_deadline.h"
#include "shell/run_script.h"
#include "shell/watch.h"

namespace vekora {
namespace {

constexpr std::string_view ApiErrorText = "API ERROR: ";
constexpr int ExitBadEvents = ExitUsage;

// The window, or the headless device when asked for or when no display can be opened.
std::unique_ptr<Device> MakeDevice(const CommandLine& line, std::vector<InputEvent> events, std::ostream& diagnostics,
                                   bool& headless) {
    headless = line.headless;
    if (!headless) {
        std::string whyNot;
        if (std::unique_ptr<WindowDevice> window = WindowDevice::Create(line.zoom, whyNot)) return window;
        diagnostics << "vekora: no display (" << whyNot << "); running headless\n";
        headless = true;
    }
    return std::make_unique<HeadlessDevice>(std::move(events));
}

// The pictures written of a run, attached to the device's clock while it plays.
class RunRecording {
public:
    RunRecording(const CommandLine& line, Device& device) : device_(device) {
        if (!line.record.empty()) gif_ = std::make_unique<GifRecorder>(line.record, line.fps);
        if (!line.framesFolder.empty()) frames_ = std::make_unique<FramesWriter>(line.framesFolder, line.fps);
        if (gif_) device_.AddClockObserver(gif_.get());
        if (frames_) device_.AddClockObserver(frames_.get());
    }
    // Writes what is left; returns the problems, one a line. The last picture is held for one
    // more frame first, so that a run that took no time still gives a picture.
    std::string Close(std::int32_t framesPerSecond) {
        if (gif_ || frames_) SleepMs((1000 + framesPerSecond - 1) / framesPerSecond);
        const double end = device_.ClockSeconds();
        std::string problems;
        if (gif_) {
            device_.RemoveClockObserver(gif_.get());
            const std::string error = gif_->Close(end);
            if (!error.empty()) problems += "vekora: --record: " + error + "\n";
        }
        if (frames_) {
            device_.RemoveClockObserver(frames_.get());
            const std::string error = frames_->Close(end);
            if (!error.empty()) problems += "vekora: --frames: " + error + "\n";
        }
        return problems;
    }

private:
    Device& device_;
    std::unique_ptr<GifRecorder> gif_;
    std::unique_ptr<FramesWriter> frames_;
};

// What the window shows of a script that does not compile, one line a message (Latin-1).
std::vector<std::string> PageMessages(const std::string& script, const std::vector<Diagnostic>& found) {
    std::vector<std::string> messages{script + ":"};
    for (const Diagnostic& d : found) {
        std::string where = std::to_string(d.line) + ":" + std::to_string(d.column) + ": ";
        where += d.severity == Severity::Error ? "error[" + std::to_string(d.number) + "]: " : "warning: ";
        messages.push_back(where + d.text);
    }
    return messages;
}

// --watch: plays the script again whenever it is saved; a headless run stops at its limit.
void WatchScriptFile(const std::string& script, const ScriptRunSetup& setup, std::vector<std::string>& pageMessages,
                     const RunDeadline& deadline) {
    WatchLoop loop;
    loop.playOnce = [&] {
        pageMessages = {"No se puede leer " + script};  // replaced once the file is read
        ErrorLists errors;
        return RunScriptFile(script, errors, setup);
    };
    loop.messages = [&] { return pageMessages; };
    loop.finished = [&] { return deadline.Passed(); };
    loop.messagesShown = setup.beforeClosingLogo;
    WatchScript(script, loop);
}

// The script to play: the command line's, or the chooser's answer. Empty: no run.
bool PickScript(const CommandLine& line, Console& console, std::istream& input, std::string& script, int& exitCode) {
    script = line.script;
    if (!script.empty()) return true;
    InitProgram();
    const ChooserAnswer answer = ChooseScript(console, input);
    if (answer.kind == ChooserAnswer::Kind::Chosen) {
        script = answer.path;
        return true;
    }
    exitCode = answer.kind == ChooserAnswer::Kind::Cancelled ? ExitCancelled : 0;
    if (answer.kind == ChooserAnswer::Kind::Failed) {
        // After a failed chooser the name names no script: nothing is run.
        console.PrintLine(std::string(ApiErrorText) + std::to_string(answer.error));
        std::string enter;
        std::getline(input, enter);
    }
    return false;
}

}  // namespace

int PlayScript(const CommandLine& line, Console& console, std::istream& input, std::ostream& diagnostics) {
    std::string script;
    int exitCode = 0;
    if (!PickScript(line, console, input, script, exitCode)) return exitCode;
    EventList events;
    if (!line.eventsFile.empty()) {
        events = ReadEventFile(line.eventsFile);
        if (!events.error.empty()) {
            diagnostics << "vekora: " << events.error << "\n";
            return ExitBadEvents;
        }
    }
    bool headless = false;
    std::unique_ptr<Device> device = MakeDevice(line, std::move(events.events), diagnostics, headless);
    SetActiveDevice(device.get());
    RunRecording recording(line, *device);
    RunDeadline deadline(line.untilMs);
    if (headless) device->AddClockObserver(&deadline);

    ScriptRunSetup setup;
    setup.options.showLogo = !line.noLogo && !line.watch;
    setup.console = &console;
    // "Presiona Enter" waits only for a person: at a terminal, after a run in a window.
    setup.input = !headless && !line.watch && ::isatty(STDIN_FILENO) ? &input : nullptr;
    setup.diagnostics = &diagnostics;
    const bool utf8 = LocaleWantsUtf8();
    std::vector<std::string> pageMessages;  // --watch shows them in the window
    setup.afterCompiling = [&](const ScriptLines& lines, const ErrorLists& errors, const CompileNotes& notes) {
        const std::vector<Diagnostic> found = BuildDiagnostics(lines, errors, notes);
        PrintDiagnostics(diagnostics, script, lines, found, DiagnosticFormat::Text, utf8);
        pageMessages = PageMessages(script, found);
    };
    std::string screenshotError;
    setup.beforeClosingLogo = [&] {
        if (!line.screenshot.empty()) screenshotError = WritePng(deadline.ScreenAtLimit(), line.screenshot);
    };
    std::int32_t result = 0;
    if (line.watch) {
        WatchScriptFile(script, setup, pageMessages, deadline);
    } else {
        ErrorLists errors;
        result = RunScriptFile(script, errors, setup);
    }
    if (headless) device->RemoveClockObserver(&deadline);
    if (deadline.Passed()) diagnostics << "vekora: stopped at " << line.untilMs << " ms of virtual time (--until)\n";
    if (!screenshotError.empty()) diagnostics << "vekora: --screenshot: " << screenshotError << "\n";
    const std::string recordingProblems = recording.Close(line.fps);
    diagnostics << recordingProblems;
    SetActiveDevice(nullptr);
    return ExitCodeOfRun(result, screenshotError.empty() && recordingProblems.empty());
}

}  // namespace vekora
