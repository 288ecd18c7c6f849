// When each scripted input takes effect on a virtual clock: the event file's lines, timed
// from the start, from the line before, or at the next wait for the viewer, and the keys typed
// for the viewer at each wait (ViewerAnswers). The headless device and the web player's
// virtual clock play their input through one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/device.h"
#include "platform/event_file.h"
#include "platform/viewer_answers.h"

namespace vekora {

class EventSchedule {
public:
    explicit EventSchedule(std::vector<InputEvent> events = {}, ViewerAnswers answers = {});

    // Hands every event due by `nowMs` to `apply`, in the order they take effect.
    void Deliver(std::int64_t nowMs, const std::function<void(const InputEvent&)>& apply);
    // A wait for the viewer began at `nowMs`: "wait" lines may now fire, and the answers
    // for the viewer are scheduled. Deliver then gives what is due at once.
    void WaitStarted(const ViewerWait& wait, std::int64_t nowMs);
    // The innermost wait ended: answers for it not yet given are dropped.
    void WaitEnded();
    // Back to the first line, for a new run from the clock's start.
    void Restart();

private:
    struct Pending {
        std::int64_t timeMs = 0;
        InputEvent event;
        std::int64_t wait = 0;  // the wait an answer is for; 0: a click's release
    };
    struct OpenWait {
        std::int64_t serial = 0;
        std::int64_t sinceMs = 0;
    };

    // When the next line of the file takes effect; empty while that is not yet known.
    std::optional<std::int64_t> NextLineDue() const;
    void FireLine(std::int64_t dueMs, const std::function<void(const InputEvent&)>& apply);
    void AddPending(Pending pending);

    std::vector<InputEvent> lines_;
    std::size_t next_ = 0;
    ViewerAnswers answers_;
    std::vector<Pending> pending_;   // in time order, equal times in the order they were added
    std::vector<OpenWait> waits_;    // innermost last
    std::int64_t waitsStarted_ = 0;
    std::int64_t lastFiredMs_ = 0;   // when the last line took effect
    std::int64_t waitsAtLastFire_ = 0;
};

}  // namespace vekora
