// The window device on a real (or virtual) X display; skipped when there is none.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/active_device.h"
#include "tests/support/picture_support.h"
#include "platform/input.h"
#include "platform/png_writer.h"
#include "platform/window_device.h"

namespace vekora {
namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        // The software renderer reads back exactly what it shows, and loads no GL driver
        // (whose allocations the leak checker of the sanitizer build would report).
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        std::string whyNot;
        device_ = WindowDevice::Create(1, whyNot);
        if (!device_) GTEST_SKIP() << whyNot;
        SetActiveDevice(device_.get());
    }
    void TearDown() override { SetActiveDevice(nullptr); }
    std::unique_ptr<WindowDevice> device_;
};

// Within one step of a 5- or 6-bit channel (a 24-bit display may show 6-bit green as 0xFE).
bool WithinOneStep(std::uint32_t a, std::uint32_t b) {
    for (const int shift : {0, 8, 16}) {
        const int difference = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        if (difference > 8) return false;
    }
    return true;
}

TEST_F(Window, ShowsTheScreenAsOurPngWriterDoes) {
    for (const std::int32_t depth : {16, 32}) {
        ASSERT_TRUE(ScreenOpen(640, 480, depth));
        WindowCaption("Prueba - Vekora \xE1");
        for (int i = 0; i < 64; ++i) {
            const std::uint32_t colour = (i * 4u << 16) | ((255 - i * 4u) << 8) | (i * 37u & 0xFF);
            RasterLine(TargetOrScreen(nullptr), i * 10.0f, 0, i * 10.0f + 9, 479, colour, LineKind::FilledBox, 0xFFFF);
        }
        RasterEllipse(TargetOrScreen(nullptr), 320, 240, 200, 0xFFFFFF, 1, 0, 6.2831855f, -1);
        RasterLine(TargetOrScreen(nullptr), 0, 0, 639, 479, 0x000000, LineKind::Line, 0xF0F0);
        SleepMs(20);
        const std::string reference = ::testing::TempDir() + "vekora-window.png";
        ASSERT_EQ(WritePng(device_->Screen(), reference), "");
        const testing::RgbPicture expected = testing::ReadPng(reference);
        const std::vector<std::uint32_t> shown = device_->ReadBack();
        ASSERT_EQ(shown.size(), 640u * 480);
        for (std::uint32_t y = 0; y < 480; ++y) {
            for (std::uint32_t x = 0; x < 640; ++x) {
                ASSERT_TRUE(WithinOneStep(shown[y * 640 + x], expected.At(x, y)))
                    << depth << " bits at " << x << "," << y << ": " << std::hex << shown[y * 640 + x] << " for "
                    << expected.At(x, y);
            }
        }
    }
}

TEST_F(Window, KeysArriveAsLatin1BytesAndExtendedCodes) {
    ASSERT_TRUE(ScreenOpen(320, 200, 16));
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_UP;
    SDL_PushEvent(&event);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "\xC3\xB1" "a\xE2\x82\xAC");  // n with tilde, a, and a euro sign Latin-1 lacks
    SDL_PushEvent(&text);
    event.key.keysym.sym = SDLK_RETURN;
    SDL_PushEvent(&event);
    EXPECT_EQ(PollInput(), KeyCodeBit | 0xFF | ('H' << 8));
    EXPECT_EQ(KeyRead(), "\xF1");
    EXPECT_EQ(KeyRead(), "a");
    EXPECT_EQ(KeyRead(), "\r");
    EXPECT_EQ(KeyRead(), "");
}

TEST_F(Window, ClockCountsFromTheProgramStartAndSleepsTakeRealTime) {
    const double before = ClockSeconds();
    EXPECT_LT(before, 600.0);  // seconds since this test program started, not since boot
    SleepMs(30);
    EXPECT_GE(ClockSeconds() - before, 0.029);
}

}  // namespace
}  // namespace vekora

// The display libraries keep a little memory to the end of the process (SDL's D-Bus
// connection); the leak checker of the sanitizer build is told so. The sanitizer runtime looks
// the hook up by name, so it must stay visible although the build hides symbols by default.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
