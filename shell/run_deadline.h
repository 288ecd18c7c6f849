// The end of a headless run at a virtual time (--until): a clock observer that stops the run
// from inside whatever wait it is in, by throwing RunDeadlinePassed, which RunScript catches.
#pragma once

#include <cstdint>

#include "platform/device.h"

namespace vekora {

struct RunDeadlinePassed {};

class RunDeadline : public ClockObserver {
public:
    explicit RunDeadline(std::int64_t limitMs) : limitSeconds_(limitMs / 1000.0) {}
    // Throws once, when the clock passes the limit; later calls (the closing logo) pass.
    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    bool Passed() const { return passed_; }

private:
    double limitSeconds_;
    bool passed_ = false;
};

}  // namespace vekora
