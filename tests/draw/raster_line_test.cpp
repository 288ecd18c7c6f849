// Lines and boxes: end points, style masks, clipping and absurd coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tests/support/raster_support.h"

namespace vekora {
namespace {

using testing::Canvas;
using testing::Ink;
using Rows = std::vector<std::string>;

void Line(const Canvas& canvas, float x1, float y1, float x2, float y2, std::uint16_t mask = 0xFFFF) {
    RasterLine(canvas.handle(), x1, y1, x2, y2, Ink, LineKind::Line, mask);
}

TEST(RasterLine, BothEndsAreDrawnInEveryDirection) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-0.4f, 15.4f);
    for (int i = 0; i < 1000; ++i) {
        Canvas canvas(16, 16);
        const float x1 = coordinate(random), y1 = coordinate(random);
        const float x2 = coordinate(random), y2 = coordinate(random);
        Line(canvas, x1, y1, x2, y2);
        const auto px = [](float v) { return static_cast<std::int32_t>(std::floor(v + 0.5f)); };
        ASSERT_TRUE(canvas.Is(px(x1), px(y1), Ink)) << x1 << "," << y1 << " to " << x2 << "," << y2;
        ASSERT_TRUE(canvas.Is(px(x2), px(y2), Ink)) << x1 << "," << y1 << " to " << x2 << "," << y2;
        // One pixel a step along the major axis: a connected line without doubled pixels.
        const std::int32_t steps = std::max(std::abs(px(x2) - px(x1)), std::abs(px(y2) - px(y1)));
        ASSERT_EQ(canvas.Count(Ink), steps + 1);
    }
}

TEST(RasterLine, ClippingAtAnyEdgeKeepsExactlyTheVisiblePixels) {
    // A line drawn on a 16 x 16 target is the 16 x 16 middle of the same line drawn, shifted,
    // on a 48 x 48 target that holds all of it; the dash pattern included.
    std::mt19937 random(9);
    std::uniform_real_distribution<float> coordinate(-16, 32);
    for (int i = 0; i < 500; ++i) {
        const float x1 = coordinate(random), y1 = coordinate(random), x2 = coordinate(random), y2 = coordinate(random);
        Canvas small(16, 16), large(48, 48);
        Line(small, x1, y1, x2, y2, 0xE6D9);
        Line(large, x1 + 16, y1 + 16, x2 + 16, y2 + 16, 0xE6D9);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(small.Is(x, y, Ink), large.Is(x + 16, y + 16, Ink))
                    << x1 << "," << y1 << " to " << x2 << "," << y2 << " at " << x << "," << y;
            }
        }
    }
}

TEST(RasterLine, ShallowLineRoundsItsRows) {
    Canvas canvas(8, 3);
    Line(canvas, 0, 0, 7, 2);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{"##......", "..####..", "......##"}));
}

TEST(RasterLine, MaskRunsOneBitAPixelAlongADiagonal) {
    Canvas canvas(20, 20);
    Line(canvas, 0, 0, 19, 19, 0xC3A5);  // 1100 0011 1010 0101
    const std::string bits = "1100001110100101";
    for (int i = 0; i < 20; ++i) EXPECT_EQ(canvas.Is(i, i, Ink), bits[i % 16] == '1') << "pixel " << i;
}

TEST(RasterLine, MaskStartsAtTheFirstPointAndKeepsItsPhaseWhenClipped) {
    Canvas canvas(6, 1);
    Line(canvas, 5, 0, -10, 0, 0xA000);  // pixels 0 and 2 from x = 5: x = 5 and x = 3
    EXPECT_EQ(canvas.Picture(Ink), (Rows{"...#.#"}));
    Canvas clipped(6, 1);
    Line(clipped, -3, 0, 20, 0, 0x9249);  // every third pixel from x = -3: x = 0, 3
    EXPECT_EQ(clipped.Picture(Ink), (Rows{"#..#.."}));
    Canvas far(6, 1);
    Line(far, -1e9f, 0, 20, 0, 0x8000);  // 1e9 pixels before x = 0, a multiple of 16
    EXPECT_EQ(far.Picture(Ink), (Rows{"#....."}));
}

TEST(RasterLine, BoxesAreClippedAtAllFourEdges) {
    struct Case {
        float x1, y1, x2, y2;
        LineKind kind;
        Rows picture;
    };
    const Case cases[] = {
        {1, 1, 3, 3, LineKind::Box, {".....", ".###.", ".#.#.", ".###.", "....."}},
        {3, 3, 1, 1, LineKind::FilledBox, {".....", ".###.", ".###.", ".###.", "....."}},
        {-2, -2, 2, 2, LineKind::Box, {"..#..", "..#..", "###..", ".....", "....."}},
        {2, 2, 9, 9, LineKind::Box, {".....", ".....", "..###", "..#..", "..#.."}},
        {-1, -1, 5, 5, LineKind::Box, {".....", ".....", ".....", ".....", "....."}},
        {-9, 1, 9, 3, LineKind::FilledBox, {".....", "#####", "#####", "#####", "....."}},
    };
    for (const Case& c : cases) {
        Canvas canvas(5, 5);
        RasterLine(canvas.handle(), c.x1, c.y1, c.x2, c.y2, Ink, c.kind, 0x0001);
        EXPECT_EQ(canvas.Picture(Ink), c.picture) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(RasterLine, HugeInfiniteAndNanCoordinatesAreClippedOrIgnored) {
    constexpr float Inf = std::numeric_limits<float>::infinity();
    constexpr float Nan = std::numeric_limits<float>::quiet_NaN();
    Canvas across(8, 8);
    Line(across, -3e38f, 2, 3e38f, 2);
    EXPECT_EQ(across.Count(Ink), 8);
    for (int x = 0; x < 8; ++x) EXPECT_TRUE(across.Is(x, 2, Ink));
    Canvas diagonal(8, 8);
    Line(diagonal, -1e9f, -1e9f, 1e9f, 1e9f);
    EXPECT_EQ(diagonal.Count(Ink), 8);
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(diagonal.Is(i, i, Ink));
    Canvas ignored(8, 8);
    Line(ignored, Nan, 0, 5, 5);
    Line(ignored, 0, 0, Inf, 5);
    Line(ignored, -Inf, 3, Inf, 3);
    RasterLine(ignored.handle(), 0, 0, Nan, 5, Ink, LineKind::FilledBox, 0xFFFF);
    EXPECT_EQ(ignored.Count(Ink), 0);
    Canvas beside(8, 8);
    Line(beside, -1e30f, -5, 1e30f, -5);
    Line(beside, 8, -1e30f, 8, 1e30f);
    EXPECT_EQ(beside.Count(Ink), 0);
    Line(beside, 3, -3e38f, 3, 3e38f);
    EXPECT_EQ(beside.Count(Ink), 8);
    for (int y = 0; y < 8; ++y) EXPECT_TRUE(beside.Is(3, y, Ink));
}

TEST(RasterLine, EveryDepthStoresTheColourInItsFormat) {
    struct Case {
        std::int32_t bytesPerPixel;
        std::uint32_t colour, stored;
    };
    const Case cases[] = {{1, 0x12345678, 0x78}, {2, 0xFF8040, 0xFC08}, {2, 0xFFFFFF, 0xFFFF}, {4, 0x7F123456, 0xFF123456}};
    for (const Case& c : cases) {
        Canvas canvas(4, 2, c.bytesPerPixel);
        RasterLine(canvas.handle(), 0, 1, 3, 1, c.colour, LineKind::Line, 0xFFFF);
        EXPECT_EQ(PixelValue(canvas.handle(), 3, 1), c.stored) << c.bytesPerPixel;
        EXPECT_EQ(PixelValue(canvas.handle(), 3, 0), EncodeColour(0, c.bytesPerPixel));
    }
}

}  // namespace
}  // namespace vekora
