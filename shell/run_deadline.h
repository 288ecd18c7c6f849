// The end of a headless run at a virtual time (--until): a clock observer that stops the run
// from inside whatever wait it is in, by throwing RunDeadlinePassed, which RunScript catches.
#pragma once

#include <cstdint>

#include "interp/run_context.h"
#include "platform/device.h"

namespace vekora {

struct RunDeadlinePassed {};

class RunDeadline : public ClockObserver {
public:
    explicit RunDeadline(std::int64_t limitMs) : limitSeconds_(limitMs / 1000.0) {}
    // Throws once, when the clock passes the limit; later calls (the closing logo) pass.
    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    bool Passed() const { return passed_; }
    // The screen as it stood when the limit passed (a menu still up, say), before anything
    // the stopped run puts back on its way out; null before that or without a screen.
    ImageHandle ScreenAtLimit() const { return screenAtLimit_.get(); }

private:
    double limitSeconds_;
    bool passed_ = false;
    OwnedImage screenAtLimit_;
};

}  // namespace vekora
