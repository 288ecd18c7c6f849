// The entry points of the window and video plugins, one C-linkage factory each, and what the
// loader hands them. Each request opens with the build it was made for: host and plugin pass
// C++ objects, so a plugin of another build refuses to open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "draw/drawn_area.h"
#include "platform/plugins.h"

namespace vekora {

// What the window plugin's copy of the core asks of the program that loaded it: the state
// that must be the program's own, not a second copy in the plugin.
struct PluginHostLink {
    int (*caughtStopSignal)();                     // the program's caught SIGINT or SIGTERM
    void (*forgetActiveDevice)(const Device* device);  // a device going away is no longer active
    int (*stopSignalWakeFd)();                     // the program's stop-signal wake-up descriptor
    DrawnAreaWatchList* drawnAreaWatches;          // the program's watches on its images
    // The program's render scales of its images: a screen the plugin's device makes at a
    // scale is drawn on by the program, which must know it.
    std::int32_t (*imageScale)(ImageHandle image);
    void (*setImageScale)(ImageHandle image, std::int32_t scale);
};

struct WindowPluginRequest {
    const char* build;  // PluginBuild of the loader
    const PluginHostLink* host;
    WindowOptions options;
    ImageHandle helpPicture;
    std::string* whyNot;
};

struct VideoPluginRequest {
    const char* build;
    const std::string* path;
    double framesPerSecond;
    std::int32_t scale;
    const std::function<std::uint32_t()>* padColour;
    std::string* whyNot;
};

// Host and plugins of one build agree on this.
inline constexpr const char* PluginBuild = VEKORA_PLUGIN_BUILD;

// Points the window plugin's copy of the core at the program's state. Defined only in the
// plugin (plugin_host_link.cpp): a program that links the window device in (the tests) has
// one state already, and the weak reference is null there.
[[gnu::weak]] void LinkPluginToHost(const PluginHostLink* host);

}  // namespace vekora

// The entry points, defined with VEKORA_PLUGIN_ENTRY by the plugins as
//   VEKORA_PLUGIN_ENTRY vekora::Device* VekoraOpenWindowPlugin(const vekora::WindowPluginRequest*);
//   VEKORA_PLUGIN_ENTRY vekora::VideoOutput* VekoraOpenVideoPlugin(const vekora::VideoPluginRequest*);
// Each returns a new object the caller owns, or null with the reason in *whyNot.
#define VEKORA_PLUGIN_ENTRY extern "C" __attribute__((visibility("default")))
