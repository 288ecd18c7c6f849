// The drawing routines through the C interface: caller-made images, values written back
// through pointers, null arguments.
#include <gtest/gtest.h>

#include <cstring>

#include "vekora.h"

namespace {

constexpr int32_t Ink = 0x123456;

Point At(double x, double y) { return Point{x, y, Ink, 0, 1}; }

uint32_t PixelOf(VekImage image, int32_t x, int32_t y) {
    int64_t bytes = 0;
    const uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
    const int32_t width = (buffer[0] | buffer[1] << 8) >> 3;
    uint32_t value = 0;
    std::memcpy(&value, buffer + 4 + (y * width + x) * 4, 4);
    return value & 0xFFFFFF;
}

TEST(DrawingCInterface, NewImagesAreTransparentAndDescribeThemselves) {
    VekImage image = VEKD_NEWIMAGE(5, 3, 4);
    ASSERT_NE(image, nullptr);
    int64_t bytes = 0;
    const uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
    EXPECT_EQ(bytes, 4 + 5 * 3 * 4);
    EXPECT_EQ(buffer[0] | buffer[1] << 8, (5 << 3) | 4);
    EXPECT_EQ(buffer[2] | buffer[3] << 8, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(image, x, y), 0xFF00FFu);
    EXPECT_EQ(VEKD_FREEIMAGE(image), 0);
    EXPECT_EQ(VEKD_NEWIMAGE(0, 3, 4), nullptr);
    EXPECT_EQ(VEKD_NEWIMAGE(9000, 3, 4), nullptr);
    EXPECT_EQ(VEKD_NEWIMAGE(5, 3, 3), nullptr);
    EXPECT_EQ(VEKD_FREEIMAGE(nullptr), 0);
    EXPECT_EQ(VEKD_IMAGEBUFFER(nullptr, &bytes), nullptr);
    EXPECT_EQ(bytes, 0);
}

TEST(DrawingCInterface, FillsWriteBackThroughTheirPointers) {
    VekImage image = VEKD_NEWIMAGE(20, 20, 4);
    const Point a = At(1, 1), b = At(18, 1), c = At(1, 18);
    int32_t alpha = -1;
    EXPECT_EQ(VEKD_FILLTRIANGLE(&image, &a, &b, &c, &Ink, &alpha), 0);
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(PixelOf(image, 4, 4), static_cast<uint32_t>(Ink));
    EXPECT_EQ(VEKD_FILLTRIANGLE(&image, &a, nullptr, &c, &Ink, &alpha), VEK_UNDEFINED_CODE);
    Circle sector{10, 10, 6, -1.5707963267949, 0, Ink, 1};
    const int32_t opaque = 255;
    EXPECT_EQ(VEKD_FILLCIRCLE(&image, &sector, &Ink, &opaque), 0);
    EXPECT_NEAR(sector.start, 4.71238898038469, 1e-12);
    EXPECT_EQ(VEKD_FREEIMAGE(image), 0);
}

TEST(DrawingCInterface, FiguresAndMarksDrawIntoCallerImages) {
    VekImage image = VEKD_NEWIMAGE(40, 40, 4);
    const Point p = {20, 20, Ink, 6, 4}, q = At(30, 30);
    EXPECT_EQ(VEKD_POINT(&image, &p), 0);
    EXPECT_EQ(PixelOf(image, 22, 22), static_cast<uint32_t>(Ink));
    const Line look = {0, 0, 1, 0, Ink, -1, 1};
    const double height = 5;
    EXPECT_EQ(VEKD_RECT(&image, &p, &q, &height, &look), 0);
    EXPECT_EQ(VEKD_LINEP(&image, nullptr, &q, &look), VEK_UNDEFINED_CODE);
    VekFont font;
    std::memset(&font, 0, sizeof font);
    const int32_t flags = 5;
    // An empty font draws no label; the marker still shows.
    EXPECT_EQ(VEKD_MARKPOINT(&image, &q, "A", &font, &flags), 0);
    EXPECT_EQ(VEKD_MARKPOINT(&image, nullptr, "A", &font, &flags), VEK_UNDEFINED_CODE);
    EXPECT_EQ(VEKD_MARKANDNUMBERANGLEPT(&image, &p, &q, &p, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(VEKD_FREEIMAGE(image), 0);
}

}  // namespace
