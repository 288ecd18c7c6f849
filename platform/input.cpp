// PollInput and WaitPolling on a device.
#include "platform/input.h"

#include <algorithm>
#include <cmath>

namespace vekora {

// The slice a polling wait sleeps between two polls on a virtual clock.
constexpr std::int32_t PollSliceMs = 20;

namespace {

// Whole milliseconds from the clock to `end`, at least 1: a wait that woke a little early
// (the clock has finer steps than the wait) waits on rather than spins.
std::int32_t MsUntil(Device& device, double end) {
    const double left = std::ceil((end - device.ClockSeconds()) * 1000.0);
    return static_cast<std::int32_t>(std::clamp(left, 1.0, 2147483647.0));
}

}  // namespace

std::int32_t PollInput(Device& device) {
    if (device.Stopped()) return StopCode;
    const std::string key = device.KeyRead();
    const MouseInfo mouse = device.MouseState();
    if (device.Stopped()) return StopCode;
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

std::int32_t WaitPolling(Device& device, std::int32_t ms) {
    // The deadline is kept in single precision; the clock counts from the program's start, so
    // it still resolves milliseconds after hours of running.
    const double start = device.ClockSeconds();
    const float deadline = static_cast<float>(start + ms / 1000.0);
    // A wait that blocks ends with the slice in which the time runs out, as the polling loop
    // ends: the pauses of a lesson keep their length in a window.
    const std::int64_t slices = std::max<std::int64_t>(1, (std::int64_t{ms} + PollSliceMs - 1) / PollSliceMs);
    const double sliceEnd = start + static_cast<double>(slices * PollSliceMs) / 1000.0;
    do {
        device.WaitForInput(PollSliceMs, MsUntil(device, sliceEnd));
        const std::int32_t code = PollInput(device);
        if (code != 0) return code;
    } while (!(device.ClockSeconds() > deadline));
    return 0;
}

}  // namespace vekora
