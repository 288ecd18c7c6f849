// The five instruments at exact pixels on small images.
#include <gtest/gtest.h>

#include <cmath>

#include "anim/instruments.h"
#include "tests/support/film_support.h"
#include "geom/kernel.h"

namespace vekora::testing {
namespace {

constexpr std::uint32_t Ink = 0x123456;

class Sheet {
public:
    Sheet(std::int32_t width, std::int32_t height) : image_(width, height) {}
    ImageHandle handle() const { return image_.image; }
    bool Inked(std::int32_t x, std::int32_t y) const { return PixelValue(image_.image, x, y) == EncodeColour(Ink, 2); }
    // Inked pixels inside the box [x0, x1] x [y0, y1].
    std::int32_t CountIn(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) const {
        std::int32_t n = 0;
        for (std::int32_t y = y0; y <= y1; ++y)
            for (std::int32_t x = x0; x <= x1; ++x) n += Inked(x, y) ? 1 : 0;
        return n;
    }
    std::int32_t CountAll() const { return CountIn(0, 0, SurfaceInfo(handle()).width - 1, SurfaceInfo(handle()).height - 1); }
    // The lowest inked row, -1 when nothing is inked.
    std::int32_t LowestRow() const {
        for (std::int32_t y = SurfaceInfo(handle()).height - 1; y >= 0; --y)
            if (CountIn(0, y, SurfaceInfo(handle()).width - 1, y) > 0) return y;
        return -1;
    }

private:
    OwnedImage image_;
};

Point At(double x, double y) { return Point{x, y, 0, 0, 0}; }
Line Through(double x, double y, double dx, double dy) { return Line{x, y, dx, dy, 0, -1, 1}; }

// Lines along the axes through (30, 30): line1 points right, line2 down.
struct SquareCase {
    std::int32_t flags;
    int right;  // +1: the square lies right of the corner, -1: left
    int down;   // +1: below it, -1: above
};

class SetSquare : public ::testing::TestWithParam<SquareCase> {};

TEST_P(SetSquare, LiesInTheQuadrantItsFlagsChoose) {
    const SquareCase c = GetParam();
    Sheet sheet(61, 61);
    ASSERT_EQ(DrawSquareTool(sheet.handle(), Through(30, 30, 50, 0), Through(30, 30, 0, 7), c.flags, 20.0, Ink), 0);
    // The right angle 2 pixels off both lines, the legs reaching 22 pixels out.
    EXPECT_TRUE(sheet.Inked(30 + 2 * c.right, 30 + 2 * c.down));
    EXPECT_TRUE(sheet.Inked(30 + 22 * c.right, 30 + 2 * c.down));
    EXPECT_TRUE(sheet.Inked(30 + 2 * c.right, 30 + 22 * c.down));
    EXPECT_FALSE(sheet.Inked(30 + 23 * c.right, 30 + 2 * c.down));
    // The hole: its corner 0.16 * 20 + 2 = 5.2 pixels off both lines, a gap before it.
    const std::int32_t row = 30 + 10 * c.down;
    EXPECT_TRUE(sheet.Inked(30 + 5 * c.right, row) || sheet.Inked(30 + 6 * c.right, row));
    EXPECT_FALSE(sheet.Inked(30 + 3 * c.right, row) || sheet.Inked(30 + 4 * c.right, row));
    // Nothing on the lines themselves or in the other quadrants.
    EXPECT_EQ(sheet.CountIn(0, 30, 60, 30) + sheet.CountIn(30, 0, 30, 60), 0);
    const std::int32_t x0 = c.right > 0 ? 31 : 0, y0 = c.down > 0 ? 31 : 0;
    EXPECT_EQ(sheet.CountIn(x0, y0, x0 + 29, y0 + 29), sheet.CountAll());
}

INSTANTIATE_TEST_SUITE_P(Instruments, SetSquare,
                         ::testing::Values(SquareCase{0, 1, 1}, SquareCase{ReverseFirstLeg, -1, 1},
                                           SquareCase{ReverseSecondLeg, 1, -1},
                                           SquareCase{ReverseFirstLeg | ReverseSecondLeg, -1, -1}));

TEST(SetSquareFailures, ParallelLinesDrawNothingAndUndefinedLinesAreRefused) {
    Sheet sheet(61, 61);
    EXPECT_EQ(DrawSquareTool(sheet.handle(), Through(30, 30, 50, 0), Through(10, 40, -3, 0), 0, 20.0, Ink), 0);
    EXPECT_EQ(DrawSquareTool(sheet.handle(), Through(30, 30, 50, 0), Through(10, 40, 0, 0), 0, 20.0, Ink),
              UNDEFINED_CODE);
    EXPECT_EQ(DrawSquareTool(sheet.handle(), UndefinedLine(), Through(10, 40, 0, 1), 0, 20.0, Ink), UNDEFINED_CODE);
    EXPECT_EQ(sheet.CountAll(), 0);
}

// A ruler along (5, 5)-(100, 5), 20 wide: its working edge on row 7, its body below.
TEST(Ruler, TicksAreLongEveryTenthAndMiddlingEveryFifth) {
    Sheet sheet(130, 40);
    ASSERT_EQ(DrawRulerTool(sheet.handle(), At(5, 5), At(100, 5), 0, 20.0, Ink, 10), 0);
    // floor(95 / 10 + 0.5) = 10: ticks k = 0 ... 10 at x = 5 + 10k.
    for (int k = 0; k <= 10; ++k) {
        const std::int32_t length = k % 10 == 0 ? 10 : k % 10 == 5 ? 7 : 4;
        const std::int32_t x = 5 + 10 * k;
        EXPECT_EQ(sheet.CountIn(x, 8, x, 26), length) << "tick " << k;
    }
    EXPECT_EQ(sheet.CountIn(115, 8, 115, 26), 0) << "no tick beyond the segment";
    EXPECT_EQ(sheet.CountIn(10, 8, 10, 26), 0) << "no tick between ticks";
    // The outline: 20 longer at both ends, the far edge on row 27.
    EXPECT_TRUE(sheet.Inked(120, 7) && sheet.Inked(120, 27) && !sheet.Inked(121, 7));
    EXPECT_EQ(sheet.CountIn(0, 0, 129, 6), 0) << "nothing on the segment's side";
}

TEST(Ruler, SideTurnsTheBodyOverAndNoSpacingDrawsNoTicks) {
    Sheet sheet(130, 40);
    ASSERT_EQ(DrawRulerTool(sheet.handle(), At(25, 30), At(100, 30), 1, 20.0, Ink, 0), 0);
    EXPECT_TRUE(sheet.Inked(50, 28) && sheet.Inked(50, 8));
    EXPECT_EQ(sheet.CountIn(0, 9, 129, 27), 2 * 19) << "only the two ends cross the body";
    EXPECT_TRUE(sheet.Inked(5, 20) && sheet.Inked(120, 20));
    EXPECT_EQ(DrawRulerTool(sheet.handle(), At(5, 30), At(5, 30), 0, 20.0, Ink, 10), -1);
}

TEST(Ruler, ReachingToTheFarPointCostsOnlyWhatItShows) {
    Sheet sheet(130, 40);
    ASSERT_EQ(DrawRulerTool(sheet.handle(), At(5, 5), At(1e280, 5), 0, 20.0, Ink, 1), 0);
    EXPECT_EQ(sheet.CountIn(5, 8, 129, 8), 125) << "a tick in every column";
}

// Compasses from (20, 20) to (40, 20): the hinge over the midpoint, on the right of the way
// from pivot to tip, which for a pivot on the left is below.
TEST(Compasses, HingeLiesToTheRightOfPivotToTip) {
    Sheet below(61, 61), above(61, 61);
    ASSERT_EQ(DrawCompassTool(below.handle(), At(20, 20), At(40, 20), 20.0, Ink), 0);
    ASSERT_EQ(DrawCompassTool(above.handle(), At(40, 40), At(20, 40), 20.0, Ink), 0);
    EXPECT_EQ(below.CountIn(0, 0, 60, 19), 0);
    EXPECT_GT(below.CountIn(28, 36, 32, 40), 0) << "hinge at height sqrt(20^2 - 10^2) = 17.3";
    EXPECT_EQ(above.CountIn(0, 41, 60, 60), 0);
    EXPECT_GT(above.CountIn(28, 20, 32, 24), 0);
}

TEST(Compasses, ShortLegsOpenToJustOverHalfTheDistance) {
    Sheet shortLegs(61, 61), exact(61, 61), longer(61, 61);
    DrawCompassTool(shortLegs.handle(), At(20, 20), At(40, 20), 1.0, Ink);
    DrawCompassTool(exact.handle(), At(20, 20), At(40, 20), 11.0, Ink);
    DrawCompassTool(longer.handle(), At(20, 20), At(40, 20), 12.0, Ink);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x) ASSERT_EQ(shortLegs.Inked(x, y), exact.Inked(x, y)) << x << "," << y;
    // The hinge 4.58 below the segment, the handle 1.1 further.
    EXPECT_EQ(exact.LowestRow(), 26);
    EXPECT_GT(longer.LowestRow(), exact.LowestRow());
}

TEST(Compasses, TheLeadIsTheOnePixelSegmentToTheTip) {
    Sheet sheet(61, 61);
    // Leg 100 keeps the hinge far below; the lead runs 10 pixels from the tip towards it.
    DrawCompassTool(sheet.handle(), At(20, 10), At(40, 10), 100.0, Ink);
    EXPECT_TRUE(sheet.Inked(40, 10));
    EXPECT_EQ(sheet.CountIn(37, 10, 39, 13), 0) << "nothing beside the lead";
}

TEST(Compasses, RefuseToCloseBelowHalfAPixel) {
    Sheet sheet(20, 20);
    EXPECT_EQ(DrawCompassTool(sheet.handle(), At(5, 5), At(5.3, 5.3), 20.0, Ink), -1);
    EXPECT_EQ(DrawCompassTool(sheet.handle(), UndefinedPoint(), At(5, 5), 20.0, Ink), UNDEFINED_CODE);
    EXPECT_EQ(sheet.CountAll(), 0);
}

// A protractor of diameter 160 about (100, 100): radius 80, strip 26.7 high, inner arc 53.3.
TEST(Protractor, StripBelowARightwardBaseAndAboveWhenFlipped) {
    Sheet plain(201, 201), flipped(201, 201);
    const Line base = Through(0, 100, 10, 0);
    ASSERT_EQ(DrawProtractorTool(plain.handle(), At(100, 100), base, 0, 160.0, Ink), 0);
    ASSERT_EQ(DrawProtractorTool(flipped.handle(), At(100, 100), base, 1, 160.0, Ink), 0);
    // The strip's far edge 26.67 from the diameter, its ends at the rim, the arc's top 80 away.
    EXPECT_GT(plain.CountIn(100, 126, 100, 127), 0);
    EXPECT_TRUE(plain.Inked(20, 110) && plain.Inked(100, 20));
    EXPECT_EQ(plain.CountIn(0, 128, 200, 200), 0);
    EXPECT_GT(flipped.CountIn(100, 73, 100, 74), 0);
    EXPECT_TRUE(flipped.Inked(20, 90) && flipped.CountIn(100, 179, 100, 180) > 0);
    EXPECT_EQ(flipped.CountIn(0, 0, 200, 72), 0);
}

TEST(Protractor, HasNineteenTicksFromZeroToHalfATurn) {
    Sheet sheet(201, 201);
    DrawProtractorTool(sheet.handle(), At(100, 100), Through(0, 100, 10, 0), 0, 160.0, Ink);
    // Walk the half circle of radius 74 (between 0.85 R and R) and count the ticks crossed.
    int ticks = 0;
    bool onTick = false;
    for (double a = -0.05; a <= Pi + 0.05; a += 0.002) {
        const bool inked = sheet.Inked(static_cast<int>(std::lround(100 + 74 * std::cos(a))),
                                       static_cast<int>(std::lround(100 - 74 * std::sin(a))));
        if (inked && !onTick) ++ticks;
        onTick = inked;
    }
    EXPECT_EQ(ticks, 19);
}

TEST(Pencil, BodyAndConeFollowTheAxis) {
    Sheet sheet(121, 101);
    ASSERT_EQ(DrawPencilTool(sheet.handle(), At(10, 50), 0.0, 100.0, Ink), 0);
    // The cone from the tip to x = 35, the body from there to 110, 5 pixels each side.
    EXPECT_TRUE(sheet.Inked(10, 50) && sheet.Inked(70, 50) && sheet.Inked(70, 45) && sheet.Inked(70, 55));
    EXPECT_FALSE(sheet.Inked(70, 47) || sheet.Inked(70, 53) || sheet.Inked(20, 50));
    EXPECT_TRUE(sheet.Inked(110, 48) && !sheet.Inked(112, 50));
    EXPECT_EQ(sheet.CountIn(0, 0, 9, 100), 0);

    Sheet upright(101, 121);
    DrawPencilTool(upright.handle(), At(50, 110), Pi / 2, 100.0, Ink);
    EXPECT_TRUE(upright.Inked(50, 110) && upright.Inked(50, 50) && upright.Inked(45, 50) && upright.Inked(55, 50));
    EXPECT_EQ(upright.CountIn(0, 111, 100, 120), 0);
}

}  // namespace
}  // namespace vekora::testing
