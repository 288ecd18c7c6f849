// Answers for the viewer: what a run without a viewer types at each wait for one, so that a
// lesson that waits (WAIT, a menu, an INTERACTION) still plays to its end in a film.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/device.h"

namespace vekora {

// Menu item numbers from 1 to 127 separated by commas ("2,1,3"); empty when the text is not that.
std::optional<std::vector<std::int32_t>> ParseChoices(std::string_view text);

class ViewerAnswers {
public:
    // Answers nothing: every wait lasts until input comes.
    ViewerAnswers() = default;
    // Answers every wait `afterMs` after it began (negative: only menus, at once, while
    // `choices` last). A menu gets the next of `choices` (item numbers from 1;
    // one past its items means its last); once they run out, each menu offers its items in
    // order, one a time it is shown, then its last item whenever it comes back.
    ViewerAnswers(std::int64_t afterMs, std::vector<std::int32_t> choices);

    // The keys that answer `wait`, in the order they are typed; empty: the wait is not answered.
    std::vector<std::string> KeysFor(const ViewerWait& wait);
    // How long after a wait began its keys are typed.
    std::int64_t DelayMs() const { return afterMs_ < 0 ? 0 : afterMs_; }
    // Forgets the choices made, for a new run.
    void Restart();

    // The --advance seconds after which a recording answers its waits when nothing else does.
    static constexpr std::int64_t RecordingAdvanceMs = 3000;

private:
    std::int32_t ItemFor(const ViewerWait& wait);

    std::int64_t afterMs_ = -1;
    std::vector<std::int32_t> choices_;
    std::size_t nextChoice_ = 0;
    // How often each menu (procedure, row) was answered by the rule that offers its items in turn.
    std::map<std::pair<std::int32_t, std::int32_t>, std::int32_t> offered_;
};

}  // namespace vekora
