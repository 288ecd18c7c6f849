// Glyphs, strings and wrapped text drawn on tiny images, checked pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw/text.h"
#include "tests/support/font_support.h"

namespace vekora {
namespace {

using testing::BlockFont;
using testing::BuildFontFile;
using testing::GlyphSpec;
using testing::ParsedFont;

constexpr std::uint32_t Ink = 0x123456;
constexpr std::uint32_t Paper = 0x00C000;

// An image of the given depth, freed at the end of the test.
struct TestImage {
    ImageHandle image;
    TestImage(std::int32_t width, std::int32_t height, std::int32_t depth = 4, std::uint32_t colour = NO_COLOUR)
        : image(ImageNewOfDepth(width, height, depth, colour)) {}
    ~TestImage() { ImageFree(image); }
    TestImage(const TestImage&) = delete;
    TestImage& operator=(const TestImage&) = delete;
};

// The image as text: '#' the ink colour, 'o' the paper colour, '.' untouched (transparent).
std::vector<std::string> Picture(ImageHandle image) {
    const SurfaceSize size = SurfaceInfo(image);
    const std::uint32_t ink = EncodeColour(Ink, size.bytesPerPixel) & 0xFFFFFF;
    const std::uint32_t paper = EncodeColour(Paper, size.bytesPerPixel) & 0xFFFFFF;
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < size.height; ++y) {
        std::string row;
        for (std::int32_t x = 0; x < size.width; ++x) {
            const std::uint32_t value = PixelValue(image, x, y) & 0xFFFFFF;
            row += value == ink ? '#' : value == paper ? 'o' : value == (TRANSPARENT & 0xFFFFFF) ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// A glyph 10 pixels wide: two bytes a row, with stray bits beyond the width.
const std::vector<std::uint8_t> WideGlyphFont = BuildFontFile([](int code) {
    if (code != 'W') return GlyphSpec{0, 3, {}};
    return GlyphSpec{10, 3, {"#.........######", ".#......#.######", "##########"}};
});

TEST(PutGlyph, SetBitsAreInkAndBitsBeyondTheWidthAreIgnored) {
    const Font font = ParsedFont(WideGlyphFont);
    TestImage target(12, 5);
    PutGlyph(target.image, ViewOf(font).Glyph('W'), 1, 1, Ink, TransparentColour(target.image));
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{
                                         "............",
                                         ".#..........",
                                         "..#......#..",
                                         ".##########.",
                                         "............",
                                     }));
    PutGlyph(target.image, ViewOf(font).Glyph('W'), 1, 1, Ink, Paper);
    EXPECT_EQ(Picture(target.image)[1], ".#ooooooooo.");
}

TEST(PutGlyph, ClippedAtTheEdgesOfTheTarget) {
    const Font font = ParsedFont(WideGlyphFont);
    TestImage target(4, 2);
    PutGlyph(target.image, ViewOf(font).Glyph('W'), -7, -1, Ink, Paper);
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{"o#o.", "###."}));
    PutGlyph(target.image, ViewOf(font).Glyph('W'), 100, -100, Ink, Paper);  // wholly outside
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{"o#o.", "###."}));
}

// The colours reach each depth as its pixels: 5:6:5, the low byte, or the value with its alpha.
TEST(PutGlyph, ColoursAsPixelsOfEachDepth) {
    const Font font = ParsedFont(BuildFontFile([](int) { return GlyphSpec{2, 1, {"#."}}; }));
    struct Case {
        std::int32_t depth;
        std::uint32_t foreground, background;
        std::uint32_t inkPixel, paperPixel;
    };
    const Case cases[] = {
        {2, 0xFFFFFF, 0x0000FF, 0xFFFF, 0x001F},
        {2, 0x808080, 0xFF00FF, 0x8410, 0x00FF00},  // background transparent: target kept
        {1, 0x1234AB, 0x000007, 0xAB, 0x07},
        {1, 0x000001, 0x000000, 0x01, 0x33},  // 0 is the 8-bit transparent colour
        {4, 0x80FF0000, 0x01020304, 0x80FF0000, 0x01020304},
    };
    for (const Case& c : cases) {
        const std::uint32_t keep = c.depth == 1 ? 0x33 : 0x00FF00;
        TestImage target(2, 1, c.depth, keep);
        PutGlyph(target.image, ViewOf(font).Glyph('x'), 0, 0, c.foreground, c.background);
        EXPECT_EQ(PixelValue(target.image, 0, 0), c.inkPixel) << c.depth << " " << c.foreground;
        const std::uint32_t paper = c.paperPixel == 0x00FF00 ? EncodeColour(keep, c.depth) : c.paperPixel;
        EXPECT_EQ(PixelValue(target.image, 1, 0), paper) << c.depth << " " << c.background;
    }
}

TEST(PutGlyph, EmptyGlyphsAndUnknownDepthsDrawNothing) {
    const Font font = ParsedFont(BuildFontFile([](int code) {
        return code == 'e' ? GlyphSpec{0, 0, {}} : code == 'z' ? GlyphSpec{0, 4, {}} : GlyphSpec{1, 1, {"#"}};
    }));
    TestImage target(3, 3);
    for (const char code : {'e', 'z'}) PutGlyph(target.image, ViewOf(font).Glyph(code), 0, 0, Ink, Paper);
    PutGlyph(target.image, nullptr, 0, 0, Ink, Paper);
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{"...", "...", "..."}));
    // An image of 3 bytes a pixel gets no glyph.
    std::vector<std::uint8_t> odd = {(2 << 3) | 3, 0, 1, 0, 9, 9, 9, 9, 9, 9};
    const std::vector<std::uint8_t> before = odd;
    PutGlyph(odd.data(), ViewOf(font).Glyph('a'), 0, 0, Ink, Paper);
    EXPECT_EQ(odd, before);
}

// 'a' "#." / "##", 'b' "#.#" / ".#.", carriage return "#" / "#"; every other code zero wide.
Font PrintFont() {
    return ParsedFont(BuildFontFile([](int code) {
        switch (code) {
            case 'a': return GlyphSpec{2, 2, {"#.", "##"}};
            case 'b': return GlyphSpec{3, 2, {"#.#", ".#."}};
            case '\r': return GlyphSpec{1, 2, {"#", "#"}};
            default: return GlyphSpec{0, 2, {}};
        }
    }));
}

TEST(PrintText, EveryByteIsItsGlyphAdvancedByItsWidth) {
    const Font font = PrintFont();
    TestImage target(10, 2);
    PrintText(target.image, "ab\ra", ViewOf(font), 1, 0, Ink, TRANSPARENT);
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{".#.#.###..", ".##.#.###."}));
    TestImage untouched(4, 2);
    PrintText(untouched.image, "", ViewOf(font), 0, 0, Ink, Paper);
    PrintText(untouched.image, "abab", FontView{}, 0, 0, Ink, Paper);
    EXPECT_EQ(Picture(untouched.image), (std::vector<std::string>{"....", "...."}));
}

// Wrapped text with glyphs 2 x 2 (solid, the space blank): lines are 2 pixels high and
// break once wider than the box width less 1.
struct WrapCase {
    const char* what;
    std::string text;
    std::int32_t width, height;
    std::vector<std::string> picture;
};

TEST(LineWrap, BreaksAtSpacesAndCarriageReturnsAndCutsLongWords) {
    const Font font = BlockFont(2, 2);
    const std::vector<WrapCase> cases = {
        {"break at a space", "ab cd", 7, 6, {"####....", "####....", "####....", "####....", "........", "........"}},
        {"carriage return", "a\rbc", 20, 6, {"##......", "##......", "####....", "####....", "........", "........"}},
        {"word cut on every line", "abcdefgh", 7, 6,
         {"######..", "######..", "######..", "######..", "####....", "####...."}},
        {"lines past the bottom are not drawn", "abcdefgh", 7, 4,
         {"######..", "######..", "######..", "######..", "........", "........"}},
        {"the first line is always drawn", "ab cd", 7, 1,
         {"####....", "####....", "........", "........", "........", "........"}},
        {"box narrower than a character", "abc", 1, 6,
         {"........", "........", "........", "........", "........", "........"}},
    };
    for (const WrapCase& c : cases) {
        TestImage target(8, 6);
        LineWrap(target.image, c.text, ViewOf(font), 0, 0, c.width, c.height, Ink, TransparentColour(target.image));
        EXPECT_EQ(Picture(target.image), c.picture) << c.what;
    }
}

TEST(LineWrap, FillsTheBoxWithAnOpaqueBackground) {
    const Font font = BlockFont(2, 2);
    TestImage target(8, 5);
    LineWrap(target.image, "a b", ViewOf(font), 1, 1, 6, 3, Ink, Paper);
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{
                                         "........",
                                         ".##oo##.",
                                         ".##oo##.",
                                         ".oooooo.",
                                         "........",
                                     }));
    // A box without width or height is not filled.
    TestImage empty(4, 3);
    LineWrap(empty.image, "", ViewOf(font), 1, 1, 0, 2, Ink, Paper);
    LineWrap(empty.image, "", ViewOf(font), 1, 1, 2, 0, Ink, Paper);
    LineWrap(empty.image, "", ViewOf(font), 1, 1, -2, 2, Ink, Paper);
    EXPECT_EQ(Picture(empty.image), (std::vector<std::string>{"....", "....", "...."}));
}

// With glyph 0 empty the lines have no height: they are drawn over each other, and the
// wrapping still ends, however narrow the box.
TEST(LineWrap, EndsWhenLinesHaveNoHeight) {
    const Font flat = ParsedFont(BuildFontFile([](int code) {
        if (code == 0) return GlyphSpec{0, 0, {}};
        return GlyphSpec{2, 2, {"##", "##"}};
    }));
    TestImage target(8, 3);
    LineWrap(target.image, "abcdefgh", ViewOf(flat), 0, 0, 5, 3, Ink, TransparentColour(target.image));
    EXPECT_EQ(Picture(target.image), (std::vector<std::string>{"####....", "####....", "........"}));
    LineWrap(target.image, "abcdefgh", ViewOf(flat), 0, 0, 1, 3, Ink, TransparentColour(target.image));

    Font greek;
    ASSERT_EQ(LoadFontResource("greek16", greek), 0);
    TestImage page(64, 32);
    for (const std::int32_t width : {-5, 0, 1, 8, 64})
        LineWrap(page.image, std::string(500, 'a') + " bc\rd", ViewOf(greek), 0, 0, width, 32, Ink, Paper);
    EXPECT_EQ(Picture(page.image)[31][63], 'o');
}

}  // namespace
}  // namespace vekora
