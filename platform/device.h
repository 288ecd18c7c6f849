// The device the program draws on and reads input from: a window, or a headless screen with
// a virtual clock. The screen is an image in the ordinary image-buffer layout, owned by the
// device; a null drawing target means it. One device is active at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "draw/image.h"

namespace vekora {

struct ScreenMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t depth = 0;  // bits a pixel: 8, 16 or 32; 0 before the screen is open
};

// All four are -1 while the pointer is outside the window.
struct MouseInfo {
    std::int32_t x = -1;
    std::int32_t y = -1;
    std::int32_t wheel = -1;
    std::int32_t buttons = -1;  // bit 0 left, bit 1 right, bit 2 middle
};

// Told whenever the device's clock moves on, with the screen as it stood over that time.
// The picture recorders sample the screen this way.
class ClockObserver {
public:
    virtual ~ClockObserver() = default;
    virtual void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) = 0;
};

class Device {
public:
    Device();
    virtual ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Opens or resizes the screen; false for a size or depth that cannot be represented.
    virtual bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth);
    ScreenMode ScreenQuery() const;
    ImageHandle Screen() const { return screen_.get(); }

    virtual void WindowCaption(std::string_view text) { (void)text; }
    // The window's icon: a 32-bit image (0xAARRGGBB pixels); the caller keeps it alive.
    virtual void WindowIcon(ImageHandle icon) { (void)icon; }
    virtual MouseInfo MouseState() = 0;
    // The next key without waiting: "" when none, one byte, or 0xFF and a scan code.
    virtual std::string KeyRead() = 0;
    // Whether a key waits in the keyboard buffer, leaving it there.
    virtual bool KeyWaiting() = 0;
    // One uninterrupted wait; SleepMs builds the interruptible sleep on it.
    virtual void PlainSleep(std::int32_t ms) = 0;
    // Seconds since the program started.
    virtual double ClockSeconds() = 0;
    // Shows the screen now, if the device has anything to show it on.
    virtual void Present() {}

    void AddClockObserver(ClockObserver* observer);
    void RemoveClockObserver(ClockObserver* observer);

protected:
    void NotifyClockAdvanced(double fromSeconds, double toSeconds);

private:
    struct ImageDeleter {
        void operator()(std::uint8_t* image) const { ImageFree(image); }
    };
    std::unique_ptr<std::uint8_t, ImageDeleter> screen_;
    std::vector<ClockObserver*> observers_;
};

// The active device (null until one is set). The caller keeps ownership.
Device* ActiveDevice();
void SetActiveDevice(Device* device);

// The raster layer's device operations, on the active device. Without one they do nothing:
// no screen, no input, a clock that stays at 0.
bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth);
ScreenMode ScreenQuery();
void WindowCaption(std::string_view text);
void WindowIcon(ImageHandle icon);
MouseInfo MouseState();
std::string KeyRead();
// 100 ms and more: 50 ms slices while more than 50 ms remain, ending early when a key waits;
// the rest (and any sleep of 1 to 99 ms) is one plain wait; 0 or less returns at once.
void SleepMs(std::int32_t ms);
double ClockSeconds();
void ScreenPresent();

}  // namespace vekora
