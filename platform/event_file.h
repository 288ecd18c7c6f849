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
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vekora {

struct InputEvent {
    enum class Kind { Key, Move, Press, Release };
    std::int64_t timeMs = 0;
    Kind kind = Kind::Key;
    std::string key;          // Key: the bytes KeyRead returns
    std::int32_t x = 0, y = 0;
    std::int32_t button = 0;  // Press, Release: the button's bit (1 left, 2 right, 4 middle)
};

struct EventList {
    std::vector<InputEvent> events;  // in time order
    std::string error;               // "FILE:LINE: what is wrong"; empty when the file was good
};

EventList ParseEvents(std::string_view text, std::string_view fileName);
EventList ReadEventFile(const std::string& path);

}  // namespace vekora
