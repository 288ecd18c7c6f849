// A folder of numbered PNG pictures, DIR/frame-NNNNN.png, one for every sampled frame that
// differs from the one before, and DIR/frames.tsv, which says when each appeared and how
// long it stayed (milliseconds of the run's clock): the times to put in an event file.
#pragma once

#include <cstdint>
#include <string>


#include "platform/screen_sampler.h"

namespace vekora {

class FramesWriter : public ScreenSampler {
public:
    FramesWriter(std::string folder, double framesPerSecond);

    // Writes the last frame. Returns "" when every frame was written, else the first problem.
    std::string Close(double endSeconds);

protected:
    void FrameShown(ImageHandle frame, double startSeconds, double endSeconds) override;

private:
    std::string folder_;
    std::int32_t written_ = 0;
    std::string index_;  // the lines of frames.tsv so far
    std::string error_;
};

}  // namespace vekora
