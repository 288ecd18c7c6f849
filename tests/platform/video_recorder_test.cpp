// The MP4 and WebM recordings of a paced lesson, decoded again with FFmpeg: they last as long
// as the run's clock ran, and their last frame is the screen the run left.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

#include "draw/image_surface.h"
#include "interp/run_context.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "platform/video_recorder.h"
#include "run/run_script.h"
#include "run/script_file.h"
#include "tests/support/temp_path.h"
#include "video_test_support.h"

namespace {

using namespace vekora;
using vekora::testing::ColourDistance;
using vekora::testing::DecodeVideo;
using vekora::testing::VideoInfo;

constexpr int Fps = 25;

// BT.709 luma of a colour, 0 to 255.
int Brightness(std::uint32_t rgb) {
    return static_cast<int>(std::lround(0.2126 * ((rgb >> 16) & 0xFF) + 0.7152 * ((rgb >> 8) & 0xFF) + 0.0722 * (rgb & 0xFF)));
}

struct Recorded {
    double endSeconds = 0;
    OwnedImage screenshot;  // the screen before the closing logo, as --screenshot writes it
    std::string error;
};

// Plays the lesson headless with the recorder on the device's clock, as the command line does.
Recorded RecordLesson(const std::string& lesson, const std::string& video) {
    Recorded recorded;
    HeadlessDevice device;
    SetActiveDevice(&device);
    VideoRecorder recorder(video, Fps, 1, [] { return 0xFFFFFFu; });
    device.AddClockObserver(&recorder);
    ScriptRunSetup setup;
    setup.options.showLogo = false;
    setup.beforeClosingLogo = [&] {
        const SurfaceSize size = SurfaceInfo(device.Screen());
        recorded.screenshot.reset(ImageNewOfDepth(size.width, size.height, size.bytesPerPixel, 0));
        ImageBlit(recorded.screenshot.get(), 0, 0, device.Screen(), BlitMode::Plain, 0);
    };
    ErrorLists errors;
    RunScript(ReadScriptFile(lesson, std::cerr).value_or(ScriptLines{}), errors, setup);
    SleepMs(1000 / Fps);  // the last picture held for a frame, as the command line holds it
    recorded.endSeconds = device.ClockSeconds();
    device.RemoveClockObserver(&recorder);
    recorded.error = recorder.Close(recorded.endSeconds);
    SetActiveDevice(nullptr);
    return recorded;
}

class PacedLessonVideo : public ::testing::TestWithParam<const char*> {};

TEST_P(PacedLessonVideo, LastsAsLongAsTheRunAndEndsOnItsLastScreen) {
    const std::string extension = GetParam();
    const std::string video = vekora::testing::TempPath("circumcircle." + extension);
    const Recorded run = RecordLesson(std::string(VEKORA_SOURCE_DIR) + "/examples/circumcircle.vek", video);
    ASSERT_EQ(run.error, "");
    ASSERT_GT(run.endSeconds, 10.0);  // a lesson of many paced steps

    const VideoInfo info = DecodeVideo(video);
    ASSERT_TRUE(info.decoded);
    EXPECT_EQ(info.codec, extension == "mp4" ? "h264" : "vp9");
    EXPECT_EQ(info.pixelFormat, "yuv420p");
    EXPECT_DOUBLE_EQ(info.framesPerSecond, Fps);
    EXPECT_NEAR(info.durationSeconds, run.endSeconds, 1.0 / Fps);
    EXPECT_NEAR(static_cast<double>(info.frames) / Fps, run.endSeconds, 1.0 / Fps);

    const Surface screen = ResolveSurface(run.screenshot.get());
    ASSERT_EQ(info.last.width, screen.width);
    ASSERT_EQ(info.last.height, screen.height);
    // yuv420p keeps one colour for every 2 x 2 pixels, so a one-pixel line's colour bleeds
    // into its neighbours: the colours come back close on average, the brightness of every
    // pixel (kept whole) closely.
    std::vector<std::uint32_t> row(static_cast<std::size_t>(screen.width));
    double colourDifference = 0;
    int brightnessOff = 0;
    for (std::int32_t y = 0; y < screen.height; ++y) {
        RowRgb(screen, y, row.data());
        for (std::int32_t x = 0; x < screen.width; ++x) {
            const std::uint32_t shown = row[static_cast<std::size_t>(x)], decoded = info.last.At(x, y);
            colourDifference += ColourDistance(shown, decoded);
            brightnessOff += std::abs(Brightness(shown) - Brightness(decoded)) > 24;
        }
    }
    const double pixels = static_cast<double>(screen.width) * screen.height;
    EXPECT_LT(colourDifference / pixels, 2.0) << "mean largest-channel difference";
    EXPECT_LT(brightnessOff / pixels, 0.005) << "share of pixels whose brightness is off";
    std::remove(video.c_str());
}

INSTANTIATE_TEST_SUITE_P(Formats, PacedLessonVideo, ::testing::Values("mp4", "webm"));

TEST(VideoRecorder, KnowsItsFilesByTheirEnding) {
    EXPECT_EQ(VideoKindOf("lesson.mp4"), VideoKind::Mp4);
    EXPECT_EQ(VideoKindOf("LESSON.WebM"), VideoKind::WebM);
    EXPECT_EQ(VideoKindOf("lesson.gif"), VideoKind::None);
    EXPECT_EQ(VideoKindOf("mp4"), VideoKind::None);
}

TEST(VideoRecorder, ANameThatCannotBeWrittenIsReportedAndLeavesNoFile) {
    const std::string video = "/nonexistent-folder/lesson.mp4";
    const Recorded run = RecordLesson(std::string(VEKORA_SOURCE_DIR) + "/examples/circumcircle.vek", video);
    EXPECT_NE(run.error.find("/nonexistent-folder/lesson.mp4"), std::string::npos) << run.error;
}

}  // namespace
