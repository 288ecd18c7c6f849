// What a run at a render scale keeps from scale 1: the bar's buttons answer at the same page
// places (events are page units at every scale; drags are played in render_scale_test.cpp),
// and the fonts made for a scale have every glyph exactly that many times as wide and as high
// as its scale-1 glyph, so that text lays out alike.
#include <gtest/gtest.h>

#include <string>

#include "draw/font.h"
#include "resources/embedded.h"
#include "tests/support/script_run_support.h"

namespace vekora::testing {
namespace {

// Four points a second apart (the last at 4000 ms), the run ending at END.
constexpr std::string_view Row =
    "SCREEN 640, 480\nSPEED 1000\n"
    "POINT A, 100, 100\nPOINT B, 200, 100\nPOINT C, 300, 100\nPOINT D, 400, 100\nEND\n";

TEST(ScaledInput, TheBarsButtonsAnswerClicksAtEveryScale) {
    const std::string clicks[] = {
        "1500 click 383 470\n",                                      // Salir
        "1500 click 384 470\n",                                      // beside it: no answer
        "1500 click 100 470\n2500 click 100 470\n",                  // Pausa, then Continuar
        "1500 click 100 470\n2500 click 383 470\n",                  // Pausa, then Salir
        "1500 press 383 470\n1500 release 383 470\n",                // a tap on Salir
    };
    for (const std::string& events : clicks) {
        const ScriptOutcome one = PlayHeadless(Row, events);
        for (const std::int32_t k : {2, 3, 4}) {
            const ScriptOutcome fine = PlayHeadless(Row, events, false, k);
            EXPECT_EQ(fine.result, one.result) << events << " at " << k;
            EXPECT_EQ(fine.ms, one.ms) << events << " at " << k;
        }
    }
}

TEST(ScaledFonts, EveryGlyphIsItsScaleOneGlyphTimesTheScale) {
    for (const std::string_view name : ResidentFontNames) {
        Font base;
        ASSERT_EQ(LoadFontResource(name, base), 0) << name;
        const FontView one = ViewOf(base);
        for (const std::int32_t k : {2, 3, 4}) {
            const Font* scaled = ScaledResidentFont(name, k);
            ASSERT_NE(scaled, nullptr) << name << " at " << k;
            const FontView fine = ViewOf(*scaled);
            for (int code = 0; code < FontGlyphCount; ++code) {
                const std::uint8_t* glyph = one.Glyph(static_cast<std::uint8_t>(code));
                const std::uint8_t* fineGlyph = fine.Glyph(static_cast<std::uint8_t>(code));
                ASSERT_NE(fineGlyph, nullptr) << name << " " << code;
                EXPECT_EQ(GlyphWidth(fineGlyph), k * GlyphWidth(glyph)) << name << " " << code << " at " << k;
                EXPECT_EQ(GlyphHeight(fineGlyph), k * GlyphHeight(glyph)) << name << " " << code << " at " << k;
            }
        }
    }
    EXPECT_EQ(ScaledResidentFont("sans16", 5), nullptr);
    EXPECT_EQ(ScaledResidentFont("", 2), nullptr);
}

// A build without the finer fonts is given them from their files: a font the build lacks is
// added once, under its resident name; one it has, bytes that are no font and a scale with no
// fonts are refused.
TEST(ScaledFonts, AreAddedFromTheirFilesWhereTheBuildLacksThem) {
    const EmbeddedResource* file = FindEmbeddedResource("myFont", "sans16x2");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(ScaledResidentFont("lent16", 2), nullptr);
    const std::uint8_t junk[] = {1, 2, 3};
    EXPECT_FALSE(AddScaledResidentFont("lent16", 2, junk));
    EXPECT_TRUE(AddScaledResidentFont("lent16", 2, file->bytes));
    const Font* added = ScaledResidentFont("lent16", 2);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->resident, "lent16x2");
    EXPECT_EQ(added->data, ScaledResidentFont("sans16", 2)->data);
    EXPECT_FALSE(AddScaledResidentFont("lent16", 2, file->bytes)) << "there already";
    EXPECT_FALSE(AddScaledResidentFont("sans16", 2, file->bytes)) << "the build has it";
    EXPECT_FALSE(AddScaledResidentFont("lent16", 5, file->bytes));
}

}  // namespace
}  // namespace vekora::testing
