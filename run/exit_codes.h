// The exit codes of the vekora program, and how the end of a run maps to one.
#pragma once

#include <cstdint>

namespace vekora {

constexpr int ExitRunEnded = 0;           // the run ended: its end, END, Escape, Salir, --until
constexpr int ExitCompilationErrors = 1;  // the script could not be read or did not compile
constexpr int ExitUsage = 2;              // the command line itself was wrong
constexpr int ExitRunTimeError = 3;       // a run-time error stopped the run
constexpr int ExitOutputFailed = 4;       // --screenshot, --record or --frames could not be written
constexpr int ExitOutOfMemory = 5;        // memory ran out; no output was left half written
constexpr int ExitInterrupted = 130;      // SIGINT stopped the run (its outputs finished first)
constexpr int ExitTerminated = 143;       // SIGTERM stopped the run (its outputs finished first)
constexpr int ExitHungUp = 129;           // SIGHUP stopped the run (its outputs finished first)
constexpr int ExitCancelled = -1;         // the file chooser was cancelled

// The exit code of a played script: runResult as RunScriptFile returns it (0, -1, -2 or a
// run-time error), outputsWritten false when a picture or film could not be written. The
// run's own failure comes first: a script that did not compile wrote no outputs to speak of.
constexpr int ExitCodeOfRun(std::int32_t runResult, bool outputsWritten) {
    if (runResult == -1 || runResult == -2) return ExitCompilationErrors;
    if (runResult != 0) return ExitRunTimeError;
    return outputsWritten ? ExitRunEnded : ExitOutputFailed;
}

}  // namespace vekora
