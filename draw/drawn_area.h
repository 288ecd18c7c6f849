// Where images were drawn on, for those who keep a picture in step with one: a film restores
// and shows only what its frames drew, and a window presents only what changed on its
// screen. Every raster operation reports the area it may have touched (a bound that is never
// too small, often a little too large); a watch on an image gathers those areas until they
// are taken.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

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
    void Add(const PixelRect& other) {
        if (other.Empty()) return;
        if (Empty()) {
            *this = other;
            return;
        }
        if (other.left < left) left = other.left;
        if (other.top < top) top = other.top;
        if (other.right > right) right = other.right;
        if (other.bottom > bottom) bottom = other.bottom;
    }
    // The part inside an image of this size.
    PixelRect ClippedTo(std::int32_t width, std::int32_t height) const;
    bool operator==(const PixelRect&) const = default;

    // Every pixel of an image of this size.
    static PixelRect Whole(std::int32_t width, std::int32_t height) { return {0, 0, width, height}; }
    // Every pixel of any image.
    static PixelRect Everything() { return Whole(MaxImageWidth + 1, 0x10000); }
    // The pixels a drawing between (x1, y1) and (x2, y2) in drawing coordinates can reach, with
    // `reach` pixels more on every side for rounding and thickness. Coordinates that are not
    // finite reach everything.
    static PixelRect Around(double x1, double y1, double x2, double y2, double reach);
};

// The pixels drawn on an image of a given size, in bands of a few rows: each band keeps the
// columns from the leftmost to the rightmost pixel drawn in it. A slanted ruler or a long
// diagonal line then counts for the strip it covers, not for the whole rectangle around it,
// while noting a drawing costs a step a band, not a step a row.
class DrawnArea {
public:
    static constexpr std::int32_t BandRows = 8;

    DrawnArea() = default;
    DrawnArea(std::int32_t width, std::int32_t height);

    bool Empty() const { return bounds_.Empty(); }
    // The rectangle around every band's columns.
    const PixelRect& Bounds() const { return bounds_; }
    bool Contains(std::int32_t x, std::int32_t y) const;
    // Every pixel of `rect` (the part inside the image).
    void Add(const PixelRect& rect) { AddRows(rect.top, rect.bottom, rect.left, rect.right); }
    // Columns left to right - 1 of rows top to bottom - 1. Called for every line drawn while
    // watched: kept small enough to inline.
    void AddRows(std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right) {
        if (left < 0) left = 0;
        if (right > width_) right = width_;
        if (top < 0) top = 0;
        if (bottom > height_) bottom = height_;
        if (left >= right || top >= bottom) return;
        for (std::int32_t band = top / BandRows; band <= (bottom - 1) / BandRows; ++band) {
            std::int32_t& bandLeft = left_[static_cast<std::size_t>(band)];
            std::int32_t& bandRight = right_[static_cast<std::size_t>(band)];
            if (bandLeft < bandRight) {
                if (left < bandLeft) bandLeft = left;
                if (right > bandRight) bandRight = right;
            } else {
                bandLeft = left;
                bandRight = right;
            }
        }
        const std::int32_t bandTop = top / BandRows * BandRows;
        const std::int32_t bandBottom = std::min(((bottom - 1) / BandRows + 1) * BandRows, height_);
        bounds_.Add(PixelRect{left, bandTop, right, bandBottom});
    }
    void AddRow(std::int32_t y, std::int32_t left, std::int32_t right) { AddRows(y, y + 1, left, right); }
    // Every pixel of `other` moved by (dx, dy).
    void Add(const DrawnArea& other, std::int32_t dx, std::int32_t dy);
    void Clear();
    // Calls rows(top, bottom, left, right) for each band with a pixel in it, top to bottom.
    template <typename Rows>
    void ForEachBand(Rows&& rows) const {
        if (bounds_.Empty()) return;
        for (std::int32_t band = bounds_.top / BandRows; band * BandRows < bounds_.bottom; ++band) {
            const std::size_t at = static_cast<std::size_t>(band);
            if (left_[at] < right_[at])
                rows(band * BandRows, std::min((band + 1) * BandRows, height_), left_[at], right_[at]);
        }
    }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    PixelRect bounds_;
    std::vector<std::int32_t> left_;   // a band is empty while left >= right
    std::vector<std::int32_t> right_;
};

// The process's list of live watches. A plugin carries its own copy of this code: it is
// pointed at the program's list, so that the program's drawing reaches the plugin's watches.
struct DrawnAreaWatchList;
DrawnAreaWatchList* DrawnAreaWatches();
void ShareDrawnAreaWatches(DrawnAreaWatchList* list);

// Tells the watches on `target` that `area` of it may have changed.
void NoteDrawn(ImageHandle target, const PixelRect& area);
// Whether a watch is on `target`: a drawing that would spend work on telling it can skip it.
bool DrawingWatched(ImageHandle target);
// Tells the watches on `target` that columns left to right - 1 of `count` strips of `rows`
// rows each, from row `top` down, may have changed: one (left, right) pair a strip in
// `spans` (an empty pair: nothing in that strip).
void NoteDrawnRows(ImageHandle target, std::int32_t top, std::int32_t rows, const std::int32_t* spans,
                   std::int32_t count);
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
    // The rectangle around what was drawn since the watch began or was last taken, inside the
    // image; then forgets it.
    PixelRect Take();
    // What was drawn since the watch began or was last taken, row by row; then forgets it.
    DrawnArea TakeRows();
    // Adds what was drawn since the watch began or was last taken, moved by (dx, dy), to
    // `into`; then forgets it.
    void TakeInto(DrawnArea& into, std::int32_t dx, std::int32_t dy);
    // How many drawings have touched the image since the watch began: equal counts at two
    // moments mean nothing was drawn in between.
    std::uint64_t Changes() const;
    // Counts, from now on, the drawings that may have touched `rect` in exact rows and
    // columns (the gathered area is kept in bands of rows, too coarse to tell a strip the
    // next drawing lies beside from one it lies on).
    void Guard(const PixelRect& rect);
    // How many drawings may have touched the guarded rectangle since Guard.
    std::uint64_t GuardedChanges() const;

private:
    friend void NoteDrawn(ImageHandle target, const PixelRect& area);
    friend void NoteDrawnRows(ImageHandle target, std::int32_t top, std::int32_t rows, const std::int32_t* spans,
                              std::int32_t count);
    ImageHandle image_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    DrawnArea area_;
    std::uint64_t changes_ = 0;
    PixelRect guarded_;
    std::uint64_t guardedChanges_ = 0;
};

}  // namespace vekora
