// Telling a swipe from a tap or a drag.
#include "platform/swipe.h"

#include <cmath>

namespace vekora {

std::optional<NamedKey> SwipeKey(const Swipe& swipe) {
    const double across = std::fabs(swipe.dx);
    if (!(across >= SwipeLeastTravel) || across < SwipeLeastSlant * std::fabs(swipe.dy) ||
        !(swipe.seconds >= 0 && swipe.seconds <= SwipeMostSeconds)) {
        return std::nullopt;
    }
    return swipe.dx < 0 ? NamedKey::Right : NamedKey::Left;
}

}  // namespace vekora
