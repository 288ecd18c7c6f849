// Running a script: VEKS_RUNSCRIPT compiles lines and plays the main module on the active
// device, VEKS_RUNSCRIPTFILE reads a file, runs it and reports compilation and run-time
// errors on the console (and compilation errors in "vekerror.txt" beside the script).
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>

#include "interp/run_context.h"
#include "run/console.h"
#include "script/passes.h"

namespace vekora {

// VEK_INIT: the settings back to their start values; fonts, logo and icon loaded once.
void InitProgram();

// How a run meets its surroundings beyond the device.
struct ScriptRunSetup {
    RunOptions options;
    // The device the run plays on; null: the active device.
    Device* device = nullptr;
    // The settings the run starts afresh and changes; null: the program's (VEK_INIT).
    Settings* settings = nullptr;
    // Called once the main module has ended, before the closing logo (the screenshot).
    std::function<void()> beforeClosingLogo;
    // Called once the script has been compiled, before it plays, with its lines, errors and
    // the notes that locate them and hold the warnings. Without it nothing is collected.
    std::function<void(const ScriptLines&, const ErrorLists&, const CompileNotes&)> afterCompiling;
    // Where the reports of VEKS_RUNSCRIPTFILE go, and where Enter is read from; without an
    // input "Presiona Enter para continuar." does not wait.
    Console* console = nullptr;
    std::istream* input = nullptr;
    std::ostream* diagnostics = nullptr;
};

// Compiles and runs the lines. Returns 0 (ran to its end, or Salir), 255 (END), -1 or -2
// (compilation errors, in `errors`) or a run-time error: procedure << 16 | code.
std::int32_t RunScript(const ScriptLines& lines, ErrorLists& errors, const ScriptRunSetup& setup);

// Reads the file, runs it and reports. Returns 0 when the run ended normally (0 or 255),
// otherwise the result of RunScript. A file that cannot be read compiles as an empty script
// (-1); its report goes to the console only, and no report file is touched.
std::int32_t RunScriptFile(const std::string& path, ErrorLists& errors, const ScriptRunSetup& setup);

// The console line of a run-time error (Latin-1).
std::string RunErrorLine(std::int32_t result);

}  // namespace vekora
