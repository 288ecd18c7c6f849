// Sampling the screen at the recorders' frame rate.
#include "platform/screen_sampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/image_surface.h"

namespace vekora {
namespace {

std::size_t ImageBytes(ImageHandle image) {
    const Surface size = ResolveSurface(image);
    return ImageHeaderBytes + static_cast<std::size_t>(size.width) * size.height * size.bytesPerPixel;
}

}  // namespace

ScreenSampler::ScreenSampler(double framesPerSecond) : framesPerSecond_(std::clamp(framesPerSecond, 0.1, 1000.0)) {}

ScreenSampler::~ScreenSampler() { ImageFree(frame_); }

void ScreenSampler::ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) {
    (void)fromSeconds;
    const double sampleTime = nextSample_ / framesPerSecond_;
    if (!(sampleTime < toSeconds)) return;
    // Every instant up to toSeconds is sampled now; the screen stood still over that time.
    nextSample_ = std::max(nextSample_ + 1, static_cast<std::int64_t>(std::ceil(toSeconds * framesPerSecond_)));
    if (screen == nullptr) return;
    const bool watched = screenWatch_ != nullptr && screenWatch_->Watches(screen);
    if (frame_ != nullptr && watched && screenWatch_->Changes() == changesAtCompare_) return;
    if (!watched) screenWatch_ = std::make_unique<DrawnAreaWatch>(screen);
    // From here the screen and frame_ are alike until something draws on the screen again.
    changesAtCompare_ = screenWatch_->Changes();
    const std::size_t bytes = ImageBytes(screen);
    if (frame_ != nullptr && ImageBytes(frame_) == bytes && std::memcmp(frame_, screen, bytes) == 0) return;
    if (frame_ != nullptr) FrameShown(frame_, frameStart_, sampleTime);
    if (frame_ == nullptr || ImageBytes(frame_) != bytes) {
        ImageFree(frame_);
        frame_ = ImageNewLike(screen, 0);
        if (frame_ == nullptr) return;
    }
    std::memcpy(frame_, screen, bytes);
    frameStart_ = sampleTime;
}

void ScreenSampler::Finish(double endSeconds) {
    if (frame_ == nullptr) return;
    FrameShown(frame_, frameStart_, std::max(endSeconds, frameStart_));
    ImageFree(frame_);
    frame_ = nullptr;
}

}  // namespace vekora
