// Marks: where labels go, what they say, angle arcs and right-angle squares.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "draw/marks.h"
#include "draw/text.h"
#include "tests/support/mark_support.h"

namespace vekora {
namespace {

using testing::At;
using testing::BoundsOf;
using testing::Canvas;
using testing::CodeFont;
using testing::Ink;
using testing::PixelBounds;
using testing::ReadLabelOf;
using testing::Through;

constexpr std::uint32_t Other = 0x00AA00;

class Marks : public ::testing::Test {
protected:
    Font font = CodeFont();
    FontView view = ViewOf(font);
};

// The label "AB" is 12 x 9 pixels; its top-left corner is what the flags move.
TEST_F(Marks, PointLabelSitsWhereTheFlagsSay) {
    struct Case {
        std::int32_t flags;
        std::int32_t left, top;
    };
    const Case cases[] = {
        {0, 24, 26},                // centred: 30 - 12 div 2, 30 - 9 div 2
        {LabelAbove | LabelLeft, 15, 18},  // 3 pixels left of and above the point
        {LabelBelow | LabelRight, 33, 33},
        {LabelAbove | LabelBelow, 24, 18},  // above wins over below
        {LabelLeft | LabelRight, 15, 26},   // left wins over right
    };
    for (const Case& c : cases) {
        Canvas canvas(64, 64);
        EXPECT_EQ(MarkPoint(canvas.handle(), At(30, 30, Ink, 0, 1), "AB", view, c.flags), 0);
        const PixelBounds b = BoundsOf(canvas, Ink, {{30, 30}});
        EXPECT_EQ(b, (PixelBounds{c.left, c.top, c.left + 11, c.top + 8})) << "flags " << c.flags;
        EXPECT_TRUE(canvas.Is(30, 30, Ink)) << "the point's marker";
    }
}

TEST_F(Marks, SegmentLabelSitsBesideTheMiddle) {
    struct Case {
        Point p1, p2;
        std::int32_t side;
        std::int32_t left, top;
    };
    const Case cases[] = {
        {At(20, 40), At(40, 40, Other), 0, 24, 26},  // above: 5 + the font height
        {At(20, 40), At(40, 40, Other), 7, 24, 45},  // below
        {At(30, 20), At(30, 60, Other), 1, 34, 40},  // steep: right, 9 div 2 away
        {At(30, 20), At(30, 60, Other), 0, 14, 40},  // steep: left
    };
    for (const Case& c : cases) {
        Canvas canvas(64, 64);
        EXPECT_EQ(MarkLine(canvas.handle(), c.p1, c.p2, "AB", view, c.side), 0);
        const auto label = ReadLabelOf(canvas, Ink);  // p1's colour
        EXPECT_EQ(label.text, "AB");
        EXPECT_EQ(label.left, c.left) << "side " << c.side;
        EXPECT_EQ(label.top, c.top) << "side " << c.side;
    }
}

TEST_F(Marks, MeasuredSegmentsShowTheirLength) {
    struct Case {
        std::int32_t flags, unit;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "L=99"},         // 99.9 rounded down
        {0, 1, "L=99"},
        {0, 10, "L=9.99"},
        {0, 2, "L=49.95"},
        {NegateLength, 0, "L=-100"},  // the floor of -99.9
        {NegateLength, 10, "L=-9.99"},
    };
    for (const Case& c : cases) {
        Canvas canvas(160, 80);
        EXPECT_EQ(MarkAndNumberLine(canvas.handle(), At(10, 40), At(109.9, 40), "L", view, c.flags, c.unit), 0);
        const auto label = ReadLabelOf(canvas, Ink);
        EXPECT_EQ(label.text, c.text);
        // Any flag puts the label below.
        EXPECT_EQ(label.top, c.flags != 0 ? 45 : 26) << c.text;
    }
}

TEST_F(Marks, RightAngleSquareTurnsWithTheFlags) {
    const Line right = Through(20, 20, 5, 0);
    const Line up = Through(20, 20, 0, -3);
    struct Case {
        std::int32_t flags;
        float cornerX, cornerY;
    };
    const Case cases[] = {{0, 30, 10}, {1, 10, 10}, {2, 30, 30}, {3, 10, 30}};
    for (const Case& c : cases) {
        Canvas drawn(40, 40);
        Canvas expected(40, 40);
        EXPECT_EQ(MarkRightAngle(drawn.handle(), right, up, c.flags, 10.0), 0);
        RasterLine(expected.handle(), c.cornerX, 20, c.cornerX, c.cornerY, Ink, LineKind::Line, 0xFFFF);
        RasterLine(expected.handle(), 20, c.cornerY, c.cornerX, c.cornerY, Ink, LineKind::Line, 0xFFFF);
        EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink)) << "flags " << c.flags;
    }
}

TEST_F(Marks, RightAnglesGetTheArcAndASquareOfAQuarterRadius) {
    Canvas drawn(80, 80);
    Canvas expected(80, 80);
    EXPECT_EQ(MarkAngle(drawn.handle(), Through(20, 60, 1, 0), Through(20, 60, 0, -1), "", view, 0, 40.0), 0);
    RasterEllipse(expected.handle(), 20, 60, 40, Ink, 1.0f, 0.0f, static_cast<float>(Pi / 2), 0);
    RasterLine(expected.handle(), 30, 60, 30, 50, Ink, LineKind::Line, 0xFFFF);
    RasterLine(expected.handle(), 20, 50, 30, 50, Ink, LineKind::Line, 0xFFFF);
    EXPECT_EQ(drawn.Picture(Ink), expected.Picture(Ink));
}

// An angle mark on a 300 x 300 canvas about its centre with a radius of 220: the arc lies
// wholly outside, so only the label shows.
testing::ReadLabel AngleLabel(const FontView& font, const Line& l1, const Line& l2, std::int32_t variant) {
    Canvas canvas(300, 300);
    EXPECT_EQ(MarkAndNumberAngle(canvas.handle(), l1, l2, "a", font, variant, 220.0), 0);
    return ReadLabelOf(canvas, Ink);
}

Line Towards(double degrees) {
    const double a = degrees * Pi / 180.0;
    return Through(150, 150, 100 * std::cos(a), -100 * std::sin(a));
}

TEST_F(Marks, AngleMeasureIsTheWholeDegreesWithTheDegreeSign) {
    EXPECT_EQ(AngleLabel(view, Towards(90), Towards(120 + 1e-7), 0).text, "a=30\xB0");
    EXPECT_EQ(AngleLabel(view, Towards(90), Towards(120 - 1e-7), 0).text, "a=29\xB0");
}

TEST_F(Marks, VariantsChooseOneOfTheFourAngles) {
    struct Case {
        double first, second;
        std::int32_t variant;
        const char* text;
    };
    const Case cases[] = {
        {0, 100.5, 0, "a=100\xB0"}, {0, 100.5, 1, "a=79\xB0"}, {0, 100.5, 2, "a=100\xB0"},
        {0, 100.5, 3, "a=79\xB0"},  {0, 250.5, 0, "a=70\xB0"},  // the smaller angle, through line2's other ray
        {0, 250.5, 4, "a=250\xB0"},  // as given
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AngleLabel(view, Towards(c.first), Towards(c.second), c.variant).text, c.text)
            << c.second << " variant " << c.variant;
    }
}

TEST_F(Marks, AngleLabelSitsInsideTheAngle) {
    // 0 to 91 degrees: the label's middle lies 0.65 of the radius out along 45.5 degrees.
    const auto label = AngleLabel(view, Towards(0), Towards(91), 0);
    const double mid = 45.5 * Pi / 180.0;
    const std::int32_t w = 5 * testing::CodeGlyphWidth;  // "a=90°"
    EXPECT_EQ(label.text, "a=91\xB0");
    EXPECT_EQ(label.left, std::lround(150 + std::cos(mid) * 220 * 0.65 - w / 2));
    EXPECT_EQ(label.top, std::lround(150 - std::sin(mid) * 220 * 0.65 - 9 / 2));
}

TEST_F(Marks, PointVariantsMarkTheAngleAtTheMiddlePoint) {
    Canvas drawn(300, 300);
    EXPECT_EQ(MarkAndNumberAnglePt(drawn.handle(), At(200, 150), At(150, 150), At(150, 60), "b", view, 220.0), 0);
    // A right angle: the label and the square of side 55 in the vertex's colour.
    EXPECT_TRUE(drawn.Is(205, 150 - 55, Ink));
    EXPECT_TRUE(drawn.Is(150 + 55, 120, Ink));
    Canvas same(300, 300);
    EXPECT_EQ(MarkAnglePt(same.handle(), At(150, 150), At(150, 150), At(150, 60), "", view, 30.0), 0);
    EXPECT_GT(same.Count(Ink), 0);
}

// Points take the height of glyph 0, angles that of '!', each as its low byte only.
TEST(MarkFontHeight, PointsUseGlyphZeroAndAnglesTheExclamationMark) {
    const Font font = testing::ParsedFont(testing::BuildFontFile([](int code) {
        testing::GlyphSpec glyph{0, 0, {}};
        if (code == 0) glyph.height = 256 + 20;
        if (code == '!') glyph.height = 256 + 30;
        if (code == 'A') glyph = {6, 9, std::vector<std::string>(9, "######")};
        return glyph;
    }));
    Canvas point(80, 80);
    EXPECT_EQ(MarkPoint(point.handle(), At(40, 40), "A", ViewOf(font), 0), 0);
    EXPECT_EQ(BoundsOf(point, Ink, {{40, 40}}), (PixelBounds{37, 30, 42, 38}));  // 40 - 20 div 2
    Canvas angle(300, 300);
    EXPECT_EQ(MarkAngle(angle.handle(), Towards(0), Towards(80), "A", ViewOf(font), 0, 220.0), 0);
    const double mid = 40.0 * Pi / 180.0;
    const auto left = static_cast<std::int32_t>(std::lround(150 + std::cos(mid) * 220 * 0.65 - 3));
    const auto top = static_cast<std::int32_t>(std::lround(150 - std::sin(mid) * 220 * 0.65 - 15));
    EXPECT_EQ(BoundsOf(angle, Ink), (PixelBounds{left, top, left + 5, top + 8}));
}

TEST_F(Marks, UndefinedFiguresDrawNothing) {
    Canvas canvas(40, 40);
    const Point u = UndefinedPoint();
    const Line l = Through(20, 20, 1, 0);
    EXPECT_EQ(MarkPoint(canvas.handle(), u, "A", view, 0), UNDEFINED_CODE);
    EXPECT_EQ(MarkLine(canvas.handle(), At(1, 1), u, "A", view, 0), UNDEFINED_CODE);
    EXPECT_EQ(MarkAndNumberLine(canvas.handle(), u, At(1, 1), "A", view, 0, 0), UNDEFINED_CODE);
    EXPECT_EQ(MarkRightAngle(canvas.handle(), l, UndefinedLine(), 0, 5.0), UNDEFINED_CODE);
    EXPECT_EQ(MarkRightAnglePt(canvas.handle(), At(1, 1), At(5, 5), u, 0, 5.0), UNDEFINED_CODE);
    EXPECT_EQ(MarkAngle(canvas.handle(), UndefinedLine(), l, "A", view, 0, 9.0), UNDEFINED_CODE);
    EXPECT_EQ(MarkAnglePt(canvas.handle(), u, At(5, 5), At(1, 1), "A", view, 9.0), UNDEFINED_CODE);
    EXPECT_EQ(MarkAndNumberAngle(canvas.handle(), l, UndefinedLine(), "A", view, 0, 9.0), UNDEFINED_CODE);
    EXPECT_EQ(MarkAndNumberAnglePt(canvas.handle(), At(1, 1), u, At(5, 5), "A", view, 9.0), UNDEFINED_CODE);
    EXPECT_EQ(canvas.Count(Ink), 0);
}

TEST_F(Marks, ParallelLinesAndEmptyFontsDoNotFault) {
    Canvas canvas(40, 40);
    // Parallel lines meet in the far point; the mark lies far away and the call still ends.
    EXPECT_EQ(MarkAndNumberAngle(canvas.handle(), Through(5, 5, 1, 0), Through(5, 9, 2, 0), "A", view, 0, 9.0), 0);
    EXPECT_EQ(MarkRightAngle(canvas.handle(), Through(5, 5, 1, 0), Through(5, 9, 2, 0), 0, 9.0), 0);
    const Font empty;
    EXPECT_EQ(MarkPoint(canvas.handle(), At(20, 20), "A", ViewOf(empty), 0), 0);
}

}  // namespace
}  // namespace vekora
