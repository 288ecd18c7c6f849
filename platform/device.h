// The device the program draws on and reads input from: a window, or a headless screen with
// a virtual clock. The screen is an image in the ordinary image-buffer layout, owned by the
// device. The device also carries the run's stop request: a closed window, a stop signal or
// a time limit reached, which the engine unwinds from the way it leaves through the bar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/image.h"
#include "platform/input_journal.h"
#include "platform/mouse_info.h"

namespace vekora {

struct ScreenMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t depth = 0;  // bits a pixel: 8, 16 or 32; 0 before the screen is open
};

// Mouse button changes in the order they happened, handed out one a poll: a press and its
// release that both arrive between two polls (a tap on a touch screen or a whiteboard, a
// scripted click) are still seen as a press, then a release, where they happened.
class ButtonChanges {
public:
    // The mouse as it stands right after a button went down or up.
    void Changed(const MouseInfo& state);
    // The mouse for one poll: the oldest change not yet handed out, else `live` (which the
    // devices keep with the buttons as the last change left them).
    MouseInfo Next(const MouseInfo& live);
    bool Pending() const { return !changes_.empty(); }
    // Forgets every change not yet handed out (a new run starts with none).
    void Clear() { changes_.clear(); }

private:
    // A program that stops polling for long keeps only this many changes; the oldest go.
    static constexpr std::size_t MostKept = 64;
    std::deque<MouseInfo> changes_;
};

// Told whenever the device's clock moves on, with the screen as it stood over that time.
// The picture recorders sample the screen this way.
class ClockObserver {
public:
    virtual ~ClockObserver() = default;
    virtual void ClockAdvanced(double fromSeconds, double toSeconds, ImageHandle screen) = 0;
};

// What the lesson waits for when it waits for its viewer, and how the viewer goes on.
enum class ViewerWaitKind : std::uint8_t {
    GoOn,  // WAIT, WAITALWAYS, the pause after an ANIMATION: Enter goes on
    Drag,  // an INTERACTION waiting for a point to be grabbed: Escape ends it
    Menu,  // a pop-up menu: Down moves to an item, Enter chooses it
};

// One wait for the viewer: its kind and the waiting statement's row of the instruction table.
struct ViewerWait {
    ViewerWaitKind kind = ViewerWaitKind::GoOn;
    std::int32_t procedure = 0;
    std::int32_t row = 0;
    std::int32_t menuItems = 0;  // Menu: how many items it offers
};

// A wait for the viewer and the clock when it began.
struct StandingWait {
    ViewerWait wait;
    double sinceSeconds = 0;
    bool replayed = false;  // it began while the run was replayed
};

// Why a run was asked to stop, in the order the program tells them apart.
enum class StopReason {
    None,
    WindowClosed,   // the viewer closed the window
    TimeLimit,      // the clock passed the limit set with StopAt (--until)
    Interrupted,    // SIGINT (Ctrl-C)
    Terminated,     // SIGTERM
    HungUp,         // SIGHUP (the terminal closed, the remote session dropped)
    ScriptChanged,  // the watched script was saved again: the run starts over
    Replay,         // the run is to be played again to a moment of it (Device::ReplayTo)
};

class Device {
public:
    Device();
    virtual ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Opens or resizes the screen; false for a size or depth that cannot be represented.
    virtual bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth);
    ScreenMode ScreenQuery() const;
    ImageHandle Screen() const { return screen_.get(); }
    // The render scale of the screen and of every picture the run makes (draw/image_scale.h):
    // the screen keeps its size in page units and holds scale x scale pixels for each. Set
    // before the screen opens; 1 to 8, anything else is refused (false).
    bool SetRenderScale(std::int32_t scale);
    std::int32_t RenderScale() const { return renderScale_; }
    // The render scale the device would draw at now: a window that follows its display wants a
    // finer screen after growing, a coarser one after shrinking. When it differs from
    // RenderScale (RenderScaleOutdated), a run in progress is drawn afresh (RedrawAtScale).
    virtual std::int32_t WantedRenderScale() const { return renderScale_; }
    bool RenderScaleOutdated() const { return WantedRenderScale() != renderScale_; }
    // Draws the run in progress afresh at render scale `scale`: the run is replayed to this
    // moment (see ReplayToNow), its first screen and every picture made at the new scale, and
    // shown when it gets there. False, and the picture stays as it is, when no run is in
    // progress, a replay is under way or the scale is refused.
    bool RedrawAtScale(std::int32_t scale);

    // The window's title (Latin-1, mathematical signs allowed); kept by every device.
    virtual void WindowCaption(std::string_view text) { caption_ = text; }
    const std::string& Caption() const { return caption_; }
    // The window's icon: a 32-bit image (0xAARRGGBB pixels); the caller keeps it alive.
    virtual void WindowIcon(ImageHandle icon) { (void)icon; }
    // The input a lesson reads. Each read is kept in the run's journal, and while the run is
    // replayed it is answered from there instead (see ReplayTo).
    MouseInfo MouseState();
    // The next key without waiting: "" when none, one byte, or 0xFF and a scan code.
    std::string KeyRead();
    // Whether a key waits in the keyboard buffer, leaving it there.
    bool KeyWaiting();
    // Seconds since the program started.
    double ClockSeconds();
    // One uninterrupted wait; Sleep builds the interruptible sleep on it.
    void PlainSleep(std::int32_t ms);
    // 100 ms and more: 50 ms slices while more than 50 ms remain, ending early when a key waits;
    // the rest (and any sleep of 1 to 99 ms) is one plain wait; 0 or less returns at once.
    // A stopped device does not wait. A window blocks on its events instead of slicing.
    void Sleep(std::int32_t ms);
    static constexpr std::int32_t InterruptibleFromMs = 100;
    // One wait of a loop that waits for input and then polls. It returns after at most
    // `mostMs`, or sooner once input may have come (a key, a button, the pointer moving, the
    // window closed, a stop). A device whose clock moves only when the program sleeps sleeps
    // `sliceMs`, so that its clock steps as a loop of plain sleeps and polls steps it; a
    // window blocks on its event queue meanwhile.
    void WaitForInput(std::int32_t sliceMs, std::int32_t mostMs);
    // Ends a wait blocked on the device's events, from any thread: something the device does
    // not watch (a saved script) needs the program's attention. A device that never blocks
    // has nothing to end.
    virtual void Wake() {}
    // Shows the screen now, if the device has anything to show it on.
    virtual void Present() {}

    void AddClockObserver(ClockObserver* observer);
    void RemoveClockObserver(ClockObserver* observer);

    // The stop request. Once made it stays: the clock observers hear no more time, input
    // reads as nothing, and the screen as it stood then is kept for the outputs.
    void RequestStop(StopReason reason);
    // Asks for a stop when the clock passes `seconds` (a negative value: never).
    void StopAt(double seconds) { stopAtSeconds_ = seconds; }
    // The clock's time set with StopAt; negative when there is none.
    double StopTime() const { return stopAtSeconds_; }
    // Whether a stop was requested. A caught stop signal becomes a request at the next step of
    // the clock, so that a signal stops a run at the same moment as a time limit would.
    bool Stopped() const;
    StopReason StopCause() const { return stopReason_; }
    // The clock when the stop was requested: where the clock step that brought it began.
    double StopSeconds() const { return stopSeconds_; }
    // The screen as the stop found it (a menu still up, say), before anything the unwinding
    // run puts back; the live screen while there was no stop.
    ImageHandle ScreenAtStop() const { return stopScreen_ ? stopScreen_.get() : Screen(); }
    // Lets a stopped device run again (the closing logo of a run stopped at its time limit):
    // the clock is heard and input read once more; StopCause still tells why it stopped.
    void Resume() { resumed_ = true; }
    // Forgets a stop request, for a new run on the same device.
    void ClearStop();
    // Readies the device for a new run as if it were new: no stop, no time limit, and no
    // input left by an earlier run. The headless device also puts its clock back to 0 and its
    // event list to its start. The screen stays as it is.
    virtual void StartAfresh();

    // Replaying a run. A run is played again from its start with the reads its journal
    // holds, without waiting and without showing a frame, up to a moment of it; from there
    // the device answers again and the run goes on live, shown at once. The clock the lesson
    // then reads goes on from where it stood when the replay was asked for (the replay takes
    // none of it), so that recordings carry on unbroken.
    //
    // The viewer's step back: at a WAIT (or the pause after an animation), the run is played
    // again to where the wait for the viewer before it began. False, and nothing happens,
    // when the lesson does not stand at such a wait or none came before it.
    bool StepBack();
    // The run is played again to this very moment: a window drawing the lesson afresh (at a
    // new render scale, say) calls it, then lets the run unwind and be replayed.
    void ReplayToNow();
    // Asks for the run to be replayed to its `reads`-th read: the run stops (StopReason::Replay)
    // and the run layer plays it again after BeginReplay.
    void ReplayTo(std::uint64_t reads);
    // Readies the device for the replay asked for: the stop is forgotten, the screen cleared
    // as a new one is, and reads are answered from the journal until the moment is reached.
    void BeginReplay();
    bool Replaying() const { return journal_.Replaying(); }
    // A run begins: its journal starts empty.
    void RunStarts();
    // The run layer says while a run (with its replays) is playing, which is when it can be
    // drawn afresh.
    void SetRunInProgress(bool playing) { runInProgress_ = playing; }

    // The lesson waits for its viewer from ViewerWaitStarted to the matching ViewerWaitEnded
    // (see AwaitingViewer). Every device remembers the wait, so that a run stopped meanwhile
    // can say where it stood; a device that plays scripted input may answer it.
    virtual void ViewerWaitStarted(const ViewerWait& wait);
    virtual void ViewerWaitEnded();
    // The innermost wait for the viewer now, or the one the stop request found; null: none.
    const StandingWait* WaitForViewer() const;

    // Counts one repetition: a statement list entered again (a REPEAT, a procedure restarted
    // or called) or a jump back in it. Only these can loop without end, so only these are
    // charged: a run that repeats without the clock moving (a FAST loop that only draws) would
    // never reach a time limit, so past RunawayRepetitions of them in one step of the clock
    // every further one sleeps RunawaySleepMs, and --until and the library's cap still end it
    // and a window keeps answering. Straight-line statements cost nothing: a long FAST
    // construction runs at full speed. No lesson comes near: the examples and the manual's
    // scripts repeat at most a few times a step.
    void RepetitionExecuted();
    static constexpr std::int32_t RunawayRepetitions = 1000;
    static constexpr std::int32_t RunawaySleepMs = 10;

protected:
    // What the device itself gives, with no journal in between: the devices implement these,
    // and their own code calls these rather than the journaled reads above.
    virtual MouseInfo LiveMouse() = 0;
    virtual std::string LiveKey() = 0;
    virtual bool LiveKeyWaiting() = 0;
    virtual double LiveClock() = 0;
    virtual void LivePlainSleep(std::int32_t ms) = 0;
    virtual void LiveSleep(std::int32_t ms);
    virtual void LiveWaitForInput(std::int32_t sliceMs, std::int32_t mostMs);
    // Whether the innermost wait for the viewer began while the run was replayed.
    bool InnermostWaitReplayed() const { return !viewerWaits_.empty() && viewerWaits_.back().replayed; }
    // Told when a replay begins (true) and when it has reached its moment (false).
    virtual void ReplayChanged(bool replaying) { (void)replaying; }

    // Tells the clock observers, then turns a passed time limit or a caught stop signal into a
    // stop request. Nothing is told once the device has stopped.
    void NotifyClockAdvanced(double fromSeconds, double toSeconds);

private:
    std::int32_t renderScale_ = 1;
    struct ImageDeleter {
        void operator()(std::uint8_t* image) const { ImageFree(image); }
    };
    std::unique_ptr<std::uint8_t, ImageDeleter> screen_;
    std::vector<ClockObserver*> observers_;
    std::string caption_;
    StopReason stopReason_ = StopReason::None;
    double stopAtSeconds_ = -1;
    double stopSeconds_ = 0;
    bool resumed_ = false;
    std::unique_ptr<std::uint8_t, ImageDeleter> stopScreen_;
    std::vector<StandingWait> viewerWaits_;  // innermost last
    std::optional<StandingWait> waitAtStop_;
    std::int32_t repetitionsThisStep_ = 0;  // since the clock last moved by itself
    bool chargingRepetition_ = false;       // the clock moves for a runaway repetition
    InputJournal journal_;
    bool runInProgress_ = false;
    bool replayShown_ = true;  // the last replay has reached its moment
    // Hands over to the live device once a replay has used up its journal.
    void AfterReplayedRead();
    // One read: the journal's while the run is replayed, else the device's, journaled.
    template <typename Value, typename Live, typename Record>
    Value Journaled(std::optional<Value> replayed, Live live, Record record);
    // Where each wait for the viewer that goes on with Enter began, in reads of the journal.
    std::vector<std::uint64_t> goOnWaits_;
    std::uint64_t replayReads_ = 0;
};

// Marks a wait for the viewer on `device` (null: none) for as long as it lives.
class AwaitingViewer {
public:
    AwaitingViewer(Device* device, const ViewerWait& wait) : device_(device) {
        if (device_ != nullptr) device_->ViewerWaitStarted(wait);
    }
    ~AwaitingViewer() {
        if (device_ != nullptr) device_->ViewerWaitEnded();
    }
    AwaitingViewer(const AwaitingViewer&) = delete;
    AwaitingViewer& operator=(const AwaitingViewer&) = delete;

private:
    Device* device_;
};

}  // namespace vekora
