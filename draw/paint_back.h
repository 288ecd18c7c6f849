// Painting a picture back onto the page it was copied from, frame after frame (an animation
// starts each frame from the page as it was on entry): after the first time only what was
// drawn on the page or on the picture since the last paint is copied, with the same result as
// copying it all.
#pragma once

#include <cstdint>
#include <memory>

#include "draw/drawn_area.h"
#include "draw/image.h"

namespace vekora {

class PaintBack {
public:
    // `picture` onto `page` at (0, 0), as a plain blit. All of it the first time, and whenever
    // the page or the picture is another one.
    void Paint(ImageHandle page, ImageHandle picture);
    // Whether nothing was drawn on `page` since it was last painted: it still holds the
    // picture everywhere.
    bool PageUntouched(ImageHandle page) const;

private:
    std::unique_ptr<DrawnAreaWatch> page_;
    std::unique_ptr<DrawnAreaWatch> picture_;
    std::uint64_t pageChangesAtPaint_ = 0;
};

}  // namespace vekora
