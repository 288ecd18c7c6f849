// The journal of a run's reads and their replay.
#include "platform/input_journal.h"

#include <algorithm>

namespace vekora {

bool InputJournal::Entry::Same(const Entry& other) const {
    if (kind != other.kind) return false;
    switch (kind) {
        case Read::Clock: return false;  // the clock moves: every read is its own
        case Read::Key: return keyLength == other.keyLength && key == other.key;
        case Read::KeyWaiting: return keyLength == other.keyLength;
        case Read::Mouse:
            return mouse.x == other.mouse.x && mouse.y == other.mouse.y && mouse.wheel == other.mouse.wheel &&
                   mouse.buttons == other.mouse.buttons;
    }
    return false;
}

void InputJournal::Record(const Entry& entry) {
    if (!entries_.empty() && entries_.back().Same(entry)) {
        ++entries_.back().repeats;
    } else {
        entries_.push_back(entry);
    }
    ++length_;
}

void InputJournal::RecordClock(double seconds) {
    Entry entry;
    entry.kind = Read::Clock;
    entry.clock = seconds;
    Record(entry);
}

void InputJournal::RecordKey(const std::string& key) {
    Entry entry;
    entry.kind = Read::Key;
    // Keys are at most two bytes (0xFF and a scan letter); anything longer is cut as the
    // lesson would cut it, which reads only those two.
    entry.keyLength = static_cast<std::uint8_t>(std::min<std::size_t>(key.size(), entry.key.size()));
    std::copy_n(key.begin(), entry.keyLength, entry.key.begin());
    Record(entry);
}

void InputJournal::RecordKeyWaiting(bool waiting) {
    Entry entry;
    entry.kind = Read::KeyWaiting;
    entry.keyLength = waiting ? 1 : 0;
    Record(entry);
}

void InputJournal::RecordMouse(const MouseInfo& mouse) {
    Entry entry;
    entry.kind = Read::Mouse;
    entry.mouse = mouse;
    Record(entry);
}

void InputJournal::ReplayFirst(std::uint64_t reads) {
    // Drops the reads after the first `reads`, splitting a run of equal ones where it falls.
    while (length_ > reads && !entries_.empty()) {
        Entry& last = entries_.back();
        const std::uint64_t drop = std::min<std::uint64_t>(last.repeats, length_ - reads);
        last.repeats -= static_cast<std::uint32_t>(drop);
        length_ -= drop;
        if (last.repeats == 0) entries_.pop_back();
    }
    read_ = 0;
    entry_ = 0;
    usedOfEntry_ = 0;
    replaying_ = length_ > 0;
}

void InputJournal::StopReplay() {
    // What was not given back is not what happened in this run any more.
    ReplayFirst(read_);
    replaying_ = false;
}

const InputJournal::Entry* InputJournal::Next(Read kind) {
    if (!replaying_) return nullptr;
    const Entry& entry = entries_[entry_];
    if (entry.kind != kind) {
        StopReplay();
        return nullptr;
    }
    ++read_;
    if (++usedOfEntry_ == entry.repeats) {
        ++entry_;
        usedOfEntry_ = 0;
    }
    if (read_ == length_) replaying_ = false;
    return &entry;
}

std::optional<double> InputJournal::NextClock() {
    const Entry* entry = Next(Read::Clock);
    if (entry == nullptr) return std::nullopt;
    return entry->clock;
}

std::optional<std::string> InputJournal::NextKey() {
    const Entry* entry = Next(Read::Key);
    if (entry == nullptr) return std::nullopt;
    return std::string(entry->key.data(), entry->keyLength);
}

std::optional<bool> InputJournal::NextKeyWaiting() {
    const Entry* entry = Next(Read::KeyWaiting);
    if (entry == nullptr) return std::nullopt;
    return entry->keyLength != 0;
}

std::optional<MouseInfo> InputJournal::NextMouse() {
    const Entry* entry = Next(Read::Mouse);
    if (entry == nullptr) return std::nullopt;
    return entry->mouse;
}

void InputJournal::Clear() {
    entries_.clear();
    length_ = 0;
    replaying_ = false;
    read_ = 0;
    entry_ = 0;
    usedOfEntry_ = 0;
}

}  // namespace vekora
