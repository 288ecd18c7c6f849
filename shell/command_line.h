// The command line of the vekora program: options, usage text and exit codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/figure_request.h"
#include "run/exit_codes.h"

namespace vekora {

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError, Check, DumpTable, DumpSymbols, LanguageServer };
    Action action = Action::Run;
    std::string script;  // empty: ask for one
    std::string error;   // what was wrong, for Action::UsageError
    // Playing: the device, its input, and what is written of the run.
    bool headless = false;
    std::string eventsFile;
    std::int64_t untilMs = 600000;   // a headless run stops when the virtual clock passes this
    // Waits for the viewer answered after this many ms of a headless run: empty for the
    // default (RecordingAdvanceMs for --record or --frames without --events, else never),
    // -1 for --advance off.
    std::optional<std::int64_t> advanceMs;
    std::vector<std::int32_t> choices;  // --choose: menu items, numbered from 1, in turn
    std::string screenshot;          // PNG of the screen before the closing logo
    std::string record;              // animated GIF, or MP4 / WebM video, of the run
    std::int32_t scale = 1;          // render scale of a headless run's pictures
    bool scaleGiven = false;         // --scale was given: a window draws at it too
    std::string framesFolder;        // PNG of every changed frame
    std::int32_t fps = 25;           // frames a second sampled for --record and --frames
    bool noLogo = false;
    double zoom = 1;                 // initial scale of the window, 0.5 to 8
    bool fullscreen = false;         // open the window fullscreen
    bool sharp = false;              // the window shows the screen's pixels enlarged, not smoothed
    bool presenter = false;          // Page Up goes back a WAIT
    bool watch = false;              // play again from the start whenever the script is saved
    // --check: diagnostics as JSON lines, and warnings counted as errors.
    bool json = false;
    bool werror = false;
    std::string language;            // --lang: empty follows the environment
    FigureRequest figures;           // --export, --handout and their layout
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
// The value of --lang, found before the rest is read so that the reader's own messages
// speak that language; empty without one.
std::string LanguageOption(const std::vector<std::string>& arguments);
std::string UsageText();
std::string VersionText();

}  // namespace vekora
