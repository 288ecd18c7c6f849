// The keys a lesson reads that type no character of their own, as KeyRead gives them: control
// bytes, and 0xFF followed by a scan letter for the extended keys. The window device, the event
// file and the browser player (through web/src/generated_tables.js, written by tools/editorgen)
// all take the bytes from here.
#pragma once

#include <cstdint>
#include <string_view>

namespace vekora {

enum class NamedKey : std::uint8_t { Enter, Escape, Backspace, Tab, Space, Up, Down, Left, Right, PageUp, PageDown, Home, End, Insert, Delete };

struct NamedKeyBytes {
    NamedKey key;
    std::string_view name;        // as event files write it
    std::string_view browserKey;  // the browser's KeyboardEvent.key
    std::string_view bytes;       // what KeyRead gives
};

// In the order of NamedKey.
constexpr NamedKeyBytes NamedKeys[] = {
    {NamedKey::Enter, "Enter", "Enter", "\r"},
    {NamedKey::Escape, "Escape", "Escape", "\x1B"},
    {NamedKey::Backspace, "Backspace", "Backspace", "\b"},
    {NamedKey::Tab, "Tab", "Tab", "\t"},
    {NamedKey::Space, "Space", " ", " "},
    {NamedKey::Up, "Up", "ArrowUp", "\xFFH"},
    {NamedKey::Down, "Down", "ArrowDown", "\xFFP"},
    {NamedKey::Left, "Left", "ArrowLeft", "\xFFK"},
    {NamedKey::Right, "Right", "ArrowRight", "\xFFM"},
    {NamedKey::PageUp, "PageUp", "PageUp", "\xFFI"},
    {NamedKey::PageDown, "PageDown", "PageDown", "\xFFQ"},
    {NamedKey::Home, "Home", "Home", "\xFFG"},
    {NamedKey::End, "End", "End", "\xFFO"},
    {NamedKey::Insert, "Insert", "Insert", "\xFFR"},
    {NamedKey::Delete, "Delete", "Delete", "\xFFS"},
};

constexpr std::string_view KeyBytes(NamedKey key) { return NamedKeys[static_cast<std::size_t>(key)].bytes; }

static_assert([] {
    for (std::size_t i = 0; i < std::size(NamedKeys); ++i) {
        if (static_cast<std::size_t>(NamedKeys[i].key) != i) return false;
    }
    return true;
}(), "NamedKeys follows the order of NamedKey");

}  // namespace vekora
