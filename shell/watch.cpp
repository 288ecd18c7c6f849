// Watching a script file and playing it again when it changes.
#include "shell/watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "draw/text.h"
#include "interp/resident.h"
#include "interp/screen_text.h"
#include "platform/active_device.h"

namespace vekora {
namespace {

constexpr double LookEverySeconds = 0.1;
constexpr std::int32_t WaitSliceMs = 100;
// An editor may write a file in more than one step; a change is taken once the file has
// been quiet this long.
constexpr std::int32_t SettleMs = 150;
constexpr std::uint32_t GreyPage = 0x808080;
constexpr std::int32_t PageMargin = 16;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Waits until the file has stopped changing, so that a save in several writes plays once.
void Settle(FileWatch& watch) {
    do {
        SleepMs(SettleMs);
    } while (watch.Changed());
}

}  // namespace

FileWatch::FileWatch(const std::string& path, Mode mode) : path_(path), name_(NameOf(path)) {
    if (mode == Mode::Notify) {
        notifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        const std::uint32_t events = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_CREATE | IN_ATTRIB;
        if (notifyFd_ >= 0 && ::inotify_add_watch(notifyFd_, FolderOf(path).c_str(), events) < 0) {
            ::close(notifyFd_);
            notifyFd_ = -1;
        }
    }
    stamp_ = Look();
}

FileWatch::~FileWatch() {
    if (notifyFd_ >= 0) ::close(notifyFd_);
}

FileWatch::Stamp FileWatch::Look() const {
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) return Stamp{};
    return Stamp{static_cast<std::int64_t>(info.st_mtim.tv_sec), static_cast<std::int64_t>(info.st_mtim.tv_nsec),
                 static_cast<std::int64_t>(info.st_size), static_cast<std::uint64_t>(info.st_ino)};
}

// Reads every waiting event; true when one names the file.
bool FileWatch::NotifiedAboutFile() {
    alignas(inotify_event) char buffer[4096];
    bool aboutFile = false;
    for (;;) {
        const ssize_t got = ::read(notifyFd_, buffer, sizeof buffer);
        if (got <= 0) break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->len > 0 && name_ == event->name) aboutFile = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return aboutFile;
}

bool FileWatch::Changed() {
    const bool changed = notifyFd_ >= 0 ? NotifiedAboutFile() : Look() != stamp_;
    if (changed) stamp_ = Look();
    return changed;
}

void ChangeStop::ClockAdvanced(double, double toSeconds, ImageHandle) {
    if (!armed_ || toSeconds - lastLook_ < LookEverySeconds) return;
    lastLook_ = toSeconds;
    if (watch_.Changed()) {
        armed_ = false;
        device_.RequestStop(StopReason::ScriptChanged);
    }
}

void ShowMessagePage(Device& device, const std::vector<std::string>& messages) {
    if (device.ScreenQuery().depth == 0) device.ScreenOpen(DefaultWindowWidth, DefaultWindowHeight, 16);
    const ScreenMode mode = device.ScreenQuery();
    const ImageHandle screen = device.Screen();
    if (mode.depth == 0 || screen == nullptr) return;
    RasterLine(screen, 0, 0, static_cast<float>(mode.width - 1), static_cast<float>(mode.height - 1), GreyPage,
               LineKind::FilledBox, 0xFFFF);
    std::string text;
    for (const std::string& message : messages) text += message + "\r";
    LineWrap(screen, text, ResidentFont(FontFamily::Sans, 16), PageMargin, PageMargin, mode.width - 2 * PageMargin,
             mode.height - 2 * PageMargin, 0x000000, 0xFFFFFF);
    device.Present();
}

void WatchScript(const std::string& path, const WatchLoop& loop, FileWatch::Mode mode) {
    Device* device = ActiveDevice();
    if (device == nullptr) return;
    FileWatch watch(path, mode);
    ChangeStop stop(watch, *device);
    device->AddClockObserver(&stop);
    while (!loop.finished()) {
        stop.Arm(true);
        const std::int32_t result = loop.playOnce();
        stop.Arm(false);
        if (device->StopCause() == StopReason::ScriptChanged) {
            // A save during the run: it ends there, and the new script plays from the start.
            device->ClearStop();
        } else {
            if (result == -1 || result == -2) {
                ShowMessagePage(*device, loop.messages());
                if (loop.messagesShown) loop.messagesShown();
            }
            while (!loop.finished() && !watch.Changed()) device->Sleep(WaitSliceMs);
        }
        if (!loop.finished()) Settle(watch);
    }
    device->RemoveClockObserver(&stop);
}

}  // namespace vekora
