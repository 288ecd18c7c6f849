// Flood fill: bounded by its border colour, never leaking, iterative on huge pages.
#include <gtest/gtest.h>

#include <deque>
#include <limits>
#include <random>

#include "tests/support/raster_support.h"

namespace vekora {
namespace {

using testing::Canvas;
using testing::Ink;
using Rows = std::vector<std::string>;

constexpr std::uint32_t Paint = 0x00FF00;

// The 4-connected region of pixels not of the border colour around the seed, found the slow way.
std::vector<bool> ExpectedRegion(const Canvas& canvas, int seedX, int seedY, std::uint32_t border) {
    const int w = canvas.width(), h = canvas.height();
    std::vector<bool> inside(static_cast<std::size_t>(w * h), false);
    std::deque<std::pair<int, int>> queue{{seedX, seedY}};
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        if (x < 0 || y < 0 || x >= w || y >= h || inside[y * w + x] || canvas.Is(x, y, border)) continue;
        inside[y * w + x] = true;
        queue.insert(queue.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return inside;
}

TEST(RasterFill, FillsExactlyTheRegionOfRandomShapes) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-4, 36);
    std::uniform_int_distribution<int> seed(0, 31);
    for (int shape = 0; shape < 300; ++shape) {
        Canvas canvas(32, 32);
        const bool ownBorder = shape % 2 == 0;  // border = the fill colour, or a colour of its own
        const std::uint32_t border = ownBorder ? Paint : Ink;
        for (int i = 0; i < 6; ++i) {
            RasterLine(canvas.handle(), coordinate(random), coordinate(random), coordinate(random), coordinate(random),
                       border, LineKind::Line, 0xFFFF);
        }
        RasterEllipse(canvas.handle(), coordinate(random), coordinate(random), coordinate(random) / 2, border, 1.0f, 0,
                      6.2831855f, 0);
        const int x = seed(random), y = seed(random);
        const std::vector<bool> expected = ExpectedRegion(canvas, x, y, border);
        const std::vector<std::string> before = canvas.Picture(Paint);
        RasterFill(canvas.handle(), static_cast<float>(x), static_cast<float>(y), Paint, ownBorder ? NO_COLOUR : Ink);
        for (int py = 0; py < 32; ++py) {
            for (int px = 0; px < 32; ++px) {
                const bool wanted = before[py][px] == '#' || expected[py * 32 + px];
                ASSERT_EQ(canvas.Is(px, py, Paint), wanted) << "shape " << shape << " at " << px << "," << py;
            }
        }
    }
}

TEST(RasterFill, StopsAtTheBorderAndLeavesTheRestAlone) {
    Canvas canvas(7, 5);
    RasterLine(canvas.handle(), 1, 0, 5, 4, Ink, LineKind::Box, 0xFFFF);
    RasterFill(canvas.handle(), 3, 2, Ink, NO_COLOUR);
    EXPECT_EQ(canvas.Picture(Ink), (Rows{".#####.", ".#####.", ".#####.", ".#####.", ".#####."}));
}

TEST(RasterFill, SeedOnTheBorderOrOutsideChangesNothing) {
    Canvas canvas(6, 6);
    RasterLine(canvas.handle(), 0, 3, 5, 3, Ink, LineKind::Line, 0xFFFF);
    RasterFill(canvas.handle(), 2, 3, Ink, NO_COLOUR);
    RasterFill(canvas.handle(), -1, 1, Ink, NO_COLOUR);
    RasterFill(canvas.handle(), 1, 6, Ink, NO_COLOUR);
    RasterFill(canvas.handle(), std::numeric_limits<float>::quiet_NaN(), 1, Ink, NO_COLOUR);
    EXPECT_EQ(canvas.Count(Ink), 6);
}

TEST(RasterFill, AWholeWidestPageFillsWithoutRecursion) {
    Canvas page(MaxImageWidth, 300);
    // A comb of teeth makes the fill turn back on itself many times.
    for (int x = 1; x < MaxImageWidth; x += 2) {
        RasterLine(page.handle(), x, x % 4 == 1 ? 0 : 1, x, x % 4 == 1 ? 298 : 299, Ink, LineKind::Line, 0xFFFF);
    }
    RasterFill(page.handle(), 0, 0, Paint, Ink);
    EXPECT_EQ(page.Count(Paint), MaxImageWidth * 300 - page.Count(Ink));
}

TEST(RasterFill, WorksOnEveryDepth) {
    for (const std::int32_t bytesPerPixel : {1, 2, 4}) {
        Canvas canvas(5, 5, bytesPerPixel);
        RasterLine(canvas.handle(), 0, 2, 4, 2, 0x40, LineKind::Line, 0xFFFF);
        RasterFill(canvas.handle(), 0, 0, 0x40, NO_COLOUR);
        EXPECT_EQ(canvas.Count(0x40), 15) << bytesPerPixel;
    }
}

}  // namespace
}  // namespace vekora
