// VEKS_RUNHEADLESS, as a C program calls it: the last picture, the limits, the recording,
// and every refusal, leaving the caller's device in place.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/active_device.h"
#include "draw/image.h"
#include "platform/device.h"
#include "platform/headless_device.h"
#include "vekora.h"
#include "tests/support/temp_path.h"

namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = vekora::testing::TempPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// One call with fresh error lists, released afterwards.
struct HeadlessCall {
    std::int32_t result = 0;
    VekImage screen = nullptr;
    VEKS_IntList codes{}, lines{};

    HeadlessCall(const char* file, const VEKS_HeadlessRun* options) {
        screen = reinterpret_cast<VekImage>(1);  // must be overwritten whatever happens
        result = VEKS_RUNHEADLESS(file, options, &screen, &codes, &lines);
    }
    HeadlessCall(const char* file, const VEKS_HeadlessRun* options, std::int32_t scale) {
        screen = reinterpret_cast<VekImage>(1);
        result = VEKS_RUNHEADLESSSCALED(file, options, scale, &screen, &codes, &lines);
    }
    ~HeadlessCall() {
        VEKD_FREEIMAGE(screen);
        std::free(codes.items);
        std::free(lines.items);
    }
    // Whether the pixel holds the colour, as the screen's depth stores it.
    bool Shows(int x, int y, std::uint32_t colour) const {
        return vekora::PixelValue(screen, x, y) == vekora::EncodeColour(colour, vekora::SurfaceInfo(screen).bytesPerPixel);
    }
};

TEST(HeadlessRun, HandsBackTheScreenAsTheRunLeftIt) {
    const std::string script = WriteFile("headless_red.vek", "SCREEN 300, 200, 32, &HFF0000\nEND\n");
    const HeadlessCall call(script.c_str(), nullptr);
    EXPECT_EQ(call.result, 255);
    ASSERT_NE(call.screen, nullptr);
    const vekora::SurfaceSize size = vekora::SurfaceInfo(call.screen);
    EXPECT_EQ(size.width, 300);
    EXPECT_EQ(size.height, 200);
    EXPECT_TRUE(call.Shows(150, 100, 0xFF0000));
    EXPECT_EQ(call.codes.count, 0);
}

TEST(HeadlessRun, DrawsAtTheRenderScaleAskedFor) {
    const std::string script = WriteFile("headless_scaled.vek", "SCREEN 300, 200, 32, &HFF0000\nEND\n");
    for (const int32_t scale : {1, 2, 3}) {
        const HeadlessCall call(script.c_str(), nullptr, scale);
        ASSERT_NE(call.screen, nullptr) << scale;
        // Sizes in page units; the buffer holds scale x scale pixels for each.
        EXPECT_EQ(vekora::SurfaceInfo(call.screen).width, 300) << scale;
        int64_t bytes = 0;
        VEKD_IMAGEBUFFER(call.screen, &bytes);
        EXPECT_EQ(bytes, 4 + int64_t{300} * scale * 200 * scale * vekora::SurfaceInfo(call.screen).bytesPerPixel) << scale;
        EXPECT_TRUE(call.Shows(150 * scale + scale - 1, 100 * scale + scale - 1, 0xFF0000)) << scale;
    }
    for (const int32_t refused : {0, -1, 9}) EXPECT_EQ(HeadlessCall(script.c_str(), nullptr, refused).result, -3) << refused;
}

TEST(HeadlessRun, StopsAtTheTimeLimitAsIfTheRunHadEnded) {
    // Ten minutes of waiting in virtual time; stopped after half a second of it.
    const std::string script = WriteFile("headless_wait.vek", "SCREEN 300, 200, 32, &H00FF00\nWAIT 600000\nCLS &HFF0000\nEND\n");
    VEKS_HeadlessRun options{};
    options.untilMs = 500;
    const auto start = std::chrono::steady_clock::now();
    const HeadlessCall call(script.c_str(), &options);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(call.result, 0);
    ASSERT_NE(call.screen, nullptr);
    EXPECT_TRUE(call.Shows(10, 10, 0x00FF00));
}

TEST(HeadlessRun, CompilationErrorsFillTheListsAndShowNothing) {
    const std::string script = WriteFile("headless_bad.vek", "POINT A, 10\nEND\n");
    const HeadlessCall call(script.c_str(), nullptr);
    EXPECT_EQ(call.result, -1);
    EXPECT_EQ(call.screen, nullptr);
    ASSERT_GE(call.codes.count, 1);
    EXPECT_EQ(call.lines.count, call.codes.count);
    EXPECT_EQ(call.lines.items[0], 1);
}

TEST(HeadlessRun, RecordsAGif) {
    const std::string script = WriteFile("headless_gif.vek", "SCREEN 100, 80, 16, &H0000FF\nWAIT 200\nCLS &HFFFFFF\nEND\n");
    const std::string gif = vekora::testing::TempPath("headless_run.gif");
    VEKS_HeadlessRun options{};
    options.recordFile = gif.c_str();
    options.framesPerSecond = 10;
    const HeadlessCall call(script.c_str(), &options);
    EXPECT_EQ(call.result, 255);
    std::ifstream file(gif, std::ios::binary);
    std::string signature(6, '\0');
    file.read(signature.data(), 6);
    EXPECT_EQ(signature, "GIF89a");
    std::remove(gif.c_str());
}

TEST(HeadlessRun, Refusals) {
    const std::string script = WriteFile("headless_ok.vek", "SCREEN 100, 80\nEND\n");
    VEKS_IntList codes{}, lines{};
    VekImage screen = reinterpret_cast<VekImage>(1);
    EXPECT_EQ(VEKS_RUNHEADLESS(nullptr, nullptr, &screen, &codes, &lines), -3);
    EXPECT_EQ(screen, nullptr);
    EXPECT_EQ(VEKS_RUNHEADLESS(script.c_str(), nullptr, nullptr, nullptr, &lines), -3);

    VEKS_HeadlessRun badEvents{};
    const std::string events = WriteFile("headless_bad.events", "100 jump 3 4\n");
    badEvents.eventFile = events.c_str();
    const HeadlessCall withBadEvents(script.c_str(), &badEvents);
    EXPECT_EQ(withBadEvents.result, -4);
    EXPECT_EQ(withBadEvents.screen, nullptr);

    VEKS_HeadlessRun badRecord{};
    badRecord.recordFile = "/nonexistent-folder/run.gif";
    const HeadlessCall withBadRecord(script.c_str(), &badRecord);
    EXPECT_EQ(withBadRecord.result, -5);
    EXPECT_NE(withBadRecord.screen, nullptr);  // the run played; its picture is still handed back
}

// Runs on many threads at once, each on its own device with its own settings: every run
// ends as it would alone, and the library's own device is still sound afterwards (it once
// pointed at a device a finished thread had destroyed, and the next run crashed).
TEST(HeadlessRun, RunsOnManyThreadsAtOnceStayApart) {
    const std::string red = WriteFile("headless_thread_red.vek",
                                      "SCREEN 160, 120, 32, &HFF0000\nSPEED 50\nPOINT A, 10, 10\nWAIT 500\nEND\n");
    const std::string blue = WriteFile("headless_thread_blue.vek",
                                       "SCREEN 200, 100, 32, &H0000FF\nSPEED 900\nPOINT A, 10, 10\nPOINT B, 20, 20\nEND\n");
    constexpr int Threads = 4, Runs = 6;
    std::vector<int> sound(Threads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            const bool isRed = t % 2 == 0;
            for (int run = 0; run < Runs; ++run) {
                const HeadlessCall call((isRed ? red : blue).c_str(), nullptr);
                const bool sizeRight = call.screen != nullptr && vekora::SurfaceInfo(call.screen).width == (isRed ? 160 : 200);
                sound[t] += call.result == 255 && sizeRight && call.Shows(150, 50, isRed ? 0xFF0000 : 0x0000FF);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < Threads; ++t) EXPECT_EQ(sound[t], Runs) << "thread " << t;
    EXPECT_EQ(vekora::ActiveDevice(), nullptr) << "no run's device is left active";

    // The library's device, chosen on the main thread afterwards, runs as ever.
    ASSERT_EQ(VEKS_USEDEVICE(VEKS_DEVICE_HEADLESS, nullptr), 0);
    std::string line = "END";
    VEKS_String item{line.data(), static_cast<std::int32_t>(line.size())};
    const VEKS_StringList lines{&item, 1};
    VEKS_IntList codes{}, errorLines{};
    EXPECT_EQ(VEKS_RUNSCRIPT(&lines, &codes, &errorLines), 255);
    std::free(codes.items);
    std::free(errorLines.items);
    VEK_INIT();  // the settings as the tests after this one expect them
}

TEST(HeadlessRun, LeavesTheCallersDeviceActive) {
    vekora::HeadlessDevice mine;
    vekora::Device* before = vekora::ActiveDevice();
    vekora::SetActiveDevice(&mine);
    const std::string script = WriteFile("headless_device.vek", "SCREEN 120, 90\nWAIT 1000\nEND\n");
    const HeadlessCall call(script.c_str(), nullptr);
    EXPECT_EQ(vekora::ActiveDevice(), &mine);
    EXPECT_EQ(mine.NowMs(), 0);  // the run's time passed on its own clock
    vekora::SetActiveDevice(before);
}

}  // namespace
