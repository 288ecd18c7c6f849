// Saying where a stopped lesson waited for its viewer.
#include "shell/unanswered_wait.h"

#include <cmath>

namespace vekora {
namespace {

// "FILE:LINE:COLUMN", the column that of the statement's first character; the file alone
// when the row came from no line (a script compiled without notes).
std::string PlaceOf(const ViewerWait& wait, const StatementPlaces& places) {
    for (const RowPlace& place : places.rows) {
        if (place.module != wait.procedure || place.row != wait.row) continue;
        std::size_t column = 0;
        if (place.line >= 1 && static_cast<std::size_t>(place.line) <= places.lines.size()) {
            const std::string& text = places.lines[static_cast<std::size_t>(place.line - 1)];
            column = std::min(text.find_first_not_of(" \t"), text.size());
        }
        return places.script + ":" + std::to_string(place.line) + ":" + std::to_string(column + 1);
    }
    return places.script;
}

struct WaitWords {
    const char* what;    // what the statement is doing
    const char* answer;  // how it is answered
};

WaitWords WordsFor(ViewerWaitKind kind) {
    switch (kind) {
        case ViewerWaitKind::GoOn:
            return {"waiting for Continuar (a WAIT, or the pause after an ANIMATION)",
                    "--advance SECONDS, or an event line such as \"wait key Enter\""};
        case ViewerWaitKind::Menu:
            return {"showing a menu", "--advance SECONDS with --choose N, or event lines such as \"wait key Down\" "
                                      "and \"+0 key Enter\" (Enter chooses the lit item)"};
        case ViewerWaitKind::Drag:
            return {"waiting for a point to be dragged (an INTERACTION)",
                    "--advance SECONDS (it then ends as Escape ends it), or event lines such as "
                    "\"wait press X Y\", \"+500 release X Y\" and \"wait key Escape\""};
    }
    return {"waiting for its viewer", "--advance SECONDS"};
}

}  // namespace

std::string UnansweredWaitNote(const StandingWait& waiting, const StatementPlaces& places) {
    const WaitWords words = WordsFor(waiting.wait.kind);
    const auto sinceMs = static_cast<std::int64_t>(std::llround(waiting.sinceSeconds * 1000.0));
    return "vekora: the lesson was " + std::string(words.what) + " at " + PlaceOf(waiting.wait, places) + " since " +
           std::to_string(sinceMs) + " ms\nvekora: answer it with " + words.answer + "\n";
}

}  // namespace vekora
