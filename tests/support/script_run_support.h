// Whole scripts played on the headless device with its virtual clock, and what a viewer
// would have seen when the run ended: the screen, the virtual time, the result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "draw/image_surface.h"
#include "platform/active_device.h"
#include "platform/event_file.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_text.h"

namespace vekora::testing {

struct ScriptOutcome {
    std::int32_t result = 0;
    std::int64_t ms = 0;  // virtual time when the main module ended
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> screen;  // 0xRRGGBB a pixel, top row first
    ErrorLists errors;
    bool stopped = false;  // still running at the time limit

    std::uint32_t At(std::int32_t x, std::int32_t y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0xDEADBEEF;
        return screen[static_cast<std::size_t>(y) * width + x];
    }
    // How many pixels of the box (inclusive) show the colour.
    int Count(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint32_t colour) const {
        int n = 0;
        for (std::int32_t y = y0; y <= y1; ++y)
            for (std::int32_t x = x0; x <= x1; ++x) n += At(x, y) == colour;
        return n;
    }
};

// The plain colours the scripts of these tests draw with, as 0xRRGGBB.
namespace colours {
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Blue = 0x0000FF;
}  // namespace colours

// A colour as a 5:6:5 screen pixel shows it, each channel widened by bit replication.
constexpr std::uint32_t Shown(std::uint32_t colour) {
    const std::uint32_t r = (colour >> 19) & 0x1F, g = (colour >> 10) & 0x3F, b = (colour >> 3) & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Runs longer than this (virtual time) are stopped, as --until stops them.
constexpr std::int64_t TimeLimitMs = 600000;

// Plays the script (its lines separated by '\n') with the events (event-file text), without
// the logo unless asked for, at a render scale (the screen then has scale x scale pixels for
// each of its page's), stopping at a time limit.
// As PlayHeadless, with the run's options as given (the logo, the presenter's keys).
inline ScriptOutcome PlayHeadlessWith(std::string_view script, std::string_view events, const RunOptions& options,
                                      std::int32_t scale = 1, std::int64_t limitMs = TimeLimitMs) {
    const EventList list = ParseEvents(events, "events");
    HeadlessDevice device(list.events);
    device.SetRenderScale(scale);
    SetActiveDevice(&device);
    device.StopAt(static_cast<double>(limitMs) / 1000.0);
    ScriptOutcome outcome;
    ScriptRunSetup setup;
    setup.device = &device;
    setup.options = options;
    setup.beforeClosingLogo = [&] {
        outcome.ms = device.NowMs();
        // A stopped run is seen as it stood at the limit, before it unwound.
        const Surface surface = ResolveSurface(device.ScreenAtStop());
        outcome.width = surface.width;
        outcome.height = surface.height;
        for (std::int32_t y = 0; y < surface.height; ++y)
            for (std::int32_t x = 0; x < surface.width; ++x) outcome.screen.push_back(PixelRgb(surface, x, y));
    };
    outcome.result = RunScript(SplitScriptText(script), outcome.errors, setup);
    outcome.stopped = device.StopCause() == StopReason::TimeLimit;
    SetActiveDevice(nullptr);
    return outcome;
}

inline ScriptOutcome PlayHeadless(std::string_view script, std::string_view events = "", bool logo = false,
                                  std::int32_t scale = 1, std::int64_t limitMs = TimeLimitMs) {
    RunOptions options;
    options.showLogo = logo;
    return PlayHeadlessWith(script, events, options, scale, limitMs);
}

}  // namespace vekora::testing
