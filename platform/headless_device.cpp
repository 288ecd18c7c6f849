// The headless device and its virtual clock.
#include "platform/headless_device.h"

#include <utility>

namespace vekora {

// A poll that does not sleep still moves the clock, so that busy loops see time pass.
constexpr std::int64_t PollMs = 1;

HeadlessDevice::HeadlessDevice(std::vector<InputEvent> events, ViewerAnswers answers)
    : schedule_(std::move(events), std::move(answers)) {
    Advance(0);
}

void HeadlessDevice::Advance(std::int64_t ms) {
    if (ms > 0) NotifyClockAdvanced(LiveClock(), (nowMs_ + ms) / 1000.0);
    // A stopped clock stands still: the step that brought the stop is cut short.
    if (Stopped()) return;
    nowMs_ += ms;
    ApplyDue();
}

void HeadlessDevice::ApplyDue() {
    schedule_.Deliver(nowMs_, [this](const InputEvent& event) {
        ApplyInputEvent(event, keys_, mouse_);
        if (event.kind == InputEvent::Kind::Press || event.kind == InputEvent::Kind::Release) buttonChanges_.Changed(mouse_);
    });
}

void HeadlessDevice::ViewerWaitStarted(const ViewerWait& wait) {
    Device::ViewerWaitStarted(wait);
    // A wait the replay passes through was answered when it first came: its "wait" lines
    // and answers are not given again.
    if (Stopped() || Replaying()) return;
    schedule_.WaitStarted(wait, nowMs_);
    ApplyDue();
}

void HeadlessDevice::ViewerWaitEnded() {
    const bool replayed = InnermostWaitReplayed();
    Device::ViewerWaitEnded();
    if (!replayed) schedule_.WaitEnded();
}

void ApplyInputEvent(const InputEvent& event, std::deque<std::string>& keys, MouseInfo& mouse) {
    if (event.kind == InputEvent::Kind::Key) {
        keys.push_back(event.key);
        return;
    }
    if (mouse.buttons < 0) mouse = {0, 0, 0, 0};
    mouse.x = event.x;
    mouse.y = event.y;
    if (event.kind == InputEvent::Kind::Press) mouse.buttons |= event.button;
    if (event.kind == InputEvent::Kind::Release) mouse.buttons &= ~event.button;
}

MouseInfo HeadlessDevice::LiveMouse() {
    Advance(PollMs);
    return buttonChanges_.Next(mouse_);
}

std::string HeadlessDevice::LiveKey() {
    Advance(PollMs);
    if (keys_.empty()) return {};
    std::string key = std::move(keys_.front());
    keys_.pop_front();
    return key;
}

bool HeadlessDevice::LiveKeyWaiting() { return !keys_.empty(); }

void HeadlessDevice::LivePlainSleep(std::int32_t ms) {
    if (ms > 0) Advance(ms);
}

double HeadlessDevice::LiveClock() { return nowMs_ / 1000.0; }

void HeadlessDevice::StartAfresh() {
    Device::StartAfresh();
    nowMs_ = 0;
    schedule_.Restart();
    keys_.clear();
    mouse_ = MouseInfo{};
    buttonChanges_.Clear();
    Advance(0);
}

}  // namespace vekora
