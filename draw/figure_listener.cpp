// The listener of this thread and the quiet spell under a drawing call that told it.
#include "draw/figure_listener.h"

// The browser build runs on one thread and is linked without the atomics that thread-local
// storage needs there; everywhere else each thread (each library caller) has its own.
#ifdef __EMSCRIPTEN__
#define VEKORA_PER_THREAD
#else
#define VEKORA_PER_THREAD thread_local
#endif

namespace vekora {
namespace {

VEKORA_PER_THREAD FigureListener* listener = nullptr;
VEKORA_PER_THREAD int toldAbove = 0;

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
