// A sheet of every construction as a teacher would build it, paced so that the aids stay on the
// page, written as construction-sheet.png in the test temporary folder to look at; with spot
// checks of what a viewer would see.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/construct_support.h"
#include "geom/kernel.h"
#include "platform/png_writer.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

using namespace vekora::testing;

constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Red = 0xC02020;
constexpr std::uint32_t Blue = 0x2040C0;
constexpr std::uint32_t Green = 0x208040;
constexpr std::uint32_t Purple = 0x8020A0;
constexpr std::uint32_t Teal = 0x008080;

StyleWords Ink(std::uint32_t colour, std::int32_t thickness = 1) { return {-1, Word(colour), thickness}; }

// A triangle and its circumcircle about the crossing of two midlines.
void Circumcircle(StagedCall& call, const Point& a, const Point& b, const Point& c) {
    VEKS_MAKELINE(call.stage, call.mode, a, b, Ink(Black, 2));
    VEKS_MAKELINE(call.stage, call.mode, b, c, Ink(Black, 2));
    VEKS_MAKELINE(call.stage, call.mode, c, a, Ink(Black, 2));
    const Line m1 = VEKS_MAKEMIDLINE(call.stage, call.mode, a, b, Ink(Red)).figure;
    const Line m2 = VEKS_MAKEMIDLINE(call.stage, call.mode, b, c, Ink(Red)).figure;
    VEKS_MAKECIRCLEP(call.stage, call.mode, VEK_LINECROSS(m1, m2), a, {Word(Blue), 2}, {});
}

void BuildSheet(StagedCall& call) {
    Circumcircle(call, Pt(70, 330), Pt(300, 350), Pt(170, 150));
    // The bisector of an angle, with the arc that marks it.
    const Line l1 = VEKS_MAKELINE(call.stage, call.mode, Pt(360, 400), Pt(620, 400), Ink(Black)).figure;
    const Line l2 = VEKS_MAKELINE(call.stage, call.mode, Pt(360, 400), Pt(520, 230), Ink(Black)).figure;
    VEKS_MAKEBISECTOR(call.stage, call.mode, l1, l2, Ink(Green, 2));
    VEKS_MAKEARCLINES(call.stage, call.mode, l1, l2, 40 * 65536, {Word(Green), 1});
    // Tangents from a point, and the tangent at a point of the circle.
    const Circle c = VEKS_MAKECIRCLEP(call.stage, call.mode, Pt(560, 110), Pt(600, 110), {Word(Black), 1}, {}).figure;
    Line second{};
    VEKS_MAKETANGENT(call.stage, call.mode, Pt(420, 60), c, second, Ink(Purple));
    VEKS_MAKETANGENT(call.stage, call.mode, Pt(560, 150), c, second, Ink(Red));
    // A circle touching a line, a start line, a perpendicular and an arc.
    const Line floor = VEKS_MAKELINE(call.stage, call.mode, Pt(20, 420), Pt(300, 420), Ink(Black)).figure;
    VEKS_MAKECIRCLETANGENT(call.stage, call.mode, Pt(250, 395), floor, {Word(Teal), 1}, {});
    Point end{};
    VEKS_MAKESTARTLINE(call.stage, call.mode, Pt(20, 120), end, 30 * 256, 110 * 65536, Ink(Black, 2));
    const Line base = VEKS_MAKELINE(call.stage, call.mode, Pt(200, 40), Pt(380, 40), Ink(Black)).figure;
    VEKS_MAKELINEPOLAR(call.stage, call.mode, Pt(300, 40), base, 90 * 256, Ink(Teal));
    VEKS_MAKEARC(call.stage, call.mode, Pt(40, 40), Pt(110, 40), {Word(Red), 2}, 60 * 256);
}

TEST(ConstructionSheet, ShowsEveryConstructionWithItsAids) {
    ConstructionStage stage({}, 640, 440, 0, 0);
    stage.settings.stepMs = 1;
    stage.settings.constructionColour = 0xA0A0A0;
    StagedCall call = stage.Call(ModePace);
    BuildSheet(call);
    const std::string path = vekora::testing::TempPath("construction-sheet.png");
    EXPECT_EQ(WritePng(stage.page(), path), "");
    // The circumcircle, about the crossing of the midlines, passes the three vertices.
    for (const Point& v : {Pt(70, 330), Pt(300, 350), Pt(170, 150)}) EXPECT_TRUE(ColourNear(stage.page(), Blue, v.x, v.y, 2));
    EXPECT_GT(CountColour(stage.page(), 0xA0A0A0), 100);  // compass arcs and the Thales circle
    EXPECT_GT(CountColour(stage.page(), Purple), 200);
    EXPECT_GT(CountColour(stage.page(), Green), 200);
}

}  // namespace
}  // namespace vekora
