// The --until limit of a headless run.
#include "shell/run_deadline.h"

namespace vekora {

void RunDeadline::ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) {
    (void)fromSeconds;
    (void)screen;
    if (passed_ || !(toSeconds > limitSeconds_)) return;
    passed_ = true;
    throw RunDeadlinePassed{};
}

}  // namespace vekora
