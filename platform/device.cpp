// The device base class: the screen, the interruptible sleep, the clock observers and the
// stop request.
#include "platform/device.h"

#include <algorithm>
#include <csignal>
#include <cstring>

#include "draw/image_scale.h"
#include "platform/active_device.h"
#include "platform/stop_signals.h"

namespace vekora {
namespace {

// Slices of an interruptible sleep.
constexpr std::int32_t SleepSliceMs = 50;

StopReason ReasonOfSignal(int signal) {
    switch (signal) {
        case SIGTERM: return StopReason::Terminated;
        case SIGHUP: return StopReason::HungUp;
        default: return StopReason::Interrupted;
    }
}

}  // namespace

void ButtonChanges::Changed(const MouseInfo& state) {
    // Dropped in pairs, so that what is left still starts with a press after a release.
    if (changes_.size() >= MostKept) changes_.erase(changes_.begin(), changes_.begin() + 2);
    changes_.push_back(state);
}

MouseInfo ButtonChanges::Next(const MouseInfo& live) {
    if (changes_.empty()) return live;
    const MouseInfo next = changes_.front();
    changes_.pop_front();
    return next;
}

Device::Device() = default;

// A device that goes away is no longer the active one: nothing may draw on its screen.
Device::~Device() { ForgetActiveDevice(this); }

bool Device::ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    if (depth != 8 && depth != 16 && depth != 32) return false;
    const ScreenMode current = ScreenQuery();
    if (current.width == width && current.height == height && current.depth == depth &&
        ImageScale(screen_.get()) == renderScale_) {
        return true;
    }
    ImageHandle screen = ImageNewOfDepth(width, height, depth / 8, 0, renderScale_);
    if (screen == nullptr) return false;
    screen_.reset(screen);
    return true;
}

bool Device::SetRenderScale(std::int32_t scale) {
    if (scale < 1 || scale > MaxRenderScale) return false;
    renderScale_ = scale;
    return true;
}

ScreenMode Device::ScreenQuery() const {
    if (!screen_) return {};
    const SurfaceSize size = SurfaceInfo(screen_.get());
    return {size.width, size.height, size.bytesPerPixel * 8};
}

void Device::Sleep(std::int32_t ms) {
    if (ms <= 0 || Stopped()) return;
    if (ms >= InterruptibleFromMs) {
        while (ms > SleepSliceMs) {
            PlainSleep(SleepSliceMs);
            ms -= SleepSliceMs;
            if (KeyWaiting() || Stopped()) return;
        }
    }
    PlainSleep(ms);
}

void Device::WaitForInput(std::int32_t sliceMs, std::int32_t mostMs) {
    (void)mostMs;
    Sleep(sliceMs);
}

void Device::AddClockObserver(ClockObserver* observer) { observers_.push_back(observer); }

void Device::RemoveClockObserver(ClockObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Device::NotifyClockAdvanced(double fromSeconds, double toSeconds) {
    if (!chargingRepetition_) repetitionsThisStep_ = 0;
    if (stopReason_ != StopReason::None) {
        if (resumed_)
            for (ClockObserver* observer : observers_) observer->ClockAdvanced(fromSeconds, toSeconds, Screen());
        return;
    }
    for (ClockObserver* observer : observers_) observer->ClockAdvanced(fromSeconds, toSeconds, Screen());
    // The request comes after the observers have seen the step, so a recording holds every
    // picture up to the moment of the stop.
    if (stopAtSeconds_ >= 0 && toSeconds > stopAtSeconds_) {
        RequestStop(StopReason::TimeLimit);
    } else if (const int signal = CaughtStopSignal(); signal != 0) {
        RequestStop(ReasonOfSignal(signal));
    }
    // The step that brought the stop is cut short where it began.
    if (stopReason_ != StopReason::None) stopSeconds_ = fromSeconds;
}

void Device::RequestStop(StopReason reason) {
    if (stopReason_ != StopReason::None || reason == StopReason::None) return;
    stopReason_ = reason;
    stopSeconds_ = ClockSeconds();
    if (!viewerWaits_.empty()) waitAtStop_ = viewerWaits_.back();
    if (const ImageHandle screen = Screen()) {
        stopScreen_.reset(ImageNewLike(screen, 0));
        if (stopScreen_) ImageBlit(stopScreen_.get(), 0, 0, screen, BlitMode::Plain, 0);
    }
}

void Device::ViewerWaitStarted(const ViewerWait& wait) { viewerWaits_.push_back({wait, ClockSeconds()}); }

void Device::ViewerWaitEnded() {
    if (!viewerWaits_.empty()) viewerWaits_.pop_back();
}

const StandingWait* Device::WaitForViewer() const {
    if (waitAtStop_) return &*waitAtStop_;
    return viewerWaits_.empty() ? nullptr : &viewerWaits_.back();
}

bool Device::Stopped() const { return stopReason_ != StopReason::None && !resumed_; }

void Device::RepetitionExecuted() {
    if (repetitionsThisStep_ < RunawayRepetitions) {
        ++repetitionsThisStep_;
        return;
    }
    chargingRepetition_ = true;
    PlainSleep(RunawaySleepMs);
    chargingRepetition_ = false;
}

void Device::StartAfresh() {
    ClearStop();
    StopAt(-1);
    repetitionsThisStep_ = 0;
    viewerWaits_.clear();
}

void Device::ClearStop() {
    stopReason_ = StopReason::None;
    resumed_ = false;
    stopScreen_.reset();
    waitAtStop_.reset();
}

}  // namespace vekora
