// Built into the window plugin only, in place of the core's stop_signals.cpp, active_device.cpp
// and image_scale.cpp: the plugin's device must hear the program's stop signals, leave the
// program's active device and record the scale of the screen it makes where the program reads
// it, not in a copy of either that only the plugin sees. Its watches on the screen join the
// program's list, which the program's drawing reports to. The linker takes these definitions
// before the core library's; should the plugin ever need more of those files, it fails to link
// instead of quietly keeping a second state.
#include "draw/image_scale.h"
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

std::int32_t ImageScale(ImageHandle image) { return hostLink != nullptr ? hostLink->imageScale(image) : 1; }

void SetImageScale(ImageHandle image, std::int32_t scale) {
    if (hostLink != nullptr) hostLink->setImageScale(image, scale);
}

}  // namespace vekora
