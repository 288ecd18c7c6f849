// The picture's fit in a window of any size, and the mouse mapped back through it.
#include <gtest/gtest.h>

#include "platform/picture_fit.h"

namespace vekora {
namespace {

TEST(PictureFit, ScalesWithTheAspectKeptCentredAndWholeWhereTheWindowIsAMultiple) {
    struct Case {
        std::int32_t outW, outH, screenW, screenH;
        PictureFit want;  // only the rectangle
    };
    const Case cases[] = {
        {800, 600, 800, 600, {0, 0, 800, 600, {}, {}}},
        {1600, 1200, 800, 600, {0, 0, 1600, 1200, {}, {}}},
        {1000, 750, 800, 600, {0, 0, 1000, 750, {}, {}}},     // 1.25
        {1024, 768, 800, 600, {0, 0, 1024, 768, {}, {}}},     // 1.28
        {1920, 1080, 800, 600, {240, 0, 1440, 1080, {}, {}}}, // 1.8, bars at the sides
        {600, 800, 800, 600, {0, 175, 600, 450, {}, {}}},     // 0.75, bars above and below
        {1601, 1203, 800, 600, {0, 1, 1601, 1200, {}, {}}},   // 2.00125: no whole factor fills it
        {0, 0, 800, 600, {0, 0, 0, 0, {}, {}}},               // minimised
    };
    for (const Case& c : cases) {
        const PictureFit fit = FitPicture(c.outW, c.outH, c.screenW, c.screenH);
        EXPECT_EQ(fit.x, c.want.x) << c.outW << "x" << c.outH;
        EXPECT_EQ(fit.y, c.want.y) << c.outW << "x" << c.outH;
        EXPECT_EQ(fit.width, c.want.width) << c.outW << "x" << c.outH;
        EXPECT_EQ(fit.height, c.want.height) << c.outW << "x" << c.outH;
    }
}

// The render scale a window wants: the display scale of its 640 x 480 page rounded up, 1 to
// the largest scale; whether the fit shows each pixel of the screen at that scale as whole
// output pixels.
TEST(PictureFit, TheRenderScaleIsTheDisplayScaleRoundedUp) {
    struct Case {
        std::int32_t outW, outH;
        std::int32_t most;
        double display;
        std::int32_t scale;
        bool whole;  // the screen drawn at `scale` fits whole
    };
    const Case cases[] = {
        {640, 480, 8, 1.0, 1, true},
        {320, 240, 8, 0.5, 1, false},        // a small window still draws every page unit
        {1280, 800, 8, 800.0 / 480, 2, false},  // a 16:10 laptop, fullscreen
        {1280, 960, 8, 2.0, 2, true},
        {1300, 975, 8, 1300.0 / 640, 3, false},  // a little over 2 is drawn at 3
        {1920, 1080, 8, 2.25, 3, false},      // a full-HD projector
        {3840, 2160, 8, 4.5, 5, false},
        {3840, 2160, 4, 4.5, 4, false},       // no finer than allowed
        {0, 0, 8, 0.0, 1, false},             // minimised
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.outW) + "x" + std::to_string(c.outH));
        const double display = DisplayScale(c.outW, c.outH, 640, 480);
        EXPECT_NEAR(display, c.display, 1e-9);
        const std::int32_t scale = RenderScaleFor(display, c.most);
        EXPECT_EQ(scale, c.scale);
        EXPECT_EQ(WholeFit(FitPicture(c.outW, c.outH, 640 * scale, 480 * scale), 640 * scale, 480 * scale), c.whole);
    }
    // A rounding hair over a whole factor is that factor, as the fit takes it.
    EXPECT_EQ(RenderScaleFor(2.0005, 8), 2);
    EXPECT_EQ(RenderScaleFor(2.002, 8), 3);
}

// Every screen pixel is shown by a run of output pixels as long as the factor rounded down or
// up (never skipped while the factor is at least 1), and every output pixel maps back to the
// pixel it shows.
TEST(PictureFit, EachScreenPixelCoversFloorOrCeilOfTheFactorAndClicksMapBackToIt) {
    for (const std::int32_t outW : {640, 700, 800, 1000, 1024, 1440, 1600, 1920, 2000}) {
        const PictureFit fit = FitPicture(outW, 4000, 640, 480);
        const double factor = static_cast<double>(fit.width) / 640;
        std::vector<std::int32_t> covered(640, 0);
        for (std::int32_t dx = 0; dx < fit.width; ++dx) {
            const ScreenPixel pixel = ScreenPixelAt(fit, fit.x + dx, fit.y);
            ASSERT_TRUE(pixel.inside);
            ASSERT_EQ(pixel.x, fit.columns[static_cast<std::size_t>(dx)]);
            if (dx > 0) {
                ASSERT_LE(fit.columns[static_cast<std::size_t>(dx) - 1], pixel.x) << "in order";
            }
            ++covered[static_cast<std::size_t>(pixel.x)];
        }
        for (std::int32_t x = 0; x < 640; ++x) {
            EXPECT_GE(covered[static_cast<std::size_t>(x)], static_cast<std::int32_t>(factor)) << outW << " " << x;
            EXPECT_LE(covered[static_cast<std::size_t>(x)], static_cast<std::int32_t>(factor) + 1) << outW << " " << x;
        }
        // The output pixel at the centre of a screen pixel's scaled square shows that pixel.
        for (const std::int32_t x : {0, 1, 127, 128, 383, 384, 639}) {
            const auto centre = static_cast<std::int32_t>((x + 0.5) * factor);
            EXPECT_EQ(ScreenPixelAt(fit, fit.x + centre, fit.y).x, x) << outW << " " << x;
        }
    }
}

TEST(PictureFit, OutsideThePictureIsNoPixel) {
    const PictureFit fit = FitPicture(1920, 1080, 800, 600);
    EXPECT_FALSE(ScreenPixelAt(fit, 239, 500).inside);
    EXPECT_FALSE(ScreenPixelAt(fit, 240 + 1440, 500).inside);
    EXPECT_FALSE(ScreenPixelAt(fit, 500, -1).inside);
    EXPECT_FALSE(ScreenPixelAt(fit, 500, 1080).inside);
    const ScreenPixel corner = ScreenPixelAt(fit, 240 + 1439, 1079);
    EXPECT_TRUE(corner.inside);
    EXPECT_EQ(corner.x, 799);
    EXPECT_EQ(corner.y, 599);
    EXPECT_FALSE(ScreenPixelAt(FitPicture(0, 0, 800, 600), 0, 0).inside);
}

TEST(PictureFit, TheFirstWindowKeepsItsZoomUnlessTheDisplayIsSmaller) {
    struct Case { double zoom; std::int32_t areaW, areaH, wantW, wantH; };
    const Case cases[] = {
        {1, 1024, 768, 800, 600},    {0.5, 1024, 768, 400, 300},  {1.5, 1920, 1080, 1200, 900},
        {2, 1024, 768, 1024, 768},   {2, 1000, 700, 933, 700},    {8, 1920, 1032, 1376, 1032},
        {1.5, 0, 0, 1200, 900},  // no display size known
    };
    for (const Case& c : cases) {
        const WindowSize size = ZoomedWindowSize(800, 600, c.zoom, c.areaW, c.areaH);
        EXPECT_EQ(size.width, c.wantW) << c.zoom << " in " << c.areaW;
        EXPECT_EQ(size.height, c.wantH) << c.zoom << " in " << c.areaW;
    }
}

}  // namespace
}  // namespace vekora
