// Samples the screen at a fixed rate of the device's clock (virtual or real) and hands on
// every frame that differs from the one before, once it is known how long it was shown.
// The picture recorders (animated GIF, frames folder) are built on it.
#pragma once

#include <cstdint>
#include <memory>

#include "draw/drawn_area.h"
#include "platform/device.h"

namespace vekora {

class ScreenSampler : public ClockObserver {
public:
    explicit ScreenSampler(double framesPerSecond);
    ~ScreenSampler() override;
    ScreenSampler(const ScreenSampler&) = delete;
    ScreenSampler& operator=(const ScreenSampler&) = delete;

    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    // Ends the recording: the last frame was shown until `endSeconds`.
    void Finish(double endSeconds);

protected:
    // A frame was on the screen from `startSeconds` to `endSeconds` (seconds of the clock).
    virtual void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) = 0;

private:
    double framesPerSecond_;
    std::int64_t nextSample_ = 0;  // index of the next sampling instant, at nextSample_ / fps
    ImageHandle frame_ = nullptr;  // copy of the last frame that changed
    double frameStart_ = 0;
    // Drawing on the screen since it was last compared with frame_: none means it still holds
    // frame_, and the comparison (most of a long hold's cost) is skipped.
    std::unique_ptr<DrawnAreaWatch> screenWatch_;
    std::uint64_t changesAtCompare_ = 0;
};

}  // namespace vekora
