// --watch: the lesson plays again from the start every time its file is saved. A run under way
// is stopped from the device's clock; a script that does not compile shows its messages on a
// grey page in the window and plays again once it compiles.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/device.h"

namespace vekora {

// Whether a file was written since the last look. Uses inotify on the file's folder (which
// also sees an editor replace the file by renaming a new one over it); where that is not
// available, compares the file's modification time, size and inode.
class FileWatch {
public:
    enum class Mode { Notify, Poll };
    explicit FileWatch(const std::string& path, Mode mode = Mode::Notify);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // True once for every batch of changes since the last call that returned true.
    bool Changed();
    // Whether a change was seen that Changed has not yet reported: cheap, for every clock step.
    bool Noticed() const { return noticed_.load(std::memory_order_acquire); }
    Mode mode() const { return notifyFd_ >= 0 ? Mode::Notify : Mode::Poll; }
    // From now on a thread watches the file and calls `wake` (from that thread) when it
    // changes, so that a program blocked until input learns of a save at once instead of
    // waking to look for one. Changed still reports the change.
    void WakeOnChange(std::function<void()> wake);

private:
    struct Stamp {
        std::int64_t seconds = 0;
        std::int64_t nanoseconds = 0;
        std::int64_t size = -1;
        std::uint64_t inode = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp Look() const;
    bool NotifiedAboutFile();
    // Whether the file changed since the last look; the caller holds lock_.
    bool LookedChanged();
    void Watch(const std::function<void()>& wake);

    std::string path_;
    std::string name_;  // the file's name in its folder
    int notifyFd_ = -1;
    Stamp stamp_;
    std::mutex lock_;               // the descriptor's events and the stamp: read by one side at a time
    std::atomic<bool> noticed_{false};  // the thread saw a change that Changed has not reported
    int quitRead_ = -1, quitWrite_ = -1;  // ends the thread
    std::thread watcher_;
};

// Thrown from the clock to leave a run whose script changed.

// Asks the device to stop the run (StopReason::ScriptChanged) when the file changes while
// armed; looks at the file at most every 100 ms of the device's clock, and at the first step
// after the watch's thread noticed a change.
class ChangeStop : public ClockObserver {
public:
    ChangeStop(FileWatch& watch, Device& device) : watch_(watch), device_(device) {}
    void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) override;
    void Arm(bool armed) { armed_ = armed; }

private:
    FileWatch& watch_;
    Device& device_;
    bool armed_ = false;
    double lastLook_ = -1.0;
};

struct WatchLoop {
    // Plays the file once; the result as RunScriptFile gives it (-1 or -2: did not compile).
    std::function<std::int32_t()> playOnce;
    // The messages of the last compilation that failed, one a line (Latin-1).
    std::function<std::vector<std::string>()> messages;
    // True when watching is over (a headless run's time limit has passed).
    std::function<bool()> finished;
    // Called after each message page, so that a screenshot shows it too.
    std::function<void()> messagesShown;
};

// Plays, then waits for a change and plays again, until loop.finished(); a window ends it by
// being closed. Runs on the active device.
void WatchScript(const std::string& path, const WatchLoop& loop, FileWatch::Mode mode = FileWatch::Mode::Notify);

// The messages as a text box over a grey page, on a default screen when none is open yet.
void ShowMessagePage(Device& device, const std::vector<std::string>& messages);

}  // namespace vekora
