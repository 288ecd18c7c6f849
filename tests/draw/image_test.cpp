// Images: the buffer layout, refused sizes, depths and colours, and the screen as a target.
#include <gtest/gtest.h>

#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "tests/support/raster_support.h"

namespace vekora {
namespace {

using testing::Canvas;
using testing::Ink;

TEST(Image, HeaderFollowsTheBufferLayout) {
    Canvas canvas(8191, 3, 4);
    const std::uint8_t* bytes = canvas.handle();
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), (8191 << 3) | 4);
    EXPECT_EQ(bytes[2] | (bytes[3] << 8), 3);
    const SurfaceSize size = SurfaceInfo(canvas.handle());
    EXPECT_EQ(size.width, 8191);
    EXPECT_EQ(size.height, 3);
    EXPECT_EQ(size.bytesPerPixel, 4);
}

TEST(Image, SizesThatCannotBeRepresentedAreRefused) {
    EXPECT_EQ(ImageNewOfDepth(8192, 1, 2, 0), nullptr);
    EXPECT_EQ(ImageNewOfDepth(0, 1, 2, 0), nullptr);
    EXPECT_EQ(ImageNewOfDepth(1, 0, 2, 0), nullptr);
    EXPECT_EQ(ImageNewOfDepth(-5, 3, 2, 0), nullptr);
    EXPECT_EQ(ImageNewOfDepth(1, 70000, 2, 0), nullptr);
    EXPECT_EQ(ImageNewOfDepth(4, 4, 3, 0), nullptr);
}

TEST(Image, NoColourMeansTransparentAtEveryDepth) {
    struct Case {
        std::int32_t bytesPerPixel;
        std::uint32_t transparentColour, stored;
    };
    for (const Case& c : {Case{1, 0, 0}, Case{2, TRANSPARENT, 0xF81F}, Case{4, TRANSPARENT, 0xFFFF00FF}}) {
        Canvas canvas(3, 2, c.bytesPerPixel, NO_COLOUR);
        EXPECT_EQ(TransparentColour(canvas.handle()), c.transparentColour);
        EXPECT_EQ(PixelValue(canvas.handle(), 2, 1), c.stored);
        EXPECT_EQ(EncodeColour(TRANSPARENT, c.bytesPerPixel), c.bytesPerPixel == 1 ? 0xFFu : c.stored);
    }
}

TEST(Image, SixteenBitColoursAreFiveSixFive) {
    EXPECT_EQ(EncodeColour(0xFF0000, 2), 0xF800u);
    EXPECT_EQ(EncodeColour(0x00FF00, 2), 0x07E0u);
    EXPECT_EQ(EncodeColour(0x0000FF, 2), 0x001Fu);
    EXPECT_EQ(EncodeColour(0xFF123456, 2), EncodeColour(0x123456, 2));
    EXPECT_EQ(EncodeColour(0x070307, 2), 0u);
}

TEST(Image, ACallersNullTargetIsTheScreenOfTheActiveDevice) {
    EXPECT_EQ(SurfaceInfo(TargetOrScreen(nullptr)).width, 0);
    RasterPixel(TargetOrScreen(nullptr), 0, 0, Ink);  // no device: nothing to draw on, and no harm done
    {
        HeadlessDevice device;
        SetActiveDevice(&device);
        ASSERT_TRUE(ScreenOpen(40, 30, 32));
        const SurfaceSize size = SurfaceInfo(TargetOrScreen(nullptr));
        EXPECT_EQ(size.width, 40);
        EXPECT_EQ(size.height, 30);
        EXPECT_EQ(size.bytesPerPixel, 4);
        EXPECT_EQ(TransparentColour(TargetOrScreen(nullptr)), TRANSPARENT);
        RasterLine(TargetOrScreen(nullptr), 0, 29, 39, 29, Ink, LineKind::Line, 0xFFFF);
        EXPECT_EQ(PixelValue(device.Screen(), 39, 29), 0xFF000000u | Ink);
        ImageHandle image = ImageNew(5, 5, NO_COLOUR);
        EXPECT_EQ(SurfaceInfo(image).bytesPerPixel, 4);
        ImageFree(image);
        ASSERT_TRUE(ScreenOpen(20, 10, 8));
        EXPECT_EQ(TransparentColour(TargetOrScreen(nullptr)), 0u);
        EXPECT_FALSE(ScreenOpen(20, 10, 24));
        EXPECT_FALSE(ScreenOpen(9000, 10, 16));
    }
    EXPECT_EQ(ActiveDevice(), nullptr);
}

}  // namespace
}  // namespace vekora
