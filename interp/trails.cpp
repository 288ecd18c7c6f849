// Trail layers: drawing the newest positions, and laying the layers on the page.
#include "interp/trails.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/image_surface.h"
#include "draw/points.h"

namespace vekora {
namespace {

// A point's marker reaches at most its size (plus a pixel of rounding) from its position.
constexpr double MarkerMargin = 2.0;

// Whether a point's colour is stored as the transparent key: such a point cannot be kept on a
// layer, whose empty pixels hold that key.
bool LooksTransparent(const Point& point, std::int32_t bytesPerPixel, std::uint32_t key) {
    return !IsUndefined(point) && EncodeColour(point.colour, bytesPerPixel) == key;
}

// The pixels at `indices` from one image's pixels to another's of the same size and depth.
template <std::size_t Bytes>
void CopyPixels(const std::uint8_t* from, std::uint8_t* to, const std::vector<std::uint32_t>& indices) {
    for (const std::uint32_t index : indices) std::memcpy(to + index * Bytes, from + index * Bytes, Bytes);
}

}  // namespace

bool TrailLayers::Fits(ImageHandle page, std::size_t trails, std::size_t frame) const {
    const SurfaceSize size = SurfaceInfo(page);
    return layers_.size() == trails && frames_ == frame && size.width == size_.width &&
           size.height == size_.height && size.bytesPerPixel == size_.bytesPerPixel;
}

bool TrailLayers::BackdropFits(ImageHandle entry, std::size_t trails, std::size_t frame) const {
    return trails > 0 && backdrop_ && backdropEntry_ && backdropEntry_->Watches(entry) &&
           backdropEntry_->Changes() == backdropEntryChanges_ && Fits(entry, trails, frame);
}

void TrailLayers::StartFrame(ImageHandle page, ImageHandle entry, std::size_t trails, std::size_t frame) {
    startedFromBackdrop_ = BackdropFits(entry, trails, frame);
    paintBack_.Copy(page, startedFromBackdrop_ ? backdrop_.get() : entry, 0, 0);
}

void TrailLayers::Draw(ImageHandle page, ImageHandle entry, const std::vector<std::vector<Point>>& trails,
                       std::size_t frame) {
    const SurfaceSize size = SurfaceInfo(page);
    const std::uint32_t key = EncodeColour(TRANSPARENT, size.bytesPerPixel);
    // The layers hold the positions before this frame; only the newest ones are new to them.
    const bool fits = Fits(page, trails.size(), frame);
    // Layers keep pixels of scale 1; at another render scale the trails are drawn as they come.
    bool keepable = size.bytesPerPixel > 0 && !trails.empty() && ImageScale(page) == 1;
    for (const std::vector<Point>& trail : trails)
        for (std::size_t slot = fits ? frame : 0; slot <= frame && slot < trail.size() && keepable; ++slot)
            keepable = !LooksTransparent(trail[slot], size.bytesPerPixel, key);
    if (!keepable) {
        // The trails as they are drawn without layers, which then start again. Over a
        // backdrop too: drawing a point sets its pixels whatever lies under them.
        layers_.clear();
        backdrop_.reset();
        for (const std::vector<Point>& trail : trails)
            for (std::size_t slot = 0; slot <= frame && slot < trail.size(); ++slot) DrawPoint(page, trail[slot]);
        return;
    }
    std::vector<PixelRect> newest;
    if (!fits) {
        Rebuild(page, trails, frame);
    } else {
        newest.reserve(trails.size());
        for (std::size_t i = 0; i < trails.size(); ++i)
            if (frame < trails[i].size()) newest.push_back(Add(layers_[i], trails[i][frame]));
        frames_ = frame + 1;
    }
    if (!fits || !startedFromBackdrop_) {
        // The page starts from the entry picture: every trail goes on it, and on a new backdrop.
        LayOn(page);
        MakeBackdrop(entry);
        return;
    }
    // The backdrop and the page differ from the trails so far only where the newest
    // positions drew, unless something was drawn on the page since the frame started (a
    // stepped circle), which the trails must cover.
    const bool pageHoldsBackdrop = paintBack_.TargetUntouched(page);
    for (const PixelRect& rect : newest) {
        LayWithin(backdrop_.get(), rect);
        if (pageHoldsBackdrop) LayWithin(page, rect);
    }
    if (!pageHoldsBackdrop) LayOn(page);
}

void TrailLayers::Rebuild(ImageHandle page, const std::vector<std::vector<Point>>& trails, std::size_t frame) {
    size_ = SurfaceInfo(page);
    layers_.clear();
    layers_.resize(trails.size());
    for (std::size_t i = 0; i < trails.size(); ++i) {
        Layer& layer = layers_[i];
        layer.picture.reset(ImageNewOfDepth(size_.width, size_.height, size_.bytesPerPixel, NO_COLOUR));
        layer.seen.assign(static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height), false);
        for (std::size_t slot = 0; slot <= frame && slot < trails[i].size(); ++slot) Add(layer, trails[i][slot]);
    }
    frames_ = frame + 1;
}

void TrailLayers::MakeBackdrop(ImageHandle entry) {
    backdrop_.reset(entry == nullptr ? nullptr : ImageDuplicate(entry));
    LayOn(backdrop_.get());
    backdropEntry_ = std::make_unique<DrawnAreaWatch>(entry);
    backdropEntryChanges_ = backdropEntry_->Changes();
}

PixelRect TrailLayers::Add(Layer& layer, const Point& point) {
    if (!layer.picture || DrawPoint(layer.picture.get(), point) != 0) return {};
    const Surface surface = ResolveSurface(layer.picture.get());
    const std::uint32_t key = EncodeColour(TRANSPARENT, surface.bytesPerPixel);
    const double reach = std::abs(static_cast<double>(point.size)) + MarkerMargin;
    const auto clampX = [&](double v) { return static_cast<std::int32_t>(std::clamp(v, 0.0, surface.width - 1.0)); };
    const auto clampY = [&](double v) { return static_cast<std::int32_t>(std::clamp(v, 0.0, surface.height - 1.0)); };
    const std::int32_t left = clampX(std::floor(point.x - reach)), right = clampX(std::ceil(point.x + reach));
    const std::int32_t top = clampY(std::floor(point.y - reach)), bottom = clampY(std::ceil(point.y + reach));
    for (std::int32_t y = top; y <= bottom; ++y) {
        for (std::int32_t x = left; x <= right; ++x) {
            const auto index = static_cast<std::uint32_t>(y) * static_cast<std::uint32_t>(surface.width) +
                               static_cast<std::uint32_t>(x);
            if (layer.seen[index]) continue;
            std::uint32_t value = 0;
            std::memcpy(&value, surface.At(x, y), static_cast<std::size_t>(surface.bytesPerPixel));
            if (value == key) continue;
            layer.seen[index] = true;
            layer.covered.push_back(index);
            layer.bounds.Add({x, y, x + 1, y + 1});
        }
    }
    return {left, top, right + 1, bottom + 1};
}

void TrailLayers::LayOn(ImageHandle page) const {
    const Surface target = ResolveSurface(page);
    if (target.Empty()) return;
    for (const Layer& layer : layers_) {
        const Surface source = ResolveSurface(layer.picture.get());
        if (source.Empty() || source.bytesPerPixel != target.bytesPerPixel) continue;
        switch (target.bytesPerPixel) {
            case 1: CopyPixels<1>(source.pixels, target.pixels, layer.covered); break;
            case 2: CopyPixels<2>(source.pixels, target.pixels, layer.covered); break;
            case 4: CopyPixels<4>(source.pixels, target.pixels, layer.covered); break;
            default: break;
        }
        NoteDrawn(page, layer.bounds);
    }
}

void TrailLayers::LayWithin(ImageHandle target, const PixelRect& rect) const {
    // A layer's empty pixels hold the transparent key: a transparent blit puts only what it drew.
    for (const Layer& layer : layers_) ImageBlitWithin(target, layer.picture.get(), rect, BlitMode::Transparent, 255);
}

}  // namespace vekora
