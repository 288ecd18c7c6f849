// The shared steps of every construction: show the page, pause, pause if quiet.
#include "construct/construction_call.h"

#include "platform/input.h"

namespace vekora {

Drawing DrawingOf(std::int32_t mode) {
    switch (static_cast<CallMode>(mode)) {
    case CallMode::Fast: return Drawing::Fast;
    case CallMode::Pace: return Drawing::Pace;
    case CallMode::Slow: return Drawing::Slow;
    default: return Drawing::None;
    }
}

void ConstructionCall::Show() const {
    // Copying the screen onto itself at the origin would shift it.
    if (page == nullptr) return;
    ImageBlit(nullptr, static_cast<float>(originX), static_cast<float>(originY), page, BlitMode::Plain, 0);
}

void ConstructionCall::Pause() { event = WaitPolling(settings.stepMs); }

void ConstructionCall::PauseIfQuiet() {
    if (event == 0) Pause();
}

}  // namespace vekora
