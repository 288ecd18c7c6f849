// The headless device: a screen in memory, input from an event list, and a virtual clock that
// starts at 0 and moves only when the program sleeps or polls.
#pragma once

#include <deque>
#include <vector>

#include "platform/device.h"
#include "platform/event_file.h"
#include "platform/event_schedule.h"

namespace vekora {

// An event of an event list taking effect: a key joins the keyboard buffer, a pointer event
// changes the mouse (which comes inside the window with the first one).
void ApplyInputEvent(const InputEvent& event, std::deque<std::string>& keys, MouseInfo& mouse);

class HeadlessDevice : public Device {
public:
    // `answers` are typed for the viewer at the waits the events leave unanswered.
    explicit HeadlessDevice(std::vector<InputEvent> events = {}, ViewerAnswers answers = {});

    void StartAfresh() override;
    void ViewerWaitStarted(const ViewerWait& wait) override;
    void ViewerWaitEnded() override;

    std::int64_t NowMs() const { return nowMs_; }

protected:
    MouseInfo LiveMouse() override;
    std::string LiveKey() override;
    bool LiveKeyWaiting() override;
    void LivePlainSleep(std::int32_t ms) override;
    double LiveClock() override;

private:
    // Moves the clock on by `ms` and lets every event that is due take effect.
    void Advance(std::int64_t ms);
    void ApplyDue();

    EventSchedule schedule_;
    std::int64_t nowMs_ = 0;
    std::deque<std::string> keys_;
    MouseInfo mouse_;  // outside the window until the first mouse event
    ButtonChanges buttonChanges_;
};

}  // namespace vekora
