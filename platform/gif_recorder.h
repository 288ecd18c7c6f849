// An animated GIF of a run, written to a file or kept in memory: the screen sampled at a frame
// rate of the device's clock, each changed frame shown for as long as the screen stayed
// unchanged, looping forever. Each frame after the first holds only the rectangle that
// changed, drawn over the one before. Portable: the desktop program, the C library and the
// browser build record through it.
//
//   GifRecorder recorder(path, 25);             // or GifRecorder recorder(25) for memory
//   device.AddClockObserver(&recorder);
//   ... run ...
//   std::string error = recorder.Close(device.ClockSeconds());
//   std::vector<std::uint8_t> gif = recorder.TakeBytes();  // the file, when kept in memory
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "draw/image_surface.h"
#include "platform/gif_palette.h"
#include "platform/screen_sampler.h"

namespace vekora {

class AtomicFile;

class GifRecorder : public ScreenSampler {
public:
    // Writes to the file at `path`, which appears there whole when Close succeeds.
    GifRecorder(std::string path, double framesPerSecond);
    // Keeps the file in memory, for TakeBytes.
    explicit GifRecorder(double framesPerSecond);
    ~GifRecorder() override;

    // Writes the last frame and the trailer; a file is closed and put at the path. Returns ""
    // when the GIF was written, else what went wrong (also when no frame was ever sampled);
    // then nothing is left at the path, nor in memory.
    std::string Close(double endSeconds);
    // The whole GIF kept in memory, once closed; empty when writing to a file or on failure.
    std::vector<std::uint8_t> TakeBytes();

protected:
    void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) override;

private:
    // Where a frame differs from the one shown before it, in GIF pixels.
    struct Window {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
        bool Empty() const { return width <= 0 || height <= 0; }
    };

    bool Open(ImageHandle frame);
    void AddFrame(const Surface& surface, std::int64_t delayCentiseconds);
    // The common case: a 16-bit frame of the size of the one before, the palette exact for it.
    // Maps only the pixels that changed; false when the new colours do not fit the palette.
    bool MapChangedPixels(const Surface& surface, Window& changed);
    // Any frame: maps it whole; the window is where the colours shown change.
    Window MapWholeFrame(const Surface& surface);
    void WriteHeader();
    void WriteFrame(const Window& window, std::int64_t delayCentiseconds);
    // Hands the bytes written so far to the file, if there is one.
    void Flush();

    std::string path_;  // "" when kept in memory
    // The GIF is written beside the path and put in place by Close when it is whole.
    std::unique_ptr<AtomicFile> file_;
    std::FILE* stream_ = nullptr;
    bool opened_ = false;
    std::vector<std::uint8_t> bytes_;  // written and not yet flushed; the whole GIF in memory
    std::int32_t width_ = 0, height_ = 0;  // of the first frame; later frames are cut or padded to it
    GifPalette palette_;
    std::vector<std::uint8_t> indices_;       // the picture shown now, width_ x height_ entries
    std::vector<std::uint8_t> shownPalette_;  // its palette's red, green, blue bytes
    std::vector<std::uint8_t> pixels_;        // the frame it was mapped from (raw pixels)
    std::int32_t pixelsWidth_ = 0, pixelsHeight_ = 0, pixelsDepth_ = 0;
    // The palette entry of each 16-bit pixel value seen since the palette last changed its
    // entries, or -1: most pixels are then mapped with one look-up.
    std::vector<std::int16_t> entryOf16_;
    bool closed_ = false;
    std::string error_;
};

}  // namespace vekora
