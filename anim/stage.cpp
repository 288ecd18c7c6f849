// The stage's showing, polling and waiting on its device.
#include "anim/stage.h"

#include <limits>

#include "draw/figure_listener.h"
#include "platform/input.h"

namespace vekora {

void Stage::Show() const {
    const ImageHandle screen = Screen();
    // Copying the screen onto itself at the origin would shift it.
    if (page == nullptr || screen == nullptr || page == screen) return;
    if (FigureListener* listener = CurrentFigureListener()) listener->Shown();
    shown_.Copy(screen, page, originX, originY);
}

void Stage::StepMoment() {
    if (FigureListener* listener = CurrentFigureListener()) listener->Moment(false);
}

void Stage::Sleep(std::int32_t ms) const {
    if (device_ != nullptr) device_->Sleep(ms);
}

std::int32_t Stage::Poll() const { return device_ != nullptr ? PollInput(*device_) : 0; }

MouseInfo Stage::Mouse() const {
    if (device_ == nullptr || device_->Stopped()) return {};
    return device_->MouseState();
}

std::string Stage::Key() const {
    if (device_ == nullptr || device_->Stopped()) return {};
    return device_->KeyRead();
}

std::int32_t Stage::Wait(std::int32_t ms) const {
    // Without a device no clock moves: waiting would never end.
    return device_ != nullptr ? HoldOn(WaitPolling(*device_, ms)) : 0;
}

void Stage::AwaitInput(std::int32_t sliceMs) const {
    // A window caps each wait itself, so that time still reaches its clock's observers.
    if (device_ != nullptr) device_->WaitForInput(sliceMs, std::numeric_limits<std::int32_t>::max());
}

void Stage::AwaitRelease(std::int32_t pollMs) const {
    while (Mouse().buttons > 0) Sleep(pollMs);
}

}  // namespace vekora
