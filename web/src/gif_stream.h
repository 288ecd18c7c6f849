// An animated GIF of a run kept in memory, for the page to download: the screen sampled at a
// frame rate of the device's clock, each changed frame shown for as long as the screen stayed
// unchanged, looping forever. Only the rectangle that changed is encoded while the palette
// keeps its indices.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gif_palette.h"
#include "platform/screen_sampler.h"

namespace vekora {

class GifStream : public ScreenSampler {
public:
    explicit GifStream(double framesPerSecond) : ScreenSampler(framesPerSecond) {}

    // Adds the last frame and the trailer; the whole file, empty when nothing was shown.
    std::vector<std::uint8_t> Close(double endSeconds);

protected:
    void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) override;

private:
    void WriteHeader();
    // One frame: the rectangle x0..x1, y0..y1 (inclusive) of `indices`, with its palette.
    void WriteFrame(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint16_t delay);

    std::vector<std::uint8_t> bytes_;
    std::int32_t width_ = 0, height_ = 0;  // of the first frame; later frames are cut or padded to it
    GifPalette palette_;
    std::vector<std::uint8_t> indices_, previous_;
    std::vector<std::uint8_t> paletteBytes_;
};

}  // namespace vekora
