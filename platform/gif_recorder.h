// An animated GIF of a run: the screen sampled at a frame rate of the device's clock, each
// changed frame shown for as long as the screen stayed unchanged, looping forever.
//
//   GifRecorder recorder(path, 25);
//   device.AddClockObserver(&recorder);
//   ... run ...
//   std::string error = recorder.Close(device.ClockSeconds());
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gif_palette.h"
#include "platform/screen_sampler.h"

struct st_gif;

namespace vekora {

class AtomicFile;

class GifRecorder : public ScreenSampler {
public:
    GifRecorder(std::string path, double framesPerSecond);
    ~GifRecorder() override;

    // Writes the last frame, closes the file and puts it at the path. Returns "" when the GIF
    // was written, else what went wrong (also when no frame was ever sampled); then nothing
    // is left at the path.
    std::string Close(double endSeconds);

protected:
    void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) override;

private:
    bool Open(ImageHandle frame);
    void AddFrame(ImageHandle frame, std::int64_t delayCentiseconds);

    std::string path_;
    // The GIF is written beside the path and put in place by Close when it is whole.
    std::unique_ptr<AtomicFile> file_;
    st_gif* gif_ = nullptr;
    std::int32_t width_ = 0, height_ = 0;  // of the first frame; later frames are cut or padded to it
    GifPalette palette_;
    bool closed_ = false;
    std::string error_;
};

}  // namespace vekora
