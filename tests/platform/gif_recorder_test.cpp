// Recording a headless run: an animated GIF, to a file or to memory (checked with a second
// decoder, ImageMagick), its LZW at every code size and through full string tables, and a
// folder of frames; and the palettes of frames with few and with many colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/active_device.h"
#include "draw/image_surface.h"
#include "tests/support/picture_support.h"
#include "platform/frames_writer.h"
#include "platform/gif_lzw.h"
#include "platform/gif_recorder.h"
#include "platform/headless_device.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

// The colours the screen shows, row after row.
std::vector<std::uint32_t> ScreenColours() {
    const Surface screen = ResolveSurface(TargetOrScreen(nullptr));
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) pixels.push_back(PixelRgb(screen, x, y));
    }
    return pixels;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Three frames on a 16-bit 64 x 48 screen: white for 1 s, a blue box for 0.5 s, then a red
// line added for 0.3 s; in between, polls that change nothing. Returns the recorder's error.
template <typename Recorder>
std::string RecordRun(Recorder& recorder, std::vector<std::vector<std::uint32_t>>& shown) {
    HeadlessDevice device;
    SetActiveDevice(&device);
    device.AddClockObserver(&recorder);
    ScreenOpen(64, 48, 16);
    const auto keep = [&shown] { shown.push_back(ScreenColours()); };
    RasterLine(TargetOrScreen(nullptr), 0, 0, 63, 47, 0xFFFFFF, LineKind::FilledBox, 0xFFFF);
    keep();
    SleepMs(1000);
    RasterLine(TargetOrScreen(nullptr), 10, 10, 30, 20, 0x0000FF, LineKind::FilledBox, 0xFFFF);
    keep();
    for (int i = 0; i < 250; ++i) MouseState();
    SleepMs(250);
    RasterLine(TargetOrScreen(nullptr), 0, 47, 63, 0, 0xFF0000, LineKind::Line, 0xFFFF);
    keep();
    SleepMs(300);
    const std::string error = recorder.Close(device.ClockSeconds());
    SetActiveDevice(nullptr);
    return error;
}

// The colours ImageMagick decodes from every frame of a GIF, frame after frame.
std::vector<std::uint32_t> DecodedGif(const std::string& path) {
    const std::string rgb = testing::CommandOutput("convert " + path + " -coalesce rgb:-");
    std::vector<std::uint32_t> colours;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(&rgb[i]);
        colours.push_back((static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2]);
    }
    return colours;
}

// A strict LZW decoder: the indices of one frame's image data, or nothing when the codes are
// not read back whole (a code out of the table, or no end code at the width a decoder reads
// it, or more than padding after it).
std::vector<std::uint8_t> DecodeLzw(const std::vector<std::uint8_t>& data, int codeSize) {
    const std::uint32_t clear = 1u << codeSize, end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    int bits = 0;
    const auto reset = [&] {
        table.assign(clear + 2, {});
        for (std::uint32_t i = 0; i < clear; ++i) table[i] = {static_cast<std::uint8_t>(i)};
        bits = codeSize + 1;
    };
    reset();
    std::vector<std::uint8_t> out;
    std::size_t at = 0;  // in bits
    std::int64_t previous = -1;
    while (at + static_cast<std::size_t>(bits) <= data.size() * 8) {
        std::uint32_t code = 0;
        for (int bit = 0; bit < bits; ++bit, ++at) code |= ((data[at / 8] >> (at % 8)) & 1u) << bit;
        if (code == clear) {
            reset();
            previous = -1;
            continue;
        }
        if (code == end) return data.size() * 8 - at < 8 ? out : std::vector<std::uint8_t>{};
        std::vector<std::uint8_t> entry;
        if (code < table.size() && !table[code].empty()) {
            entry = table[code];
        } else if (code == table.size() && previous >= 0) {
            entry = table[previous];
            entry.push_back(entry[0]);
        } else {
            return {};
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (previous >= 0 && table.size() < 4096) {
            table.push_back(table[previous]);
            table.back().push_back(entry[0]);
        }
        if (table.size() == (1u << bits) && bits < 12) ++bits;
        previous = code;
    }
    return {};
}

// The data of the sub-blocks from `at` up to their terminator; `at` is left behind it.
std::vector<std::uint8_t> SubBlocks(const std::vector<std::uint8_t>& bytes, std::size_t& at) {
    std::vector<std::uint8_t> data;
    while (const std::size_t length = bytes.at(at++)) {
        if (at + length > bytes.size()) return {};
        data.insert(data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    return data;
}

struct GifFrame {
    std::uint32_t left = 0, top = 0, width = 0, height = 0, delay = 0;
    std::vector<std::uint32_t> colours;  // of the rectangle, row after row
};

// The frames of a GIF with local colour tables only, read strictly; a frame whose image data
// does not decode has no colours.
std::vector<GifFrame> ParseGif(const std::vector<std::uint8_t>& bytes) {
    std::size_t at = 13;
    const auto word = [&](std::size_t from) { return static_cast<std::uint32_t>(bytes.at(from) | bytes.at(from + 1) << 8); };
    std::vector<GifFrame> frames;
    std::uint32_t delay = 0;
    while (at < bytes.size() && bytes[at] != 0x3B) {
        const std::uint8_t kind = bytes.at(at++);
        if (kind == 0x21) {
            const std::uint8_t label = bytes.at(at++);
            const std::vector<std::uint8_t> data = SubBlocks(bytes, at);
            if (label == 0xF9) delay = data.at(1) | data.at(2) << 8;
            continue;
        }
        if (kind != 0x2C) return {};
        GifFrame frame{word(at), word(at + 2), word(at + 4), word(at + 6), delay, {}};
        const std::uint8_t packed = bytes.at(at + 8);
        const std::size_t table = at + 9;
        at = table + (std::size_t{3} << ((packed & 7) + 1));
        const int codeSize = bytes.at(at++);
        for (const std::uint8_t index : DecodeLzw(SubBlocks(bytes, at), codeSize)) {
            const std::size_t entry = table + 3u * index;
            frame.colours.push_back(static_cast<std::uint32_t>(bytes.at(entry)) << 16 | bytes.at(entry + 1) << 8 | bytes.at(entry + 2));
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

// Rows of every length up to 700 at the smallest and largest code sizes: the codes end at
// every width the decoder can be at, and both rows and the stride are kept to.
TEST(GifLzw, EveryLengthDecodesStrictly) {
    std::mt19937 random(7);
    for (const int codeSize : {2, 8}) {
        std::uniform_int_distribution<int> pick(0, (1 << codeSize) - 1);
        for (std::size_t width = 1; width <= 700; ++width) {
            std::vector<std::uint8_t> pixels(width * 3);
            for (std::uint8_t& pixel : pixels) pixel = static_cast<std::uint8_t>(pick(random));
            // Two rows of `width`, the third row of the buffer left out.
            std::vector<std::uint8_t> out;
            AppendLzwImageData(out, codeSize, IndexRows{pixels.data(), width / 2 + 1, 2, width});
            ASSERT_EQ(out.at(0), codeSize);
            std::size_t at = 1;
            const std::vector<std::uint8_t> decoded = DecodeLzw(SubBlocks(out, at), codeSize);
            ASSERT_EQ(at, out.size()) << "code size " << codeSize << ", width " << width;
            std::vector<std::uint8_t> expected(pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(width / 2 + 1));
            expected.insert(expected.end(), pixels.begin() + static_cast<std::ptrdiff_t>(width),
                            pixels.begin() + static_cast<std::ptrdiff_t>(width + width / 2 + 1));
            ASSERT_EQ(decoded, expected) << "code size " << codeSize << ", width " << width;
        }
    }
}

TEST(GifRecorder, WritesALoopingGifThatDecodesToTheFramesShown) {
    const std::string path = vekora::testing::TempPath("recording.gif");
    GifRecorder recorder(path, 25);
    std::vector<std::vector<std::uint32_t>> shown;
    ASSERT_EQ(RecordRun(recorder, shown), "");
    if (testing::CommandOutput("command -v identify").empty()) GTEST_SKIP() << "ImageMagick is not installed";
    // Samples fall every 40 ms: the red line drawn at 1.5 s first shows at the sample of 1.52 s.
    // Delays, and the rectangles drawn: the whole screen, the blue box, the whole diagonal.
    EXPECT_EQ(testing::CommandOutput("identify -format '%T %W %H %w %h %X %Y|' " + path),
              "100 64 48 64 48 +0 +0|52 64 48 21 11 +10 +10|28 64 48 64 48 +0 +0|");
    EXPECT_NE(testing::CommandOutput("identify -verbose " + path + "[0]").find("Iterations: 0"), std::string::npos);
    const std::vector<std::uint32_t> colours = DecodedGif(path);
    ASSERT_EQ(colours.size(), 3u * 64 * 48);
    for (std::size_t frame = 0; frame < 3; ++frame) {
        for (std::size_t i = 0; i < 64 * 48; ++i) {
            ASSERT_EQ(colours[frame * 64 * 48 + i], shown[frame][i]) << "frame " << frame << " pixel " << i;
        }
    }
}

TEST(GifRecorder, LongFramesAndPaletteChangesStayExact) {
    const std::string path = vekora::testing::TempPath("palettes.gif");
    GifRecorder recorder(path, 10);
    HeadlessDevice device;
    SetActiveDevice(&device);
    device.AddClockObserver(&recorder);
    ScreenOpen(40, 20, 32);
    // 800 colours: more than a palette holds, shown for 700 s (longer than one GIF delay).
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < 20; ++y) RasterPixel(TargetOrScreen(nullptr), x, y, static_cast<std::uint32_t>(x * 20 + y) * 0x050301);
    }
    SleepMs(700000);
    // Then few colours again: the palette is rebuilt and the frame must still decode exactly.
    RasterLine(TargetOrScreen(nullptr), 0, 0, 39, 19, 0x804020, LineKind::FilledBox, 0xFFFF);
    RasterLine(TargetOrScreen(nullptr), 0, 0, 39, 19, 0x10E0F0, LineKind::Line, 0xFFFF);
    SleepMs(1000);
    ASSERT_EQ(recorder.Close(device.ClockSeconds()), "");
    SetActiveDevice(nullptr);
    if (testing::CommandOutput("command -v identify").empty()) GTEST_SKIP() << "ImageMagick is not installed";
    EXPECT_EQ(testing::CommandOutput("identify -format '%T|' " + path), "65535|4465|100|");
    const std::vector<std::uint32_t> colours = DecodedGif(path);
    ASSERT_EQ(colours.size(), 3u * 40 * 20);
    const std::size_t last = 2 * 40 * 20;
    EXPECT_EQ(colours[last], 0x10E0F0u);
    EXPECT_EQ(colours[last + 39], 0x804020u);
    EXPECT_EQ(colours[last + 19 * 40 + 39], 0x10E0F0u);
}

// A 16-bit screen that gains one colour a frame: each frame adds only its small box to the
// palette, until the palette is full and the recorder maps whole frames with nearest colours;
// clearing the screen then brings exact frames back. Every frame of at most 256 colours
// decodes exactly.
TEST(GifRecorder, ChangedPixelsAreMappedExactlyUntilThePaletteIsFull) {
    const std::string path = vekora::testing::TempPath("growing.gif");
    GifRecorder recorder(path, 10);
    HeadlessDevice device;
    SetActiveDevice(&device);
    device.AddClockObserver(&recorder);
    ScreenOpen(64, 48, 16);
    std::vector<std::vector<std::uint32_t>> shown;
    constexpr int Boxes = 300;
    for (int box = 0; box <= Boxes; ++box) {
        if (box == Boxes) {
            RasterLine(TargetOrScreen(nullptr), 0, 0, 63, 47, 0x204080, LineKind::FilledBox, 0xFFFF);
        } else {
            const int x = box % 32 * 2, y = box / 32 * 4;
            RasterLine(TargetOrScreen(nullptr), x, y, x + 1, y + 3, static_cast<std::uint32_t>(box) * 0x0810C8 + 0x100000,
                       LineKind::FilledBox, 0xFFFF);
        }
        shown.push_back(ScreenColours());
        SleepMs(100);
    }
    ASSERT_EQ(recorder.Close(device.ClockSeconds()), "");
    SetActiveDevice(nullptr);
    if (testing::CommandOutput("command -v identify").empty()) GTEST_SKIP() << "ImageMagick is not installed";
    const std::vector<std::uint32_t> colours = DecodedGif(path);
    ASSERT_EQ(colours.size(), shown.size() * 64 * 48);
    const auto distinctColours = [](std::vector<std::uint32_t> pixels) {
        std::sort(pixels.begin(), pixels.end());
        return std::unique(pixels.begin(), pixels.end()) - pixels.begin();
    };
    ASSERT_GT(distinctColours(shown[Boxes - 1]), GifPaletteSize) << "the palette must overflow";
    std::size_t exactFrames = 0;
    for (std::size_t frame = 0; frame < shown.size(); ++frame) {
        if (distinctColours(shown[frame]) > GifPaletteSize) continue;
        ++exactFrames;
        for (std::size_t i = 0; i < 64 * 48; ++i) {
            ASSERT_EQ(colours[frame * 64 * 48 + i], shown[frame][i]) << "frame " << frame << " pixel " << i;
        }
    }
    EXPECT_GT(exactFrames, 200u);
}

// The browser build keeps its GIF in memory: the same bytes as the file.
TEST(GifRecorder, InMemoryHoldsTheBytesOfTheFile) {
    const std::string path = vekora::testing::TempPath("memory.gif");
    GifRecorder toFile(path, 25), toMemory(25);
    std::vector<std::vector<std::uint32_t>> shown;
    ASSERT_EQ(RecordRun(toFile, shown), "");
    ASSERT_EQ(RecordRun(toMemory, shown), "");
    const std::vector<std::uint8_t> bytes = toMemory.TakeBytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ReadAll(path));
    EXPECT_GT(bytes.size(), 100u);
}

TEST(GifRecorder, NothingShownIsReported) {
    const std::string path = vekora::testing::TempPath("empty.gif");
    std::filesystem::remove(path);
    GifRecorder toFile(path, 25), toMemory(25);
    EXPECT_NE(toFile.Close(1.0), "");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_NE(toMemory.Close(1.0), "");
    EXPECT_TRUE(toMemory.TakeBytes().empty());
}

// One still picture of random pixels from `colours` colours (or one colour all over): each
// colour table size gives its own LZW code size (2 to 8 bits), and pictures past 4094 codes
// clear the string table, some of them more than once. Each must decode exactly with a
// strict decoder, and with ImageMagick's.
TEST(GifRecorder, LzwDecodesAtEveryCodeSizeAndAcrossTableClears) {
    struct Case {
        int colours, width, height;
    };
    const Case cases[] = {{1, 900, 700}, {2, 300, 200}, {3, 200, 150}, {5, 200, 150}, {16, 160, 120}, {100, 120, 100}, {256, 160, 120}};
    for (const Case& c : cases) {
        const std::string path = vekora::testing::TempPath("lzw-" + std::to_string(c.colours) + ".gif");
        GifRecorder recorder(path, 10), inMemory(10);
        HeadlessDevice device;
        SetActiveDevice(&device);
        device.AddClockObserver(&recorder);
        device.AddClockObserver(&inMemory);
        ScreenOpen(c.width, c.height, 32);
        std::mt19937 random(static_cast<std::uint32_t>(c.colours));
        std::uniform_int_distribution<int> pick(0, c.colours - 1);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                RasterPixel(TargetOrScreen(nullptr), x, y, static_cast<std::uint32_t>(pick(random)) * 0x010203 + 0x102030);
            }
        }
        const std::vector<std::uint32_t> shown = ScreenColours();
        SleepMs(500);
        ASSERT_EQ(recorder.Close(device.ClockSeconds()), "");
        ASSERT_EQ(inMemory.Close(device.ClockSeconds()), "");
        SetActiveDevice(nullptr);
        const std::vector<GifFrame> frames = ParseGif(inMemory.TakeBytes());
        ASSERT_EQ(frames.size(), 1u) << c.colours << " colours";
        EXPECT_EQ(frames[0].colours, shown) << c.colours << " colours";
        if (testing::CommandOutput("command -v identify").empty()) GTEST_SKIP() << "ImageMagick is not installed";
        const std::vector<std::uint32_t> colours = DecodedGif(path);
        ASSERT_EQ(colours.size(), shown.size()) << c.colours << " colours";
        for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(colours[i], shown[i]) << c.colours << " colours, pixel " << i;
    }
}

TEST(FramesWriter, WritesEachChangedFrameOnce) {
    const std::filesystem::path folder = std::filesystem::path(vekora::testing::TempPath("frames"));
    std::filesystem::remove_all(folder);
    FramesWriter writer(folder.string(), 25);
    std::vector<std::vector<std::uint32_t>> shown;
    ASSERT_EQ(RecordRun(writer, shown), "");
    for (int frame = 0; frame < 3; ++frame) {
        const testing::RgbPicture picture = testing::ReadPng((folder / ("frame-0000" + std::to_string(frame) + ".png")).string());
        ASSERT_EQ(picture.width, 64u) << frame;
        EXPECT_EQ(picture.At(20, 15), shown[frame][15 * 64 + 20]);
        EXPECT_EQ(picture.At(0, 47), shown[frame][47 * 64]);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "frame-00003.png"));
}

TEST(GifPalette, ExactUpTo256ColoursNearestBeyond) {
    GifPalette palette;
    std::vector<std::uint32_t> few;
    for (std::uint32_t i = 0; i < 256; ++i) few.push_back(i * 0x010101);
    std::vector<std::uint8_t> indices;
    palette.Map(few, indices);
    std::vector<std::uint8_t> bytes = palette.Bytes();
    for (std::size_t i = 0; i < few.size(); ++i) {
        const std::uint8_t* entry = &bytes[indices[i] * 3u];
        EXPECT_EQ((static_cast<std::uint32_t>(entry[0]) << 16) | (entry[1] << 8) | entry[2], few[i]);
    }
    // Frequent colours stay exact; a rare one takes its nearest.
    std::vector<std::uint32_t> many(4000, 0xFFFFFF);
    for (std::uint32_t i = 0; i < 300; ++i) many.push_back(i << 8);
    many.push_back(0x00FF08);
    EXPECT_FALSE(palette.Map(many, indices));
    bytes = palette.Bytes();
    EXPECT_EQ(bytes.size(), 256u * 3);
    const std::uint8_t* white = &bytes[indices[0] * 3u];
    EXPECT_EQ(white[0] + white[1] + white[2], 3 * 255);
    const std::uint8_t* rare = &bytes[indices.back() * 3u];
    EXPECT_EQ(rare[0], 0);
    EXPECT_GE(rare[1], 250);
    // A later frame whose colours fit keeps the indices.
    std::vector<std::uint8_t> again;
    EXPECT_TRUE(palette.Map({0xFFFFFF, 0x000100}, again));
    EXPECT_EQ(again[0], indices[0]);
}

}  // namespace
}  // namespace vekora
