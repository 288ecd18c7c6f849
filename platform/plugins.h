// The window and the video writer live in plugins (vekora-window.so, vekora-video.so) that
// are loaded the first time a window is opened or a video recorded: a headless run, --check
// and the C library's other routines then never load the window system's or the video
// codecs' libraries. Without a plugin the program still plays headless and writes GIFs.
//
// A plugin holds its own copy of the portable core it needs and is used only by the build
// that made it: host and plugin share C++ types, so each entry point checks the build.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/device.h"
#include "platform/screen_sampler.h"

namespace vekora {

struct WindowOptions {
    double zoom = 1;          // the window's first size, in screen pixels a window point (0.5 to 8)
    bool fullscreen = false;  // open fullscreen (F11 leaves it)
    // Screen pixels enlarged as they are (nearest neighbour); false: a display scale that is
    // not whole is shown smoothed. F2 switches at any time.
    bool sharp = true;
    // The render scale follows the display: the smallest whole number at least the factor
    // the screen is shown at (1 while sharp). False: the scale set on the device stays.
    bool followDisplay = false;
};

// A video being written, closed by whoever started it.
class VideoOutput : public ScreenSampler {
public:
    using ScreenSampler::ScreenSampler;
    // Encodes the last frame, finishes the file and puts it in place. Returns "" when the
    // video was written, else what went wrong (also when no frame was ever sampled).
    virtual std::string Close(double endSeconds) = 0;
};

// The video a path names by its ending (any case): .mp4 or .webm; None for anything else.
enum class VideoKind { None, Mp4, WebM };
VideoKind VideoKindOf(std::string_view path);

// A window device, or null with the reason in `whyNot` (no display, no plugin). The help box
// F1 shows is `helpPicture` (a 32-bit image, copied; null for none).
std::unique_ptr<Device> OpenWindowDevice(const WindowOptions& options, ImageHandle helpPicture, std::string& whyNot);

// A video recorder writing `path` (see VideoRecorder), or null with the reason in `whyNot`
// when the video plugin cannot be loaded.
std::unique_ptr<VideoOutput> OpenVideoOutput(const std::string& path, double framesPerSecond, std::int32_t scale,
                                             std::function<std::uint32_t()> padColour, std::string& whyNot);

}  // namespace vekora
