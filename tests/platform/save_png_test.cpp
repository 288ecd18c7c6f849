// VEKD_SAVEPNG: images of every depth written and read back through libpng exactly, and the
// refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>

#include "platform/active_device.h"
#include "tests/support/picture_support.h"
#include "platform/device.h"
#include "vekora.h"
#include "tests/support/temp_path.h"

namespace {

using vekora::testing::ReadPng;

struct DepthCase {
    int bytesPerPixel;
    std::uint32_t (*rgbOf)(std::uint32_t stored);  // the colour a viewer sees for a stored pixel
};

constexpr std::uint32_t Widen(std::uint32_t value, int bits) {
    // Bit replication: the top bits repeat below, so the largest value becomes 255.
    std::uint32_t wide = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits) wide |= shift >= 0 ? value << shift : value >> -shift;
    return wide & 0xFF;
}

const DepthCase Depths[] = {
    {1, [](std::uint32_t v) { return Widen(v >> 5, 3) << 16 | Widen((v >> 2) & 7, 3) << 8 | Widen(v & 3, 2); }},
    {2, [](std::uint32_t v) { return Widen(v >> 11, 5) << 16 | Widen((v >> 5) & 63, 6) << 8 | Widen(v & 31, 5); }},
    {4, [](std::uint32_t v) { return v & 0xFFFFFF; }},
};

// Saves the image and reads it back: every pixel must show the colour it was stored as.
void ExpectEveryPixelComesBack(const DepthCase& depth, VekImage image, int width, int height, const std::string& name) {
    std::int64_t bytes = 0;
    const std::uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
    const std::string path = vekora::testing::TempPath(name);
    ASSERT_EQ(VEKD_SAVEPNG(&image, path.c_str()), 0);
    const vekora::testing::RgbPicture picture = ReadPng(path);
    std::remove(path.c_str());
    ASSERT_EQ(picture.width, static_cast<std::uint32_t>(width));
    ASSERT_EQ(picture.height, static_cast<std::uint32_t>(height));
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t stored = 0;
        std::memcpy(&stored, buffer + 4 + i * depth.bytesPerPixel, static_cast<std::size_t>(depth.bytesPerPixel));
        ASSERT_EQ(picture.At(i % width, i / width), depth.rgbOf(stored)) << "pixel " << i % width << ", " << i / width;
    }
}

// Colour k of a test picture as stored at each depth: colours spread apart.
std::uint32_t StoredColour(const DepthCase& depth, std::uint32_t k) {
    return depth.bytesPerPixel == 1 ? k : depth.bytesPerPixel == 2 ? k * 251 % 65536 : k * 0x010305;
}

class SavePng : public ::testing::TestWithParam<DepthCase> {};

TEST_P(SavePng, EveryPixelComesBackAsShown) {
    const DepthCase depth = GetParam();
    constexpr int Width = 37, Height = 23;  // odd sizes: rows without padding
    VekImage image = VEKD_NEWIMAGE(Width, Height, depth.bytesPerPixel);
    ASSERT_NE(image, nullptr);
    std::int64_t bytes = 0;
    std::uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
    std::mt19937 random(depth.bytesPerPixel);
    for (std::int64_t at = 4; at < bytes; ++at) buffer[at] = static_cast<std::uint8_t>(random());

    ExpectEveryPixelComesBack(depth, image, Width, Height, "save_png_" + std::to_string(depth.bytesPerPixel) + ".png");
    VEKD_FREEIMAGE(image);
}

INSTANTIATE_TEST_SUITE_P(Depths, SavePng, ::testing::ValuesIn(Depths),
                         [](const auto& info) { return std::to_string(info.param.bytesPerPixel) + "Bytes"; });

// Pictures of few colours are written through a palette of as few bits as they need: every
// count on either side of 1, 2, 4 and 8 bits comes back exactly.
class SavePngColours : public ::testing::TestWithParam<std::tuple<DepthCase, int>> {};

TEST_P(SavePngColours, EveryPixelComesBackAsShown) {
    const auto [depth, wanted] = GetParam();
    const int colours = depth.bytesPerPixel == 1 ? std::min(wanted, 256) : wanted;
    constexpr int Width = 41, Height = 29;
    VekImage image = VEKD_NEWIMAGE(Width, Height, depth.bytesPerPixel);
    ASSERT_NE(image, nullptr);
    std::int64_t bytes = 0;
    std::uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
    std::mt19937 random(static_cast<unsigned>(colours));
    for (int i = 0; i < Width * Height; ++i) {
        // Every colour at least once, then at random; colour k is stored as k spread apart.
        const auto k = static_cast<std::uint32_t>(i < colours ? i : static_cast<int>(random() % static_cast<unsigned>(colours)));
        const std::uint32_t stored = StoredColour(depth, k);
        std::memcpy(buffer + 4 + i * depth.bytesPerPixel, &stored, static_cast<std::size_t>(depth.bytesPerPixel));
    }
    ExpectEveryPixelComesBack(depth, image, Width, Height, "save_png_colours.png");
    VEKD_FREEIMAGE(image);
}

INSTANTIATE_TEST_SUITE_P(Counts, SavePngColours,
                         ::testing::Combine(::testing::ValuesIn(Depths), ::testing::Values(1, 2, 3, 5, 16, 17, 256, 257)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param).bytesPerPixel) + "Bytes" +
                                    std::to_string(std::get<1>(info.param)) + "Colours";
                         });

// Line art lies in runs of one colour, which the writer passes over a word at a time: runs of
// every length from one pixel up, ending inside and at the edges of those words, in rows of
// every width around a word's worth of pixels and of a screen's width, come back exactly.
class SavePngRuns : public ::testing::TestWithParam<std::tuple<DepthCase, int>> {};

TEST_P(SavePngRuns, EveryPixelComesBackAsShown) {
    const auto [depth, colours] = GetParam();
    for (const int width : {1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 33, 645}) {
        SCOPED_TRACE("width " + std::to_string(width));
        constexpr int Height = 13;
        VekImage image = VEKD_NEWIMAGE(width, Height, depth.bytesPerPixel);
        ASSERT_NE(image, nullptr);
        std::int64_t bytes = 0;
        std::uint8_t* buffer = VEKD_IMAGEBUFFER(image, &bytes);
        std::mt19937 random(static_cast<unsigned>(width * 31 + colours));
        for (int i = 0; i < width * Height;) {
            // Mostly short runs, now and then one across several words.
            const int run = random() % 4 == 0 ? 20 + static_cast<int>(random() % 60) : 1 + static_cast<int>(random() % 9);
            const std::uint32_t stored = StoredColour(depth, static_cast<std::uint32_t>(random() % static_cast<unsigned>(colours)));
            for (const int end = std::min(i + run, width * Height); i < end; ++i) {
                std::memcpy(buffer + 4 + i * depth.bytesPerPixel, &stored, static_cast<std::size_t>(depth.bytesPerPixel));
            }
        }
        ExpectEveryPixelComesBack(depth, image, width, Height, "save_png_runs.png");
        VEKD_FREEIMAGE(image);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, SavePngRuns,
                         ::testing::Combine(::testing::ValuesIn(Depths), ::testing::Values(2, 3, 9, 200)),
                         [](const auto& info) {
                             return std::to_string(std::get<0>(info.param).bytesPerPixel) + "Bytes" +
                                    std::to_string(std::get<1>(info.param)) + "Colours";
                         });

TEST(SavePngRefusals, NothingToWriteOrNowhereToWriteIt) {
    VekImage image = VEKD_NEWIMAGE(4, 4, 2);
    EXPECT_EQ(VEKD_SAVEPNG(&image, nullptr), -1);
    EXPECT_EQ(VEKD_SAVEPNG(&image, "/nonexistent-folder/picture.png"), -2);
    VEKD_FREEIMAGE(image);
    // The screen, with no device and so no screen open.
    vekora::Device* active = vekora::ActiveDevice();
    vekora::SetActiveDevice(nullptr);
    const std::string path = vekora::testing::TempPath("save_png_screen.png");
    EXPECT_EQ(VEKD_SAVEPNG(nullptr, path.c_str()), -1);
    VekImage none = nullptr;
    EXPECT_EQ(VEKD_SAVEPNG(&none, path.c_str()), -1);
    vekora::SetActiveDevice(active);
}

}  // namespace
