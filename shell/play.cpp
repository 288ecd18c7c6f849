// The command line's run: device, recorders, screenshot, and the chooser.
#include "shell/play.h"

#include <unistd.h>

#include <memory>

#include <csignal>

#include "export/figure_outputs.h"
#include "i18n/language.h"
#include "platform/active_device.h"
#include "platform/event_file.h"
#include "platform/frames_writer.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "platform/plugins.h"
#include "platform/png_writer.h"
#include "platform/stop_signals.h"
#include "run/diagnostic_printer.h"
#include "run/run_script.h"
#include "settings/settings.h"
#include "shell/chooser.h"
#include "shell/help_box.h"
#include "shell/unanswered_wait.h"
#include "shell/watch.h"

namespace vekora {
namespace {

constexpr std::string_view ApiErrorText = N_("API ERROR: %s");
constexpr int ExitBadEvents = ExitUsage;

// What a headless run types for its viewer: a recording made without events goes on by
// itself, so that it shows the whole lesson; a handout goes through its waits at once, each
// of them a panel.
ViewerAnswers AnswersFor(const CommandLine& line) {
    const bool recording = !line.record.empty() || !line.framesFolder.empty();
    std::int64_t byDefault = recording && line.eventsFile.empty() ? ViewerAnswers::RecordingAdvanceMs : -1;
    if (!line.figures.handoutFile.empty()) byDefault = 0;
    return ViewerAnswers(line.advanceMs.value_or(byDefault), line.choices);
}

// The window, or the headless device when asked for or when no display can be opened.
std::unique_ptr<Device> MakeDevice(const CommandLine& line, std::vector<InputEvent> events, std::ostream& diagnostics,
                                   bool& headless) {
    // A handout is played headless.
    headless = line.headless || !line.figures.handoutFile.empty();
    if (!headless) {
        std::string whyNot;
        InitProgram();  // the help box is drawn with the resident fonts
        const OwnedImage help = HelpBoxPicture();
        // Pictures written of the run keep the scale asked for (1 by default); a window that
        // writes none draws as finely as the display shows it.
        const bool writesPictures = line.scaleGiven || !line.screenshot.empty() || !line.record.empty() ||
                                    !line.framesFolder.empty();
        const WindowOptions options{line.zoom, line.fullscreen, line.sharp, !writesPictures};
        if (std::unique_ptr<Device> window = OpenWindowDevice(options, help.get(), whyNot)) return window;
        diagnostics << ConsoleText(TrFormat(N_("vekora: no window (%s); running headless"), {whyNot})) << "\n";
        headless = true;
    }
    return std::make_unique<HeadlessDevice>(std::move(events), AnswersFor(line));
}

// The pictures written of a run, attached to the device's clock while it plays.
class RunRecording {
public:
    // A video that cannot be written (no video plugin) leaves `error` said and records nothing.
    RunRecording(const CommandLine& line, Device& device, std::string& error) : device_(device) {
        if (VideoKindOf(line.record) != VideoKind::None) {
            // The screen is drawn at the render scale already: the video takes its pixels as they are.
            video_ = OpenVideoOutput(line.record, line.fps, 1,
                                     [] { return static_cast<std::uint32_t>(ProgramSettings().backgroundColour); }, error);
            if (!video_) return;
        } else if (!line.record.empty()) {
            gif_ = std::make_unique<GifRecorder>(line.record, line.fps);
        }
        if (!line.framesFolder.empty()) frames_ = std::make_unique<FramesWriter>(line.framesFolder, line.fps);
        if (gif_) device_.AddClockObserver(gif_.get());
        if (video_) device_.AddClockObserver(video_.get());
        if (frames_) device_.AddClockObserver(frames_.get());
    }
    // Writes what is left; returns the problems, one a line. The last picture is held for one
    // more frame first, so that a run that took no time still gives a picture. A stopped
    // device's clock stands still: the picture it stopped on is held instead.
    std::string Close(std::int32_t framesPerSecond) {
        const std::int32_t holdMs = (1000 + framesPerSecond - 1) / framesPerSecond;
        double end = device_.ClockSeconds();
        if (device_.Stopped()) {
            end = device_.StopSeconds() + holdMs / 1000.0;
            for (ScreenSampler* sampler : Samplers()) sampler->ClockAdvanced(device_.StopSeconds(), end, device_.ScreenAtStop());
        } else if (gif_ || video_ || frames_) {
            device_.Sleep(holdMs);
            end = device_.ClockSeconds();
        }
        std::string problems;
        if (gif_) {
            device_.RemoveClockObserver(gif_.get());
            const std::string error = gif_->Close(end);
            if (!error.empty()) problems += ConsoleText(TrFormat(N_("vekora: --record: %s"), {error})) + "\n";
        }
        if (video_) {
            device_.RemoveClockObserver(video_.get());
            const std::string error = video_->Close(end);
            if (!error.empty()) problems += ConsoleText(TrFormat(N_("vekora: --record: %s"), {error})) + "\n";
        }
        if (frames_) {
            device_.RemoveClockObserver(frames_.get());
            const std::string error = frames_->Close(end);
            if (!error.empty()) problems += ConsoleText(TrFormat(N_("vekora: --frames: %s"), {error})) + "\n";
        }
        return problems;
    }

private:
    std::vector<ScreenSampler*> Samplers() const {
        std::vector<ScreenSampler*> samplers;
        if (gif_) samplers.push_back(gif_.get());
        if (video_) samplers.push_back(video_.get());
        if (frames_) samplers.push_back(frames_.get());
        return samplers;
    }

    Device& device_;
    std::unique_ptr<GifRecorder> gif_;
    std::unique_ptr<VideoOutput> video_;
    std::unique_ptr<FramesWriter> frames_;
};

// Says how a stopped run was stopped; the exit code a signal gives it (the shell's 128 +
// signal number), or 0.
int StopNote(const Device& device, const CommandLine& line, const StatementPlaces& places, std::ostream& diagnostics) {
    const auto stoppedMs = static_cast<std::int64_t>(device.StopSeconds() * 1000.0 + 0.5);
    const auto stoppedBy = [&](std::string_view signal, int exitCode) {
        diagnostics << ConsoleText(TrFormat(N_("vekora: stopped by %s at %s ms of the run's clock"),
                                           {signal, std::to_string(stoppedMs)})) << "\n";
        return exitCode;
    };
    switch (device.StopCause()) {
        case StopReason::TimeLimit:
            diagnostics << ConsoleText(TrFormat(N_("vekora: stopped at %s ms of virtual time (--until)"),
                                               {std::to_string(line.untilMs)})) << "\n";
            if (const StandingWait* waiting = device.WaitForViewer())
                diagnostics << ConsoleText(UnansweredWaitNote(*waiting, places));
            return 0;
        case StopReason::Interrupted: return stoppedBy("SIGINT", ExitInterrupted);
        case StopReason::Terminated: return stoppedBy("SIGTERM", ExitTerminated);
        case StopReason::HungUp: return stoppedBy("SIGHUP", ExitHungUp);
        case StopReason::WindowClosed:
        case StopReason::ScriptChanged:
        case StopReason::Replay:
        case StopReason::None:
            break;
    }
    return 0;
}

// What the window shows of a script that does not compile, one line a message (Latin-1).
std::vector<std::string> PageMessages(const std::string& script, const std::vector<Diagnostic>& found) {
    std::vector<std::string> messages{script + ":"};
    for (const Diagnostic& d : found) {
        messages.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) + ": " + SeverityWords(d) + ": " +
                           d.text);
    }
    return messages;
}

// --watch: plays the script again whenever it is saved, until the window is closed, a stop
// signal comes or a headless run reaches its limit.
void WatchScriptFile(const std::string& script, const ScriptRunSetup& setup, std::vector<std::string>& pageMessages,
                     const Device& device) {
    WatchLoop loop;
    loop.playOnce = [&] {
        pageMessages = {TrFormat(N_("No se puede leer %s"), {script})};  // replaced once the file is read
        ErrorLists errors;
        return RunScriptFile(script, errors, setup);
    };
    loop.messages = [&] { return pageMessages; };
    loop.finished = [&] {
        const StopReason cause = device.StopCause();
        return cause != StopReason::None && cause != StopReason::ScriptChanged;
    };
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
        console.PrintLine(TrFormat(ApiErrorText, {std::to_string(answer.error)}));
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
            diagnostics << ConsoleText(TrFormat(N_("vekora: %s"), {events.error})) << "\n";
            return ExitBadEvents;
        }
    }
    bool headless = false;
    std::unique_ptr<Device> device = MakeDevice(line, std::move(events.events), diagnostics, headless);
    SetActiveDevice(device.get());
    CatchStopSignals();
    std::string recordingError;
    RunRecording recording(line, *device, recordingError);
    if (!recordingError.empty()) {
        diagnostics << ConsoleText(TrFormat(N_("vekora: --record: %s"), {line.record + ": " + recordingError})) << "\n";
        SetActiveDevice(nullptr);
        return ExitOutputFailed;
    }
    // Screenshots, frames and recordings come from the screen: it is drawn at the scale asked
    // for, in a window too (which shows the finer picture fitted to its size).
    device->SetRenderScale(line.scale);
    // A window that follows its display draws at the scale it foresees for itself.
    if (device->RenderScaleOutdated()) device->SetRenderScale(device->WantedRenderScale());
    if (headless) device->StopAt(static_cast<double>(line.untilMs) / 1000.0);
    std::unique_ptr<FigureOutputs> figures;
    if (line.figures.Wanted()) figures = std::make_unique<FigureOutputs>(line.figures);

    ScriptRunSetup setup;
    setup.device = device.get();
    setup.options.showLogo = !line.noLogo && !line.watch;
    setup.options.presenter = line.presenter;
    setup.console = &console;
    // "Presiona Enter" waits only for a person: at a terminal, after a run in a window.
    setup.input = !headless && !line.watch && ::isatty(STDIN_FILENO) ? &input : nullptr;
    setup.diagnostics = &diagnostics;
    const bool utf8 = LocaleWantsUtf8();
    std::vector<std::string> pageMessages;  // --watch shows them in the window
    StatementPlaces places;                 // where a run that stood still was waiting
    places.script = script;
    setup.afterCompiling = [&](const ScriptLines& lines, const ErrorLists& errors, const CompileNotes& notes) {
        places.lines = lines;
        places.rows = notes.rowPlaces;
        const std::vector<Diagnostic> found = BuildDiagnostics(lines, errors, notes);
        PrintDiagnostics(diagnostics, script, lines, found, DiagnosticFormat::Text, utf8);
        pageMessages = PageMessages(script, found);
        if (figures) figures->StatementLines(notes.rowPlaces);
    };
    std::string screenshotError;
    std::string figureProblems;
    setup.beforeClosingLogo = [&] {
        if (!line.screenshot.empty()) screenshotError = WritePng(device->ScreenAtStop(), line.screenshot);
        if (figures) figureProblems = figures->Finish(diagnostics);
    };
    std::int32_t result = 0;
    if (line.watch) {
        WatchScriptFile(script, setup, pageMessages, *device);
    } else {
        ErrorLists errors;
        result = RunScriptFile(script, errors, setup);
    }
    if (!screenshotError.empty()) {
        diagnostics << ConsoleText(TrFormat(N_("vekora: --screenshot: %s"), {screenshotError})) << "\n";
    }
    diagnostics << figureProblems;
    const std::string recordingProblems = recording.Close(line.fps);
    diagnostics << recordingProblems;
    SetActiveDevice(nullptr);
    int signalled = StopNote(*device, line, places, diagnostics);
    // A signal that came while the outputs were being finished still says how the program ended.
    if (signalled == 0 && CaughtStopSignal() != 0) signalled = 128 + CaughtStopSignal();
    if (signalled != 0) return signalled;
    return ExitCodeOfRun(result, screenshotError.empty() && recordingProblems.empty() && figureProblems.empty());
}

}  // namespace vekora
