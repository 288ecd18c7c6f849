// What the screen still lacks of a page shown on it: the page's drawing since it was last
// shown, and whatever was drawn over the page's place on the screen since then (a menu, the
// control bar). Showing only that gives the screen exactly the pixels a copy of the whole page
// would, at the cost of what changed: a film frame changes a few thousand pixels of a page of
// hundreds of thousands.
#pragma once

#include <cstdint>
#include <memory>

#include "draw/drawn_area.h"
#include "draw/image.h"

namespace vekora {

class ShowTracker {
public:
    // The area of `page`, shown with its top-left pixel at (originX, originY) of `screen`,
    // that a show must copy now: all of it the first time, or when page, screen or origin are
    // not those of the last show.
    DrawnArea Due(ImageHandle page, ImageHandle screen, std::int32_t originX, std::int32_t originY);
    // After the copy: the screen's own drawing of the page is no change to show again.
    void Shown();

private:
    std::unique_ptr<DrawnAreaWatch> page_;
    std::unique_ptr<DrawnAreaWatch> screen_;
    std::int32_t originX_ = 0;
    std::int32_t originY_ = 0;
};

}  // namespace vekora
