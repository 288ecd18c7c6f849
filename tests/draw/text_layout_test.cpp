// Measuring text and finding line breaks, with fonts whose widths are known.
#include <gtest/gtest.h>

#include <string>

#include "draw/text.h"
#include "tests/support/font_support.h"

namespace vekora {
namespace {

using testing::BuildFontFile;
using testing::GlyphSpec;
using testing::ParsedFont;

// Code c is (c % 7) pixels wide, so every sum names the characters in it.
Font WidthIsCodeModSeven() {
    return ParsedFont(BuildFontFile([](int code) { return GlyphSpec{code % 7, 1, {}}; }));
}

TEST(StringWidth, SumsTheWidthsOfEveryByte) {
    const Font font = WidthIsCodeModSeven();
    const FontView view = ViewOf(font);
    EXPECT_EQ(StringWidth("", view), 0);
    EXPECT_EQ(StringWidth("A", view), 'A' % 7);
    EXPECT_EQ(StringWidth("AB\r", view), 'A' % 7 + 'B' % 7 + 13 % 7);
    EXPECT_EQ(StringWidth(std::string("\0\xB0\xFF", 3), view), 0 + 0xB0 % 7 + 0xFF % 7);
    EXPECT_EQ(StringWidth("anything", FontView{}), 0);
}

TEST(StringWidth, ResidentFontsMeasureAsTheirGlyphs) {
    Font font;
    ASSERT_EQ(LoadFontResource("sans16", font), 0);
    const FontView view = ViewOf(font);
    std::int32_t expected = 0;
    for (const unsigned char c : std::string("\xC1ngulo 45\xB0")) expected += GlyphWidth(view.Glyph(c));
    EXPECT_EQ(StringWidth("\xC1ngulo 45\xB0", view), expected);
    EXPECT_GT(expected, 0);
}

// Every glyph 2 pixels wide; cases follow the break rules line by line.
struct BreakCase {
    const char* what;
    std::string text;
    std::int64_t pos;
    std::int64_t maxW;
    std::int32_t result;
    std::int64_t nextPos;
};

TEST(NextBreak, FindsTheEndOfEachLine) {
    const Font font = testing::BlockFont(2, 2);
    const std::vector<BreakCase> cases = {
        {"empty text", "", 0, 10, 0, 0},
        {"one byte", "a", 0, 10, 0, 1},
        {"all fits", "abc de", 0, 100, 0, 6},
        {"the first byte is not measured", "abc", 0, 4, 0, 3},
        {"break at the last space before the overflow", "ab cd", 0, 6, ' ', 3},
        {"break at a tab", "ab\tcd", 0, 6, '\t', 3},
        {"carriage return ends the line", "ab\rcd", 0, 100, 13, 3},
        {"carriage return at the line start is not tested", "\rab", 0, 100, 0, 3},
        {"word cut: two bytes before the overflow", "abcdefgh", 0, 6, -1, 3},
        {"a space at the line start is no break", " abcdef", 0, 6, -1, 3},
        {"scan from a later start", "ab cd ef", 3, 4, ' ', 6},
        {"box narrower than a character", "abc", 0, 1, -1, 0},
    };
    for (const BreakCase& c : cases) {
        std::int64_t pos = c.pos;
        EXPECT_EQ(NextBreak(c.text, pos, c.maxW, ViewOf(font)), c.result) << c.what;
        EXPECT_EQ(pos, c.nextPos) << c.what;
    }
}

}  // namespace
}  // namespace vekora
