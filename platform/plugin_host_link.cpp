// Built into the window plugin only, in place of the core's stop_signals.cpp and
// active_device.cpp: the plugin's device must hear the program's stop signals and leave the
// program's active device, not a copy of either that only the plugin sees. Its watches on the
// screen join the program's list, which the program's drawing reports to. The linker takes
// these definitions before the core library's; should the plugin ever need more of those two
// files, it fails to link instead of quietly keeping a second state.
#include "platform/active_device.h"
#include "platform/plugin_entry.h"
#include "platform/stop_signals.h"

namespace vekora {
namespace {

const PluginHostLink* hostLink = nullptr;

}  // namespace

void LinkPluginToHost(const PluginHostLink* host) {
    hostLink = host;
    if (host != nullptr) ShareDrawnAreaWatches(host->drawnAreaWatches);
}

int CaughtStopSignal() { return hostLink != nullptr ? hostLink->caughtStopSignal() : 0; }

int StopSignalWakeFd() { return hostLink != nullptr ? hostLink->stopSignalWakeFd() : -1; }

void ForgetActiveDevice(const Device* device) {
    if (hostLink != nullptr) hostLink->forgetActiveDevice(device);
}

}  // namespace vekora
