// The logo and the window icon as the program carries them: image buffers of the promised
// sizes and depths, with a picture in them (a wordmark and an emblem, smooth edges), not a
// blank or flat box.
#include <gtest/gtest.h>

#include <set>

#include "draw/image.h"
#include "interp/resident.h"
#include "resources/embedded.h"

namespace vekora {
namespace {

struct Rgb {
    std::uint32_t r, g, b;
};

Rgb FromPixel16(std::uint32_t pixel) {
    return {(pixel >> 11) * 255 / 31, ((pixel >> 5) & 63) * 255 / 63, (pixel & 31) * 255 / 31};
}

TEST(Pictures, TheLogoIsA215By60SixteenBitImageBuffer) {
    const EmbeddedResource* logo = FindEmbeddedResource("myBMP", "logo16");
    ASSERT_NE(logo, nullptr);
    ASSERT_EQ(logo->bytes.size(), std::size_t{4 + 215 * 60 * 2});
    EXPECT_EQ(logo->bytes[0] | (logo->bytes[1] << 8), (215 << 3) | 2);
    EXPECT_EQ(logo->bytes[2] | (logo->bytes[3] << 8), 60);
    const SurfaceSize size = SurfaceInfo(Resident().logo);
    EXPECT_EQ(size.width, 215);
    EXPECT_EQ(size.height, 60);
    EXPECT_EQ(size.bytesPerPixel, 2);
}

TEST(Pictures, TheLogoShowsALightWordmarkAndAGoldEmblemOnADarkGround) {
    const ImageHandle logo = Resident().logo;
    ASSERT_NE(logo, nullptr);
    std::set<std::uint32_t> shades;
    int light = 0, gold = 0, dark = 0;
    for (std::int32_t y = 0; y < 60; ++y) {
        for (std::int32_t x = 0; x < 215; ++x) {
            const std::uint32_t pixel = PixelValue(logo, x, y);
            shades.insert(pixel);
            const Rgb c = FromPixel16(pixel);
            light += c.r > 230 && c.g > 230 && c.b > 230;
            gold += c.r > 200 && c.g > 140 && c.g < 210 && c.b < 110;
            dark += c.r < 60 && c.g < 90 && c.b < 140;
        }
    }
    EXPECT_GT(shades.size(), 200u) << "smooth edges and a shaded ground, not a flat box";
    EXPECT_GT(dark, 215 * 60 / 2) << "the ground";
    EXPECT_GT(light, 400) << "the wordmark";
    EXPECT_GT(gold, 60) << "the emblem";
    // The wordmark lies right of the emblem.
    int lightRight = 0;
    for (std::int32_t y = 0; y < 60; ++y)
        for (std::int32_t x = 70; x < 215; ++x) {
            const Rgb c = FromPixel16(PixelValue(logo, x, y));
            lightRight += c.r > 230 && c.g > 230 && c.b > 230;
        }
    EXPECT_GT(lightRight, 300);
}

TEST(Pictures, TheIconIsRoundedWithSoftEdgesOnATransparentGround) {
    const ImageHandle icon = Resident().icon;
    ASSERT_NE(icon, nullptr);
    const SurfaceSize size = SurfaceInfo(icon);
    ASSERT_EQ(size.bytesPerPixel, 4);
    ASSERT_EQ(size.width, 64);
    ASSERT_EQ(size.height, 64);
    const auto alpha = [icon](std::int32_t x, std::int32_t y) { return PixelValue(icon, x, y) >> 24; };
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{63, 0}, std::pair{0, 63}, std::pair{63, 63}, std::pair{2, 2}})
        EXPECT_EQ(alpha(x, y), 0u) << x << "," << y;
    EXPECT_EQ(alpha(32, 32), 255u);
    EXPECT_EQ(alpha(32, 2), 255u);
    int soft = 0;
    std::set<std::uint32_t> colours;
    for (std::int32_t y = 0; y < 64; ++y)
        for (std::int32_t x = 0; x < 64; ++x) {
            soft += alpha(x, y) > 0 && alpha(x, y) < 255;
            colours.insert(PixelValue(icon, x, y) & 0xFFFFFF);
        }
    EXPECT_GT(soft, 20) << "anti-aliased rounded corners";
    EXPECT_GT(colours.size(), 100u);
}

}  // namespace
}  // namespace vekora
