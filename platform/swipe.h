// A swipe on a touch screen as the key it stands for: a presenter at a whiteboard flicks the
// lesson on (a swipe to the left, as a page is turned: the Right arrow) or back (a swipe to the
// right: the Left arrow).
#pragma once

#include <optional>

#include "platform/key_table.h"

namespace vekora {

struct Swipe {
    double dx = 0;  // how far the finger went across, as a fraction of the picture's width
    double dy = 0;  // and down, as a fraction of its height
    double seconds = 0;
};

// A swipe must cross at least this much of the picture...
constexpr double SwipeLeastTravel = 0.12;
// ...go at least this many times further across than up or down...
constexpr double SwipeLeastSlant = 2.0;
// ...and take no longer than this: a slow drag is the pointer's (a point dragged).
constexpr double SwipeMostSeconds = 0.8;

// The key a finger's stroke gives, or none when it was no swipe.
std::optional<NamedKey> SwipeKey(const Swipe& swipe);

}  // namespace vekora
