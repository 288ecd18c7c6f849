// Keeping one image holding another placed on it, frame after frame, at the cost of what
// changed: a film restores its page from the copy taken when it began, a show puts the page
// on the screen, an animation starts each frame from its entry picture. A frame changes a few
// thousand pixels of a page of hundreds of thousands, so after the first copy only what was
// drawn since on either image is copied, with the same result as copying it all.
#pragma once

#include <cstdint>
#include <memory>

#include "draw/drawn_area.h"
#include "draw/image.h"

namespace vekora {

class ChangedCopy {
public:
    // Puts `source` on `target` with its top-left pixel at (x, y), as a plain blit: all of it
    // the first time, and whenever target, source or place are not those of the last copy;
    // after that only what was drawn on the source, or on the target, since.
    void Copy(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y);
    // Takes `target` as holding `source` at (x, y) now (the source was just copied from it),
    // so that the first Copy copies only what is drawn from here on.
    void InStep(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y);
    // Whether nothing was drawn on `target` since the last copy: it still holds the source.
    bool TargetUntouched(ImageHandle target) const;

private:
    bool Keeps(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y) const;
    // After a copy: the target's drawing by the copy itself is no change to copy again.
    void Copied();

    std::unique_ptr<DrawnAreaWatch> target_;
    std::unique_ptr<DrawnAreaWatch> source_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::uint64_t targetChangesAtCopy_ = 0;
};

}  // namespace vekora
