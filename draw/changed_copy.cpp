// Copying what changed.
#include "draw/changed_copy.h"

#include "draw/image_surface.h"

namespace vekora {

void ChangedCopy::Copy(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y) {
    if (target == nullptr || source == nullptr) return;
    if (!Keeps(target, source, x, y)) {
        const Surface size = ResolveSurface(source);  // areas are pixels, the place page units
        DrawnArea all(size.width, size.height);
        all.Add(PixelRect::Whole(size.width, size.height));
        ImageCopyArea(target, x, y, source, all);
        InStep(target, source, x, y);
        return;
    }
    // Outside what was drawn on either since the last copy the target still holds the source.
    DrawnArea due = source_->TakeRows();
    const std::int32_t scale = ImageScale(target);
    target_->TakeInto(due, -x * scale, -y * scale);
    ImageCopyArea(target, x, y, source, due);
    Copied();
}

void ChangedCopy::InStep(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y) {
    target_ = std::make_unique<DrawnAreaWatch>(target);
    source_ = std::make_unique<DrawnAreaWatch>(source);
    x_ = x;
    y_ = y;
    targetChangesAtCopy_ = target_->Changes();
}

bool ChangedCopy::TargetUntouched(ImageHandle target) const {
    return target_ && target_->Watches(target) && target_->Changes() == targetChangesAtCopy_;
}

bool ChangedCopy::Keeps(ImageHandle target, ImageHandle source, std::int32_t x, std::int32_t y) const {
    return target_ && target_->Watches(target) && source_ && source_->Watches(source) && x == x_ && y == y_;
}

void ChangedCopy::Copied() {
    target_->Take();
    targetChangesAtCopy_ = target_->Changes();
}

}  // namespace vekora
