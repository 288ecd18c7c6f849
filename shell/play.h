// Playing a script from the command line: choosing the script and the device, recording
// the run, and the exit code.
#pragma once

#include <istream>
#include <ostream>

#include "run/console.h"
#include "run/exit_codes.h"
#include "shell/command_line.h"

namespace vekora {

// Plays the script of the command line (asking for one when it names none). Returns the
// process exit code: 0 after any run, -1 when the chooser was cancelled, 2 for an event file
// that cannot be used.
int PlayScript(const CommandLine& line, Console& console, std::istream& input, std::ostream& diagnostics);

}  // namespace vekora
