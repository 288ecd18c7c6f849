// Where images were drawn on, for those who keep a picture in step with one: a film restores
// and shows only what its frames drew, and a window presents only what changed on its
// screen. Every raster operation reports the area it may have touched (a bound that is never
// too small, often a little too large); a watch on an image gathers those areas until they
// are taken.
#pragma once

#include <cstdint>

#include "draw/image.h"

namespace vekora {

// A rectangle of pixels: columns left to right - 1, rows top to bottom - 1.
struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    std::int32_t Width() const { return Empty() ? 0 : right - left; }
    std::int32_t Height() const { return Empty() ? 0 : bottom - top; }
    // The smallest rectangle holding both (an empty one adds nothing).
    void Add(const PixelRect& other);
    // The part inside an image of this size.
    PixelRect ClippedTo(std::int32_t width, std::int32_t height) const;
    bool operator==(const PixelRect&) const = default;

    // Every pixel of an image of this size.
    static PixelRect Whole(std::int32_t width, std::int32_t height) { return {0, 0, width, height}; }
    // The pixels a drawing between (x1, y1) and (x2, y2) in drawing coordinates can reach, with
    // `reach` pixels more on every side for rounding and thickness. Coordinates that are not
    // finite reach everything.
    static PixelRect Around(double x1, double y1, double x2, double y2, double reach);
};

// Tells the watches on `target` that `area` of it may have changed.
void NoteDrawn(ImageHandle target, const PixelRect& area);
// Tells the watches on `target` that any of its pixels may have changed.
void NoteDrawnAll(ImageHandle target);

// Gathers what is drawn on one image while it lives. Watches are kept in one list for the
// whole process, guarded by a lock, so that several watches (and several library callers on
// their own threads) each see their own image's drawing and nobody else's; while no watch is
// alive drawing pays one atomic read.
class DrawnAreaWatch {
public:
    explicit DrawnAreaWatch(ImageHandle image);
    ~DrawnAreaWatch();
    DrawnAreaWatch(const DrawnAreaWatch&) = delete;
    DrawnAreaWatch& operator=(const DrawnAreaWatch&) = delete;

    ImageHandle Image() const { return image_; }
    // Whether this watch is on `image` as it is now (an image freed and another made at the
    // same address with another size is not the one watched).
    bool Watches(ImageHandle image) const;
    // The area drawn since the watch began or was last taken, inside the image; then forgets it.
    PixelRect Take();
    // The same, kept.
    PixelRect Peek() const;
    // How many drawings have touched the image since the watch began: equal counts at two
    // moments mean nothing was drawn in between.
    std::uint64_t Changes() const;

private:
    friend void NoteDrawn(ImageHandle target, const PixelRect& area);
    ImageHandle image_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    PixelRect area_;
    std::uint64_t changes_ = 0;
};

}  // namespace vekora
