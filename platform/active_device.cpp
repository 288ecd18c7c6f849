// The current device of the C library and the command line.
#include "platform/active_device.h"

#include "platform/input.h"

namespace vekora {
namespace {

// The one active device; it belongs to whoever set it.
Device* activeDevice = nullptr;

}  // namespace

Device* ActiveDevice() { return activeDevice; }

void SetActiveDevice(Device* device) { activeDevice = device; }

void ForgetActiveDevice(const Device* device) {
    if (activeDevice == device) activeDevice = nullptr;
}

ImageHandle TargetOrScreen(ImageHandle target) {
    if (target != nullptr || activeDevice == nullptr) return target;
    return activeDevice->Screen();
}

ImageHandle ImageNew(std::int32_t width, std::int32_t height, std::uint32_t colour) {
    const std::int32_t depth = ScreenQuery().depth;
    return ImageNewOfDepth(width, height, depth > 0 ? (depth + 7) >> 3 : 2, colour, RenderScale());
}

std::int32_t RenderScale() { return activeDevice != nullptr ? activeDevice->RenderScale() : 1; }

bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) {
    return activeDevice != nullptr && activeDevice->ScreenOpen(width, height, depth);
}

ScreenMode ScreenQuery() { return activeDevice != nullptr ? activeDevice->ScreenQuery() : ScreenMode{}; }

void WindowCaption(std::string_view text) {
    if (activeDevice != nullptr) activeDevice->WindowCaption(text);
}

MouseInfo MouseState() { return activeDevice != nullptr ? activeDevice->MouseState() : MouseInfo{}; }

std::string KeyRead() { return activeDevice != nullptr ? activeDevice->KeyRead() : std::string(); }

void SleepMs(std::int32_t ms) {
    if (activeDevice != nullptr) activeDevice->Sleep(ms);
}

double ClockSeconds() { return activeDevice != nullptr ? activeDevice->ClockSeconds() : 0.0; }

std::int32_t PollInput() { return activeDevice != nullptr ? PollInput(*activeDevice) : 0; }

std::int32_t WaitPolling(std::int32_t ms) { return activeDevice != nullptr ? WaitPolling(*activeDevice, ms) : 0; }

}  // namespace vekora
