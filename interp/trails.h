// The trails of an ANIMATION's traced points, kept as pictures so that a frame costs what the
// trails cover on the page, not how long they have grown: each frame adds only the newest
// position of each trail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/drawn_area.h"
#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

class TrailLayers {
public:
    // Puts the trails on the page as drawing, trail by trail, each trail's positions 0 to
    // `frame` in turn would: the same pixels, whatever lies under them.
    void Draw(ImageHandle page, const std::vector<std::vector<Point>>& trails, std::size_t frame);

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
    void Rebuild(ImageHandle page, const std::vector<std::vector<Point>>& trails, std::size_t frame);
    void Add(Layer& layer, const Point& point);
    void LayOn(ImageHandle page) const;

    std::vector<Layer> layers_;
    std::size_t frames_ = 0;  // positions 0 to frames_ - 1 of every trail are on the layers
    SurfaceSize size_;
};

}  // namespace vekora
