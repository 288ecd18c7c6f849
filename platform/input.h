// One poll of the keyboard and mouse as an input code, and the interruptible wait built on it.
//
// Input code (int32):
//   0                       nothing
//   bit 31 set              a click: x in bits 0-11, y in bits 12-23, buttons in bits 24-27
//   0x40000000 | key        a key: its byte, or 0xFF | scan code << 8 for an extended key
#pragma once

#include <cstdint>

namespace vekora {

constexpr std::int32_t KeyCodeBit = 0x40000000;

// Reads one key and the mouse; a pressed button wins over a key (the key is consumed anyway).
std::int32_t PollInput();
// Sleeps 20 ms and polls until a code arrives or the time runs out (0).
std::int32_t WaitPolling(std::int32_t ms);

}  // namespace vekora
