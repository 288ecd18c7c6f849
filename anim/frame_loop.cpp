// The frame loop of the films and the pieces it is made of.
#include "anim/frame_loop.h"

#include <cmath>


namespace vekora {

namespace {

// A frame waits in slices of this many milliseconds, polling after each.
constexpr std::int32_t FrameSliceMs = 10;

}  // namespace

SavedPage::SavedPage(ImageHandle page) : page_(page), copy_(nullptr) {
    copy_ = ImageDuplicate(page);
    if (copy_ != nullptr) restored_.InStep(page_, copy_, 0, 0);
}

SavedPage::~SavedPage() {
    if (copy_ != nullptr) ImageFree(copy_);
}

void SavedPage::Restore() const {
    if (copy_ != nullptr) restored_.Copy(page_, copy_, 0, 0);
}

std::int32_t FilmSteps(float durationSeconds, float frameSeconds) {
    if (!(frameSeconds > 0.0f)) return 0;
    const double steps = std::nearbyint(static_cast<double>(durationSeconds) / frameSeconds);
    if (!(steps > 0.0)) return 0;  // also a duration that is not a number
    return steps >= MostFilmSteps ? MostFilmSteps : static_cast<std::int32_t>(steps);
}

FrameClock::FrameClock(const Stage& stage, float frameSeconds)
    : stage_(stage), frameSeconds_(frameSeconds), next_(static_cast<float>(stage.Clock() + frameSeconds)) {}

std::int32_t FrameClock::WaitForFrame() {
    do {
        stage_.Sleep(FrameSliceMs);
        const std::int32_t code = stage_.Poll();
        if (code != 0) {
            const std::int32_t after = stage_.HoldOn(code);
            if (after != 0) return after;
            // Held and let go on: the film resumes where it stood, its next frame a frame
            // from now rather than hurrying to make up the held time.
            next_ = static_cast<float>(stage_.Clock() + frameSeconds_);
            return 0;
        }
    } while (!(stage_.Clock() > next_));
    next_ += frameSeconds_;
    return 0;
}

std::int32_t RunFrames(const Stage& stage, const SavedPage& saved, const FrameDrawer& draw) {
    const float frameSeconds = stage.settings().frameSeconds;
    if (!saved.Held() || !stage.ClockRuns() || !(frameSeconds > 0.0f)) return 0;
    FrameClock clock(stage, frameSeconds);
    for (;;) {
        saved.Restore();
        if (!draw()) return 0;
        stage.Show();
        const std::int32_t code = clock.WaitForFrame();
        if (code != 0) return code;
    }
}

}  // namespace vekora
