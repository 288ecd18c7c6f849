// The stop signals' handler and the note it leaves.
#include "platform/stop_signals.h"

#include <csignal>

namespace vekora {
namespace {

// A signal handler may only store to a lock-free atomic or a volatile sig_atomic_t.
volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void NoteStopSignal(int signal) {
    caughtSignal = signal;
    std::signal(signal, SIG_DFL);
}

}  // namespace

void CatchStopSignals() {
    std::signal(SIGINT, NoteStopSignal);
    std::signal(SIGTERM, NoteStopSignal);
}

int CaughtStopSignal() { return caughtSignal; }

void ClearStopSignal() { caughtSignal = 0; }

}  // namespace vekora
