// Finding and loading the window and video plugins. They are looked for in the folder named
// by VEKORA_PLUGIN_DIR when it is set, else beside the program or library that asks (the
// build folder), in its vekora/ subfolder (an installed libvekora.so), and in the installed
// plugin folder, reached from the program's folder first so that a moved installation still
// finds its own. A program that links a plugin's code in (the tests) uses that instead.
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "platform/active_device.h"
#include "platform/plugin_entry.h"
#include "platform/stop_signals.h"

// Present only in a program that links the plugin's code in; null otherwise.
extern "C" [[gnu::weak, gnu::visibility("hidden")]] vekora::Device* VekoraOpenWindowPlugin(
    const vekora::WindowPluginRequest* request);
extern "C" [[gnu::weak, gnu::visibility("hidden")]] vekora::VideoOutput* VekoraOpenVideoPlugin(
    const vekora::VideoPluginRequest* request);

namespace vekora {
namespace {

// The folder of the program or shared library this code was linked into.
std::string OwnFolder() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr) return ".";
    const std::string file = info.dli_fname;
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? "." : file.substr(0, slash);
}

std::vector<std::string> PluginFolders() {
    if (const char* chosen = std::getenv("VEKORA_PLUGIN_DIR"); chosen != nullptr) return {chosen};
    const std::string own = OwnFolder();
    return {own, own + "/vekora", own + "/" VEKORA_PLUGIN_DIR_FROM_BINDIR, VEKORA_INSTALLED_PLUGIN_DIR};
}

// The entry point `entry` of plugin `fileName`, loaded once for the rest of the process
// (the objects it makes live as long); null with the reason in `whyNot`.
void* PluginEntry(const std::string& fileName, const char* entry, std::string& whyNot) {
    std::string tried;
    for (const std::string& folder : PluginFolders()) {
        const std::string path = folder + "/" + fileName;
        struct stat file {};
        if (::stat(path.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) {
            tried += (tried.empty() ? "" : ", ") + folder;
            continue;
        }
        void* plugin = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (plugin == nullptr) {
            // A plugin that is there but cannot be loaded (its libraries are missing) says why.
            const char* error = ::dlerror();
            whyNot = error != nullptr ? std::string(error) : TrFormat(N_("%s cannot be loaded"), {path});
            return nullptr;
        }
        if (void* found = ::dlsym(plugin, entry)) return found;
        whyNot = path + " has no " + entry;
        return nullptr;
    }
    whyNot = "the plugin " + fileName + " is not installed: looked in " + tried;
    return nullptr;
}

const PluginHostLink HostLink = {&CaughtStopSignal, &ForgetActiveDevice, &StopSignalWakeFd, DrawnAreaWatches()};

// Whether the environment names a display at all. Without one the window plugin is not even
// loaded: it would load the window system's libraries only to find nothing to show on.
bool DisplayNamed() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != 0) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<Device> OpenWindowDevice(const WindowOptions& options, ImageHandle helpPicture, std::string& whyNot) {
    if (!DisplayNamed()) {
        whyNot = "no display is available";
        return nullptr;
    }
    auto open = &VekoraOpenWindowPlugin;
    if (open == nullptr) open = reinterpret_cast<decltype(open)>(PluginEntry("vekora-window.so", "VekoraOpenWindowPlugin", whyNot));
    if (open == nullptr) return nullptr;
    const WindowPluginRequest request{PluginBuild, &HostLink, options, helpPicture, &whyNot};
    return std::unique_ptr<Device>(open(&request));
}

std::unique_ptr<VideoOutput> OpenVideoOutput(const std::string& path, double framesPerSecond, std::int32_t scale,
                                             std::function<std::uint32_t()> padColour, std::string& whyNot) {
    auto open = &VekoraOpenVideoPlugin;
    if (open == nullptr) open = reinterpret_cast<decltype(open)>(PluginEntry("vekora-video.so", "VekoraOpenVideoPlugin", whyNot));
    if (open == nullptr) return nullptr;
    const VideoPluginRequest request{PluginBuild, &path, framesPerSecond, scale, &padColour, &whyNot};
    return std::unique_ptr<VideoOutput>(open(&request));
}

}  // namespace vekora
