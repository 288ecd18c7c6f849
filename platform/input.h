// One poll of the keyboard and mouse as an input code, and the interruptible wait built on it.
//
// Input code (int32):
//   0                       nothing
//   bit 31 set              a click: x in bits 0-11, y in bits 12-23, buttons in bits 24-27
//   0x40000000 | key        a key: its byte, or 0xFF | scan code << 8 for an extended key
//   0x20000000              the run was asked to stop (window closed, signal, time limit)
#pragma once

#include <cstdint>

#include "platform/device.h"

namespace vekora {

constexpr std::int32_t KeyCodeBit = 0x40000000;
// Ends every wait like a key, and means nothing to the control bar or a menu: the engine
// sees the device's stop request itself and unwinds.
constexpr std::int32_t StopCode = 0x20000000;

// Reads one key and the mouse; a pressed button wins over a key (the key is consumed anyway).
// StopCode once the device has stopped.
std::int32_t PollInput(Device& device);
// Waits for input and polls until a code arrives or the time runs out (0). On a virtual clock
// each wait is a 20 ms sleep; a window blocks on its events until input comes or time is up.
std::int32_t WaitPolling(Device& device, std::int32_t ms);

}  // namespace vekora
