// The headless stage of the film tests.
#include "tests/support/film_support.h"

#include <cstring>

#include "platform/active_device.h"

namespace vekora::testing {

namespace {

std::size_t ImageBytes(ImageHandle image) {
    const SurfaceSize size = SurfaceInfo(image);
    return ImageHeaderBytes + static_cast<std::size_t>(size.width) * size.height * size.bytesPerPixel;
}

}  // namespace

void ScreenWatcher::ClockAdvanced(double fromSeconds, double, ImageHandle screen) {
    if (screen == nullptr) return;
    const std::size_t bytes = ImageBytes(screen);
    if (last_.size() == bytes && std::memcmp(last_.data(), screen, bytes) == 0) return;
    last_.assign(screen, screen + bytes);
    changes_.push_back(fromSeconds);
}

FilmStage::FilmStage(std::vector<InputEvent> events) : device(std::move(events)), stage_(&device, settings) {
    stage_.page = page.image;
    stage_.originY = BarRows;
    device.ScreenOpen(PageWidth, PageHeight + BarRows, 16);
    device.AddClockObserver(&watcher);
    // The first picture the watcher sees is the empty screen; films start after it.
    device.PlainSleep(1);
}

FilmStage::~FilmStage() {
    device.RemoveClockObserver(&watcher);
}

InputEvent KeyAt(std::int64_t ms, char key) {
    InputEvent event;
    event.timeMs = ms;
    event.kind = InputEvent::Kind::Key;
    event.key = std::string(1, key);
    return event;
}

bool SamePixels(ImageHandle a, ImageHandle b) {
    return ImageBytes(a) == ImageBytes(b) && std::memcmp(a, b, ImageBytes(a)) == 0;
}

}  // namespace vekora::testing
