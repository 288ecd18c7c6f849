// The listener of this thread and the quiet spell under a drawing call that told it.
#include "draw/figure_listener.h"

namespace vekora {
namespace {

thread_local FigureListener* listener = nullptr;
thread_local int toldAbove = 0;

}  // namespace

FigureListener* CurrentFigureListener() { return listener; }
void SetFigureListener(FigureListener* l) { listener = l; }

FigureListener* ListenerFor(ImageHandle target) {
    if (listener == nullptr || toldAbove != 0 || target == nullptr) return nullptr;
    return listener->Keeps(target) ? listener : nullptr;
}

FigureToldAbove::FigureToldAbove() { ++toldAbove; }
FigureToldAbove::~FigureToldAbove() { --toldAbove; }

}  // namespace vekora
