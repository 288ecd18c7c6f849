// Painting back what changed.
#include "draw/paint_back.h"

namespace vekora {

void PaintBack::Paint(ImageHandle page, ImageHandle picture) {
    if (page == nullptr || picture == nullptr) return;
    if (page_ && page_->Watches(page) && picture_ && picture_->Watches(picture)) {
        // Outside what was drawn on either since the last paint the page still holds the
        // picture.
        DrawnArea area = page_->TakeRows();
        area.Add(picture_->TakeRows(), 0, 0);
        ImageCopyArea(page, 0, 0, picture, area);
        page_->Take();  // the paint itself
        pageChangesAtPaint_ = page_->Changes();
        return;
    }
    ImageBlit(page, 0.0f, 0.0f, picture, BlitMode::Plain, 0);
    page_ = std::make_unique<DrawnAreaWatch>(page);
    picture_ = std::make_unique<DrawnAreaWatch>(picture);
    pageChangesAtPaint_ = page_->Changes();
}

bool PaintBack::PageUntouched(ImageHandle page) const {
    return page_ && page_->Watches(page) && page_->Changes() == pageChangesAtPaint_;
}

}  // namespace vekora
