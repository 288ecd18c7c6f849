// Saying where a stopped lesson waited for its viewer.
#include "shell/unanswered_wait.h"

#include <cmath>
#include <string_view>

#include "i18n/language.h"

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
    std::string_view what;    // what the statement is doing (a catalogue text)
    std::string_view answer;  // how it is answered (a catalogue text)
};

WaitWords WordsFor(ViewerWaitKind kind) {
    switch (kind) {
        case ViewerWaitKind::GoOn:
            return {N_("waiting for Continuar (a WAIT, or the pause after an ANIMATION)"),
                    N_("--advance SECONDS, or an event line such as \"wait key Enter\"")};
        case ViewerWaitKind::Menu:
            return {N_("showing a menu"), N_("--advance SECONDS with --choose N, or event lines such as \"wait key Down\" "
                                             "and \"+0 key Enter\" (Enter chooses the lit item)")};
        case ViewerWaitKind::Drag:
            return {N_("waiting for a point to be dragged (an INTERACTION)"),
                    N_("--advance SECONDS (it then ends as Escape ends it), or event lines such as "
                       "\"wait press X Y\", \"+500 release X Y\" and \"wait key Escape\"")};
    }
    return {N_("waiting for its viewer"), N_("--advance SECONDS")};
}

}  // namespace

std::string UnansweredWaitNote(const StandingWait& waiting, const StatementPlaces& places) {
    const WaitWords words = WordsFor(waiting.wait.kind);
    const auto sinceMs = static_cast<std::int64_t>(std::llround(waiting.sinceSeconds * 1000.0));
    return TrFormat(N_("vekora: the lesson was %s at %s since %s ms"),
                    {Tr(words.what), PlaceOf(waiting.wait, places), std::to_string(sinceMs)}) +
           "\n" + TrFormat(N_("vekora: answer it with %s"), {Tr(words.answer)}) + "\n";
}

}  // namespace vekora
