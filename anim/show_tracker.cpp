// The show tracker's bookkeeping.
#include "anim/show_tracker.h"

namespace vekora {

PixelRect ShowTracker::Due(ImageHandle page, ImageHandle screen, std::int32_t originX, std::int32_t originY) {
    const SurfaceSize size = SurfaceInfo(page);
    if (!page_ || !page_->Watches(page) || !screen_ || !screen_->Watches(screen) || originX != originX_ ||
        originY != originY_) {
        page_ = std::make_unique<DrawnAreaWatch>(page);
        screen_ = std::make_unique<DrawnAreaWatch>(screen);
        originX_ = originX;
        originY_ = originY;
        return PixelRect::Whole(size.width, size.height);
    }
    PixelRect due = page_->Take();
    const PixelRect over = screen_->Take();
    due.Add(PixelRect{over.left - originX, over.top - originY, over.right - originX, over.bottom - originY}.ClippedTo(
        size.width, size.height));
    return due;
}

void ShowTracker::Shown() {
    if (screen_) screen_->Take();
}

}  // namespace vekora
