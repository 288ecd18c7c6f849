// The trails of an ANIMATION's traced points, kept as pictures so that a frame costs what it
// draws, not how long the trails have grown: each frame adds only the newest position of each
// trail. Frames start from a backdrop, the entry picture with the trails so far laid on it,
// so that the trails already on the page need not be laid again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "draw/changed_copy.h"
#include "draw/drawn_area.h"
#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

class TrailLayers {
public:
    // Starts a frame: paints the page back to the entry picture with the trails' positions
    // before `frame` on it (the backdrop, when it is kept for this entry picture and these
    // trails; else the entry picture itself).
    void StartFrame(ImageHandle page, ImageHandle entry, std::size_t trails, std::size_t frame);
    // Puts the trails on the page as drawing, trail by trail, each trail's positions 0 to
    // `frame` in turn would: the same pixels, whatever lies under them.
    void Draw(ImageHandle page, ImageHandle entry, const std::vector<std::vector<Point>>& trails, std::size_t frame);

private:
    // One trail's picture (the transparent key where it has drawn nothing) and the pixels it
    // has drawn, so that laying it on the page visits only those.
    struct Layer {
        OwnedImage picture;
        std::vector<std::uint32_t> covered;  // pixel indices, y * width + x
        std::vector<bool> seen;              // one a pixel: already in `covered`
        PixelRect bounds;                    // around every pixel in `covered`
    };

    bool Fits(ImageHandle page, std::size_t trails, std::size_t frame) const;
    bool BackdropFits(ImageHandle entry, std::size_t trails, std::size_t frame) const;
    void Rebuild(ImageHandle page, const std::vector<std::vector<Point>>& trails, std::size_t frame);
    void MakeBackdrop(ImageHandle entry);
    // The pixels the point may draw, which it draws on the layer; an empty rectangle when it
    // draws nothing there.
    PixelRect Add(Layer& layer, const Point& point);
    void LayOn(ImageHandle page) const;
    // The layers' pixels inside `rect` only, in the layers' order.
    void LayWithin(ImageHandle target, const PixelRect& rect) const;

    std::vector<Layer> layers_;
    std::size_t frames_ = 0;  // positions 0 to frames_ - 1 of every trail are on the layers
    SurfaceSize size_;

    // The entry picture with every layer on it, and the entry picture it was made from; the
    // watch tells when that picture is replaced or drawn on.
    OwnedImage backdrop_;
    std::unique_ptr<DrawnAreaWatch> backdropEntry_;
    std::uint64_t backdropEntryChanges_ = 0;
    ChangedCopy paintBack_;  // the frame's start on the page
    bool startedFromBackdrop_ = false;
};

}  // namespace vekora
