// The device base class, the active device, and the raster layer's device operations.
#include "platform/device.h"

#include <algorithm>
#include <cstring>

namespace vekora {
namespace {

// The one active device; it belongs to whoever set it.
Device* activeDevice = nullptr;

// Slices of an interruptible sleep, and the length from which a sleep is interruptible.
constexpr std::int32_t SleepSliceMs = 50;
constexpr std::int32_t InterruptibleFromMs = 100;

}  // namespace

Device::Device() = default;

Device::~Device() {
    if (activeDevice == this) activeDevice = nullptr;
}

bool Device::ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    if (depth != 8 && depth != 16 && depth != 32) return false;
    const ScreenMode current = ScreenQuery();
    if (current.width == width && current.height == height && current.depth == depth) return true;
    ImageHandle screen = ImageNewOfDepth(width, height, depth / 8, 0);
    if (screen == nullptr) return false;
    screen_.reset(screen);
    return true;
}

ScreenMode Device::ScreenQuery() const {
    if (!screen_) return {};
    const SurfaceSize size = SurfaceInfo(screen_.get());
    return {size.width, size.height, size.bytesPerPixel * 8};
}

void Device::AddClockObserver(ClockObserver* observer) { observers_.push_back(observer); }

void Device::RemoveClockObserver(ClockObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Device::NotifyClockAdvanced(double fromSeconds, double toSeconds) {
    for (ClockObserver* observer : observers_) observer->ClockAdvanced(fromSeconds, toSeconds, Screen());
}

Device* ActiveDevice() { return activeDevice; }

void SetActiveDevice(Device* device) { activeDevice = device; }

bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    return activeDevice != nullptr && activeDevice->ScreenOpen(width, height, depth);
}

ScreenMode ScreenQuery() { return activeDevice != nullptr ? activeDevice->ScreenQuery() : ScreenMode{}; }

void WindowCaption(std::string_view text) {
    if (activeDevice != nullptr) activeDevice->WindowCaption(text);
}

void WindowIcon(ImageHandle icon) {
    if (activeDevice != nullptr) activeDevice->WindowIcon(icon);
}

MouseInfo MouseState() { return activeDevice != nullptr ? activeDevice->MouseState() : MouseInfo{}; }

std::string KeyRead() { return activeDevice != nullptr ? activeDevice->KeyRead() : std::string(); }

void SleepMs(std::int32_t ms) {
    if (activeDevice == nullptr || ms <= 0) return;
    if (ms >= InterruptibleFromMs) {
        while (ms > SleepSliceMs) {
            activeDevice->PlainSleep(SleepSliceMs);
            ms -= SleepSliceMs;
            if (activeDevice->KeyWaiting()) return;
        }
    }
    activeDevice->PlainSleep(ms);
}

double ClockSeconds() { return activeDevice != nullptr ? activeDevice->ClockSeconds() : 0.0; }

void ScreenPresent() {
    if (activeDevice != nullptr) activeDevice->Present();
}

}  // namespace vekora
