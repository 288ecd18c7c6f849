// Pop-up menus: the menu box in the top-left corner of the screen that VEKS_MENU shows, the
// decoding of input codes it shares with the control bar, and the MENU statements that show
// it and jump to the chosen MENUITEM.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "draw/font.h"
#include "draw/image.h"
#include "interp/run_context.h"
#include "platform/key_table.h"

namespace vekora {

constexpr std::int32_t MenuRowHeight = 20;
constexpr std::int32_t MenuTextInsetX = 4;
constexpr std::int32_t MenuTextInsetY = 2;
// A MENU may hold this many MENUITEMs less one: reaching it is error 33.
constexpr std::int32_t MenuEntryLimit = 127;

// The run-time errors of a MENU statement.
enum MenuError : std::int32_t {
    MenuErrorNoEnd = 32,         // no ENDMENU or REPEATMENU before the last row
    MenuErrorTooManyItems = 33,  // 127 MENUITEMs or more
    MenuErrorItemCount = 129,    // not as many MENUITEMs as compiled into the MENU row
};

// An input code taken apart. A key gives its text (its byte, or 0xFF and the scan letter of
// an extended key), no buttons and x = y = -1; a click gives no text, its position and buttons.
struct DecodedInput {
    std::string key;
    std::int32_t x = -1;
    std::int32_t y = -1;
    std::int32_t buttons = 0;  // bit 0 left, bit 1 right, bit 2 middle
};
DecodedInput DecodeInput(std::int32_t inputCode);

// The key texts the menu and the control bar react to.
inline constexpr std::string_view KeyEnter = "\r";
inline constexpr std::string_view KeyEscape = "\x1B";
inline constexpr std::string_view KeyUp = "\xFFH";
inline constexpr std::string_view KeyDown = "\xFFP";
inline constexpr std::string_view KeyPageUp = "\xFFI";
inline constexpr std::string_view KeyPageDown = KeyBytes(NamedKey::PageDown);
inline constexpr std::string_view KeyRight = KeyBytes(NamedKey::Right);
inline constexpr std::string_view KeyLeft = KeyBytes(NamedKey::Left);
inline constexpr std::string_view KeyBackspace = KeyBytes(NamedKey::Backspace);

// A raised frame around the box (left, top)-(right, bottom): top and left edges in face +
// 0x303030, right and bottom edges in face - 0x303030, the offset taken on the whole colour
// word as one integer (so channels may carry into their neighbours, as they always have).
void DrawRaisedFrame(ImageHandle target, std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom, std::uint32_t face);

// VEKS_MENU: shows the items in the top-left corner of the screen in `font` and the menu
// colours of `settings`, lets the viewer choose with Up, Down and Enter or a click, puts the
// screen back as it was and returns the chosen index, or -1 for Escape or a click outside
// the box. Returns -1 at once when there is nothing to choose from or no screen to show on.
std::int32_t ShowMenu(const Stage& stage, std::span<const std::string> items, const FontView& font);

// MENU (act.row is its row): collects the MENUITEMs up to its ENDMENU or REPEATMENU, shows
// them and jumps to the chosen item's row, or to the row in word 3 when none was chosen. A
// malformed menu ends the activation with its MenuError. Colours in words 1 and 2 become the
// selected-text and selected-background settings for the rest of the run.
StepResult RunMenuStatement(RunContext& run, Activation& act, const FontView& font);

// The jump of MENUITEM, EXITMENU, ENDMENU and REPEATMENU (and of a MENU's choice): the
// engine goes on after `targetRow`; at or past the last row the activation ends with 0.
StepResult MenuJump(Activation& act, std::int32_t targetRow);

}  // namespace vekora
