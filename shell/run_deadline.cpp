// The --until limit of a headless run.
#include "shell/run_deadline.h"

namespace vekora {

void RunDeadline::ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) {
    (void)fromSeconds;
    if (passed_ || !(toSeconds > limitSeconds_)) return;
    passed_ = true;
    if (screen != nullptr) {
        const SurfaceSize size = SurfaceInfo(screen);
        screenAtLimit_.reset(ImageNewOfDepth(size.width, size.height, size.bytesPerPixel, 0));
        if (screenAtLimit_) ImageBlit(screenAtLimit_.get(), 0, 0, screen, BlitMode::Plain, 0);
    }
    throw RunDeadlinePassed{};
}

}  // namespace vekora
