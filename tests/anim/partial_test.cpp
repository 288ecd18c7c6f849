// Single frames of growing segments and arcs: how far they reach, the hurried short arc, and
// the step counter they advance.
#include <gtest/gtest.h>

#include "anim/animated_arc.h"
#include "anim/animated_line.h"
#include "draw/figures.h"
#include "tests/support/film_support.h"

namespace vekora::testing {
namespace {

constexpr std::uint32_t Ink = 0x123456;
const Line Look{0, 0, 0, 0, Ink, -1, 1};

Point At(double x, double y) { return Point{x, y, 0, 0, 0}; }

bool Inked(ImageHandle image, std::int32_t x, std::int32_t y) {
    return PixelValue(image, x, y) == EncodeColour(Ink, 2);
}

TEST(PartialLine, ReachesItsShareOfTheSegment) {
    OwnedImage page(101, 21);
    std::int32_t step = 10;
    ASSERT_EQ(PartialLine(page.image, At(0, 10), At(100, 10), Look, step, 20, 0.0, 0), 0);
    EXPECT_EQ(step, 11);
    EXPECT_TRUE(Inked(page.image, 0, 10) && Inked(page.image, 50, 10));
    EXPECT_FALSE(Inked(page.image, 51, 10));
}

TEST(PartialLine, BeyondTheLastStepDrawsNothing) {
    OwnedImage page(101, 21), blank(101, 21);
    std::int32_t step = 21;
    EXPECT_EQ(PartialLine(page.image, At(0, 10), At(100, 10), Look, step, 20, 40.0, ShowTool | Ink), -1);
    EXPECT_EQ(step, 21);
    EXPECT_TRUE(SamePixels(page.image, blank.image));
    EXPECT_EQ(PartialLine(page.image, UndefinedPoint(), At(100, 10), Look, step, 20, 40.0, 0), UNDEFINED_CODE);
}

TEST(PartialLine, TheLastStepIsTheWholeSegmentEvenWithoutLength) {
    for (const Point end : {At(97.3, 13.9), At(3, 3)}) {
        OwnedImage page(101, 21), expected(101, 21);
        DrawLineP(expected.image, At(3, 3), end, Look);
        std::int32_t step = 0;
        EXPECT_EQ(PartialLine(page.image, At(3, 3), end, Look, step, 0, 0.0, 0), 0);
        EXPECT_TRUE(SamePixels(page.image, expected.image));
    }
}

// An arc of 0.1 radian in 20 steps: step 1 becomes 3, step 4 becomes 13, step 14 becomes 47.
TEST(PartialArc, ShortArcsAreHurried) {
    const Circle arc{50, 50, 40, 0.5, 0.6, Ink, 1};
    const double span = arc.end - arc.start;
    std::int32_t step = 1;
    for (const std::int32_t shown : {3, 13}) {
        OwnedImage page(101, 101), expected(101, 101);
        DrawCircle(expected.image, Circle{50, 50, 40, arc.start, arc.start + span * shown / 20, Ink, 1});
        ASSERT_EQ(PartialArc(page.image, arc, step, 20, 0.0, 0), 0);
        EXPECT_EQ(step, shown + 1);
        EXPECT_TRUE(SamePixels(page.image, expected.image)) << shown << "/20";
    }
    OwnedImage page(101, 101), blank(101, 101);
    EXPECT_EQ(PartialArc(page.image, arc, step, 20, 0.0, 0), -1);
    EXPECT_EQ(step, 47);
    EXPECT_TRUE(SamePixels(page.image, blank.image));
}

TEST(PartialArc, AFullCircleGrowsFromAngleZero) {
    OwnedImage page(101, 101), expected(101, 101);
    DrawCircle(expected.image, Circle{50, 50, 40, 0.0, TwoPi / 4, Ink, 1});
    std::int32_t step = 5;
    ASSERT_EQ(PartialArc(page.image, Circle{50, 50, 40, 0, 0, Ink, 1}, step, 20, 0.0, 0), 0);
    EXPECT_TRUE(SamePixels(page.image, expected.image));
}

TEST(PartialArc, TinySpansEndWithoutOverflowingTheStep) {
    OwnedImage page(101, 101);
    std::int32_t step = 1;
    EXPECT_EQ(PartialArc(page.image, Circle{50, 50, 40, 1.0, 1.0 + 1e-12, Ink, 1}, step, 20, 0.0, 0), -1);
    EXPECT_GT(step, 20);
}

}  // namespace
}  // namespace vekora::testing
