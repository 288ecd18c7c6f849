// Showing and copying the drawing page, and the step wait.
#include "interp/page.h"


namespace vekora {

void SetPage(RunContext& run, OwnedImage page) {
    run.page = std::move(page);
    run.stage.page = run.page.get();
}

void ShowPage(const RunContext& run) {
    if (!run.page) return;
    run.stage.Show();
}

OwnedImage CopyOfPage(const RunContext& run) {
    if (!run.page) return nullptr;
    return OwnedImage(ImageDuplicate(run.page.get()));
}

void PaintOnPage(const RunContext& run, ImageHandle picture) {
    if (!run.page || picture == nullptr) return;
    ImageBlit(run.page.get(), 0, 0, picture, BlitMode::Plain, 0);
}

bool ShowsAfterDrawing(const Activation& activation) {
    return !(activation.kind == KindConstruction && activation.mode == ModeFast);
}

}  // namespace vekora
