// The current device of the C library and the command line.
#include "platform/active_device.h"

#include <atomic>

#include "platform/input.h"

namespace vekora {
namespace {

// The one active device; it belongs to whoever set it. Atomic, so that a device going away on
// one thread (a library run's own) never races with another thread's look at it.
std::atomic<Device*> activeDevice{nullptr};

}  // namespace

Device* ActiveDevice() { return activeDevice.load(); }

void SetActiveDevice(Device* device) { activeDevice.store(device); }

void ForgetActiveDevice(const Device* device) {
    Device* expected = const_cast<Device*>(device);
    activeDevice.compare_exchange_strong(expected, nullptr);
}

ImageHandle TargetOrScreen(ImageHandle target) {
    if (target != nullptr) return target;
    Device* device = ActiveDevice();
    return device != nullptr ? device->Screen() : nullptr;
}

ImageHandle ImageNew(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    const std::int32_t depth = ScreenQuery().depth;
    return ImageNewOfDepth(width, height, depth > 0 ? (depth + 7) >> 3 : 2, colour, RenderScale());
}

std::int32_t RenderScale() {
    Device* device = ActiveDevice();
    return device != nullptr ? device->RenderScale() : 1;
}

bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    Device* device = ActiveDevice();
    return device != nullptr && device->ScreenOpen(width, height, depth);
}

ScreenMode ScreenQuery() {
    Device* device = ActiveDevice();
    return device != nullptr ? device->ScreenQuery() : ScreenMode{};
}

void WindowCaption(std::string_view text) {
    if (Device* device = ActiveDevice()) device->WindowCaption(text);
}

MouseInfo MouseState() {
    Device* device = ActiveDevice();
    return device != nullptr ? device->MouseState() : MouseInfo{};
}

std::string KeyRead() {
    Device* device = ActiveDevice();
    return device != nullptr ? device->KeyRead() : std::string();
}

void SleepMs(std::int32_t ms) {
    if (Device* device = ActiveDevice()) device->Sleep(ms);
}

double ClockSeconds() {
    Device* device = ActiveDevice();
    return device != nullptr ? device->ClockSeconds() : 0.0;
}

std::int32_t PollInput() {
    Device* device = ActiveDevice();
    return device != nullptr ? PollInput(*device) : 0;
}

std::int32_t WaitPolling(std::int32_t ms) {
    Device* device = ActiveDevice();
    return device != nullptr ? WaitPolling(*device, ms) : 0;
}

}  // namespace vekora
