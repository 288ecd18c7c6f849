// VEK_INIT, VEKS_RUNSCRIPT and VEKS_RUNSCRIPTFILE.
#include "run/run_script.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "interp/engine.h"
#include "interp/resident.h"
#include "interp/screen_text.h"
#include "platform/active_device.h"
#include "run/error_report.h"
#include "run/lesson_compile.h"
#include "run/script_file.h"
#include "run/script_text.h"
#include "script/messages.h"

namespace vekora {
namespace {

constexpr std::string_view RunErrorText = N_("Error de ejecuci\xF3n en el procedimiento %s: %s");
constexpr std::string_view PressEnterText = N_("Presiona Enter para continuar.");

void PressEnter(const ScriptRunSetup& setup) {
    if (setup.console != nullptr) setup.console->PrintLine(Tr(PressEnterText));
    if (setup.input == nullptr) return;
    // A closed input does not wait.
    std::string line;
    std::getline(*setup.input, line);
}

Device* DeviceOf(const ScriptRunSetup& setup) { return setup.device != nullptr ? setup.device : ActiveDevice(); }

// The program-wide settings as a run starts with them.
void ResetRunSettings(const ScriptRunSetup& setup) {
    if (setup.settings != nullptr) {
        *setup.settings = Settings{};
        (void)Resident();
    } else {
        InitProgram();
    }
}

std::int32_t RunCompiled(const InstructionTable& table, const SymbolTable& symbols, const ScriptRunSetup& setup) {
    Device* device = DeviceOf(setup);
    if (device != nullptr) {
        device->RunStarts();
        // While the run plays (replays included) it can be drawn afresh at another render scale.
        device->SetRunInProgress(true);
    }
    std::optional<RunContext> run;
    const auto playMainModule = [&] {
        run.emplace(table, symbols, setup.settings != nullptr ? *setup.settings : ProgramSettings(), device);
        run->options = setup.options;
        if (run->options.diagnostics == nullptr) run->options.diagnostics = setup.diagnostics;
        MakeObjectLists(*run, symbols.Count(TypePoint), symbols.Count(TypeLine), symbols.Count(TypeCircle));
        return RunMainModule(*run);
    };
    std::int32_t result = playMainModule();
    // The viewer stepped back, or the window draws the lesson afresh: the run is played again
    // from its start, as it began, with the reads it made (the device's journal) up to the
    // moment asked for, and goes on live from there.
    while (device != nullptr && device->StopCause() == StopReason::Replay) {
        device->BeginReplay();
        run.reset();
        ResetRunSettings(setup);
        result = playMainModule();
    }
    if (device != nullptr) device->SetRunInProgress(false);  // the closing logo is not redrawn
    // A run cut short because its script was saved again is not the one to picture.
    const bool replaced = device != nullptr && device->StopCause() == StopReason::ScriptChanged;
    if (setup.beforeClosingLogo && !replaced) setup.beforeClosingLogo();
    if (device == nullptr || !device->Stopped()) {
        ShowLogo(run->stage, run->options);
        return result;
    }
    // A run stopped at its time limit ends as if it had ended normally, closing logo and all;
    // a closed window or a stop signal ends it at once.
    result = RanToEnd;
    if (device->StopCause() == StopReason::TimeLimit) {
        // The logo comes over the picture the limit found, not over what the unwinding run
        // finished drawing.
        if (device->Screen() != nullptr) ImageBlit(device->Screen(), 0, 0, device->ScreenAtStop(), BlitMode::Plain, 0);
        device->Resume();
        ShowLogo(run->stage, run->options);
    }
    return result;
}

}  // namespace

void InitProgram() {
    ResetSettings();
    (void)Resident();
}

std::int32_t RunScript(const ScriptLines& lines, ErrorLists& errors, const ScriptRunSetup& setup) {
    InstructionTable table;
    SymbolTable symbols;
    ResetRunSettings(setup);
    std::int32_t compiled;
    if (setup.afterCompiling) {
        CompileNotes notes;
        compiled = CompileLesson(lines, table, errors, symbols, notes);
        setup.afterCompiling(lines, errors, notes);
    } else {
        compiled = ParseScript(lines, table, errors, symbols);
    }
    if (compiled != 0) return compiled;
    return RunCompiled(table, symbols, setup);
}

std::string RunErrorLine(std::int32_t result) {
    return TrFormat(RunErrorText, {std::to_string(result >> 16), ErrorMessage(result & 0xFFFF)});
}

std::int32_t RunScriptFile(const std::string& path, ErrorLists& errors, const ScriptRunSetup& setup) {
    std::ostream& diagnostics = setup.diagnostics != nullptr ? *setup.diagnostics : std::cerr;
    const std::optional<ScriptLines> lines = ReadScriptFile(path, diagnostics);
    ScriptRunSetup fileSetup = setup;
    // File names are UTF-8 on the desktops we run on; the title is Latin-1 like all text.
    fileSetup.options.fileName = ScriptTextToLatin1(std::filesystem::path(path).filename().string());
    if (Device* device = DeviceOf(setup)) device->WindowCaption(fileSetup.options.fileName + std::string(TitleSuffix));
    // A file that was not read has nothing to point into.
    if (!lines) fileSetup.afterCompiling = nullptr;
    const std::int32_t result = RunScript(lines ? *lines : ScriptLines{}, errors, fileSetup);
    if (lines) DeleteReport(path);
    if (result == RanToEnd || result == EndReached) return 0;
    if (result == -1 || result == -2) {
        if (setup.console != nullptr) {
            ReportCompilationErrors(path, result, errors, *setup.console, lines ? ReportFile::Write : ReportFile::Skip);
        }
    } else if (setup.console != nullptr) {
        setup.console->PrintLine(RunErrorLine(result));
    }
    PressEnter(setup);
    return result;
}

}  // namespace vekora
