// The areas raster operations report must hold every pixel they change: a film that restores
// and shows only those areas would otherwise leave stale pixels on the screen. Each case draws
// at random on an image under a watch and checks every changed pixel against the area taken.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "draw/drawn_area.h"
#include "draw/image.h"

namespace vekora {
namespace {

constexpr std::int32_t Width = 120, Height = 90;

std::vector<std::uint8_t> Pixels(ImageHandle image) {
    const SurfaceSize size = SurfaceInfo(image);
    return {image + ImageHeaderBytes,
            image + ImageHeaderBytes + static_cast<std::size_t>(size.width) * size.height * size.bytesPerPixel};
}

// Coordinates reach a little beyond the image on every side, so that clipping is exercised.
struct RandomDrawing {
    std::mt19937 random;
    float X() { return std::uniform_real_distribution<float>(-30, Width + 30)(random); }
    float Y() { return std::uniform_real_distribution<float>(-30, Height + 30)(random); }
    float Angle() { return std::uniform_real_distribution<float>(-6.3f, 6.3f)(random); }
    std::uint32_t Colour() { return std::uniform_int_distribution<std::uint32_t>(0, 0xFFFFFF)(random); }
};

using Operation = std::function<void(ImageHandle target, RandomDrawing& draw)>;

struct OperationCase {
    std::string name;
    Operation operation;
};

ImageHandle Stamp(std::int32_t bytesPerPixel) {
    static ImageHandle stamps[5] = {};
    if (stamps[bytesPerPixel] == nullptr) {
        // Mostly transparent: a slanted line and a small box, so that a transparent blit
        // writes a few runs a row.
        stamps[bytesPerPixel] = ImageNewOfDepth(17, 11, bytesPerPixel, NO_COLOUR);
        RasterLine(stamps[bytesPerPixel], 0, 0, 16, 10, 0x00FF00, LineKind::Line, 0xFFFF);
        RasterLine(stamps[bytesPerPixel], 12, 1, 15, 3, 0x123456, LineKind::FilledBox, 0xFFFF);
    }
    return stamps[bytesPerPixel];
}

const std::vector<OperationCase>& Operations() {
    static const std::vector<OperationCase> cases = {
        {"line", [](ImageHandle t, RandomDrawing& d) { RasterLine(t, d.X(), d.Y(), d.X(), d.Y(), d.Colour(), LineKind::Line, 0xF0F0); }},
        {"box", [](ImageHandle t, RandomDrawing& d) { RasterLine(t, d.X(), d.Y(), d.X(), d.Y(), d.Colour(), LineKind::Box, 0xFFFF); }},
        {"filled box", [](ImageHandle t, RandomDrawing& d) { RasterLine(t, d.X(), d.Y(), d.X(), d.Y(), d.Colour(), LineKind::FilledBox, 0xFFFF); }},
        {"arc", [](ImageHandle t, RandomDrawing& d) {
             const float r = std::uniform_real_distribution<float>(0, 70)(d.random);
             RasterEllipse(t, d.X(), d.Y(), r, d.Colour(), 1, d.Angle(), d.Angle(), 0);
         }},
        {"small arc", [](ImageHandle t, RandomDrawing& d) {
             const float r = std::uniform_real_distribution<float>(0, 2)(d.random);
             RasterEllipse(t, d.X(), d.Y(), r, d.Colour(), 1, d.Angle(), d.Angle(), 0);
         }},
        {"disc", [](ImageHandle t, RandomDrawing& d) { RasterEllipse(t, d.X(), d.Y(), 20, d.Colour(), 1, 0, 6.3f, 1); }},
        {"pixel", [](ImageHandle t, RandomDrawing& d) { RasterPixel(t, d.X(), d.Y(), d.Colour()); }},
        {"fill", [](ImageHandle t, RandomDrawing& d) { RasterFill(t, d.X(), d.Y(), d.Colour(), NO_COLOUR); }},
        {"blit", [](ImageHandle t, RandomDrawing& d) {
             ImageBlit(t, d.X(), d.Y(), Stamp(SurfaceInfo(t).bytesPerPixel), BlitMode::Plain, 0);
         }},
        {"transparent blit", [](ImageHandle t, RandomDrawing& d) {
             ImageBlit(t, d.X(), d.Y(), Stamp(SurfaceInfo(t).bytesPerPixel), BlitMode::Transparent, 0);
         }},
        {"blended blit", [](ImageHandle t, RandomDrawing& d) {
             ImageBlit(t, d.X(), d.Y(), Stamp(SurfaceInfo(t).bytesPerPixel), BlitMode::Blend, 100);
         }},
        {"copy area", [](ImageHandle t, RandomDrawing& d) {
             const auto x = static_cast<std::int32_t>(d.X()), y = static_cast<std::int32_t>(d.Y());
             DrawnArea part(17, 11);
             part.Add(PixelRect{2, 1, 15, 9});
             ImageCopyArea(t, x, y, Stamp(SurfaceInfo(t).bytesPerPixel), part);
         }},
    };
    return cases;
}

class DrawnAreas : public testing::TestWithParam<std::int32_t> {};

TEST_P(DrawnAreas, HoldEveryPixelTheOperationChanged) {
    const std::int32_t bytesPerPixel = GetParam();
    for (const OperationCase& operation : Operations()) {
        RandomDrawing draw{std::mt19937(7)};
        OwnedImage image(ImageNewOfDepth(Width, Height, bytesPerPixel, 0));
        DrawnAreaWatch watch(image.get());
        watch.Take();
        for (int round = 0; round < 300; ++round) {
            const std::vector<std::uint8_t> before = Pixels(image.get());
            const std::uint64_t changesBefore = watch.Changes();
            operation.operation(image.get(), draw);
            const DrawnArea rows = watch.TakeRows();
            const PixelRect area = rows.Bounds();
            const std::vector<std::uint8_t> after = Pixels(image.get());
            bool changed = false;
            for (std::int32_t y = 0; y < Height; ++y) {
                for (std::int32_t x = 0; x < Width; ++x) {
                    const std::size_t at = (static_cast<std::size_t>(y) * Width + x) * bytesPerPixel;
                    if (std::memcmp(&before[at], &after[at], static_cast<std::size_t>(bytesPerPixel)) == 0) continue;
                    changed = true;
                    ASSERT_TRUE(rows.Contains(x, y))
                        << operation.name << " round " << round << " changed (" << x << ", " << y
                        << ") outside the rows drawn, within [" << area.left << ", " << area.top << ") - ("
                        << area.right << ", " << area.bottom << ")";
                }
            }
            if (changed) {
                EXPECT_GT(watch.Changes(), changesBefore) << operation.name << " round " << round;
            }
            EXPECT_TRUE(area == area.ClippedTo(Width, Height)) << operation.name << ": the area lies inside the image";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, DrawnAreas, testing::Values(1, 2, 4));

TEST(DrawnAreaWatch, SeesOnlyItsOwnImageAndForgetsWhatWasTaken) {
    OwnedImage watched(ImageNewOfDepth(40, 30, 2, 0));
    OwnedImage other(ImageNewOfDepth(40, 30, 2, 0));
    DrawnAreaWatch watch(watched.get());
    watch.Take();
    RasterLine(other.get(), 0, 0, 39, 29, 0xFFFFFF, LineKind::Line, 0xFFFF);
    EXPECT_TRUE(watch.Take().Empty());
    RasterPixel(watched.get(), 5, 6, 0xFFFFFF);
    const PixelRect area = watch.Take();
    EXPECT_FALSE(area.Empty());
    EXPECT_TRUE(watch.Take().Empty());
    // A watch knows its own image, and no other.
    EXPECT_TRUE(watch.Watches(watched.get()));
    EXPECT_FALSE(watch.Watches(other.get()));
}

TEST(PixelRect, AroundCoordinatesThatAreNotFiniteIsEverything) {
    const PixelRect everything = PixelRect::Around(0, 0, std::numeric_limits<double>::infinity(), 5, 0);
    EXPECT_EQ(everything.ClippedTo(50, 40), PixelRect::Whole(50, 40));
    PixelRect sum{1, 2, 3, 4};
    sum.Add(PixelRect{});
    EXPECT_EQ(sum, (PixelRect{1, 2, 3, 4}));
    sum.Add(PixelRect{10, 0, 12, 3});
    EXPECT_EQ(sum, (PixelRect{1, 0, 12, 4}));
}

}  // namespace
}  // namespace vekora
