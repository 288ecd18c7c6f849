// Ctrl-C (SIGINT), SIGTERM and SIGHUP (a closed terminal, a dropped remote session) as requests
// to stop the run: the handler only notes the signal, and the device turns it into a stop at
// its next clock step, so every output is finished.
#pragma once

namespace vekora {

// Installs the handlers. After the first signal the default action comes back, so a second
// Ctrl-C ends a program that does not stop.
void CatchStopSignals();
// The signal caught (SIGINT, SIGTERM or SIGHUP), or 0.
int CaughtStopSignal();
// Forgets a caught signal (tests; a library run after one that was stopped).
void ClearStopSignal();
// A descriptor that turns readable, one byte a signal, when a stop signal is caught: a wait
// that blocks where the device cannot look (a window's event queue) learns of it at once.
// Made on the first call, shared by every caller; -1 when it cannot be made.
int StopSignalWakeFd();

}  // namespace vekora
