// A sheet of the twelve resident fonts drawn by the text routines on a 16-bit page, written
// as text-sheet.png in the test temporary folder to look at; every line's ink is counted
// against the glyphs' set bits, so no glyph is lost, doubled or cut.
#include <gtest/gtest.h>

#include <string>

#include "draw/text.h"
#include "platform/png_writer.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

constexpr std::int32_t PageWidth = 1200;
constexpr std::int32_t PageHeight = 900;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Black = 0x000000;

// The set bits inside the width of every glyph of the text.
std::int64_t InkBits(std::string_view text, const FontView& font) {
    std::int64_t bits = 0;
    for (const char byte : text) {
        const std::uint8_t* glyph = font.Glyph(static_cast<std::uint8_t>(byte));
        const std::int32_t width = GlyphWidth(glyph);
        for (std::int32_t y = 0; y < GlyphHeight(glyph); ++y)
            for (std::int32_t x = 0; x < width; ++x)
                bits += (glyph[GlyphHeaderBytes + y * GlyphRowBytes(width) + (x >> 3)] >> (7 - (x & 7))) & 1;
    }
    return bits;
}

std::int64_t BlackPixels(ImageHandle page, std::int32_t top, std::int32_t height) {
    std::int64_t count = 0;
    for (std::int32_t y = top; y < top + height; ++y)
        for (std::int32_t x = 0; x < PageWidth; ++x) count += PixelValue(page, x, y) == EncodeColour(Black, 2);
    return count;
}

std::string SampleFor(const std::string& name) {
    const bool greek = name.rfind("greek", 0) == 0;
    const bool big = std::stoi(name.substr(greek ? 5 : 4)) >= 32;
    const std::string latin = big ? "\xC1ngulo \xC2" "BC = 45,5\xB0 \xBFQu\xE9? gjpqy"
                                  : "\xC1ngulo \xC2" "BC = 45,5\xB0  \xC5\xC9\xCD\xD3\xDA\xD1\xC7 \xBFQu\xE9? \xA1Ya! "
                                    "gjpqy \xFE\xDF\xE6 \xAB" "12\xBD\xBB 0123456789";
    const std::string symbols = big ? "abgdeqlmpsfw ABGDQLW 90\xB0 \xB1"
                                    : "abgdezhqiklmnxoprstufcyw ABGDQLXPSFYW 90\xB0 \xB1\xB4\xB8\xB9\xA3\xB3 "
                                      "\xD0" "ABC \xB6\xD6\xA5\xC6\xCE\xC7\xC8";
    return name + ": " + (greek ? symbols : latin);
}

TEST(TextSheet, EveryFontDrawsAllItsInk) {
    ImageHandle page = ImageNewOfDepth(PageWidth, PageHeight, 2, White);
    ASSERT_NE(page, nullptr);
    ResidentFonts resident;
    LoadResidentFonts(resident);
    std::int32_t y = 6;
    for (int i = 0; i < ResidentFontCount; ++i) {
        const FontView font = ViewOf(resident.fonts[i]);
        const std::string sample = SampleFor(std::string(ResidentFontNames[i]));
        const std::int32_t height = GlyphHeight(font.Glyph('A'));
        ASSERT_LE(StringWidth(sample, font), PageWidth - 8) << ResidentFontNames[i];
        PrintText(page, sample, font, 8, y, Black, TransparentColour(page));
        EXPECT_EQ(BlackPixels(page, y, height), InkBits(sample, font)) << ResidentFontNames[i];
        y += height + 4;
    }
    // Wrapped paragraphs: a carriage return, breaks at spaces, a cut word.
    const std::string paragraph =
        "Dos rectas que se cortan forman cuatro \xE1ngulos; los opuestos por el v\xE9rtice son iguales.\r"
        "La suma de los \xE1ngulos de un tri\xE1ngulo es 180\xB0. Supercalifragil\xEDsticoespialidoso.";
    LineWrap(page, paragraph, ViewOf(resident.fonts[0]), 8, y + 4, 280, 120, Black, 0xFFF0C0);
    LineWrap(page, paragraph, ViewOf(resident.fonts[1]), 300, y + 4, 360, 120, Black, 0xE0F0FF);
    LineWrap(page, "abgd ABGD qlpw", ViewOf(resident.fonts[7]), 680, y + 4, 120, 120, Black, 0xE0FFE0);

    const std::string path = vekora::testing::TempPath("text-sheet.png");
    EXPECT_EQ(WritePng(page, path), "");
    ImageFree(page);
}

}  // namespace
}  // namespace vekora
