// The construction test stage.
#include "tests/support/construct_support.h"

#include <cmath>
#include <utility>

#include "platform/active_device.h"

namespace vekora::testing {

std::int32_t CountColour(ImageHandle target, std::uint32_t colour) {
    const SurfaceSize size = SurfaceInfo(target);
    const std::uint32_t stored = EncodeColour(colour, size.bytesPerPixel);
    std::int32_t count = 0;
    for (std::int32_t y = 0; y < size.height; ++y) {
        for (std::int32_t x = 0; x < size.width; ++x) count += PixelValue(target, x, y) == stored ? 1 : 0;
    }
    return count;
}

bool ColourNear(ImageHandle target, std::uint32_t colour, double x, double y, int reach) {
    const auto cx = static_cast<std::int32_t>(std::lround(x));
    const auto cy = static_cast<std::int32_t>(std::lround(y));
    for (std::int32_t dy = -reach; dy <= reach; ++dy) {
        for (std::int32_t dx = -reach; dx <= reach; ++dx) {
            if (PixelValue(target, cx + dx, cy + dy) == EncodeColour(colour, 2)) return true;
        }
    }
    return false;
}

void ScreenFilm::ClockAdvanced(double fromSeconds, double, ImageHandle screen) {
    const ScreenState state{fromSeconds, CountColour(screen, Result), CountColour(screen, Aid)};
    if (!states_.empty() && states_.back().resultPixels == state.resultPixels &&
        states_.back().aidPixels == state.aidPixels) {
        return;
    }
    states_.push_back(state);
}

ConstructionStage::ConstructionStage(std::vector<InputEvent> events, std::int32_t width, std::int32_t height,
                                     std::int32_t originX, std::int32_t originY)
    : device_(std::move(events)), previous_(ActiveDevice()), stage_(&device_, settings) {
    SetActiveDevice(&device_);
    device_.ScreenOpen(width + originX, height + originY, 16);
    page_ = ImageNew(width, height, NO_COLOUR);
    RasterLine(page_, 0, 0, static_cast<float>(width - 1), static_cast<float>(height - 1), White, LineKind::FilledBox,
               0xFFFF);
    stage_.page = page_;
    stage_.originX = originX;
    stage_.originY = originY;
    settings.stepMs = 1000;
    settings.defaultColour = Word(Default);
    settings.constructionColour = Word(Aid);
    device_.AddClockObserver(&film_);
}

ConstructionStage::~ConstructionStage() {
    device_.RemoveClockObserver(&film_);
    ImageFree(page_);
    SetActiveDevice(previous_);
}

}  // namespace vekora::testing
