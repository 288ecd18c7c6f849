// Event files: the input of a headless run, one event a line.
//
//   <ms> key <KEY>                 one printable character, or Enter, Escape, Backspace, Tab,
//                                  Space, Up, Down, Left, Right, PageUp, PageDown, Home, End,
//                                  Insert, Delete
//   <ms> move <x> <y>
//   <ms> press <x> <y> [BUTTON]    left (default), right, middle; moves there first
//   <ms> release <x> <y> [BUTTON]
//   <ms> click <x> <y> [BUTTON]    a press, and its release 100 ms later
//
// Times are virtual milliseconds since the start, non-decreasing; "#" starts a comment.
// Instead of <ms> a line may start with "+<ms>" (that long after the line before it took
// effect) or with "wait" (when the lesson next waits for its viewer: at a WAIT, a menu, an
// INTERACTION waiting for a drag), so that the file still fits the lesson after an edit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vekora {

struct InputEvent {
    enum class Kind { Key, Move, Press, Release };
    // When it takes effect. Lines timed from a line before them are given their time when
    // that one is known; only those after a "wait" line keep it relative.
    enum class Timing : std::uint8_t {
        At,             // at timeMs
        AfterPrevious,  // timeMs after the line before took effect
        AtWait,         // at the first wait for the viewer that begins after the line before took effect
        AfterPress,     // a click's release: timeMs after its press
    };
    std::int64_t timeMs = 0;
    Kind kind = Kind::Key;
    std::string key;          // Key: the bytes KeyRead returns
    std::int32_t x = 0, y = 0;
    std::int32_t button = 0;  // Press, Release: the button's bit (1 left, 2 right, 4 middle)
    Timing timing = Timing::At;
};

struct EventList {
    // In time order while every time is known; after a "wait" line, in the file's order.
    std::vector<InputEvent> events;
    std::string error;               // "FILE:LINE: what is wrong"; empty when the file was good
};

EventList ParseEvents(std::string_view text, std::string_view fileName);
EventList ReadEventFile(const std::string& path);

}  // namespace vekora
