// Constructions played SLOW, run through or cut short by a key at any stage: the result is
// always drawn, no instrument stays on the page, and a key skips the films and pauses after it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/active_device.h"
#include "construct/constructions.h"
#include "draw/figures.h"
#include "tests/support/film_support.h"
#include "platform/input.h"

namespace vekora::testing {
namespace {

constexpr std::uint32_t Result = 0xF80000;
constexpr std::uint32_t Pencil = 0x800080;
constexpr std::uint32_t Compass = 0x00F800;
constexpr std::uint32_t Square = 0x0000F8;
constexpr std::int32_t StepMs = 1000;

Point Pt(double x, double y) { return Point{x, y, 0x404040, 4, 0}; }
Line Ln(double x0, double y0, double dx, double dy) { return Line{x0, y0, dx, dy, Result, -1, 1}; }
const StyleWords Own{-1, static_cast<std::int32_t>(Result), 1};

// A construction on the stage's page; draws into `expected` the result it must leave and
// returns the construction's input code.
struct SlowCase {
    std::string name;
    std::function<std::int32_t(Stage&, ImageHandle expected)> run;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const SlowCase& c, std::ostream* out) { *out << c.name; }

std::vector<SlowCase> Cases() {
    const auto whole = [](ImageHandle expected, const Shown<Line>& made) {
        DrawLine(expected, made.figure);
        return made.input;
    };
    return {
        {"midline", [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKEMIDLINE(c, ModeSlow, Pt(60, 60), Pt(130, 100), Own)); }},
        {"bisector",
         [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKEBISECTOR(c, ModeSlow, Ln(20, 130, 100, 0), Ln(20, 130, 60, -80), Own)); }},
        {"bisector of parallel lines",
         [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKEBISECTOR(c, ModeSlow, Ln(20, 130, 100, 0), Ln(20, 90, 50, 0), Own)); }},
        {"bisector of opposite lines",
         [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKEBISECTOR(c, ModeSlow, Ln(20, 130, 100, 0), Ln(20, 90, -50, 0), Own)); }},
        {"perpendicular", [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKELINEPOLAR(c, ModeSlow, Pt(90, 40), Ln(10, 130, 100, 0), 90 * 256, Own)); }},
        {"perpendicular to a line without direction",
         [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKELINEPOLAR(c, ModeSlow, Pt(90, 40), Ln(10, 130, 0, 0), 90 * 256, Own)); }},
        {"parallel", [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKELINEPOLAR(c, ModeSlow, Pt(90, 60), Ln(10, 130, 100, 0), 0, Own)); }},
        {"protractor", [=](Stage& c, ImageHandle e) { return whole(e, VEKS_MAKELINEPOLAR(c, ModeSlow, Pt(90, 130), Ln(10, 130, 100, 0), 30 * 256, Own)); }},
        {"touching circle",
         [=](Stage& c, ImageHandle e) {
             const Shown<Circle> made =
                 VEKS_MAKECIRCLETANGENT(c, ModeSlow, Pt(100, 60), Ln(10, 130, 100, 0), {static_cast<std::int32_t>(Result), 1}, {});
             DrawCircle(e, made.figure);
             return made.input;
         }},
        {"tangent at a point of the circle",
         [=](Stage& c, ImageHandle e) {
             Line second{};
             const std::int32_t input =
                 VEKS_MAKETANGENT(c, ModeSlow, Pt(150, 75), Circle{100, 75, 50, 0, 0, Result, 1}, second, Own).input;
             DrawLine(e, second);
             return input;
         }},
        {"tangents from outside",
         [=](Stage& c, ImageHandle e) {
             Line second{};
             const Shown<Line> first = VEKS_MAKETANGENT(c, ModeSlow, Pt(20, 20), Circle{120, 90, 40, 0, 0, Result, 1}, second, Own);
             for (const Line& t : {first.figure, second})
                 DrawLineP(e, Pt(t.x0, t.y0), Pt(t.x0 + t.dx, t.y0 + t.dy), t);
             return first.input;
         }},
    };
}

// Whether every pixel of the result in `expected` shows the result on the page.
bool HoldsResult(ImageHandle page, ImageHandle expected) {
    const std::uint32_t result = EncodeColour(Result, 2);
    for (std::int32_t y = 0; y < PageHeight; ++y)
        for (std::int32_t x = 0; x < PageWidth; ++x)
            if (PixelValue(expected, x, y) == result && PixelValue(page, x, y) != result) return false;
    return true;
}

std::int32_t CountOf(ImageHandle page, std::uint32_t colour) {
    std::int32_t n = 0;
    for (std::int32_t y = 0; y < PageHeight; ++y)
        for (std::int32_t x = 0; x < PageWidth; ++x) n += PixelValue(page, x, y) == EncodeColour(colour, 2) ? 1 : 0;
    return n;
}

class SlowConstruction : public ::testing::TestWithParam<std::tuple<SlowCase, std::int64_t>> {};

TEST_P(SlowConstruction, DrawsItsResultAndLeavesNoInstrument) {
    const SlowCase& c = std::get<0>(GetParam());
    const std::int64_t keyMs = std::get<1>(GetParam());
    FilmStage stage(keyMs > 0 ? std::vector<InputEvent>{KeyAt(keyMs, 'k')} : std::vector<InputEvent>{});
    stage.settings.stepMs = StepMs;
    stage.settings.constructionColour = static_cast<std::int32_t>(Result);
    stage.settings.instruments.pencilColour = static_cast<std::int32_t>(Pencil);
    stage.settings.instruments.compassColour = static_cast<std::int32_t>(Compass);
    stage.settings.instruments.squareColour = static_cast<std::int32_t>(Square);
    stage.settings.instruments.protractorColour = static_cast<std::int32_t>(Compass);
    stage.settings.instruments.rulerColour = static_cast<std::int32_t>(Square);
    OwnedImage expected;
    const std::int32_t event = c.run(stage.film(), expected.image);

    EXPECT_TRUE(HoldsResult(stage.page.image, expected.image));
    EXPECT_GT(CountOf(expected.image, Result), 50);
    for (const std::uint32_t tool : {Pencil, Compass, Square}) EXPECT_EQ(CountOf(stage.page.image, tool), 0) << tool;
    const double seconds = stage.device.ClockSeconds();
    if (keyMs == 0) {
        EXPECT_EQ(event, 0);
        EXPECT_GE(seconds, StepMs / 1000.0) << "a pause at least";
    } else if (keyMs < seconds * 1000) {
        EXPECT_EQ(event, KeyCodeBit | 'k');
        // The touching circle's compasses still draw after its square was stopped.
        EXPECT_LT(seconds, (keyMs + StepMs + 100) / 1000.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Constructions, SlowConstruction,
                         ::testing::Combine(::testing::ValuesIn(Cases()), ::testing::Values(0, 100, 1500, 4500)),
                         [](const auto& info) {
                             std::string name;
                             for (char ch : std::get<0>(info.param).name)
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name + "_key_" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace vekora::testing
