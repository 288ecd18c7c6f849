// Every frame a lesson shows, compared with the frames it showed when its golden list was
// made: trails (also over a circle that moves, and in the transparent colour), a SLOW film
// and a drag, played headless with --frames and recorded with
// --record as a GIF. The golden lists hold one line a frame (file name or delay, and a hash
// of its colours), so a frame that changes by one pixel or a hundredth of a second fails.
//
// To make the lists again after a change meant to alter pictures (or with another build,
// given as VEKORA_FRAMES_PROGRAM):
//   VEKORA_UPDATE_FRAMES=1 build/tests/frames/test_frames
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_path.h"

namespace {

namespace fs = std::filesystem;

const fs::path Source = VEKORA_SOURCE_DIR;

std::string Program() {
    const char* other = std::getenv("VEKORA_FRAMES_PROGRAM");
    return other != nullptr ? other : VEKORA_PROGRAM;
}

// FNV-1a over the picture's colours, row by row.
std::string ColourHash(const fs::path& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, png.c_str()) == 0) return "unreadable";
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return "unreadable";
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : rgb) hash = (hash ^ byte) * 1099511628211ull;
    char text[40];
    std::snprintf(text, sizeof text, "%ux%u %016llx", image.width, image.height, static_cast<unsigned long long>(hash));
    return text;
}

struct Lesson {
    std::string name;
    fs::path script;
    fs::path events;  // empty: none
    int untilMs;
};

std::vector<Lesson> Lessons() {
    const fs::path lessons = Source / "tests" / "frames" / "lessons";
    const fs::path examples = Source / "examples";
    return {
        {"two_trails", lessons / "two_trails.vek", lessons / "two_trails.events", 22000},
        {"stepped_trails", lessons / "stepped_trails.vek", lessons / "stepped_trails.events", 24000},
        {"instruments", examples / "instruments.vek", examples / "instruments.events", 60000},
        {"drag_triangle", examples / "drag_triangle.vek", examples / "drag_triangle.events", 60000},
        // Without events: every wait for the viewer is answered after 3 s.
        {"waits", lessons / "waits.vek", {}, 120000},
    };
}

// The frames the program writes for the lesson, one line each.
std::string FrameList(const Lesson& lesson) {
    const fs::path folder = fs::path(vekora::testing::TempPath("frames-" + lesson.name));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string command = "'" + Program() + "' --lang C --headless --no-logo --until " + std::to_string(lesson.untilMs);
    if (!lesson.events.empty()) command += " --events '" + lesson.events.string() + "'";
    command += " --frames '" + folder.string() + "' '" + lesson.script.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return "the program failed: " + command;
    std::vector<fs::path> frames;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".png") frames.push_back(entry.path());
    std::sort(frames.begin(), frames.end());
    std::ostringstream list;
    for (const fs::path& frame : frames) list << frame.filename().string() << " " << ColourHash(frame) << "\n";
    fs::remove_all(folder);
    return list.str();
}

// The frames of the lesson's GIF as a viewer sees them, one line each: the delay in
// hundredths of a second and the colours of the whole picture. Frames that show the same
// picture one after the other are one line with their delays added, as they look the same.
std::string GifFrameList(const Lesson& lesson) {
    const fs::path gif = fs::path(vekora::testing::TempPath("frames-" + lesson.name + ".gif"));
    std::string command = "'" + Program() + "' --lang C --headless --no-logo --until " + std::to_string(lesson.untilMs);
    if (!lesson.events.empty()) command += " --events '" + lesson.events.string() + "'";
    command += " --record '" + gif.string() + "' '" + lesson.script.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return "the program failed: " + command;
    const auto output = [](const std::string& shell) {
        std::string text;
        FILE* pipe = popen(shell.c_str(), "r");
        if (pipe == nullptr) return text;
        char buffer[1 << 16];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
        return text;
    };
    std::istringstream delays(output("identify -format '%T %W %H\\n' '" + gif.string() + "'"));
    const std::string pixels = output("convert '" + gif.string() + "' -coalesce -depth 8 rgb:-");
    fs::remove(gif);
    std::ostringstream list;
    std::size_t at = 0;
    std::uint64_t shownHash = 0;
    long shownDelay = -1;
    std::string size;
    for (long delay, width, height; delays >> delay >> width >> height;) {
        const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
        if (at + bytes > pixels.size()) return "the GIF could not be decoded";
        std::uint64_t hash = 14695981039346656037ull;
        for (std::size_t i = at; i < at + bytes; ++i) hash = (hash ^ static_cast<std::uint8_t>(pixels[i])) * 1099511628211ull;
        at += bytes;
        if (shownDelay >= 0 && hash == shownHash) {
            shownDelay += delay;
            continue;
        }
        if (shownDelay >= 0) list << size << " " << shownDelay << " " << std::hex << shownHash << std::dec << "\n";
        size = std::to_string(width) + "x" + std::to_string(height);
        shownHash = hash;
        shownDelay = delay;
    }
    if (shownDelay >= 0) list << size << " " << shownDelay << " " << std::hex << shownHash << std::dec << "\n";
    return list.str();
}

void ExpectGoldenList(const std::string& frames, const std::string& goldenName);

class RecordedFrames : public ::testing::TestWithParam<Lesson> {};

TEST_P(RecordedFrames, AreTheFramesOfTheGoldenList) { ExpectGoldenList(FrameList(GetParam()), GetParam().name + ".frames"); }

TEST_P(RecordedFrames, AreTheGifFramesOfTheGoldenList) {
    ExpectGoldenList(GifFrameList(GetParam()), GetParam().name + ".gif.frames");
}

void ExpectGoldenList(const std::string& frames, const std::string& goldenName) {
    const fs::path golden = Source / "tests" / "frames" / "golden" / goldenName;
    if (std::getenv("VEKORA_UPDATE_FRAMES") != nullptr) {
        std::ofstream(golden, std::ios::binary) << frames;
        GTEST_SKIP() << "wrote " << golden;
    }
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no golden list " << golden;
    const std::string expected((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(std::count(expected.begin(), expected.end(), '\n'), 10) << "a golden list of a few frames proves little";
    // Line by line, so that a failure names the first frame that differs.
    std::istringstream want(expected), got(frames);
    std::string wanted, seen;
    int line = 0;
    while (std::getline(want, wanted)) {
        ++line;
        ASSERT_TRUE(std::getline(got, seen)) << "only " << line - 1 << " frames";
        ASSERT_EQ(seen, wanted) << "frame line " << line;
    }
    EXPECT_FALSE(std::getline(got, seen)) << "more frames than the golden list: " << seen;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A lesson that waits for its viewer (WAITs, a menu, an ANIMATION's pause, an INTERACTION),
// filmed without an event file, plays to its end: its frames.tsv gives when every frame
// appears and how long it stays (the golden list), and the GIF of the same run shows each
// frame exactly that long.
TEST(FilmWithoutEvents, PlaysToTheEndAndFramesTsvGivesTheGifDelays) {
    const fs::path script = Source / "tests" / "frames" / "lessons" / "waits.vek";
    const fs::path folder = fs::path(vekora::testing::TempPath("frames-tsv"));
    const fs::path gif = fs::path(vekora::testing::TempPath("frames-tsv.gif"));
    const fs::path errors = fs::path(vekora::testing::TempPath("frames-tsv.err"));
    fs::remove_all(folder);
    const std::string run = "'" + Program() + "' --headless --no-logo --until 120000 --frames '" + folder.string() +
                            "' --record '" + gif.string() + "' '" + script.string() + "' 2>'" + errors.string() + "'";
    ASSERT_EQ(std::system(run.c_str()), 0) << run;
    EXPECT_EQ(ReadText(errors), "") << "the run did not end by itself";
    const std::string index = ReadText(folder / "frames.tsv");
    ExpectGoldenList(index, "waits.frames.tsv");

    FILE* pipe = popen(("identify -format '%T\\n' '" + gif.string() + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<long> delays;
    for (long delay; std::fscanf(pipe, "%ld", &delay) == 1;) delays.push_back(delay);
    pclose(pipe);
    std::istringstream rows(index);
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "file\tappears_ms\tstays_ms");
    std::size_t frame = 0;
    for (std::string file; rows >> file;) {
        long appears = 0, stays = 0;
        rows >> appears >> stays;
        ASSERT_LT(frame, delays.size()) << file;
        // The GIF keeps hundredths, rounded on the clock.
        const auto centiseconds = [](long ms) { return std::lround(ms / 10.0); };
        EXPECT_EQ(centiseconds(appears + stays) - centiseconds(appears), delays[frame]) << file << " appears at " << appears;
        EXPECT_TRUE(fs::exists(folder / file)) << file;
        ++frame;
    }
    EXPECT_EQ(frame, delays.size());
    fs::remove_all(folder);
    fs::remove(gif);
    fs::remove(errors);
}

INSTANTIATE_TEST_SUITE_P(Lessons, RecordedFrames, ::testing::ValuesIn(Lessons()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
