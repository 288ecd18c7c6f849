// A sheet of figures, fills and marks on a 640 x 480 16-bit page, written as figure-sheet.png
// in the test temporary folder to look at, with spot checks of what a viewer would see.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw/figures.h"
#include "draw/fills.h"
#include "draw/marks.h"
#include "draw/points.h"
#include "tests/support/figure_support.h"
#include "platform/png_writer.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

using testing::At;

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Black = 0x000000;
constexpr std::uint32_t Red = 0xD02020;
constexpr std::uint32_t Blue = 0x2040C0;
constexpr std::uint32_t Green = 0x209040;

Line Styled(std::uint32_t colour, std::int16_t thickness, std::uint16_t style = 0xFFFF) {
    return Line{0, 0, 1, 0, colour, static_cast<std::int16_t>(style), thickness};
}

Point Coloured(double x, double y, std::uint32_t colour, std::int16_t size = 6, std::int16_t shape = 2) {
    return Point{x, y, colour, size, shape};
}

void DrawStrokes(ImageHandle page) {
    // Thick segments: shallow, steep and 45 degrees, and a dashed one.
    DrawLineP(page, At(20, 30), At(180, 60), Styled(Black, 5));
    DrawLineP(page, At(30, 80), At(60, 200), Styled(Blue, 4));
    DrawLineP(page, At(80, 80), At(200, 200), Styled(Red, 3));
    DrawLineP(page, At(100, 20), At(200, 20), Styled(Green, 2, 0xF0F0));
    // A whole line across the page, and one from the far point.
    DrawLine(page, Line{0, 470, 640, -120, 0x808080, -1, 1});
    DrawLineP(page, At(630, 240), At(630 - 1e280, 240 - 0.3e280), Styled(0xA000A0, 1, 0xCCCC));
    DrawRect(page, At(220, 30), At(300, 50), 40, Styled(Black, 2));
}

void DrawRings(ImageHandle page) {
    DrawCircle(page, Circle{360, 80, 40, 0, 0, Blue, 3});
    DrawCircle(page, Circle{360, 80, 20, 0.3, 2.8, Red, 2});
    DrawCircle(page, Circle{460, 80, 40, -0.5, -2.2, Green, 1});  // an arc with its radii
    DrawCircle(page, Circle{1e280, 80, 1e280, 0, 0, Black, 4});
    const std::int16_t shapes[] = {0, 1, 2, 3, 4, 5, 8, 9, 10, 11};
    for (int i = 0; i < 10; ++i) DrawPoint(page, Coloured(530 + (i % 5) * 22, 50 + (i / 5) * 30, Black, 10, shapes[i]));
}

void DrawFills(ImageHandle page) {
    // Stripes under the fills show the blend.
    for (int y = 230; y < 340; y += 8) RasterLine(page, 0, y, 639, y + 2, 0xC0C0C0, LineKind::FilledBox, 0xFFFF);
    std::int32_t opaque = -1;
    FillTriangle(page, At(20, 330), At(120, 230), At(160, 320), Red, opaque);
    std::int32_t half = 128;
    FillTriangle(page, At(100, 300), At(220, 240), At(200, 335), Blue, half);
    Circle disc{280, 285, 45, 0, 0, 0, 1};
    FillCircle(page, disc, Green, 160);
    Circle sector{390, 285, 45, -Pi / 2, Pi / 3, 0, 1};
    FillCircle(page, sector, Red, 255);
    FillRect(page, At(460, 250), At(600, 280), 40, Blue, 90);
    std::int32_t lead = 255;
    FillTriangle(page, At(450, 240), At(620, 330), At(535, 285), Black, lead);  // collinear: a line
}

void DrawMarks(ImageHandle page, const FontView& font) {
    const Point a = Coloured(60, 420, Red), b = Coloured(220, 420, Red), c = Coloured(60, 360, Red);
    for (const Point& p : {a, b, c}) DrawPoint(page, p);
    MarkPoint(page, a, "A", font, LabelBelow | LabelLeft);
    MarkPoint(page, b, "B", font, LabelBelow | LabelRight);
    MarkPoint(page, c, "C", font, LabelAbove);
    DrawLineP(page, a, b, Styled(Black, 1));
    DrawLineP(page, a, c, Styled(Black, 1));
    DrawLineP(page, b, c, Styled(Black, 1));
    MarkAndNumberLine(page, a, b, "AB", font, 1, 0);
    MarkAndNumberLine(page, b, c, "BC", font, 0, 7);
    MarkLine(page, a, c, "b", font, 0);
    MarkRightAnglePt(page, b, a, c, 0, 12);
    MarkAndNumberAnglePt(page, c, b, a, "", font, 60);
    const Line l1{400, 420, 100, -30, Blue, -1, 1}, l2{400, 420, -40, -100, Blue, -1, 1};
    DrawLine(page, l1);
    DrawLine(page, l2);
    for (int variant = 0; variant < 4; ++variant) {
        MarkAndNumberAngle(page, l1, l2, std::string(1, static_cast<char>('a' + variant)), font, variant,
                           30 + 12 * variant);
    }
}

TEST(FigureSheet, FiguresFillsAndMarks) {
    ImageHandle page = ImageNewOfDepth(640, 480, 2, White);
    ASSERT_NE(page, nullptr);
    Font font;
    ASSERT_EQ(LoadFontResource("sans16", font), 0);
    DrawStrokes(page);
    DrawRings(page);
    DrawFills(page);
    DrawMarks(page, ViewOf(font));
    // Spot checks: the opaque triangle, the blend over white, the sector's empty side.
    EXPECT_EQ(PixelValue(page, 60, 320), EncodeColour(Red, 2));
    EXPECT_NE(PixelValue(page, 280, 285), EncodeColour(Green, 2));
    EXPECT_NE(PixelValue(page, 280, 285), EncodeColour(White, 2));
    EXPECT_EQ(PixelValue(page, 370, 265), EncodeColour(White, 2));
    const std::string path = vekora::testing::TempPath("figure-sheet.png");
    EXPECT_EQ(WritePng(page, path), "");
    std::printf("figure sheet: %s\n", path.c_str());
    ImageFree(page);
}

}  // namespace
}  // namespace vekora
