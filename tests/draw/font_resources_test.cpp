// The twelve resident fonts: their names, heights, baselines, ink and the Greek layout.
#include <gtest/gtest.h>

#include <string>

#include "draw/font.h"
#include "draw/math_text.h"

namespace vekora {
namespace {

struct Resident {
    std::string name;
    bool greek;
    std::int32_t height;
};

std::vector<Resident> AllResident() {
    std::vector<Resident> all;
    for (const bool greek : {false, true})
        for (const std::int32_t height : {12, 16, 24, 32, 40, 64})
            all.push_back({(greek ? "greek" : "sans") + std::to_string(height), greek, height});
    return all;
}

bool UnassignedInSymbolEncoding(int code) {
    return code < 32 || (code >= 127 && code <= 160) || code == 240 || code == 255;
}

bool Ink(const std::uint8_t* glyph, std::int32_t x, std::int32_t y) {
    const std::uint8_t* row = glyph + GlyphHeaderBytes + y * GlyphRowBytes(GlyphWidth(glyph));
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// The rows holding ink, top and bottom; {-1, -1} for a blank glyph.
std::pair<std::int32_t, std::int32_t> InkRows(const std::uint8_t* glyph) {
    std::pair<std::int32_t, std::int32_t> rows{-1, -1};
    for (std::int32_t y = 0; y < GlyphHeight(glyph); ++y)
        for (std::int32_t x = 0; x < GlyphWidth(glyph); ++x)
            if (Ink(glyph, x, y)) {
                if (rows.first < 0) rows.first = y;
                rows.second = y;
            }
    return rows;
}

Font LoadResident(const std::string& name) {
    Font font;
    EXPECT_EQ(LoadFontResource(name, font), 0) << name;
    EXPECT_FALSE(font.Empty()) << name;
    return font;
}

TEST(ResidentFonts, EveryGlyphIsTheNominalHeightOrTheEmptyGlyphWhereUnassigned) {
    for (const Resident& r : AllResident()) {
        const Font font = LoadResident(r.name);
        const FontView view = ViewOf(font);
        for (int code = 0; code < 256; ++code) {
            const std::uint8_t* glyph = view.Glyph(static_cast<std::uint8_t>(code));
            ASSERT_NE(glyph, nullptr) << r.name << " code " << code;
            if (r.greek && UnassignedInSymbolEncoding(code)) {
                EXPECT_EQ(GlyphWidth(glyph), 0) << r.name << " code " << code;
                EXPECT_EQ(GlyphHeight(glyph), 0) << r.name << " code " << code;
            } else {
                EXPECT_EQ(GlyphHeight(glyph), r.height) << r.name << " code " << code;
            }
        }
    }
}

// The signs a geometry lesson writes beyond Latin-1 all have a sign pair, and every Greek
// font has ink for each of them: none shows as "?".
TEST(ResidentFonts, TheGreekFontsHoldEveryMathematicalSignOfALesson) {
    std::u32string signs = U"\u03C0\u221A\u2248\u2260\u2264\u2265\u22A5\u2225\u2220\u25B3\u2192";
    for (char32_t c = U'\u03B1'; c <= U'\u03C9'; ++c) signs += c;
    for (char32_t c = U'\u0391'; c <= U'\u03A9'; ++c)
        if (c != U'\u03A2') signs += c;  // no capital final sigma
    for (const Resident& r : AllResident()) {
        if (!r.greek) continue;
        const Font font = LoadResident(r.name);
        const FontView view = ViewOf(font);
        for (const char32_t sign : signs) {
            const std::string bytes = MathSignBytes(sign);
            ASSERT_FALSE(bytes.empty()) << std::hex << static_cast<std::uint32_t>(sign);
            for (std::size_t i = 1; i < bytes.size(); i += 2) {
                const std::uint8_t* glyph = view.Glyph(static_cast<std::uint8_t>(bytes[i]));
                EXPECT_GT(GlyphWidth(glyph), 0) << r.name << " " << std::hex << static_cast<std::uint32_t>(sign);
                EXPECT_GE(InkRows(glyph).first, 0) << r.name << " " << std::hex << static_cast<std::uint32_t>(sign);
            }
        }
    }
}

TEST(ResidentFonts, PrintableCharactersHaveInkAndAnAdvance) {
    for (const Resident& r : AllResident()) {
        const Font font = LoadResident(r.name);
        const FontView view = ViewOf(font);
        for (int code = 33; code < 256; ++code) {
            if (code >= 127 && code <= 160) continue;
            if (r.greek && UnassignedInSymbolEncoding(code)) continue;
            const std::uint8_t* glyph = view.Glyph(static_cast<std::uint8_t>(code));
            if (r.greek && GlyphHeight(glyph) == 0) continue;
            EXPECT_GT(GlyphWidth(glyph), 0) << r.name << " code " << code;
            if (code == 0xAD && !r.greek) continue;  // the soft hyphen may be invisible
            EXPECT_GE(InkRows(glyph).first, 0) << r.name << " code " << code << " has no ink";
        }
        const std::uint8_t* space = view.Glyph(' ');
        EXPECT_GT(GlyphWidth(space), 0) << r.name;
        EXPECT_EQ(InkRows(space).first, -1) << r.name;
    }
}

// Flat-footed letters stand on one baseline, shared by both families of a size; descenders go below
// it and accents above the plain capital, all inside the glyph.
TEST(ResidentFonts, LettersShareOneBaselineWithRoomForAccentsAndDescenders) {
    for (const std::int32_t height : {12, 16, 24, 32, 40, 64}) {
        const Font sansFont = LoadResident("sans" + std::to_string(height));
        const Font greekFont = LoadResident("greek" + std::to_string(height));
        const FontView sans = ViewOf(sansFont);
        const FontView greek = ViewOf(greekFont);
        const std::int32_t baseline = InkRows(sans.Glyph('H')).second;
        for (const char letter : {'A', 'E', 'M', 'x', 'z'})
            EXPECT_EQ(InkRows(sans.Glyph(static_cast<std::uint8_t>(letter))).second, baseline) << height << letter;
        for (const char letter : {'A', 'D', 'G', 'L', 'P'})  // flat feet: Alpha, Delta, Gamma, Lambda, Pi
            EXPECT_EQ(InkRows(greek.Glyph(static_cast<std::uint8_t>(letter))).second, baseline) << height << letter;
        EXPECT_GT(InkRows(sans.Glyph('g')).second, baseline) << height;
        EXPECT_GT(InkRows(greek.Glyph('b')).second, baseline) << height;  // beta descends
        EXPECT_LT(InkRows(sans.Glyph(0xC1)).first, InkRows(sans.Glyph('A')).first) << height;  // A acute
        EXPECT_EQ(InkRows(sans.Glyph(0xC1)).second, baseline) << height;
    }
}

TEST(ResidentFonts, GreekFontsCarryGreekLettersNotLatinOnes) {
    for (const std::int32_t height : {12, 16, 24, 32, 40, 64}) {
        const Font sansFont = LoadResident("sans" + std::to_string(height));
        const Font greekFont = LoadResident("greek" + std::to_string(height));
        const FontView sans = ViewOf(sansFont);
        const FontView greek = ViewOf(greekFont);
        // Capitals that Greek shares with Latin are the same drawing; the others differ.
        EXPECT_EQ(InkRows(greek.Glyph('A')), InkRows(sans.Glyph('A'))) << height;
        for (const char letter : {'a', 'b', 'g', 'd', 'l', 'p', 'q', 'w', 'G', 'D', 'L', 'W'}) {
            const std::uint8_t* latin = sans.Glyph(static_cast<std::uint8_t>(letter));
            const std::uint8_t* other = greek.Glyph(static_cast<std::uint8_t>(letter));
            const std::size_t bytes = GlyphHeaderBytes + GlyphHeight(latin) * GlyphRowBytes(GlyphWidth(latin));
            EXPECT_FALSE(GlyphWidth(latin) == GlyphWidth(other) && std::equal(latin, latin + bytes, other))
                << height << " " << letter;
        }
        // The degree sign sits at 0xB0 in both layouts.
        EXPECT_EQ(InkRows(greek.Glyph(0xB0)), InkRows(sans.Glyph(0xB0))) << height;
    }
}

TEST(ResidentFonts, UnknownNamesAreRefusedAndLeaveTheFontAlone) {
    Font font = LoadResident("sans12");
    const std::vector<std::uint8_t> before = font.data;
    for (const char* name : {"", "sans", "sans13", "Sans12", "greek12 ", "logo16"}) {
        EXPECT_EQ(LoadFontResource(name, font), -1) << name;
        EXPECT_EQ(font.data, before) << name;
    }
}

TEST(ResidentFonts, LoadedOnceInTheirOrder) {
    ResidentFonts resident;
    LoadResidentFonts(resident);
    for (int i = 0; i < ResidentFontCount; ++i) {
        const FontView view = ViewOf(resident.fonts[i]);
        ASSERT_NE(view.Glyph('H'), nullptr) << i;
        EXPECT_EQ(GlyphHeight(view.Glyph('H')), AllResident()[i].height) << i;
    }
    // With the first font present the loading is skipped.
    resident.fonts[5] = Font{};
    LoadResidentFonts(resident);
    EXPECT_TRUE(resident.fonts[5].Empty());
}

}  // namespace
}  // namespace vekora
