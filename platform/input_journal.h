// What a run has read from its device, in the order it read it: every clock read, key, answer
// to "is a key waiting" and mouse poll. A lesson is a function of these reads (drawing reads
// nothing back from the device), so playing it again from its start with the same answers
// brings it to exactly where it stood at any point of the journal: on any device, at any
// render scale, without waiting and without showing a frame.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/mouse_info.h"

namespace vekora {

class InputJournal {
public:
    enum class Read : std::uint8_t { Clock, Key, KeyWaiting, Mouse };

    void RecordClock(double seconds);
    void RecordKey(const std::string& key);
    void RecordKeyWaiting(bool waiting);
    void RecordMouse(const MouseInfo& mouse);

    // Reads recorded; while replaying, the reads given back so far.
    std::uint64_t Position() const { return replaying_ ? read_ : length_; }
    // Keeps the first `reads` reads and gives them back from the first, one by one, in place
    // of the device's; recording resumes once they are used up.
    void ReplayFirst(std::uint64_t reads);
    bool Replaying() const { return replaying_; }
    // The next recorded read when it is of this kind; empty when the replay is over, or when
    // the run asked for something else (it did not go as recorded: what is left is dropped
    // and the device answers from here on).
    std::optional<double> NextClock();
    std::optional<std::string> NextKey();
    std::optional<bool> NextKeyWaiting();
    std::optional<MouseInfo> NextMouse();
    // Forgets everything, for a new run.
    void Clear();

private:
    // One read, or a run of equal ones (a loop polling an idle keyboard).
    struct Entry {
        double clock = 0;
        MouseInfo mouse;
        std::uint32_t repeats = 1;
        std::array<char, 2> key{};  // a key is one byte, or 0xFF and a scan letter
        std::uint8_t keyLength = 0;
        Read kind = Read::Clock;
        bool Same(const Entry& other) const;
    };
    void Record(const Entry& entry);
    const Entry* Next(Read kind);
    void StopReplay();

    std::vector<Entry> entries_;
    std::uint64_t length_ = 0;  // reads recorded: the repeats of every entry
    bool replaying_ = false;
    std::uint64_t read_ = 0;     // reads given back
    std::size_t entry_ = 0;      // the entry the next read comes from
    std::uint32_t usedOfEntry_ = 0;
};

}  // namespace vekora
