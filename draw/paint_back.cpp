// Painting back what changed.
#include "draw/paint_back.h"

namespace vekora {

void PaintBack::Paint(ImageHandle page, ImageHandle picture) {
    if (page == nullptr || picture == nullptr) return;
    if (page_ && page_->Watches(page) && picture_ && picture_->Watches(picture) && picture_->Take().Empty()) {
        // Outside the area drawn since the last paint the page still holds the picture.
        ImageCopyArea(page, 0, 0, picture, page_->TakeRows());
        page_->Take();  // the paint itself
        return;
    }
    ImageBlit(page, 0.0f, 0.0f, picture, BlitMode::Plain, 0);
    page_ = std::make_unique<DrawnAreaWatch>(page);
    picture_ = std::make_unique<DrawnAreaWatch>(picture);
}

}  // namespace vekora
