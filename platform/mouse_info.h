// The mouse as a device reports it at one poll.
#pragma once

#include <cstdint>

namespace vekora {

// All four are -1 while the pointer is outside the window.
struct MouseInfo {
    std::int32_t x = -1;
    std::int32_t y = -1;
    std::int32_t wheel = -1;
    std::int32_t buttons = -1;  // bit 0 left, bit 1 right, bit 2 middle
};

}  // namespace vekora
