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

// While the run is replayed, each read comes from the journal; the device answers once the
// journal is used up (or the run no longer reads what it read before), and what it answers
// is journaled. Waits do not wait while the run is replayed.

template <typename Value, typename Live, typename Record>
Value Device::Journaled(std::optional<Value> replayed, Live live, Record record) {
    AfterReplayedRead();
    if (replayed) return std::move(*replayed);
    Value value = live();
    record(value);
    return value;
}

MouseInfo Device::MouseState() {
    return Journaled(journal_.NextMouse(), [this] { return LiveMouse(); },
                     [this](const MouseInfo& mouse) { journal_.RecordMouse(mouse); });
}

std::string Device::KeyRead() {
    return Journaled(journal_.NextKey(), [this] { return LiveKey(); },
                     [this](const std::string& key) { journal_.RecordKey(key); });
}

bool Device::KeyWaiting() {
    return Journaled(journal_.NextKeyWaiting(), [this] { return LiveKeyWaiting(); },
                     [this](bool waiting) { journal_.RecordKeyWaiting(waiting); });
}

double Device::ClockSeconds() {
    return Journaled(journal_.NextClock(), [this] { return LiveClock(); },
                     [this](double seconds) { journal_.RecordClock(seconds); });
}

void Device::AfterReplayedRead() {
    if (!replayShown_ && !journal_.Replaying()) {
        replayShown_ = true;
        ReplayChanged(false);
    }
}

void Device::PlainSleep(std::int32_t ms) {
    if (!Replaying()) LivePlainSleep(ms);
}

void Device::Sleep(std::int32_t ms) {
    if (!Replaying()) LiveSleep(ms);
}

void Device::WaitForInput(std::int32_t sliceMs, std::int32_t mostMs) {
    if (!Replaying()) LiveWaitForInput(sliceMs, mostMs);
}

void Device::LiveSleep(std::int32_t ms) {
    if (ms <= 0 || Stopped()) return;
    if (ms >= InterruptibleFromMs) {
        while (ms > SleepSliceMs) {
            LivePlainSleep(SleepSliceMs);
            ms -= SleepSliceMs;
            if (LiveKeyWaiting() || Stopped()) return;
        }
    }
    LivePlainSleep(ms);
}

void Device::LiveWaitForInput(std::int32_t sliceMs, std::int32_t mostMs) {
    (void)mostMs;
    LiveSleep(sliceMs);
}

void Device::RunStarts() {
    journal_.Clear();
    goOnWaits_.clear();
    replayShown_ = true;
}

bool Device::StepBack() {
    if (Stopped() || viewerWaits_.empty() || viewerWaits_.back().wait.kind != ViewerWaitKind::GoOn) return false;
    // The last mark is the wait standing now; the one before it is where the run goes back to.
    if (goOnWaits_.size() < 2) return false;
    ReplayTo(goOnWaits_[goOnWaits_.size() - 2]);
    return true;
}

void Device::ReplayToNow() { ReplayTo(journal_.Position()); }

bool Device::RedrawAtScale(std::int32_t scale) {
    if (!runInProgress_ || Stopped() || Replaying() || scale == renderScale_) return false;
    if (!SetRenderScale(scale)) return false;
    ReplayToNow();
    return true;
}

void Device::ReplayTo(std::uint64_t reads) {
    if (Stopped()) return;
    replayReads_ = std::min(reads, journal_.Position());
    RequestStop(StopReason::Replay);
}

void Device::BeginReplay() {
    ClearStop();
    viewerWaits_.clear();
    goOnWaits_.clear();
    repetitionsThisStep_ = 0;
    // The run began on a new screen, all of it colour 0.
    if (const ImageHandle screen = Screen()) {
        const OwnedImage blank(ImageNewLike(screen, 0));
        if (blank) ImageBlit(screen, 0, 0, blank.get(), BlitMode::Plain, 0);
    }
    journal_.ReplayFirst(replayReads_);
    replayShown_ = false;
    ReplayChanged(true);
    AfterReplayedRead();  // a replay to the very start is over already
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
    stopSeconds_ = LiveClock();
    if (!viewerWaits_.empty()) waitAtStop_ = viewerWaits_.back();
    if (const ImageHandle screen = Screen()) {
        stopScreen_.reset(ImageNewLike(screen, 0));
        if (stopScreen_) ImageBlit(stopScreen_.get(), 0, 0, screen, BlitMode::Plain, 0);
    }
}

void Device::ViewerWaitStarted(const ViewerWait& wait) {
    if (wait.kind == ViewerWaitKind::GoOn) goOnWaits_.push_back(journal_.Position());
    viewerWaits_.push_back({wait, LiveClock(), Replaying()});
}

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
    PlainSleep(RunawaySleepMs);  // nothing while the run is replayed
    chargingRepetition_ = false;
}

void Device::StartAfresh() {
    ClearStop();
    RunStarts();
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
