// Showing and copying the drawing page, and the step wait.
#include "interp/page.h"

#include "platform/device.h"
#include "platform/input.h"

namespace vekora {

void ShowPage(const RunContext& run) {
    if (!run.page) return;
    ImageBlit(nullptr, static_cast<float>(OriginX(run.settings)), static_cast<float>(OriginY(run.settings)),
              run.page.get(), BlitMode::Plain, 0);
}

OwnedImage CopyOfPage(const RunContext& run) {
    if (!run.page) return nullptr;
    const SurfaceSize size = SurfaceInfo(run.page.get());
    OwnedImage copy(ImageNewOfDepth(size.width, size.height, size.bytesPerPixel, 0));
    if (copy) ImageBlit(copy.get(), 0, 0, run.page.get(), BlitMode::Plain, 0);
    return copy;
}

void PaintOnPage(const RunContext& run, ImageHandle picture) {
    if (!run.page || picture == nullptr) return;
    ImageBlit(run.page.get(), 0, 0, picture, BlitMode::Plain, 0);
}

void PauseIfQuiet(const RunContext& run, Activation& activation) {
    if (activation.pendingInput == 0) activation.pendingInput = WaitPolling(run.settings.stepMs);
}

bool ShowsAfterDrawing(const Activation& activation) {
    return !(activation.kind == KindConstruction && activation.mode == ModeFast);
}

}  // namespace vekora
