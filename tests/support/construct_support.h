// A stage for construction tests: the headless device with its virtual clock, a small white
// page, the settings the constructions read, and a film of what the screen showed over time.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "construct/constructions.h"
#include "draw/image.h"
#include "platform/headless_device.h"

namespace vekora::testing {

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Result = 0xE00000;     // the colour asked of the figure
constexpr std::uint32_t Aid = 0x00C000;        // the construction colour
constexpr std::uint32_t Default = 0x0000E0;    // the default colour
constexpr std::uint32_t PointInk = 0x808000;   // the colour of the input points

inline std::int32_t Word(std::uint32_t colour) { return static_cast<std::int32_t>(colour); }

inline Point Pt(double x, double y, std::uint32_t colour = PointInk) { return Point{x, y, colour, 6, 2}; }
inline Line Ln(double x0, double y0, double dx, double dy, std::uint32_t colour = PointInk) {
    return Line{x0, y0, dx, dy, colour, -1, 1};
}

// How many pixels of the target have the colour.
std::int32_t CountColour(ImageHandle target, std::uint32_t colour);

// Whether a pixel of the colour lies within `reach` pixels of (x, y) on a 16-bit target.
bool ColourNear(ImageHandle target, std::uint32_t colour, double x, double y, int reach = 1);

// What the screen showed from one moment on: how many pixels of the result and aid colours.
struct ScreenState {
    double fromSeconds;
    std::int32_t resultPixels;
    std::int32_t aidPixels;
};

// Records the screen each time the virtual clock moves on, keeping a state only when it
// differs from the one before.
class ScreenFilm : public ClockObserver {
public:
    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    const std::vector<ScreenState>& states() const { return states_; }

private:
    std::vector<ScreenState> states_;
};

// A construction's stage and call mode, as the engine hands them to it, and the input code
// the last construction taken through it handed back.
struct StagedCall {
    Stage& stage;
    CallMode mode;
    std::int32_t input = 0;

    // The figure of a construction; its input code goes to `input`.
    template <typename Figure>
    Figure Take(const Shown<Figure>& made) {
        input = made.input;
        return made.figure;
    }
};

class ConstructionStage {
public:
    // A page of width x height shown at (originX, originY) on a 16-bit screen.
    ConstructionStage(std::vector<InputEvent> events = {}, std::int32_t width = 160, std::int32_t height = 120,
                      std::int32_t originX = 4, std::int32_t originY = 2);
    ~ConstructionStage();
    ConstructionStage(const ConstructionStage&) = delete;
    ConstructionStage& operator=(const ConstructionStage&) = delete;

    StagedCall Call(CallMode mode) { return StagedCall{stage_, mode}; }

    ImageHandle page() const { return page_; }
    std::int64_t nowMs() const { return device_.NowMs(); }
    const std::vector<ScreenState>& film() const { return film_.states(); }

private:
    HeadlessDevice device_;
    Device* previous_;
    ScreenFilm film_;
    ImageHandle page_;

public:
    Settings settings;

private:
    Stage stage_;
};

}  // namespace vekora::testing
