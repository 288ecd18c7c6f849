// The drawn-area watches and the list that reaches them.
#include "draw/drawn_area.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <mutex>
#include <vector>

namespace vekora {
namespace {

// Every live watch. A watch is one image's: drawing on an image reaches only its watches.
struct WatchList {
    std::mutex lock;
    std::vector<DrawnAreaWatch*> watches;
    std::atomic<std::int32_t> count{0};
};

WatchList& LiveWatches() {
    static WatchList list;  // made on first use, so that static images drawn early find it
    return list;
}

// A drawing coordinate as a pixel column or row, kept within what a rectangle can hold.
std::int32_t Bounded(double value) {
    constexpr double Limit = 1 << 30;
    return static_cast<std::int32_t>(std::clamp(value, -Limit, Limit));
}

}  // namespace

void PixelRect::Add(const PixelRect& other) {
    if (other.Empty()) return;
    if (Empty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

PixelRect PixelRect::ClippedTo(std::int32_t width, std::int32_t height) const {
    const PixelRect clipped{std::max(left, 0), std::max(top, 0), std::min(right, width), std::min(bottom, height)};
    return clipped.Empty() ? PixelRect{} : clipped;
}

PixelRect PixelRect::Around(double x1, double y1, double x2, double y2, double reach) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || !std::isfinite(reach))
        return Whole(std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max());
    const double margin = std::fabs(reach) + 1;  // and a pixel for rounding to pixel centres
    return {Bounded(std::floor(std::min(x1, x2) - margin)), Bounded(std::floor(std::min(y1, y2) - margin)),
            Bounded(std::ceil(std::max(x1, x2) + margin) + 1), Bounded(std::ceil(std::max(y1, y2) + margin) + 1)};
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
    }
}

void NoteDrawnAll(ImageHandle target) {
    NoteDrawn(target, PixelRect::Whole(MaxImageWidth + 1, 65536));
}

DrawnAreaWatch::DrawnAreaWatch(ImageHandle image) : image_(image) {
    const SurfaceSize size = SurfaceInfo(image);
    width_ = size.width;
    height_ = size.height;
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
    const SurfaceSize size = SurfaceInfo(image);
    return image == image_ && size.width == width_ && size.height == height_;
}

PixelRect DrawnAreaWatch::Take() {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    const PixelRect area = area_;
    area_ = {};
    return area;
}

PixelRect DrawnAreaWatch::Peek() const {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    return area_;
}

std::uint64_t DrawnAreaWatch::Changes() const {
    const std::lock_guard<std::mutex> guard(LiveWatches().lock);
    return changes_;
}

}  // namespace vekora
