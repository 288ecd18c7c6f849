// Every frame a lesson shows, compared with the frames it showed when its golden list was
// made: a trail, a SLOW film and a drag, played headless with --frames. The golden lists
// hold one line a frame (file name and a hash of its colours), so a frame that changes by
// one pixel fails.
//
// To make the lists again after a change meant to alter pictures (or with another build,
// given as VEKORA_FRAMES_PROGRAM):
//   VEKORA_UPDATE_FRAMES=1 build/tests/frames/test_frames
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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
        {"two_trails", lessons / "two_trails.vek", lessons / "two_trails.events", 20000},
        {"instruments", examples / "instruments.vek", examples / "instruments.events", 60000},
        {"drag_triangle", examples / "drag_triangle.vek", examples / "drag_triangle.events", 60000},
    };
}

// The frames the program writes for the lesson, one line each.
std::string FrameList(const Lesson& lesson) {
    const fs::path folder = fs::path(::testing::TempDir()) / ("vekora-frames-" + lesson.name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::string command = "'" + Program() + "' --headless --no-logo --until " + std::to_string(lesson.untilMs);
    if (!lesson.events.empty()) command += " --events '" + lesson.events.string() + "'";
    command += " --frames '" + folder.string() + "' '" + lesson.script.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return "the program failed: " + command;
    std::vector<fs::path> frames;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) frames.push_back(entry.path());
    std::sort(frames.begin(), frames.end());
    std::ostringstream list;
    for (const fs::path& frame : frames) list << frame.filename().string() << " " << ColourHash(frame) << "\n";
    fs::remove_all(folder);
    return list.str();
}

class RecordedFrames : public ::testing::TestWithParam<Lesson> {};

TEST_P(RecordedFrames, AreTheFramesOfTheGoldenList) {
    const Lesson& lesson = GetParam();
    const fs::path golden = Source / "tests" / "frames" / "golden" / (lesson.name + ".frames");
    const std::string frames = FrameList(lesson);
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

INSTANTIATE_TEST_SUITE_P(Lessons, RecordedFrames, ::testing::ValuesIn(Lessons()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
