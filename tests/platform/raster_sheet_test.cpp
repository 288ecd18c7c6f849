// A sheet of every kind of figure the raster layer draws, written as a PNG to look at
// (raster-sheet.png in the test temporary folder) and read back pixel for pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "draw/image_surface.h"
#include "tests/support/picture_support.h"
#include "platform/png_writer.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// A stroke of thickness t as parallel one-pixel lines along the minor axis.
void ThickLine(ImageHandle page, float x1, float y1, float x2, float y2, int t, std::uint32_t colour,
               std::uint16_t mask = 0xFFFF) {
    const bool steep = std::fabs(x2 - x1) < std::fabs(y2 - y1);
    const float half = t / 2.0f;
    for (int i = 0; i < t; ++i) {
        const float offset = i - half;
        if (steep) RasterLine(page, x1 + offset, y1, x2 + offset, y2, colour, LineKind::Line, mask);
        else RasterLine(page, x1, y1 + offset, x2, y2 + offset, colour, LineKind::Line, mask);
    }
}

// A ring of thickness t as 2t - 1 circles half a pixel apart.
void ThickCircle(ImageHandle page, float cx, float cy, float r, int t, std::uint32_t colour, float start = 0,
                 float end = 2 * Pi) {
    const float inner = r - t / 2.0f;
    for (int ring = 0; ring < 2 * t - 1; ++ring) RasterEllipse(page, cx, cy, inner + ring * 0.5f, colour, 1, start, end, 0);
}

void DrawSheet(ImageHandle page) {
    RasterLine(page, 0, 0, 639, 459, 0xFFFFFF, LineKind::FilledBox, 0xFFFF);
    // A star of lines, and of thick lines.
    for (int i = 0; i < 24; ++i) {
        const float a = i * Pi / 12;
        RasterLine(page, 70, 70, 70 + 60 * std::cos(a), 70 - 60 * std::sin(a), 0x000000, LineKind::Line, 0xFFFF);
        ThickLine(page, 210, 70, 210 + 60 * std::cos(a), 70 - 60 * std::sin(a), 3, i % 2 ? 0xC00000 : 0x0000C0);
    }
    // Dashed lines: every mask on a horizontal, a diagonal and a steep line.
    const std::uint16_t masks[] = {0xFFFF, 0xFF00, 0xF0F0, 0xCCCC, 0xAAAA, 0xFE10};
    for (int i = 0; i < 6; ++i) {
        RasterLine(page, 290, 15 + i * 20.0f, 400, 15 + i * 20.0f, 0x000000, LineKind::Line, masks[i]);
        RasterLine(page, 410 + i * 12.0f, 10, 470 + i * 12.0f, 130, 0x006000, LineKind::Line, masks[i]);
    }
    ThickLine(page, 540, 10, 620, 130, 5, 0x804000, 0xF0F0);
    // Thick circles, arcs through angle 0, pie sectors filled and blended.
    ThickCircle(page, 70, 210, 50, 1, 0x000000);
    ThickCircle(page, 70, 210, 38, 4, 0x0060C0);
    ThickCircle(page, 70, 210, 20, 8, 0xC06000);
    ThickCircle(page, 200, 210, 50, 3, 0x008000, Pi / 6, 5 * Pi / 6);
    ThickCircle(page, 200, 210, 50, 3, 0xC00000, 5 * Pi / 3, Pi / 3);
    RasterEllipse(page, 200, 210, 30, 0x000000, 1, Pi / 2, Pi, 0);
    const float pies[][2] = {{0, Pi / 2}, {Pi / 2, 4 * Pi / 3}, {4 * Pi / 3, 2 * Pi - 0.3f}};
    const std::uint32_t pieColours[] = {0xE04040, 0x40A040, 0x4040E0};
    for (int i = 0; i < 3; ++i) {
        RasterEllipse(page, 330, 210, 50, pieColours[i], 1, -pies[i][0], -pies[i][1], 0);
        const float middle = (pies[i][0] + pies[i][1]) / 2;
        RasterFill(page, 330 + 25 * std::cos(middle), 210 - 25 * std::sin(middle), pieColours[i], NO_COLOUR);
    }
    RasterEllipse(page, 470, 210, 50, 0x202020, 1, 0, 2 * Pi, -1);
    RasterEllipse(page, 580, 210, 45, 0xFFC000, 1, 0, 2 * Pi, -1);
    // A flood-filled shape with a hole, and blends of a disc at increasing alpha.
    RasterLine(page, 20, 300, 200, 440, 0x000080, LineKind::Box, 0xFFFF);
    RasterEllipse(page, 110, 370, 40, 0x000080, 1, 0, 2 * Pi, 0);
    RasterLine(page, 20, 440, 200, 300, 0x000080, LineKind::Line, 0xFFFF);
    RasterFill(page, 30, 310, 0x80C0FF, 0x000080);
    RasterFill(page, 100, 355, 0xFFE080, 0x000080);
    ImageHandle disc = ImageNewOfDepth(61, 61, SurfaceInfo(page).bytesPerPixel, NO_COLOUR);
    RasterEllipse(disc, 30, 30, 30, 0xD00000, 1, 0, 2 * Pi, -1);
    RasterLine(page, 230, 330, 630, 350, 0x0000A0, LineKind::FilledBox, 0xFFFF);
    for (int i = 0; i < 6; ++i) ImageBlit(page, 240 + i * 65.0f, 310, disc, BlitMode::Blend, i * 51);
    ImageBlit(page, 240, 385, disc, BlitMode::Transparent, 0);
    ImageBlit(page, 305, 385, disc, BlitMode::Plain, 0);
    ImageFree(disc);
}

TEST(RasterSheet, WritesAPngThatReadsBackPixelForPixel) {
    for (const std::int32_t bytesPerPixel : {2, 4, 1}) {
        ImageHandle page = ImageNewOfDepth(640, 460, bytesPerPixel, 0);
        DrawSheet(page);
        const std::string path = vekora::testing::TempPath((bytesPerPixel == 2 ? "raster-sheet.png" : "raster-sheet-" + std::to_string(bytesPerPixel * 8) + ".png"));
        ASSERT_EQ(WritePng(page, path), "");
        const testing::RgbPicture picture = testing::ReadPng(path);
        ASSERT_EQ(picture.width, 640u);
        ASSERT_EQ(picture.height, 460u);
        const Surface surface = ResolveSurface(page);
        for (std::uint32_t y = 0; y < 460; ++y) {
            for (std::uint32_t x = 0; x < 640; ++x) {
                ASSERT_EQ(picture.At(x, y), PixelRgb(surface, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)))
                    << x << "," << y;
            }
        }
        if (bytesPerPixel == 2) {
            EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);  // white stays white
        }
        ImageFree(page);
    }
}

TEST(PngWriter, ReportsWhatWentWrong) {
    ImageHandle page = ImageNewOfDepth(4, 4, 2, 0);
    EXPECT_NE(WritePng(page, "/nonexistent-folder/x.png").find("/nonexistent-folder/x.png"), std::string::npos);
    ImageFree(page);
    EXPECT_NE(WritePng(nullptr, "screen.png"), "");
}

}  // namespace
}  // namespace vekora
