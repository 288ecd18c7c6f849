// The show tracker's bookkeeping.
#include "anim/show_tracker.h"

#include "draw/image_surface.h"

namespace vekora {

DrawnArea ShowTracker::Due(ImageHandle page, ImageHandle screen, std::int32_t originX, std::int32_t originY) {
    // Areas are pixels; the origin is in page units.
    const Surface size = ResolveSurface(page);
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
    due.Add(screen_->TakeRows(), -originX * size.scale, -originY * size.scale);
    return due;
}

void ShowTracker::Shown() {
    if (screen_) screen_->Take();
}

}  // namespace vekora
