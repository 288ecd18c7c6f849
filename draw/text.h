// Text with bitmap fonts: one glyph, a string on one line, a string's width, and text
// wrapped into a box. Text is bytes (Latin-1); every byte is a character code, except in
// mathematical text drawn with a font that has a sign family (draw/math_text.h).
#pragma once

#include <cstdint>
#include <string_view>

#include "draw/font.h"
#include "draw/image.h"

namespace vekora {

// VEKD_PUTBN: one glyph with its top-left corner at (x, y); set bits in the foreground,
// clear bits in the background, which leaves the target unchanged when it is the target's
// transparent colour. A target of 3 bytes a pixel, or an empty glyph, draws nothing.
void PutGlyph(ImageHandle target, const std::uint8_t* glyph, std::int32_t x, std::int32_t y,
              std::uint32_t foreground, std::uint32_t background);

// VEKD_PRINT: every byte's glyph in turn from (x, y), each advanced by its width; no
// kerning and no line breaks (a carriage return is drawn as its glyph).
void PrintText(ImageHandle target, std::string_view text, const FontView& font, std::int32_t x,
               std::int32_t y, std::uint32_t foreground, std::uint32_t background);

// VEKD_STRINGW: the sum of the widths of the text's glyphs (saturated at INT32_MAX).
std::int32_t StringWidth(std::string_view text, const FontView& font);

// Scans one line of wrapped text starting at byte `pos` (which is neither measured nor
// tested) and moves pos to the start of the next line. Returns 0 at the end of the text
// (pos = length), 13 after a carriage return, the byte (<= 32) where the line breaks when
// the line grew wider than maxW, or -1 when a word had to be cut (pos = the overflowing
// byte's index - 1).
std::int32_t NextBreak(std::string_view text, std::int64_t& pos, std::int64_t maxW, const FontView& font);

// VEKD_LINEWRAP: the text wrapped into the box (x, y, width, height), the box filled with
// the background first unless that is the target's transparent colour. Lines are as high
// as glyph 0; the first line is always drawn, lines that would pass the box's bottom are
// not. Ends once a line makes no progress through the text, which with a line height of 0
// (fonts whose glyph 0 is empty) or a box narrower than one character would otherwise
// repeat the same empty line for ever.
void LineWrap(ImageHandle target, std::string_view text, const FontView& font, std::int32_t x, std::int32_t y,
              std::int32_t width, std::int32_t height, std::uint32_t foreground, std::uint32_t background);

// What LineWrap leaves out of the text in a box of width x height: the text after the last
// line it draws, without the blanks that begin it; empty when all of it shows, and when the
// box is lower than one line (then no line shows whole, and nothing can be named).
std::string_view TextNotShown(std::string_view text, const FontView& font, std::int32_t width, std::int32_t height);

}  // namespace vekora
