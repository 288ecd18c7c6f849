// What a run draws, told as figures to whoever keeps a vector copy of it (export/figure_recorder).
// The drawing calls of figures, fills, text and pictures report here before they rasterise;
// the raster calls they make underneath are then kept quiet, so that a thick line is told once
// as a line and not as its one-pixel strokes. While no listener is set, or the target is not
// one it keeps, a drawing call pays one thread-local read and one pointer test.
#pragma once

#include <cstdint>
#include <string_view>

#include "draw/font.h"
#include "draw/image.h"

namespace vekora {

struct PixelRect;

// A stroked or filled circle, arc or sector in raster coordinates (y down); start and end are
// angles counter-clockwise from the right as the raster layer takes them, both 0 for a full turn.
struct RingShape {
    double cx = 0, cy = 0, r = 0;
    double start = 0, end = 0;
    bool full = true;
    bool radii = false;  // the arc is closed by its two radii
};

class FigureListener {
public:
    virtual ~FigureListener() = default;
    // The drawing page was made, filled with `background`: its drawing is kept from now on.
    virtual void PageMade(ImageHandle page, std::uint32_t background) = 0;
    // Keeps the drawing on `image` too, made filled with `background` (a text box drawn apart).
    virtual void KeepImage(ImageHandle image, std::uint32_t background) = 0;
    // A kept image was put over the page's place with its top-left at (x, y) of the page (text
    // on the screen over the page): what it holds lies on top of the page's figure until the
    // page is next shown, which copies the page over it.
    virtual void Overlay(ImageHandle image, std::int32_t x, std::int32_t y) = 0;
    // The page was put on the screen again.
    virtual void Shown() = 0;
    // The statement at `row` of procedure `procedure` is about to run.
    virtual void Statement(std::int32_t procedure, std::int32_t row) = 0;
    // The lesson waits (a WAIT), or pauses after a paced step: the figure as it stands is a
    // moment of the lesson.
    virtual void Moment(bool wait) = 0;
    // The lesson's title (TITLE).
    virtual void Titled(std::string_view title) = 0;
    // Whether drawing on `target` is kept: only what is asked about here is told afterwards.
    virtual bool Keeps(ImageHandle target) const = 0;

    // A segment `width` pixels across with its 16-bit dash mask (one bit a pixel along the
    // major axis), centred on (x1, y1)-(x2, y2).
    virtual void Segment(ImageHandle target, double x1, double y1, double x2, double y2, double width,
                         std::uint16_t mask, std::uint32_t colour) = 0;
    // An outline `width` pixels across, centred on the ring.
    virtual void Ring(ImageHandle target, const RingShape& ring, double width, std::uint32_t colour) = 0;
    virtual void Disc(ImageHandle target, const RingShape& ring, std::uint32_t colour, std::int32_t alpha) = 0;
    // A box from pixel (x1, y1) to pixel (x2, y2), corners included: its outline or filled.
    virtual void Box(ImageHandle target, double x1, double y1, double x2, double y2, bool filled,
                     std::uint32_t colour, std::int32_t alpha) = 0;
    // A filled polygon of `corners` corners, xy holding x and y of each in turn.
    virtual void Polygon(ImageHandle target, const double* xy, std::int32_t corners, std::uint32_t colour,
                         std::int32_t alpha) = 0;
    // One character of text: its glyph's top-left at (x, y), `advance` wide, from `font`; `sign`
    // when the glyph is the font's mathematical sign at that code.
    virtual void Glyph(ImageHandle target, std::uint8_t code, bool sign, std::int32_t x, std::int32_t y,
                       std::int32_t advance, const FontView& font, std::uint32_t foreground,
                       std::uint32_t background) = 0;
    // Pixels no figure describes, about to change in `area` (a flood fill, a picture put down).
    virtual void RasterBefore(ImageHandle target, const PixelRect& area) = 0;
    virtual void RasterAfter(ImageHandle target, const PixelRect& area) = 0;
    // `copy` was made as a copy of all of `source`.
    virtual void Copied(ImageHandle source, ImageHandle copy) = 0;
    // `image`, placed with its top-left pixel at (x, y), was copied onto `target` plainly: as a
    // whole, or only where it changed since it was last copied there (the picture is the same).
    virtual void PutBack(ImageHandle target, std::int32_t x, std::int32_t y, ImageHandle image) = 0;
    virtual void Freed(ImageHandle image) = 0;
};

// The listener of this thread; null: none.
FigureListener* CurrentFigureListener();
void SetFigureListener(FigureListener* listener);

// The listener that keeps `target`, unless a drawing call above this one has already told it.
FigureListener* ListenerFor(ImageHandle target);

// Keeps the raster calls under a drawing call that has told the listener quiet while it lives.
class FigureToldAbove {
public:
    FigureToldAbove();
    ~FigureToldAbove();
    FigureToldAbove(const FigureToldAbove&) = delete;
    FigureToldAbove& operator=(const FigureToldAbove&) = delete;
};

}  // namespace vekora
