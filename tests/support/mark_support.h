// A font whose glyphs can be read back from the pixels, for the mark tests.
#pragma once

#include <string>

#include "tests/support/figure_support.h"
#include "tests/support/font_support.h"

namespace vekora::testing {

constexpr std::int32_t CodeGlyphWidth = 6;
constexpr std::int32_t CodeGlyphHeight = 9;

// Glyphs 6 x 9: the top row and the left column inked, and in column 3 of rows 1 to 8 the
// bits of the character code, lowest first. Codes up to 32 (glyph 0 too) are blank 6 x 9.
inline Font CodeFont() {
    return ParsedFont(BuildFontFile([](int code) {
        GlyphSpec glyph{CodeGlyphWidth, CodeGlyphHeight, {}};
        if (code <= 32) return glyph;
        glyph.rows.assign(CodeGlyphHeight, "#.....");
        glyph.rows[0] = "######";
        for (int bit = 0; bit < 8; ++bit)
            if (code & (1 << bit)) glyph.rows[bit + 1][3] = '#';
        return glyph;
    }));
}

struct ReadLabel {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::string text;
};

// Reads the one label of the colour on the canvas, written in CodeFont.
inline ReadLabel ReadLabelOf(const Canvas& canvas, std::uint32_t colour) {
    const PixelBounds b = BoundsOf(canvas, colour);
    ReadLabel label;
    if (b.right < 0) return label;
    label.left = b.left;
    label.top = b.top;
    for (std::int32_t x = b.left; x + CodeGlyphWidth - 1 <= b.right; x += CodeGlyphWidth) {
        int code = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (canvas.Is(x + 3, b.top + 1 + bit, colour)) code |= 1 << bit;
        label.text += static_cast<char>(code);
    }
    return label;
}

}  // namespace vekora::testing
