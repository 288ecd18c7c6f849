// PollInput and WaitPolling on the active device.
#include "platform/input.h"

#include "platform/device.h"

namespace vekora {

// The slice a polling wait sleeps between two polls.
constexpr std::int32_t PollSliceMs = 20;

std::int32_t PollInput() {
    const std::string key = KeyRead();
    const MouseInfo mouse = MouseState();
    if (key.empty() && mouse.buttons <= 0) return 0;
    if (mouse.buttons > 0) {
        const auto code = 0x80000000u | ((static_cast<std::uint32_t>(mouse.buttons) & 0xF) << 24) |
                          ((static_cast<std::uint32_t>(mouse.y) << 12) & 0xFFFFFF) |
                          (static_cast<std::uint32_t>(mouse.x) & 0xFFF);
        return static_cast<std::int32_t>(code);
    }
    auto code = static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[0]));
    if (key.size() > 1) code |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[1])) << 8;
    return static_cast<std::int32_t>(KeyCodeBit | code);
}

std::int32_t WaitPolling(std::int32_t ms) {
    // Without a device no clock moves: waiting would never end.
    if (ActiveDevice() == nullptr) return 0;
    // The deadline is kept in single precision; the clock counts from the program's start, so
    // it still resolves milliseconds after hours of running.
    const float deadline = static_cast<float>(ClockSeconds() + ms / 1000.0);
    do {
        SleepMs(PollSliceMs);
        const std::int32_t code = PollInput();
        if (code != 0) return code;
    } while (!(ClockSeconds() > deadline));
    return 0;
}

}  // namespace vekora
