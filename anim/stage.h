// The stage: where and how a run draws and waits. It carries the drawing page and where it
// is shown, the device (screen, input, clock, stop request) and the timing settings. Every
// film, pause and show goes through it; the engine, the constructions and the C wrappers each
// make one and hand it down by reference. The input code that cuts a wait short is not kept
// here: every wait and film returns it, and each caller hands it up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "draw/changed_copy.h"
#include "draw/image.h"
#include "platform/device.h"
#include "settings/settings.h"

namespace vekora {

// Lets the lesson be held where a wait was cut short, when the input that cut it asks for
// that (the control bar's Pausa): Hold returns once the viewer answers, with the input code
// the wait then ends with, 0 when the viewer let the lesson go on from where it stood.
// Codes it does not take come back unchanged.
// What a film or a construction leaves: its figure, and the input code that cut its waits
// short (0 when none did), for the caller to act on.
template <typename Figure>
struct Shown {
    Figure figure;
    std::int32_t input = 0;
};

class WaitHold {
public:
    virtual ~WaitHold() = default;
    virtual std::int32_t Hold(std::int32_t inputCode) = 0;
};

class Stage {
public:
    // A stage on `device` (null: nothing is shown, no input comes and the clock stands at 0,
    // so nothing is paced) reading its timing from `settings`.
    Stage(Device* device, const Settings& settings) : device_(device), settings_(&settings) {}

    // The drawing page (null: the screen itself) and where it is shown on the screen.
    ImageHandle page = nullptr;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    // Asked about every code that cuts a step wait or a film frame short; null: nothing holds.
    WaitHold* hold = nullptr;

    const Settings& settings() const { return *settings_; }
    Device* device() const { return device_; }

    // Where figures are drawn: the page, or the screen when there is no page.
    ImageHandle Canvas() const { return page != nullptr ? page : Screen(); }
    ImageHandle Screen() const { return device_ != nullptr ? device_->Screen() : nullptr; }
    ScreenMode Mode() const { return device_ != nullptr ? device_->ScreenQuery() : ScreenMode{}; }

    // The window: opens or resizes the screen (false without a device, or for a size or depth
    // that cannot be had), its caption and its icon.
    bool OpenScreen(std::int32_t width, std::int32_t height, std::int32_t depth) const {
        return device_ != nullptr && device_->ScreenOpen(width, height, depth);
    }
    void Caption(std::string_view text) const {
        if (device_ != nullptr) device_->WindowCaption(text);
    }
    void Icon(ImageHandle icon) const {
        if (device_ != nullptr) device_->WindowIcon(icon);
    }

    // Puts the page on the screen at the origin (plain copy); a page that is the screen is
    // already shown. Only what changed since the last show is copied: the page's drawing, and
    // the screen's drawing over the page's place.
    void Show() const;

    // Whether anything can be paced: without a device the clock never moves.
    bool ClockRuns() const { return device_ != nullptr; }
    // Whether the run was asked to stop (the window closed, a stop signal, the time limit).
    bool Stopped() const { return device_ != nullptr && device_->Stopped(); }
    double Clock() const { return device_ != nullptr ? device_->ClockSeconds() : 0.0; }
    // Counts one repetition against the clock (Device::RepetitionExecuted).
    void RepetitionExecuted() const {
        if (device_ != nullptr) device_->RepetitionExecuted();
    }
    void Sleep(std::int32_t ms) const;
    // One poll of keyboard and mouse as an input code (StopCode once stopped).
    std::int32_t Poll() const;
    // The mouse; "outside the window" without a device or once stopped.
    MouseInfo Mouse() const;
    // The next key, "" when none.
    std::string Key() const;
    // Waits until an input code arrives (returned) or `ms` pass (0), as WaitPolling does; a
    // code the hold takes ends the wait with what the hold returns.
    std::int32_t Wait(std::int32_t ms) const;
    // `code` as the hold leaves it (unchanged when there is no hold or no code).
    std::int32_t HoldOn(std::int32_t code) const { return code != 0 && hold != nullptr ? hold->Hold(code) : code; }
    // One wait of a loop that waits for input and then polls it (a pause, a menu): a sleep of
    // `sliceMs` on a virtual clock; a window sleeps until input may have come instead.
    void AwaitInput(std::int32_t sliceMs) const;
    // Sleeps until no mouse button is held, so that a click is not read twice.
    void AwaitRelease(std::int32_t pollMs) const;

    // A pause while the picture stays on the screen: Wait(ms) when `code` is still 0, so that
    // once an input has cut one wait short the later ones of the same step are skipped.
    // Returns the code that ended it, or `code` unchanged.
    std::int32_t WaitIfQuiet(std::int32_t code, std::int32_t ms) const { return code != 0 ? code : Wait(ms); }
    // The step pause, returning the input code that cut it short (0: the step time passed).
    std::int32_t Pause() const {
        StepMoment();
        return Wait(settings_->stepMs);
    }
    std::int32_t PauseIfQuiet(std::int32_t code) const { return code != 0 ? code : Pause(); }
    std::int32_t ShowAndPause() const {
        Show();
        return Pause();
    }

private:
    // Tells a figure recorder that a paced step ends here.
    static void StepMoment();

    Device* device_;
    const Settings* settings_;
    mutable ChangedCopy shown_;  // the page on the screen
};

}  // namespace vekora
