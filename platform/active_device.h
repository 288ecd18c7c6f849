// The current device of the C library and the command line: the one a null drawing target
// of a C caller means, and the one the library's runs play on. Only the C wrappers, the
// program shell and the tests reach it; the engine is handed its device through the stage.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/device.h"

namespace vekora {

// The active device (null until one is set). The caller keeps ownership. Setting and reading
// it are atomic; a run on a device of its own (VEKS_RUNHEADLESS) never makes it active, so
// that runs on other threads neither see nor leave behind one another's devices.
Device* ActiveDevice();
void SetActiveDevice(Device* device);
// Clears the active device if it is `device` (which is going away).
void ForgetActiveDevice(const Device* device);

// The target a C caller means: the image, or the active device's screen for null (null
// again when there is no screen).
ImageHandle TargetOrScreen(ImageHandle target);

// A new image of the screen's depth (16-bit pixels before a screen exists), every pixel
// `colour`; see ImageNewOfDepth.
ImageHandle ImageNew(std::int32_t width, std::int32_t height, std::uint32_t colour);
// The active device's render scale (1 without one): the scale of the pictures a run makes.
std::int32_t RenderScale();

// The device operations on the active device. Without one they do nothing: no screen, no
// input, a clock that stays at 0.
bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth);
ScreenMode ScreenQuery();
void WindowCaption(std::string_view text);
MouseInfo MouseState();
std::string KeyRead();
void SleepMs(std::int32_t ms);
double ClockSeconds();
std::int32_t PollInput();
std::int32_t WaitPolling(std::int32_t ms);

}  // namespace vekora
