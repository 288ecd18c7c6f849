// The video plugin's entry point: a recorder writing MP4 or WebM through FFmpeg's libraries.
#include <cstring>

#include "platform/plugin_entry.h"
#include "platform/video_recorder.h"

VEKORA_PLUGIN_ENTRY vekora::VideoOutput* VekoraOpenVideoPlugin(const vekora::VideoPluginRequest* request) {
    if (std::strcmp(request->build, vekora::PluginBuild) != 0) {
        *request->whyNot = std::string("the video plugin belongs to another build (") + vekora::PluginBuild + ")";
        return nullptr;
    }
    return new vekora::VideoRecorder(*request->path, request->framesPerSecond, request->scale, *request->padColour);
}
