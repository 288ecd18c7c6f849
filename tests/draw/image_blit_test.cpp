// Copying images: the three copy modes, the alpha arithmetic, clipping, depths, capture.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "draw/drawn_area.h"
#include "tests/support/raster_support.h"

namespace vekora {
namespace {

using testing::Canvas;
using testing::Ink;
using Rows = std::vector<std::string>;

// A 2 x 1 image: the colour, then a transparent pixel.
void MakeSprite(const Canvas& sprite, std::uint32_t colour) { RasterPixel(sprite.handle(), 0, 0, colour); }

TEST(ImageBlit, ModesAndAlphaArithmetic) {
    struct Case {
        std::int32_t bytesPerPixel;
        std::uint32_t dst, src;
        BlitMode mode;
        std::int32_t alpha;
        std::uint32_t left, right;  // stored values of the two target pixels afterwards
    };
    const Case cases[] = {
        {4, 0x000000, 0xFFFFFF, BlitMode::Transparent, 7, 0xFFFFFFFF, 0xFF000000},
        {4, 0x000000, 0xFFFFFF, BlitMode::Plain, 7, 0xFFFFFFFF, 0xFFFF00FF},
        {4, 0x000000, 0xFFFFFF, BlitMode::Blend, 128, 0xFF808080, 0xFF000000},
        {4, 0xFFFFFF, 0x000000, BlitMode::Blend, 128, 0xFF7E7E7E, 0xFFFFFFFF},  // (-255 * 129) >> 8 = -129
        {4, 0x204060, 0x2040E0, BlitMode::Blend, 1, 0xFF204061, 0xFF204060},
        {4, 0x000000, 0xFFFFFF, BlitMode::Blend, 0, 0xFF000000, 0xFF000000},
        {4, 0x000000, 0xFFFFFF, BlitMode::Blend, 255, 0xFFFFFFFF, 0xFF000000},
        {4, 0x000000, 0xFFFFFF, BlitMode::Blend, 400, 0xFFFFFFFF, 0xFF000000},
        {2, 0x000000, 0xFFFFFF, BlitMode::Blend, 128, (15u << 11) | (31u << 5) | 15u, 0x0000},
        {2, 0xFFFFFF, 0x000000, BlitMode::Blend, 128, (15u << 11) | (31u << 5) | 15u, 0xFFFF},
        {2, 0x000000, 0xFFFFFF, BlitMode::Plain, 0, 0xFFFF, 0xF81F},
        {1, 0x05, 0x09, BlitMode::Blend, 128, 0x09, 0x05},
        {1, 0x05, 0x09, BlitMode::Plain, 128, 0x09, 0x00},
    };
    for (const Case& c : cases) {
        Canvas target(2, 1, c.bytesPerPixel, c.dst);
        Canvas sprite(2, 1, c.bytesPerPixel, NO_COLOUR);
        MakeSprite(sprite, c.src);
        ImageBlit(target.handle(), 0, 0, sprite.handle(), c.mode, c.alpha);
        EXPECT_EQ(PixelValue(target.handle(), 0, 0), c.left) << c.bytesPerPixel << " mode " << int(c.mode) << " alpha " << c.alpha;
        EXPECT_EQ(PixelValue(target.handle(), 1, 0), c.right) << c.bytesPerPixel << " mode " << int(c.mode) << " alpha " << c.alpha;
    }
}

TEST(ImageBlit, NegativeAlphaUsesEachPixelsAlphaByte) {
    Canvas target(3, 1, 4, 0x000000);
    Canvas sprite(3, 1, 4, 0);
    const std::uint32_t pixels[3] = {0x80FFFFFF, 0x00FFFFFF, 0xFF102030};
    std::memcpy(sprite.handle() + ImageHeaderBytes, pixels, sizeof pixels);
    ImageBlit(target.handle(), 0, 0, sprite.handle(), BlitMode::Blend, -1);
    EXPECT_EQ(PixelValue(target.handle(), 0, 0), 0xFF808080u);
    EXPECT_EQ(PixelValue(target.handle(), 1, 0), 0xFF000000u);
    EXPECT_EQ(PixelValue(target.handle(), 2, 0), 0xFF102030u);
}

// Rows of runs of equal pixels over a ground of runs of its own, at every depth: each target
// pixel ends as a blend of that pixel alone would leave it.
TEST(ImageBlit, BlendingARowIsBlendingEachOfItsPixels) {
    std::mt19937 random(9);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF), length(1, 6);
    std::uniform_int_distribution<std::int32_t> alpha(1, 254);
    constexpr std::int32_t Width = 64;
    for (const std::int32_t depth : {1, 2, 4}) {
        for (int i = 0; i < 40; ++i) {
            Canvas target(Width, 1, depth), sprite(Width, 1, depth, NO_COLOUR);
            // The runs of the ground and of the paint end at different places.
            for (const bool ground : {true, false}) {
                for (std::int32_t x = 0; x < Width;) {
                    const std::uint32_t value = colour(random);
                    for (std::uint32_t k = length(random); k > 0 && x < Width; --k, ++x) {
                        // Some runs of paint stay transparent and are skipped.
                        if (ground) RasterPixel(target.handle(), static_cast<float>(x), 0, value);
                        else if (value % 5 != 0) RasterPixel(sprite.handle(), static_cast<float>(x), 0, value);
                    }
                }
            }
            const std::int32_t a = alpha(random);
            std::vector<std::uint32_t> expected;
            for (std::int32_t x = 0; x < Width; ++x) {
                Canvas one(1, 1, depth), oneSprite(1, 1, depth);
                std::memcpy(one.handle() + ImageHeaderBytes, target.handle() + ImageHeaderBytes + x * depth, depth);
                std::memcpy(oneSprite.handle() + ImageHeaderBytes, sprite.handle() + ImageHeaderBytes + x * depth, depth);
                ImageBlit(one.handle(), 0, 0, oneSprite.handle(), BlitMode::Blend, a);
                expected.push_back(PixelValue(one.handle(), 0, 0));
            }
            ImageBlit(target.handle(), 0, 0, sprite.handle(), BlitMode::Blend, a);
            for (std::int32_t x = 0; x < Width; ++x) {
                ASSERT_EQ(PixelValue(target.handle(), x, 0), expected[static_cast<std::size_t>(x)])
                    << "depth " << depth << " alpha " << a << " pixel " << x;
            }
        }
    }
}

TEST(ImageBlit, AllTransparentImageLeavesTheTargetUnchanged) {
    for (const BlitMode mode : {BlitMode::Transparent, BlitMode::Blend}) {
        Canvas target(4, 4, 2, Ink);
        Canvas sprite(4, 4, 2, NO_COLOUR);
        ImageBlit(target.handle(), 0, 0, sprite.handle(), mode, 100);
        EXPECT_EQ(target.Count(Ink), 16);
    }
}

TEST(ImageBlit, ClipsAtAllFourEdges) {
    struct Case {
        float x, y;
        Rows picture;
    };
    const Case cases[] = {
        {-1, -1, {"##...", "##...", ".....", ".....", "....."}},
        {3, 3, {".....", ".....", ".....", "...##", "...##"}},
        {-1.6f, 3.4f, {".....", ".....", ".....", "#....", "#...."}},
        {4, -2, {"....#", ".....", ".....", ".....", "....."}},
        {5, 0, {".....", ".....", ".....", ".....", "....."}},
        {-3e38f, 0, {".....", ".....", ".....", ".....", "....."}},
        {std::numeric_limits<float>::quiet_NaN(), 0, {".....", ".....", ".....", ".....", "....."}},
    };
    for (const Case& c : cases) {
        Canvas target(5, 5);
        Canvas sprite(3, 3, 2, Ink);
        ImageBlit(target.handle(), c.x, c.y, sprite.handle(), BlitMode::Plain, 0);
        EXPECT_EQ(target.Picture(Ink), c.picture) << c.x << "," << c.y;
    }
}

// A blit limited to a rectangle leaves inside it what the whole blit leaves there and outside
// it the target as it was, and its watch learns of every pixel it changed; for rectangles
// inside, across the edges of and outside the images, a smaller image than the target, in
// each mode and depth.
TEST(ImageBlit, WithinARectangleIsTheWholeBlitThereAndNothingElse) {
    struct Case {
        PixelRect rect;
        std::int32_t spriteWidth, spriteHeight;
    };
    const Case cases[] = {
        {{3, 2, 11, 9}, 20, 14}, {{-4, -3, 5, 4}, 20, 14}, {{12, 8, 40, 30}, 20, 14}, {{0, 0, 20, 14}, 20, 14},
        {{5, 5, 5, 9}, 20, 14},  {{25, 0, 30, 14}, 20, 14}, {{2, 1, 18, 13}, 9, 6},
    };
    std::mt19937 random(31);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    const auto scribble = [&](const Canvas& canvas, bool leaveHoles) {
        for (std::int32_t y = 0; y < canvas.height(); ++y) {
            for (std::int32_t x = 0; x < canvas.width(); ++x) {
                const std::uint32_t value = colour(random);
                if (!leaveHoles || value % 3 != 0) RasterPixel(canvas.handle(), static_cast<float>(x), static_cast<float>(y), value);
            }
        }
    };
    for (const std::int32_t depth : {1, 2, 4}) {
        for (const BlitMode mode : {BlitMode::Plain, BlitMode::Transparent, BlitMode::Blend}) {
            for (const Case& c : cases) {
                Canvas within(20, 14, depth), whole(20, 14, depth), sprite(c.spriteWidth, c.spriteHeight, depth, NO_COLOUR);
                scribble(within, false);
                scribble(sprite, true);
                ImageBlit(whole.handle(), 0, 0, within.handle(), BlitMode::Plain, 0);
                std::vector<std::uint32_t> before;
                for (std::int32_t i = 0; i < 20 * 14; ++i) before.push_back(PixelValue(within.handle(), i % 20, i / 20));
                DrawnAreaWatch watch(within.handle());
                ImageBlitWithin(within.handle(), sprite.handle(), c.rect, mode, 100);
                ImageBlit(whole.handle(), 0, 0, sprite.handle(), mode, 100);
                const DrawnArea noted = watch.TakeRows();
                for (std::int32_t y = 0; y < 14; ++y) {
                    for (std::int32_t x = 0; x < 20; ++x) {
                        const bool inside = x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom;
                        const std::uint32_t value = PixelValue(within.handle(), x, y);
                        const std::uint32_t was = before[static_cast<std::size_t>(y * 20 + x)];
                        ASSERT_EQ(value, inside ? PixelValue(whole.handle(), x, y) : was)
                            << "depth " << depth << " mode " << static_cast<int>(mode) << " pixel " << x << ", " << y;
                        ASSERT_TRUE(value == was || noted.Contains(x, y)) << "changed but not noted: " << x << ", " << y;
                    }
                }
            }
        }
    }
}

TEST(ImageBlit, DepthMismatchDrawsNothing) {
    Canvas target(4, 4, 2);
    Canvas sprite(4, 4, 4, Ink);
    ImageBlit(target.handle(), 0, 0, sprite.handle(), BlitMode::Plain, 0);
    ImageCapture(sprite.handle(), 0, 0, 3, 3, target.handle());
    EXPECT_EQ(target.Count(Ink), 0);
}

TEST(ImageCapture, CopiesTheRectangleCornersIncluded) {
    Canvas source(6, 4);
    RasterLine(source.handle(), 0, 0, 5, 3, Ink, LineKind::Line, 0xFFFF);
    Canvas whole(6, 4);
    ImageCapture(source.handle(), 0, 0, 5, 3, whole.handle());
    EXPECT_EQ(std::memcmp(whole.handle(), source.handle(), ImageHeaderBytes + 6 * 4 * 2), 0);
    Canvas part(3, 3, 2, 0x0000FF);
    ImageCapture(source.handle(), 4, 3, 3, 2, part.handle());  // corners in any order; 2 x 2 of them
    EXPECT_EQ(part.Picture(Ink), (Rows{"##.", "...", "..."}));
    EXPECT_TRUE(part.Is(2, 2, 0x0000FF));
    Canvas offEdge(3, 3, 2, 0x0000FF);
    ImageCapture(source.handle(), 4, 2, 6, 4, offEdge.handle());
    EXPECT_EQ(offEdge.Picture(Ink), (Rows{"#..", ".#.", "..."}));
    EXPECT_TRUE(offEdge.Is(2, 0, 0x0000FF));
}

}  // namespace
}  // namespace vekora
