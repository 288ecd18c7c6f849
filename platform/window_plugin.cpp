// The window plugin's entry point: the SDL window device, made for the program that loads it.
#include <cstring>

#include "platform/plugin_entry.h"
#include "platform/window_device.h"

VEKORA_PLUGIN_ENTRY vekora::Device* VekoraOpenWindowPlugin(const vekora::WindowPluginRequest* request) {
    if (std::strcmp(request->build, vekora::PluginBuild) != 0) {
        *request->whyNot = std::string("the window plugin belongs to another build (") + vekora::PluginBuild + ")";
        return nullptr;
    }
    if (vekora::LinkPluginToHost != nullptr) vekora::LinkPluginToHost(request->host);
    std::unique_ptr<vekora::WindowDevice> window = vekora::WindowDevice::Create(request->options, *request->whyNot);
    if (window == nullptr) return nullptr;
    if (request->helpPicture != nullptr) window->SetHelpPicture(request->helpPicture);
    return window.release();
}
