// The help box F1 shows over the lesson in a window: the keys, the bar, dragging and menus,
// in the language in use.
#pragma once

#include "draw/image.h"

namespace vekora {

// A new 32-bit picture of the help box (the caller owns it); null when no memory is left.
OwnedImage HelpBoxPicture();

}  // namespace vekora
