// A video of a run for slides and video platforms: the screen sampled at a frame rate of the
// device's clock, as the GIF recorder samples it, encoded at a constant frame rate so that
// every frame lasts as long as the screen showed it (a 2 s pause is 50 frames at 25 fps).
// MP4 holds H.264, WebM holds VP9, both yuv420p, through FFmpeg's libraries.
//
//   VideoRecorder recorder(path, 25, 2, [] { return 0xFFFFFFu; });
//   device.AddClockObserver(&recorder);
//   ... run ...
//   std::string error = recorder.Close(device.ClockSeconds());
//
// The file is written under a temporary name beside `path` and renamed into place by Close,
// so a file at `path` is always a whole, playable video.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/plugins.h"

namespace vekora {

class AtomicFile;

class VideoRecorder : public VideoOutput {
public:
    // Each screen pixel becomes scale x scale pixels of the video (1 to 8). A picture of odd
    // width or height gets one more column or row, of the colour `padColour` gives when the
    // first frame arrives (the page colour).
    VideoRecorder(std::string path, double framesPerSecond, std::int32_t scale, std::function<std::uint32_t()> padColour);
    ~VideoRecorder() override;

    std::string Close(double endSeconds) override;

protected:
    void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) override;

private:
    struct Encoder;

    std::string path_;
    // The video is written beside the path and put in place by Close when it is whole.
    std::unique_ptr<AtomicFile> file_;
    double framesPerSecond_;
    std::int32_t scale_;
    std::function<std::uint32_t()> padColour_;
    std::unique_ptr<Encoder> encoder_;
    std::int64_t nextFrame_ = 0;  // index of the next video frame, at nextFrame_ / fps seconds
    bool closed_ = false;
    std::string error_;
};

}  // namespace vekora
