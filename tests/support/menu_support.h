// A headless screen with scripted input for the control bar and menu tests, and a look at
// the screen at chosen moments of the virtual clock (while a menu or a pause is showing).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/active_device.h"
#include "draw/image.h"
#include "platform/event_file.h"
#include "platform/headless_device.h"

namespace vekora::testing {

// Records one screen pixel at every moment the clock passes one of the given times.
class PixelWatch : public ClockObserver {
public:
    PixelWatch(std::int32_t x, std::int32_t y, std::vector<double> seconds)
        : x_(x), y_(y), seconds_(std::move(seconds)), seen_(seconds_.size(), 0xFFFFFFFFu) {}
    void ClockAdvanced(double from, double to, ImageHandle screen) override {
        for (std::size_t i = 0; i < seconds_.size(); ++i)
            if (from <= seconds_[i] && seconds_[i] < to) seen_[i] = PixelValue(screen, x_, y_);
    }
    // The stored pixel at the i-th time, 0xFFFFFFFF when the clock never passed it.
    std::uint32_t Seen(std::size_t i) const { return seen_.at(i); }

private:
    std::int32_t x_, y_;
    std::vector<double> seconds_;
    std::vector<std::uint32_t> seen_;
};

// A 16-bit headless screen of the given size, active for the test's lifetime.
class HeadlessScreen {
public:
    explicit HeadlessScreen(const std::string& events = "", std::int32_t width = 640, std::int32_t height = 480) {
        const EventList list = ParseEvents(events, "events");
        EXPECT_EQ(list.error, "");
        device_ = std::make_unique<HeadlessDevice>(list.events);
        SetActiveDevice(device_.get());
        device_->ScreenOpen(width, height, 16);
    }
    ~HeadlessScreen() {
        for (PixelWatch* watch : watches_) device_->RemoveClockObserver(watch);
        SetActiveDevice(nullptr);
    }
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    std::int64_t NowMs() const { return device_->NowMs(); }
    void Watch(PixelWatch& watch) {
        device_->AddClockObserver(&watch);
        watches_.push_back(&watch);
    }
    // The screen's pixel as stored, and a colour as a 16-bit pixel stores it.
    static std::uint32_t At(std::int32_t x, std::int32_t y) { return PixelValue(TargetOrScreen(nullptr), x, y); }
    static std::uint32_t Stored(std::uint32_t colour) { return EncodeColour(colour, 2); }
    // The whole screen's bytes, to compare before and after.
    static std::vector<std::uint8_t> Bytes() {
        const ImageHandle screen = ActiveDevice()->Screen();
        const SurfaceSize size = SurfaceInfo(TargetOrScreen(nullptr));
        return {screen, screen + ImageHeaderBytes + std::size_t{1} * size.width * size.height * size.bytesPerPixel};
    }

private:
    std::unique_ptr<HeadlessDevice> device_;
    std::vector<PixelWatch*> watches_;
};

// Input codes as PollInput packs them.
inline std::int32_t KeyCode(std::string_view key) {
    auto code = static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[0]));
    if (key.size() > 1) code |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[1])) << 8;
    return static_cast<std::int32_t>(0x40000000u | code);
}
inline std::int32_t ClickCode(std::int32_t x, std::int32_t y, std::int32_t buttons = 1) {
    return static_cast<std::int32_t>(0x80000000u | (static_cast<std::uint32_t>(buttons & 0xF) << 24) |
                                     ((static_cast<std::uint32_t>(y) << 12) & 0xFFFFFF) |
                                     (static_cast<std::uint32_t>(x) & 0xFFF));
}

}  // namespace vekora::testing
