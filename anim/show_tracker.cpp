// The show tracker's bookkeeping.
#include "anim/show_tracker.h"

namespace vekora {

DrawnArea ShowTracker::Due(ImageHandle page, ImageHandle screen, std::int32_t originX, std::int32_t originY) {
    const SurfaceSize size = SurfaceInfo(page);
    if (!page_ || !page_->Watches(page) || !screen_ || !screen_->Watches(screen) || originX != originX_ ||
        originY != originY_) {
        page_ = std::make_unique<DrawnAreaWatch>(page);
        screen_ = std::make_unique<DrawnAreaWatch>(screen);
        originX_ = originX;
        originY_ = originY;
        DrawnArea all(size.width, size.height);
        all.Add(PixelRect::Whole(size.width, size.height));
        return all;
    }
    DrawnArea due = page_->TakeRows();
    due.Add(screen_->TakeRows(), -originX, -originY);
    return due;
}

void ShowTracker::Shown() {
    if (screen_) screen_->Take();
}

}  // namespace vekora
