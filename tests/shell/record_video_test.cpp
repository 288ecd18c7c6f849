// --record FILE.mp4 / FILE.webm from the command line: the run's time kept frame by frame (a
// 2 s pause lasts 2 s of video), --scale drawing it finer, odd sides padded with the
// page colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run/console.h"
#include "shell/command_line.h"
#include "shell/play.h"
#include "tests/platform/video_test_support.h"
#include "tests/support/picture_support.h"
#include "tests/support/temp_path.h"

namespace {

using namespace vekora;

constexpr std::uint32_t Blue = 0x0000FF, Green = 0x00FF00;

bool Near(std::uint32_t decoded, std::uint32_t colour) { return vekora::testing::ColourDistance(decoded, colour) <= 12; }

class RecordVideo : public ::testing::TestWithParam<const char*> {};

TEST_P(RecordVideo, KeepsTheRunsTimeAndScalesItsPixels) {
    // A blue page (odd sides) for 2 s, then green for 1 s.
    const std::string script = vekora::testing::TempPath("pauses.vek");
    std::ofstream(script) << "DEFAULTS &H0000FF\nSCREEN 161, 121\nWAIT 2000\nCLS &H00FF00\nWAIT 1000\nEND\n";
    const std::string video = vekora::testing::TempPath(std::string("pauses.") + GetParam());
    const CommandLine line = ParseCommandLine({"--headless", "--no-logo", "--record", video, "--scale", "3", script});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << line.error;
    std::ostringstream printed, diagnostics;
    Console console(printed, false);
    std::istringstream input("");
    ASSERT_EQ(PlayScript(line, console, input, diagnostics), 0);
    EXPECT_EQ(diagnostics.str(), "");

    constexpr int Fps = 25;
    std::int64_t firstGreen = -1;
    bool paddedWithThePage = false;
    const vekora::testing::VideoInfo info = vekora::testing::DecodeVideo(video, [&](std::int64_t index, const vekora::testing::VideoFrame& frame) {
        if (firstGreen < 0 && Near(frame.At(240, 150), Green)) firstGreen = index;
        // A second in: the padding column and row beyond 3 x 161 and 3 x 121 take the page colour
        // (the row above the padding is the control bar's).
        if (index == Fps) paddedWithThePage = Near(frame.At(483, 150), Blue) && Near(frame.At(240, 363), Blue);
    });
    ASSERT_TRUE(info.decoded);
    EXPECT_EQ(info.last.width, 484);  // 483 made even
    EXPECT_EQ(info.last.height, 364);
    EXPECT_TRUE(paddedWithThePage);
    // Within one frame (a wait ends on the first poll past its time), and a hair for rounding.
    constexpr double OneFrame = 1.0 / Fps + 1e-9;
    EXPECT_NEAR(static_cast<double>(firstGreen) / Fps, 2.0, OneFrame) << "the 2 s pause";
    // Both pauses and the last picture held for one more frame.
    EXPECT_NEAR(static_cast<double>(info.frames) / Fps, 3.0 + 1.0 / Fps, OneFrame);
    EXPECT_NEAR(info.durationSeconds, 3.0 + 1.0 / Fps, OneFrame);
    std::remove(video.c_str());
}

INSTANTIATE_TEST_SUITE_P(Formats, RecordVideo, ::testing::Values("mp4", "webm"));

TEST(RecordVideo, AVideoThatCannotBeWrittenIsReported) {
    const std::string script = vekora::testing::TempPath("short.vek");
    std::ofstream(script) << "SCREEN 100, 80\nEND\n";
    const CommandLine line = ParseCommandLine({"--headless", "--no-logo", "--record", "/nonexistent-folder/a.mp4", script});
    std::ostringstream printed, diagnostics;
    Console console(printed, false);
    std::istringstream input("");
    PlayScript(line, console, input, diagnostics);
    EXPECT_NE(diagnostics.str().find("--record: /nonexistent-folder/a.mp4"), std::string::npos) << diagnostics.str();
}

// A lesson played in a window with --scale records (and screenshots) at that scale, as a
// headless run does: the screen itself is drawn finer. Needs a display (the suite's Xvfb).
// Whether a display is there; the window plugin, built beside the program one folder above
// the tests, is then found, and draws through SDL's software renderer.
bool WindowPluginReady() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == 0) return false;
    setenv("SDL_RENDER_DRIVER", "software", 0);
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    setenv("VEKORA_PLUGIN_DIR", self.parent_path().parent_path().c_str(), 0);
    return true;
}

// Plays `arguments` as the program does; its exit code, diagnostics added to the failure.
int Play(const std::vector<std::string>& arguments, std::string& diagnosticsText) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.action, CommandLine::Action::Run) << line.error;
    std::ostringstream printed, diagnostics;
    Console console(printed, false);
    std::istringstream input("");
    const int code = PlayScript(line, console, input, diagnostics);
    diagnosticsText = diagnostics.str();
    return code;
}

// The window's screen drawn finer is the program's too: what it draws on the screen itself
// (the control bar) is as fine as what it draws on its page, as headless.
TEST(RecordVideo, AWindowScreenshotAtAScaleIsTheHeadlessOne) {
    if (!WindowPluginReady()) GTEST_SKIP() << "no display";
    const std::string script = vekora::testing::TempPath("window_line.vek");
    std::ofstream(script) << "POINT A, 40, 30\nPOINT B, 120, 90\nAB = LINE A, B\nEND\n";
    const std::string windowPng = vekora::testing::TempPath("window_line.png");
    const std::string headlessPng = vekora::testing::TempPath("headless_line.png");
    std::string diagnostics;
    ASSERT_EQ(Play({"--no-logo", "--scale", "2", "--screenshot", windowPng, script}, diagnostics), 0) << diagnostics;
    EXPECT_EQ(diagnostics, "") << "played in a window, not headless";
    ASSERT_EQ(Play({"--headless", "--no-logo", "--scale", "2", "--screenshot", headlessPng, script}, diagnostics), 0);
    const vekora::testing::RgbPicture window = vekora::testing::ReadPng(windowPng);
    const vekora::testing::RgbPicture headless = vekora::testing::ReadPng(headlessPng);
    EXPECT_EQ(window.width, 1280u);
    EXPECT_TRUE(window.width == headless.width && window.height == headless.height && window.rgb == headless.rgb);
}

TEST(RecordVideo, AWindowRecordsAtTheScaleAskedFor) {
    if (!WindowPluginReady()) GTEST_SKIP() << "no display";
    const std::string script = vekora::testing::TempPath("window_scaled.vek");
    std::ofstream(script) << "SCREEN 161, 121, 16, &HFFFFFF\nWAIT 100\nEND\n";
    const std::string gif = vekora::testing::TempPath("window_scaled.gif");
    std::string diagnostics;
    ASSERT_EQ(Play({"--no-logo", "--record", gif, "--scale", "2", script}, diagnostics), 0) << diagnostics;
    EXPECT_EQ(diagnostics, "") << "played in a window, not headless";
    // The GIF's logical screen: width and height, little-endian, after the 6-byte signature.
    std::ifstream file(gif, std::ios::binary);
    unsigned char header[10] = {};
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(header), sizeof header));
    EXPECT_EQ(header[6] | header[7] << 8, 2 * 161);
    EXPECT_EQ(header[8] | header[9] << 8, 2 * 121);
    std::remove(gif.c_str());
}

}  // namespace
