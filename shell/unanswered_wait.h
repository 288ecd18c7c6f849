// The note for a run stopped at its time limit while the lesson waited for its viewer: which
// statement waited, since when, and how a film made without a viewer answers it.
#pragma once

#include <string>
#include <vector>

#include "platform/device.h"
#include "script/diagnostics.h"

namespace vekora {

// Where the statements of the script being played stand in its file.
struct StatementPlaces {
    std::string script;              // the file as the command line named it
    std::vector<std::string> lines;  // as compiled (Latin-1)
    std::vector<RowPlace> rows;
};

// Two lines for stderr, each starting "vekora: ".
std::string UnansweredWaitNote(const StandingWait& waiting, const StatementPlaces& places);

}  // namespace vekora
