// Scripted input on a virtual clock: the order and the time each event takes effect.
#include "platform/event_schedule.h"

#include <algorithm>
#include <utility>

namespace vekora {

EventSchedule::EventSchedule(std::vector<InputEvent> events, ViewerAnswers answers)
    : lines_(std::move(events)), answers_(std::move(answers)) {}

std::optional<std::int64_t> EventSchedule::NextLineDue() const {
    if (next_ >= lines_.size()) return std::nullopt;
    const InputEvent& line = lines_[next_];
    switch (line.timing) {
        case InputEvent::Timing::At:
            return line.timeMs;
        case InputEvent::Timing::AfterPrevious:
        case InputEvent::Timing::AfterPress:
            return lastFiredMs_ + line.timeMs;
        case InputEvent::Timing::AtWait:
            // The wait must have begun after the line before took effect.
            if (waits_.empty() || waits_.back().serial <= waitsAtLastFire_) return std::nullopt;
            return waits_.back().sinceMs;
    }
    return std::nullopt;
}

void EventSchedule::FireLine(std::int64_t dueMs, const std::function<void(const InputEvent&)>& apply) {
    // A line whose time passed while the one before it waited for a wait takes effect after it.
    lastFiredMs_ = std::max(lastFiredMs_, dueMs);
    waitsAtLastFire_ = waitsStarted_;
    apply(lines_[next_++]);
    // A click's release follows its press whatever lines come between.
    while (next_ < lines_.size() && lines_[next_].timing == InputEvent::Timing::AfterPress) {
        AddPending({lastFiredMs_ + lines_[next_].timeMs, lines_[next_], 0});
        ++next_;
    }
}

void EventSchedule::AddPending(Pending pending) {
    const auto at = std::upper_bound(pending_.begin(), pending_.end(), pending.timeMs,
                                     [](std::int64_t time, const Pending& p) { return time < p.timeMs; });
    pending_.insert(at, std::move(pending));
}

void EventSchedule::Deliver(std::int64_t nowMs, const std::function<void(const InputEvent&)>& apply) {
    for (;;) {
        const std::optional<std::int64_t> lineDue = NextLineDue();
        const bool pendingDue = !pending_.empty() && pending_.front().timeMs <= nowMs;
        // At equal times what was scheduled before (a click's release) goes first, as it did
        // when a file's events were sorted by time.
        if (lineDue && *lineDue <= nowMs && (!pendingDue || *lineDue < pending_.front().timeMs)) {
            FireLine(*lineDue, apply);
        } else if (pendingDue) {
            const Pending due = std::move(pending_.front());
            pending_.erase(pending_.begin());
            apply(due.event);
        } else {
            return;
        }
    }
}

void EventSchedule::WaitStarted(const ViewerWait& wait, std::int64_t nowMs) {
    waits_.push_back({++waitsStarted_, nowMs});
    InputEvent key;
    key.kind = InputEvent::Kind::Key;
    for (std::string& typed : answers_.KeysFor(wait)) {
        key.key = std::move(typed);
        AddPending({nowMs + answers_.DelayMs(), key, waitsStarted_});
    }
}

void EventSchedule::WaitEnded() {
    if (waits_.empty()) return;
    const std::int64_t serial = waits_.back().serial;
    waits_.pop_back();
    std::erase_if(pending_, [serial](const Pending& p) { return p.wait == serial; });
}

void EventSchedule::Restart() {
    next_ = 0;
    pending_.clear();
    waits_.clear();
    waitsStarted_ = 0;
    lastFiredMs_ = 0;
    waitsAtLastFire_ = 0;
    answers_.Restart();
}

}  // namespace vekora
