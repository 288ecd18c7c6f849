// A headless stage for films: a device with a virtual clock and scripted keys, a white page
// shown below a 20-row bar, and a watcher that notes when the screen's picture changes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "anim/frame_loop.h"
#include "draw/image.h"
#include "platform/headless_device.h"
#include "settings/settings.h"

namespace vekora::testing {

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::int32_t PageWidth = 200;
constexpr std::int32_t PageHeight = 150;
constexpr std::int32_t BarRows = 20;

// Times (seconds of the clock) at which the screen began to show a new picture.
class ScreenWatcher : public ClockObserver {
public:
    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    const std::vector<double>& Changes() const { return changes_; }

private:
    std::vector<double> changes_;
    std::vector<std::uint8_t> last_;
};

// A white page of its own, owned.
struct OwnedImage {
    explicit OwnedImage(std::int32_t width = PageWidth, std::int32_t height = PageHeight)
        : image(ImageNewOfDepth(width, height, 2, White)) {}
    ~OwnedImage() { ImageFree(image); }
    OwnedImage(const OwnedImage&) = delete;
    OwnedImage& operator=(const OwnedImage&) = delete;
    ImageHandle image;
};

class FilmStage {
public:
    explicit FilmStage(std::vector<InputEvent> events = {});
    ~FilmStage();
    FilmStage(const FilmStage&) = delete;
    FilmStage& operator=(const FilmStage&) = delete;

    HeadlessDevice device;
    ScreenWatcher watcher;
    OwnedImage page;
    Settings settings;
    // The page shown below the bar, on the device, with `settings`' timing.
    Stage& film() { return stage_; }
    // Lets a millisecond pass, so that the watcher sees what a film left on the screen.
    void Settle() { device.PlainSleep(1); }

private:
    Stage stage_;
};

// A key pressed at the given virtual time.
InputEvent KeyAt(std::int64_t ms, char key);

// Whether two images hold the same pixels.
bool SamePixels(ImageHandle a, ImageHandle b);

}  // namespace vekora::testing
