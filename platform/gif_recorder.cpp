// Writing the animated GIF with cgif.
#include "platform/gif_recorder.h"

#include <cgif.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "draw/image_surface.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

// The longest delay one GIF frame can carry; longer frames are repeated.
constexpr std::int64_t MaxDelayCentiseconds = 0xFFFF;

std::int64_t Centiseconds(double seconds) { return std::llround(seconds * 100.0); }

}  // namespace

GifRecorder::GifRecorder(std::string path, double framesPerSecond)
    : ScreenSampler(framesPerSecond), path_(std::move(path)) {}

GifRecorder::~GifRecorder() {
    if (gif_ != nullptr) cgif_close(gif_);
}

bool GifRecorder::Open(ImageHandle frame) {
    const SurfaceSize size = SurfaceInfo(frame);
    width_ = size.width;
    height_ = size.height;
    file_ = std::make_unique<AtomicFile>(path_);
    if (!file_->Ready()) {
        error_ = file_->Error();
        return false;
    }
    CGIF_Config config{};
    config.path = file_->TempPath().c_str();
    config.attrFlags = CGIF_ATTR_IS_ANIMATED | CGIF_ATTR_NO_GLOBAL_TABLE;
    config.width = static_cast<std::uint16_t>(width_);
    config.height = static_cast<std::uint16_t>(height_);
    config.numLoops = CGIF_INFINITE_LOOP;
    gif_ = cgif_newgif(&config);
    if (gif_ == nullptr) error_ = path_ + ": cannot create the GIF";
    return gif_ != nullptr;
}

void GifRecorder::AddFrame(ImageHandle frame, std::int64_t delayCentiseconds) {
    const Surface surface = ResolveSurface(frame);
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(width_) * height_, 0);
    const std::int32_t w = std::min(width_, surface.width), h = std::min(height_, surface.height);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(surface.width));
    for (std::int32_t y = 0; y < h; ++y) {
        RowRgb(surface, y, row.data());
        std::copy_n(row.begin(), w, colours.begin() + static_cast<std::ptrdiff_t>(y) * width_);
    }
    std::vector<std::uint8_t> indices;
    const bool sameIndices = palette_.Map(colours, indices);
    std::vector<std::uint8_t> paletteBytes = palette_.Bytes();
    while (delayCentiseconds > 0 && error_.empty()) {
        CGIF_FrameConfig config{};
        config.pLocalPalette = paletteBytes.data();
        config.numLocalPaletteEntries = static_cast<std::uint16_t>(paletteBytes.size() / 3);
        config.pImageData = indices.data();
        config.attrFlags = CGIF_FRAME_ATTR_USE_LOCAL_TABLE;
        // Only the changed rectangle is encoded when the indices of the previous frame still hold.
        config.genFlags = sameIndices ? CGIF_FRAME_GEN_USE_DIFF_WINDOW : 0;
        config.delay = static_cast<std::uint16_t>(std::min(delayCentiseconds, MaxDelayCentiseconds));
        delayCentiseconds -= config.delay;
        if (cgif_addframe(gif_, &config) != CGIF_OK) error_ = path_ + ": cannot write a frame of the GIF";
    }
}

void GifRecorder::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    if (closed_ || !error_.empty() || (gif_ == nullptr && !Open(frame))) return;
    // Delays are rounded on the clock, not frame by frame, so the total time stays right;
    // a frame is shown for at least one hundredth of a second.
    AddFrame(frame, std::max<std::int64_t>(1, Centiseconds(endSeconds) - Centiseconds(startSeconds)));
}

std::string GifRecorder::Close(double endSeconds) {
    if (closed_) return error_;
    Finish(endSeconds);
    closed_ = true;
    if (gif_ == nullptr) return error_.empty() ? path_ + ": nothing was shown on the screen to record" : error_;
    const int result = cgif_close(gif_);
    gif_ = nullptr;
    if (result != CGIF_OK && error_.empty()) error_ = path_ + ": cannot finish writing the GIF";
    if (error_.empty()) error_ = file_->Commit();
    file_.reset();
    return error_;
}

}  // namespace vekora
