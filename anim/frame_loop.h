// What every film shares: the animation flags, the page and where it is shown, the saved
// copy of the page, the frame count, and the frame loop paced against the clock.
#pragma once

#include <cstdint>
#include <functional>

#include "anim/stage.h"
#include "draw/changed_copy.h"
#include "draw/image.h"

namespace vekora {

// Animation flags: the instrument's colour in bits 0-23, whether to show the pencil or the
// compasses, whether to show a ruler under a segment, and the ruler's tick spacing in bits
// 26-31 (0: no ticks).
constexpr std::uint32_t ToolColourMask = 0xFFFFFF;
constexpr std::int32_t ShowTool = 0x1000000;
constexpr std::int32_t ShowRuler = 0x2000000;

constexpr std::uint32_t ToolColour(std::int32_t flags) {
    return static_cast<std::uint32_t>(flags) & ToolColourMask;
}
constexpr std::int32_t RulerSpacing(std::int32_t flags) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(flags) >> 26) & 63);
}

// A copy of the page taken when a film begins, restored under every frame and at the end,
// released when it goes out of scope. The copy has the page's own depth. A restore copies back
// only what was drawn on the page since the copy was taken or last restored.
class SavedPage {
public:
    explicit SavedPage(ImageHandle page);
    ~SavedPage();
    SavedPage(const SavedPage&) = delete;
    SavedPage& operator=(const SavedPage&) = delete;

    // False when the page has no pixels to copy (no screen open): then nothing is restored.
    bool Held() const { return copy_ != nullptr; }
    void Restore() const;

private:
    ImageHandle page_;
    ImageHandle copy_;
    mutable ChangedCopy restored_;
};

// Films never count beyond this many frames, so that a frame number can always be advanced.
constexpr std::int32_t MostFilmSteps = 0x3FFFFFFF;

// round(duration / frame time), halves to even. A frame time of 0 or less (or a duration
// that is not a number) shows no frame: the finished figure appears at once.
std::int32_t FilmSteps(float durationSeconds, float frameSeconds);

// The frame deadline. It advances by the frame time from its previous value, not from the
// current time, so a slow frame is made up by shorter waits.
class FrameClock {
public:
    FrameClock(const Stage& stage, float frameSeconds);
    // Sleeps 10 ms and polls until the deadline has passed (at least once), then moves the
    // deadline on. Returns the input code that cut the wait short, or 0 (also when the stage's
    // hold took the code and let the film go on).
    std::int32_t WaitForFrame();

private:
    const Stage& stage_;
    float frameSeconds_;
    float next_;
};

// Draws one frame on the restored page; false when the film has no more frames.
using FrameDrawer = std::function<bool()>;

// The frame loop at the stage's frame time: restore the page, draw a frame, show it, wait
// for the deadline; until the drawer says the film has ended (result 0) or an input code
// interrupts it (that code). Without a held copy or a running clock no frame is shown.
std::int32_t RunFrames(const Stage& stage, const SavedPage& saved, const FrameDrawer& draw);

}  // namespace vekora
