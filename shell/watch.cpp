// Watching a script file and playing it again when it changes.
#include "shell/watch.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>

#include "draw/text.h"
#include "interp/resident.h"
#include "interp/screen_text.h"
#include "platform/active_device.h"

namespace vekora {
namespace {

constexpr double LookEverySeconds = 0.1;
constexpr std::int32_t WaitSliceMs = 100;
// Without inotify the watch's thread compares the file's stamp this often.
constexpr int PollEveryMs = 100;
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
    if (watcher_.joinable()) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(quitWrite_, &byte, 1);
        watcher_.join();
    }
    for (const int fd : {quitRead_, quitWrite_, notifyFd_})
        if (fd >= 0) ::close(fd);
}

void FileWatch::WakeOnChange(std::function<void()> wake) {
    if (watcher_.joinable()) return;
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    quitRead_ = ends[0];
    quitWrite_ = ends[1];
    watcher_ = std::thread([this, wake = std::move(wake)] { Watch(wake); });
}

// The thread: sleeps on inotify's descriptor (or between looks at the stamp) and on the quit
// pipe; a change it takes from the descriptor is kept for Changed.
void FileWatch::Watch(const std::function<void()>& wake) {
    for (;;) {
        pollfd fds[2] = {{quitRead_, POLLIN, 0}, {notifyFd_, POLLIN, 0}};
        const int ready = ::poll(fds, notifyFd_ >= 0 ? 2 : 1, notifyFd_ >= 0 ? -1 : PollEveryMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) return;
        bool changed = false;
        {
            const std::lock_guard<std::mutex> guard(lock_);
            changed = LookedChanged();
            if (changed) noticed_.store(true, std::memory_order_release);
        }
        if (changed) wake();
    }
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

bool FileWatch::LookedChanged() {
    const bool changed = notifyFd_ >= 0 ? NotifiedAboutFile() : Look() != stamp_;
    if (changed) stamp_ = Look();
    return changed;
}

bool FileWatch::Changed() {
    const std::lock_guard<std::mutex> guard(lock_);
    // Both run under the lock, so a change is either still on the descriptor or already noted.
    const bool changed = LookedChanged() || noticed_.load(std::memory_order_acquire);
    noticed_.store(false, std::memory_order_release);
    return changed;
}

void ChangeStop::ClockAdvanced(double, double toSeconds, ImageHandle) {
    if (!armed_ || (toSeconds - lastLook_ < LookEverySeconds && !watch_.Noticed())) return;
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
    watch.WakeOnChange([device] { device->Wake(); });
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
            // A window blocks until the watch wakes it, input comes or it is closed; input
            // between runs means nothing (the next run starts without it), so it is let go.
            while (!loop.finished() && !watch.Changed()) {
                device->WaitForInput(WaitSliceMs, std::numeric_limits<std::int32_t>::max());
                while (!device->KeyRead().empty()) {
                }
                device->MouseState();
            }
        }
        if (!loop.finished()) Settle(watch);
    }
    device->RemoveClockObserver(&stop);
}

}  // namespace vekora
