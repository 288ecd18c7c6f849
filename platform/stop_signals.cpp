// The stop signals' handler and the note it leaves.
#include "platform/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace vekora {
namespace {

// A signal handler may only store to a lock-free atomic or a volatile sig_atomic_t.
volatile std::sig_atomic_t caughtSignal = 0;
// The wake pipe's ends; the write end is non-blocking, so that a full pipe never holds the
// handler (a byte already waiting wakes the reader as well).
std::atomic<int> wakeWrite{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads it");
int wakeRead = -1;

extern "C" void NoteStopSignal(int signal) {
    const int savedErrno = errno;
    caughtSignal = signal;
    std::signal(signal, SIG_DFL);
    if (const int fd = wakeWrite.load(); fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

void CatchStopSignals() {
    std::signal(SIGINT, NoteStopSignal);
    std::signal(SIGTERM, NoteStopSignal);
    std::signal(SIGHUP, NoteStopSignal);
}

int CaughtStopSignal() { return caughtSignal; }

void ClearStopSignal() { caughtSignal = 0; }

int StopSignalWakeFd() {
    static std::once_flag made;
    std::call_once(made, [] {
        int ends[2] = {-1, -1};
        if (pipe2(ends, O_CLOEXEC) != 0) return;
        fcntl(ends[1], F_SETFL, fcntl(ends[1], F_GETFL) | O_NONBLOCK);
        wakeRead = ends[0];
        wakeWrite.store(ends[1]);
    });
    return wakeRead;
}

}  // namespace vekora
