// The drawn-area watches and the list that reaches them.
#include "draw/drawn_area.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <vector>

#include "draw/image_surface.h"

namespace vekora {

// Every live watch. A watch is one image's: drawing on an image reaches only its watches.
struct DrawnAreaWatchList {
    std::mutex lock;
    std::vector<DrawnAreaWatch*> watches;
    std::atomic<std::int32_t> count{0};
};

namespace {

using WatchList = DrawnAreaWatchList;

// The list in use: this copy's own, made on first use (so that static images drawn early find
// it), unless it was pointed at the program's.
WatchList*& ListInUse() {
    static WatchList own;
    static WatchList* used = &own;
    return used;
}

WatchList& LiveWatches() { return *ListInUse(); }

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return !a.Empty() && !b.Empty() && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A drawing coordinate as a pixel column or row, kept within what a rectangle can hold.
std::int32_t Bounded(double value) {
    constexpr double Limit = 1 << 30;
    return static_cast<std::int32_t>(std::clamp(value, -Limit, Limit));
}

}  // namespace

PixelRect PixelRect::ClippedTo(std::int32_t width, std::int32_t height) const {
    const PixelRect clipped{std::max(left, 0), std::max(top, 0), std::min(right, width), std::min(bottom, height)};
    return clipped.Empty() ? PixelRect{} : clipped;
}

PixelRect PixelRect::Around(double x1, double y1, double x2, double y2, double reach) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || !std::isfinite(reach))
        return Everything();
    const double margin = std::fabs(reach) + 1;  // and a pixel for rounding to pixel centres
    return {Bounded(std::floor(std::min(x1, x2) - margin)), Bounded(std::floor(std::min(y1, y2) - margin)),
            Bounded(std::ceil(std::max(x1, x2) + margin) + 1), Bounded(std::ceil(std::max(y1, y2) + margin) + 1)};
}

DrawnArea::DrawnArea(std::int32_t width, std::int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      left_(static_cast<std::size_t>((height_ + BandRows - 1) / BandRows), 0),
      right_(static_cast<std::size_t>((height_ + BandRows - 1) / BandRows), 0) {}

bool DrawnArea::Contains(std::int32_t x, std::int32_t y) const {
    if (y < bounds_.top || y >= bounds_.bottom) return false;
    const std::size_t at = static_cast<std::size_t>(y / BandRows);
    return x >= left_[at] && x < right_[at];
}

void DrawnArea::Add(const DrawnArea& other, std::int32_t dx, std::int32_t dy) {
    other.ForEachBand([&](std::int32_t top, std::int32_t bottom, std::int32_t left, std::int32_t right) {
        AddRows(top + dy, bottom + dy, left + dx, right + dx);
    });
}

void DrawnArea::Clear() {
    if (bounds_.Empty()) return;
    for (std::int32_t band = bounds_.top / BandRows; band * BandRows < bounds_.bottom; ++band) {
        left_[static_cast<std::size_t>(band)] = 0;
        right_[static_cast<std::size_t>(band)] = 0;
    }
    bounds_ = {};
}

DrawnAreaWatchList* DrawnAreaWatches() { return &LiveWatches(); }

void ShareDrawnAreaWatches(DrawnAreaWatchList* list) {
    if (list != nullptr) ListInUse() = list;
}

bool DrawingWatched(ImageHandle target) {
    WatchList& list = LiveWatches();
    if (target == nullptr || list.count.load(std::memory_order_acquire) == 0) return false;
    const std::lock_guard<std::mutex> guard(list.lock);
    return std::any_of(list.watches.begin(), list.watches.end(),
                       [target](const DrawnAreaWatch* watch) { return watch->Image() == target; });
}

void NoteDrawn(ImageHandle target, const PixelRect& area) {
    WatchList& list = LiveWatches();
    if (target == nullptr || list.count.load(std::memory_order_acquire) == 0) return;
    const std::lock_guard<std::mutex> guard(list.lock);
    for (DrawnAreaWatch* watch : list.watches) {
        if (watch->image_ != target) continue;
        const PixelRect inside = area.ClippedTo(watch->width_, watch->height_);
        if (inside.Empty()) continue;
        watch->area_.Add(inside);
        ++watch->changes_;
        if (Overlap(inside, watch->guarded_)) ++watch->guardedChanges_;
    }
}

void NoteDrawnRows(ImageHandle target, std::int32_t top, std::int32_t rows, const std::int32_t* spans,
                   std::int32_t count) {
    WatchList& list = LiveWatches();
    if (target == nullptr || count <= 0 || list.count.load(std::memory_order_acquire) == 0) return;
    const std::lock_guard<std::mutex> guard(list.lock);
    for (DrawnAreaWatch* watch : list.watches) {
        if (watch->image_ != target) continue;
        bool any = false;
        bool guarded = false;
        for (std::int32_t strip = 0; strip < count; ++strip) {
            const PixelRect drawn{spans[2 * strip], top + strip * rows, spans[2 * strip + 1], top + (strip + 1) * rows};
            any = any || !drawn.Empty();
            guarded = guarded || Overlap(drawn, watch->guarded_);
            watch->area_.AddRows(drawn.top, drawn.bottom, drawn.left, drawn.right);
        }
        if (any) ++watch->changes_;
        if (guarded) ++watch->guardedChanges_;
    }
}

void NoteDrawnAll(ImageHandle target) {
    NoteDrawn(target, PixelRect::Everything());
}

DrawnAreaWatch::DrawnAreaWatch(ImageHandle image) : image_(image) {
    const Surface size = ResolveSurface(image);  // pixels, whatever the render scale
    width_ = size.width;
    height_ = size.height;
    area_ = DrawnArea(width_, height_);
    WatchList& list = LiveWatches();
    const std::lock_guard<std::mutex> guard(list.lock);
    list.watches.push_back(this);
    list.count.store(static_cast<std::int32_t>(list.watches.size()), std::memory_order_release);
}

DrawnAreaWatch::~DrawnAreaWatch() {
    WatchList& list = LiveWatches();
    const std::lock_guard<std::mutex> guard(list.lock);
    list.watches.erase(std::remove(list.watches.begin(), list.watches.end(), this), list.watches.end());
    list.count.store(static_cast<std::int32_t>(list.watches.size()), std::memory_order_release);
}

bool DrawnAreaWatch::Watches(ImageHandle image) const {
    const Surface size = ResolveSurface(image);
    return image == image_ && size.width == width_ && size.height == height_;
}

PixelRect DrawnAreaWatch::Take() {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    const PixelRect bounds = area_.Bounds();
    area_.Clear();
    return bounds;
}

DrawnArea DrawnAreaWatch::TakeRows() {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    DrawnArea taken = area_;
    area_.Clear();
    return taken;
}

void DrawnAreaWatch::TakeInto(DrawnArea& into, std::int32_t dx, std::int32_t dy) {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    into.Add(area_, dx, dy);
    area_.Clear();
}

std::uint64_t DrawnAreaWatch::Changes() const {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    return changes_;
}

void DrawnAreaWatch::Guard(const PixelRect& rect) {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    guarded_ = rect;
}

std::uint64_t DrawnAreaWatch::GuardedChanges() const {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    return guardedChanges_;
}

}  // namespace vekora
