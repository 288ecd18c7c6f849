// The font and text routines of vekora.h as a C caller uses them: fonts filled and freed
// by the library, null arguments, and drawing into a caller's image.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "draw/image.h"
#include "draw/text.h"
#include "vekora.h"

namespace {

TEST(TextApi, ResidentFontsComeAsTheCallersOwnCopy) {
    VekFont font{};
    ASSERT_EQ(VEKD_LOADFONTRESOURCE("sans16", &font), 0);
    ASSERT_NE(font.data, nullptr);
    vekora::Font inside;
    ASSERT_EQ(vekora::LoadFontResource("sans16", inside), 0);
    ASSERT_EQ(static_cast<std::size_t>(font.size), inside.data.size());
    EXPECT_EQ(std::memcmp(font.data, inside.data.data(), inside.data.size()), 0);
    EXPECT_EQ(std::memcmp(font.index, inside.index.data(), sizeof font.index), 0);
    EXPECT_EQ(VEKD_STRINGW("Hola", &font), vekora::StringWidth("Hola", vekora::ViewOf(inside)));

    // An unknown name leaves the font as it was; a missing file empties it.
    EXPECT_EQ(VEKD_LOADFONTRESOURCE("sans17", &font), -1);
    EXPECT_NE(font.data, nullptr);
    EXPECT_EQ(VEKD_LOADFONT("/nonexistent/font.vfn", &font), 0);
    EXPECT_EQ(font.data, nullptr);
    EXPECT_EQ(font.size, 0);
    EXPECT_EQ(VEKD_STRINGW("Hola", &font), 0);
    EXPECT_EQ(VEKD_FREEFONT(&font), 0);
}

TEST(TextApi, NullArgumentsAreHarmless) {
    VekFont font{};
    ASSERT_EQ(VEKD_LOADFONTRESOURCE("greek12", &font), 0);
    EXPECT_EQ(VEKD_LOADFONT(nullptr, nullptr), 0);
    EXPECT_EQ(VEKD_LOADFONTRESOURCE(nullptr, &font), -1);
    EXPECT_EQ(VEKD_LOADFONTRESOURCE("sans12", nullptr), -1);
    EXPECT_EQ(VEKD_STRINGW(nullptr, &font), 0);
    EXPECT_EQ(VEKD_STRINGW("abc", nullptr), 0);
    EXPECT_EQ(VEKD_FREEFONT(nullptr), 0);
    VekImage image = vekora::ImageNewOfDepth(8, 8, 4, vekora::NO_COLOUR);
    EXPECT_EQ(VEKD_PRINT(&image, nullptr, &font, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(VEKD_LINEWRAP(&image, "abc", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(VEKD_PUTBN(&image, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) EXPECT_EQ(vekora::PixelValue(image, x, y) & 0xFFFFFF, vekora::TRANSPARENT);
    vekora::ImageFree(image);
    VEKD_FREEFONT(&font);
    EXPECT_EQ(font.data, nullptr);
}

// What the C routines draw is what the routines inside draw.
TEST(TextApi, DrawsAsTheInternalRoutines) {
    VekFont font{};
    ASSERT_EQ(VEKD_LOADFONTRESOURCE("sans12", &font), 0);
    const vekora::FontView view{font.data, static_cast<std::size_t>(font.size), font.index};
    VekImage viaApi = vekora::ImageNewOfDepth(90, 40, 2, 0xFFFFFF);
    VekImage inside = vekora::ImageNewOfDepth(90, 40, 2, 0xFFFFFF);
    const int32_t x = 3, y = 2, width = 60, height = 36, ink = 0x000080, paper = 0xFFFF00;
    const int32_t transparent = static_cast<int32_t>(vekora::TRANSPARENT);
    VEKD_PRINT(&viaApi, "\xC1ngulo", &font, &x, &y, &ink, &transparent);
    VEKD_LINEWRAP(&viaApi, "uno dos tres cuatro", &font, &x, &height, &width, &height, &ink, &paper);
    const int32_t gx = 70;
    VEKD_PUTBN(&viaApi, font.data + font.index['A' - 1], &gx, &y, &ink, &paper);
    vekora::PrintText(inside, "\xC1ngulo", view, x, y, ink, vekora::TRANSPARENT);
    vekora::LineWrap(inside, "uno dos tres cuatro", view, x, height, width, height, ink, paper);
    vekora::PutGlyph(inside, view.Glyph('A'), gx, y, ink, paper);
    const std::size_t bytes = vekora::ImageHeaderBytes + 90 * 40 * 2;
    EXPECT_EQ(std::memcmp(viaApi, inside, bytes), 0);
    EXPECT_NE(vekora::PixelValue(viaApi, gx, y), vekora::EncodeColour(0xFFFFFF, 2));  // something was drawn
    vekora::ImageFree(viaApi);
    vekora::ImageFree(inside);
    VEKD_FREEFONT(&font);
}

}  // namespace
