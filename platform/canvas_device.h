// The canvas device: the screen drawn on a <canvas> of a web page, keyboard, mouse and touch
// from the page, and either the page's real clock or a virtual one. Built only for the browser
// (emscripten with ASYNCIFY): every wait hands control back to the page, so it never freezes.
//
// The page side (web/player.js) keeps the input and draws the pictures; this device asks it
// through Module.vekoraHost:
//   present(rgbaPointer, width, top, rows)   RGBA rows top.. top+rows-1 of the screen's pixels,
//                                          the top one first (only the rows that changed)
//   screenOpened(width, height, scale)    the screen's size in page units and its render scale
//                                          (pixels a page unit), on every ScreenOpen
//   caption(text)                         the window title (the page's title)
//   icon(rgbaPointer, width, height)      the window icon
//   takeKey()                             the next key as an array of bytes, or null
//   mouse()                               {x, y, wheel, buttons}, all -1 outside the canvas
//   stopRequested()                       true once the page wants the run to end
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/event_file.h"
#include "platform/event_schedule.h"

namespace vekora {

struct Surface;

class CanvasDevice : public Device {
public:
    enum class Clock {
        Real,     // the page's clock: sleeps wait as long as they say
        Virtual,  // starts at 0 and moves only when the program sleeps or polls, as headless
    };
    // `events` are played on the virtual clock as a headless run plays them (ignored on the
    // real clock); `answers` are typed for the viewer at its waits on either clock; keys and
    // the pointer of the page come in on either clock.
    CanvasDevice(Clock clock, std::vector<InputEvent> events = {}, ViewerAnswers answers = {});

    bool ScreenOpen(std::int32_t width, std::int32_t height, std::int32_t depth) override;
    void WindowCaption(std::string_view text) override;
    void WindowIcon(ImageHandle icon) override;
    void Present() override;
    void ViewerWaitStarted(const ViewerWait& wait) override;
    void ViewerWaitEnded() override;

    // Shows `picture` (an image of any depth) instead of the screen: the last picture of a
    // run stays on the page after the run.
    void PresentImage(ImageHandle picture);

protected:
    MouseInfo LiveMouse() override;
    std::string LiveKey() override;
    bool LiveKeyWaiting() override;
    void LivePlainSleep(std::int32_t ms) override;
    double LiveClock() override;
    // A replay takes no time off the real clock, and is shown once it is over.
    void ReplayChanged(bool replaying) override;

private:
    double replayBegan_ = 0;  // the real clock when the replay under way began
    // Takes the page's keys, turns the page's stop into a stop request and tells
    // the clock observers the time passed; presents when the last picture is older than a
    // display frame, and hands control to the page when it has waited too long.
    void Service();
    // Moves the virtual clock on, letting the scripted events that are due take effect.
    void AdvanceVirtual(std::int64_t ms);
    // Lets the scripted events and the answers that are due take effect.
    void ApplyDue();
    void NotifyTo(double seconds);
    // Presents and lets the page run for `ms` (0: just once round its event loop).
    void YieldToPage(std::int32_t ms);
    // Hands rows [top, bottom) of `surface` to the page.
    void PresentRows(const Surface& surface, std::int32_t top, std::int32_t bottom);
    double RealSeconds() const;

    Clock clock_;
    EventSchedule schedule_;
    std::int64_t virtualMs_ = 0;
    double realStart_ = 0;
    double lastNotified_ = 0;
    double lastPresentReal_ = -1;
    double lastYieldReal_ = 0;
    std::deque<std::string> keys_;
    MouseInfo mouse_;
    MouseInfo pageMouse_;
    std::vector<std::uint8_t> shown_;  // the screen bytes the page shows; empty: unknown
    std::vector<std::uint8_t> rgba_;   // the picture handed to the page
};

}  // namespace vekora
