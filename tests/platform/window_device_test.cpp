// The window device on a real (or virtual) X display; skipped when there is none.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <thread>

#include "draw/text.h"
#include "interp/resident.h"
#include "platform/active_device.h"
#include "tests/support/picture_support.h"
#include "platform/headless_device.h"
#include "platform/input.h"
#include "platform/png_writer.h"
#include "platform/window_device.h"
#include "vekora.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        // The software renderer reads back exactly what it shows, and loads no GL driver
        // (whose allocations the leak checker of the sanitizer build would report).
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        std::string whyNot;
        device_ = WindowDevice::Create({}, whyNot);
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

// The window shows `screen` (of any device) as our PNG writer writes it.
void ExpectShownAs(const std::vector<std::uint32_t>& shown, ImageHandle screen) {
    const std::string reference = vekora::testing::TempPath("window.png");
    ASSERT_EQ(WritePng(screen, reference), "");
    const testing::RgbPicture expected = testing::ReadPng(reference);
    ASSERT_EQ(shown.size(), std::size_t{expected.width} * expected.height);
    for (std::uint32_t y = 0; y < expected.height; ++y) {
        for (std::uint32_t x = 0; x < expected.width; ++x) {
            ASSERT_TRUE(WithinOneStep(shown[y * expected.width + x], expected.At(x, y)))
                << "at " << x << "," << y << ": " << std::hex << shown[y * expected.width + x] << " for "
                << expected.At(x, y);
        }
    }
}

// A picture of stripes, a circle and a dashed diagonal on a 640 x 480 screen.
void DrawStripes(ImageHandle screen) {
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t colour = (i * 4u << 16) | ((255 - i * 4u) << 8) | (i * 37u & 0xFF);
        RasterLine(screen, i * 10.0f, 0, i * 10.0f + 9, 479, colour, LineKind::FilledBox, 0xFFFF);
    }
    RasterEllipse(screen, 320, 240, 200, 0xFFFFFF, 1, 0, 6.2831855f, -1);
    RasterLine(screen, 0, 0, 639, 479, 0x000000, LineKind::Line, 0xF0F0);
}

TEST_F(Window, ShowsTheScreenAsOurPngWriterDoes) {
    for (const std::int32_t depth : {16, 32}) {
        SCOPED_TRACE(depth);
        ASSERT_TRUE(ScreenOpen(640, 480, depth));
        WindowCaption("Prueba - Vekora \xE1");
        DrawStripes(TargetOrScreen(nullptr));
        SleepMs(20);
        ExpectShownAs(device_->ReadBack(), device_->Screen());
    }
}

// A library caller writes an image's bytes itself and shows it on the screen as a film shows
// its page: the window shows those bytes. (The screen's own bytes are never handed out:
// VEKD_IMAGEBUFFER of no image is NULL, so whatever reaches the screen is drawn or copied
// there, and the drawn-area watch hears of it.)
TEST_F(Window, ShowsAPageWhoseBytesTheCallerWrote) {
    ASSERT_TRUE(ScreenOpen(320, 200, 16));
    SleepMs(20);
    VekImage page = VEKD_NEWIMAGE(100, 50, 2);
    std::int64_t bytes = 0;
    std::uint8_t* buffer = VEKD_IMAGEBUFFER(page, &bytes);
    ASSERT_NE(buffer, nullptr);
    for (std::int64_t at = ImageHeaderBytes; at + 1 < bytes; at += 2) {
        buffer[at] = 0xE0;  // 5:6:5 green, little-endian
        buffer[at + 1] = 0x07;
    }
    ImageBlit(device_->Screen(), 10, 20, page, BlitMode::Plain, 0);
    SleepMs(20);
    const std::vector<std::uint32_t> shown = device_->ReadBack();
    ASSERT_EQ(shown.size(), 320u * 200);
    EXPECT_TRUE(WithinOneStep(shown[20 * 320 + 10], 0x00FF00));
    EXPECT_TRUE(WithinOneStep(shown[69 * 320 + 109], 0x00FF00));
    EXPECT_TRUE(WithinOneStep(shown[70 * 320 + 110], 0x000000));
    ExpectShownAs(shown, device_->Screen());
    VEKD_FREEIMAGE(page);
}

// The calling thread's voluntary context switches: how often it blocked and was woken.
long WakeUps() {
    std::ifstream status("/proc/thread-self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::stol(line.substr(line.find(':') + 1));
    }
    return -1;
}

// A window whose lesson waits carries nothing new to the window and sleeps between a few
// wake-ups a second, yet shows what a headless run of the same drawing has on its screen.
TEST_F(Window, WaitingPresentsNothingNewAndSleeps) {
    ASSERT_TRUE(ScreenOpen(640, 480, 16));
    DrawStripes(TargetOrScreen(nullptr));
    SleepMs(20);
    // A wait of one second blocks in five slices; polling every 20 ms, as windows once did,
    // woke 50 times. Other windows on a shared display (the other tests') send events of
    // their own now and then, most of all while the whole suite runs: the fewest wake-ups of
    // five waits count.
    long fewestWakeUps = -1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::uint64_t updates = device_->Presented().updates;
        const long wakeUpsBefore = WakeUps();
        const double start = ClockSeconds();
        EXPECT_EQ(WaitPolling(*device_, 1000), 0);
        EXPECT_GE(ClockSeconds() - start, 1.0);
        const long wakeUps = WakeUps() - wakeUpsBefore;
        if (fewestWakeUps < 0 || wakeUps < fewestWakeUps) fewestWakeUps = wakeUps;
        EXPECT_EQ(device_->Presented().updates, updates) << "nothing was drawn while it waited";
    }
    EXPECT_LE(fewestWakeUps, 15);

    HeadlessDevice headless;
    ASSERT_TRUE(headless.ScreenOpen(640, 480, 16));
    DrawStripes(headless.Screen());
    EXPECT_EQ(WaitPolling(headless, 1000), 0);
    ExpectShownAs(device_->ReadBack(), headless.Screen());
}

// A key that arrives during a long wait ends it at once.
TEST_F(Window, AKeyEndsALongWaitAtOnce) {
    ASSERT_TRUE(ScreenOpen(320, 200, 16));
    std::thread typist([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.sym = SDLK_RIGHT;
        SDL_PushEvent(&event);
    });
    const double start = ClockSeconds();
    const std::int32_t code = WaitPolling(*device_, 60000);
    const double waited = ClockSeconds() - start;
    typist.join();
    EXPECT_EQ(code, KeyCodeBit | 0xFF | ('M' << 8));
    EXPECT_LT(waited, 0.3 + 0.2) << "woken by the key, not by the end of a slice";
}

// Random drawing of every kind, presented as it comes (only the drawn area reaches the
// texture), shows the same output pixels as the whole picture presented again; at whole,
// fractional and shrinking scales and every depth.
struct PartialCase {
    std::int32_t depth;
    double zoom;
    std::int32_t scale = 1;  // the render scale the screen is drawn at
};

class PartialPresent : public ::testing::TestWithParam<PartialCase> {};

TEST_P(PartialPresent, ShowsWhatAWholePresentShows) {
    const PartialCase param = GetParam();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    std::string whyNot;
    std::unique_ptr<WindowDevice> device = WindowDevice::Create({param.zoom, false}, whyNot);
    if (!device) GTEST_SKIP() << whyNot;
    ASSERT_TRUE(device->SetRenderScale(param.scale));
    ASSERT_TRUE(device->ScreenOpen(640, 480, param.depth));
    const ImageHandle screen = device->Screen();
    const OwnedImage sprite(ImageNewOfDepth(40, 30, param.depth / 8, 0x3070B0));
    RasterLine(sprite.get(), 0, 0, 39, 29, 0xFFFF00, LineKind::Line, 0xFFFF);
    std::mt19937 random(param.depth * 100 + static_cast<int>(param.zoom * 10));
    const auto coordinate = [&random](int most) { return static_cast<float>(random() % (most + 40)) - 20; };
    const std::uint64_t wholeTexels = [&] {
        const PictureFit& fit = device->Fit();
        return static_cast<std::uint64_t>(fit.width) * fit.height;
    }();
    std::uint64_t partialTexels = 0, partialUpdates = 0;
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const std::uint32_t colour = random() & 0xFFFFFF;
        switch (random() % 5) {
            case 0: RasterLine(screen, coordinate(640), coordinate(480), coordinate(640), coordinate(480), colour, LineKind::Line, 0xFFFF); break;
            case 1: RasterLine(screen, coordinate(640), coordinate(480), coordinate(640), coordinate(480), colour, LineKind::FilledBox, 0xFFFF); break;
            case 2: RasterEllipse(screen, coordinate(640), coordinate(480), static_cast<float>(random() % 60), colour, 1, 0, 6.2831855f, -1); break;
            case 3: RasterPixel(screen, coordinate(640), coordinate(480), colour); break;
            default: ImageBlit(screen, coordinate(640), coordinate(480), sprite.get(), BlitMode::Plain, 0); break;
        }
        const WindowDevice::PresentCounts before = device->Presented();
        device->Present();
        partialTexels += device->Presented().texels - before.texels;
        partialUpdates += device->Presented().updates - before.updates;
        if (round % 8 != 7) continue;
        const std::vector<std::uint32_t> partial = device->ReadBackOutput();
        // An uncovered window shows its whole picture again.
        SDL_Event exposed{};
        exposed.type = SDL_WINDOWEVENT;
        exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
        SDL_PushEvent(&exposed);
        device->KeyRead();
        const std::vector<std::uint32_t> whole = device->ReadBackOutput();
        ASSERT_FALSE(whole.empty());
        ASSERT_TRUE(partial == whole) << "the partly updated picture differs from the whole one";
    }
    EXPECT_GT(partialUpdates, 0u);
    EXPECT_LT(partialTexels, partialUpdates * wholeTexels / 4) << "only the drawn areas were carried";
    if (param.zoom >= param.scale) ExpectShownAs(device->ReadBack(), screen);  // a smaller window hides some pixels
}

INSTANTIATE_TEST_SUITE_P(DepthsAndScales, PartialPresent,
                         ::testing::Values(PartialCase{8, 1}, PartialCase{16, 1}, PartialCase{32, 1},
                                           PartialCase{16, 1.5}, PartialCase{32, 1.5}, PartialCase{8, 0.75},
                                           PartialCase{16, 0.75}, PartialCase{32, 1.5, 2}, PartialCase{16, 1, 3}),
                         [](const auto& info) {
                             return std::to_string(info.param.depth) + "Bits" +
                                    std::to_string(static_cast<int>(info.param.zoom * 100)) + "PercentScale" +
                                    std::to_string(info.param.scale);
                         });

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

// A quick stroke of one finger across the window is the arrow it stands for; a tap, a stroke
// more down than across and a stroke while a second finger is down are not. (SDL stamps a
// pushed event with the time it was pushed: how quick a stroke must be is SwipeKey's test.)
TEST_F(Window, SwipesArriveAsArrowKeys) {
    ASSERT_TRUE(ScreenOpen(320, 200, 16));
    const auto finger = [](Uint32 type, SDL_FingerID id, float x, float y) {
        SDL_Event event{};
        event.type = type;
        event.tfinger.fingerId = id;
        event.tfinger.x = x;
        event.tfinger.y = y;
        SDL_PushEvent(&event);
    };
    struct Case {
        float fromX, toX, toY;
        bool secondFinger;
        std::string key;
    };
    const Case cases[] = {
        {0.8f, 0.2f, 0.5f, false, "\xFFM"},  // to the left: Right, goes on
        {0.2f, 0.8f, 0.5f, false, "\xFFK"},  // to the right: Left, goes back
        {0.5f, 0.52f, 0.5f, false, ""},       // a tap
        {0.8f, 0.2f, 0.9f, false, ""},        // more down than across
        {0.8f, 0.2f, 0.5f, true, ""},         // two fingers
    };
    for (const Case& c : cases) {
        finger(SDL_FINGERDOWN, 1, c.fromX, 0.5f);
        if (c.secondFinger) finger(SDL_FINGERDOWN, 2, 0.5f, 0.2f);
        finger(SDL_FINGERUP, 1, c.toX, c.toY);
        if (c.secondFinger) finger(SDL_FINGERUP, 2, 0.5f, 0.2f);
        std::string keys;
        for (std::string key; !(key = KeyRead()).empty();) keys += key;
        EXPECT_EQ(keys, c.key) << c.fromX << " to " << c.toX << "," << c.toY;
    }
}

// Clicks pushed at the centre of a screen pixel's scaled square come back as that pixel, at
// a fractional scale and with the screen drawn at render scales 1 and 2 (clicks come back in
// page units); a press and its release pushed together are still a press, then a release.
TEST(ScaledWindow, ClicksMapBackToTheScreenPixelTheyWereSeenOn) {
    for (const std::int32_t scale : {1, 2}) {
        SCOPED_TRACE(scale);
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        std::string whyNot;
        std::unique_ptr<WindowDevice> device = WindowDevice::Create({1.5, false}, whyNot);
        if (!device) GTEST_SKIP() << whyNot;
        SetActiveDevice(device.get());
        ASSERT_TRUE(device->SetRenderScale(scale));
        ASSERT_TRUE(ScreenOpen(640, 480, 16));
        SleepMs(50);
        const PictureFit fit = device->Fit();
        ASSERT_NE(fit.width, 640) << "the window is scaled";
        for (const auto& [sx, sy] : {std::pair{0, 0}, {1, 1}, {127, 461}, {128, 470}, {383, 479}, {639, 240}}) {
            // The first output pixel showing the page unit's block of screen pixels.
            const auto first = [scale](const std::vector<std::int32_t>& map, std::int32_t unit) {
                return static_cast<std::int32_t>(std::lower_bound(map.begin(), map.end(), unit * scale) - map.begin());
            };
            SDL_Event press{};
            press.type = SDL_MOUSEBUTTONDOWN;
            press.button.button = SDL_BUTTON_LEFT;
            press.button.x = fit.x + first(fit.columns, sx);
            press.button.y = fit.y + first(fit.rows, sy);
            SDL_Event release = press;
            release.type = SDL_MOUSEBUTTONUP;
            SDL_PushEvent(&press);
            SDL_PushEvent(&release);
            const std::int32_t click = PollInput();
            EXPECT_EQ(click & 0xFFF, sx);
            EXPECT_EQ((click >> 12) & 0xFFF, sy);
            EXPECT_EQ((click >> 24) & 0xF, 1);
            EXPECT_EQ(MouseState().buttons <= 0, true) << "then the release";
        }
        SetActiveDevice(nullptr);
    }
}

// F1 shows the help box until any key; neither F1 nor the key reaches the lesson.
TEST_F(Window, TheHelpBoxTakesF1AndTheKeyThatClosesIt) {
    ASSERT_TRUE(ScreenOpen(320, 200, 16));
    const OwnedImage help(ImageNewOfDepth(100, 50, 4, 0xFFFFE0));
    device_->SetHelpPicture(help.get());
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_F1;
    SDL_PushEvent(&key);
    key.key.keysym.sym = SDLK_a;
    SDL_PushEvent(&key);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a");
    SDL_PushEvent(&text);
    EXPECT_EQ(KeyRead(), "") << "the help box took both keys";
    key.key.keysym.sym = SDLK_b;
    SDL_PushEvent(&key);
    std::strcpy(text.text.text, "b");
    SDL_PushEvent(&text);
    // Events reach the device over a few polls.
    std::string typed;
    for (int poll = 0; poll < 10; ++poll) typed += KeyRead();
    EXPECT_EQ(typed, "b") << "the lesson has its keys again, and none of the closing key";
}

TEST_F(Window, ClockCountsFromTheProgramStartAndSleepsTakeRealTime) {
    const double before = ClockSeconds();
    EXPECT_LT(before, 600.0);  // seconds since this test program started, not since boot
    SleepMs(30);
    EXPECT_GE(ClockSeconds() - before, 0.029);
}

// Polls the window until `done` holds or two seconds pass: a resize reaches the device as
// an event.
template <typename Done>
bool PollUntil(Done done) {
    for (int poll = 0; poll < 100 && !done(); ++poll) {
        KeyRead();
        SleepMs(20);
    }
    return done();
}

// The middle of every 10-unit stripe DrawStripes drew, as the window shows it: at every
// scale and filter a stripe's inside is its own colour.
void ExpectStripesShown(WindowDevice& device) {
    const std::vector<std::uint32_t> shown = device.ReadBackOutput();
    const PictureFit& fit = device.Fit();
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(fit.width) * fit.height);
    const std::int32_t y = fit.height / 16;  // above the circle, clear of the diagonal
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t colour = (i * 4u << 16) | ((255 - i * 4u) << 8) | (i * 37u & 0xFF);
        const auto x = static_cast<std::int32_t>((i * 10 + 5) * static_cast<double>(fit.width) / 640);
        EXPECT_TRUE(WithinOneStep(shown[static_cast<std::size_t>(y) * fit.width + x], colour)) << "stripe " << i;
    }
}

// A window that follows its display draws its 640 x 480 page as finely as it shows it (at
// 1.5: scale 2, smoothed down), wants scale 1 while sharp (F2, which the lesson never sees)
// and again after shrinking to 1:1, keeps showing the old picture until the run redraws,
// and shows the new screen exactly once redrawn.
TEST(FollowingWindow, DrawsAsFinelyAsShownAndWantsANewScaleAfterAResize) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    std::string whyNot;
    std::unique_ptr<WindowDevice> device = WindowDevice::Create({1.5, false, false, true}, whyNot);
    if (!device) GTEST_SKIP() << whyNot;
    SetActiveDevice(device.get());
    EXPECT_EQ(device->WantedRenderScale(), 2) << "foreseen before the window opens";
    ASSERT_TRUE(device->SetRenderScale(device->WantedRenderScale()));
    ASSERT_TRUE(ScreenOpen(640, 480, 32));
    EXPECT_EQ(device->RenderScale(), 2);
    EXPECT_FALSE(device->RenderScaleOutdated());
    DrawStripes(TargetOrScreen(nullptr));
    ExpectStripesShown(*device);

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_F2;
    SDL_PushEvent(&key);
    EXPECT_EQ(KeyRead(), "");
    EXPECT_TRUE(device->Sharp());
    EXPECT_EQ(device->WantedRenderScale(), 1);
    EXPECT_TRUE(device->RenderScaleOutdated());
    ExpectStripesShown(*device);
    device->SetSharp(false);
    EXPECT_FALSE(device->RenderScaleOutdated());

    SDL_Window* window = device->NativeWindow();
    ASSERT_NE(window, nullptr);
    SDL_SetWindowSize(window, 640, 480);
    ASSERT_TRUE(PollUntil([&] { return device->WantedRenderScale() == 1; })) << device->DisplayScale();
    EXPECT_TRUE(device->RenderScaleOutdated());
    ExpectStripesShown(*device);

    ASSERT_TRUE(device->SetRenderScale(device->WantedRenderScale()));
    ASSERT_TRUE(ScreenOpen(640, 480, 32));
    EXPECT_FALSE(device->RenderScaleOutdated());
    DrawStripes(TargetOrScreen(nullptr));
    ExpectShownAs(device->ReadBack(), device->Screen());
    SetActiveDevice(nullptr);
}

// How evenly a sloped line 1 page unit thick is shown: the ink of each output column across
// its middle (a column's darkness summed over its rows), as the largest departure from the
// mean, relative to it. Enlarged pixels at an uneven scale make some columns' line a pixel
// thicker than others'.
double InkVariation(WindowDevice& device, bool sharp) {
    device.SetSharp(sharp);
    if (device.RenderScaleOutdated()) {
        device.SetRenderScale(device.WantedRenderScale());
    }
    EXPECT_TRUE(ScreenOpen(640, 480, 32));
    const ImageHandle screen = TargetOrScreen(nullptr);
    RasterLine(screen, 0, 0, 639, 479, 0xFFFFFF, LineKind::FilledBox, 0xFFFF);
    RasterLine(screen, 40, 100, 600, 310, 0x000000, LineKind::Line, 0xFFFF);
    const std::vector<std::uint32_t> shown = device.ReadBackOutput();
    const PictureFit& fit = device.Fit();
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(fit.width) * fit.height);
    if (shown.empty()) return 1;
    std::vector<double> ink;
    for (auto x = static_cast<std::int32_t>(fit.width * 0.2); x < fit.width * 0.8; ++x) {
        double column = 0;
        for (std::int32_t y = 0; y < fit.height; ++y) {
            const std::uint32_t pixel = shown[static_cast<std::size_t>(y) * fit.width + x];
            column += 3 * 255.0 - ((pixel >> 16) & 0xFF) - ((pixel >> 8) & 0xFF) - (pixel & 0xFF);
        }
        ink.push_back(column);
    }
    double mean = 0;
    for (const double column : ink) mean += column / static_cast<double>(ink.size());
    double most = 0;
    for (const double column : ink) most = std::max(most, std::abs(column - mean) / mean);
    return most;
}

// Drawn as finely as it is shown and smoothed, the line keeps its ink within 6 % from column
// to column, fullscreen and in a window at an uneven 1.8; the enlarged pixels of --sharp are
// measured beside it for the record. (ctest runs this on a 1920 x 1080 display too.)
TEST(SmoothedWindow, ASlopedLineKeepsItsInkFromColumnToColumn) {
    for (const auto& [zoom, fullscreen] : {std::pair{1.8, false}, {1.0, true}}) {
        SCOPED_TRACE(fullscreen ? "fullscreen" : "zoom 1.8");
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        std::string whyNot;
        std::unique_ptr<WindowDevice> device = WindowDevice::Create({zoom, fullscreen, false, true}, whyNot);
        if (!device) GTEST_SKIP() << whyNot;
        SetActiveDevice(device.get());
        ASSERT_TRUE(device->SetRenderScale(device->WantedRenderScale()));
        ASSERT_TRUE(ScreenOpen(640, 480, 32));
        // A fullscreen window reaches the display's size over a few events.
        SDL_DisplayMode desktop{};
        SDL_GetDesktopDisplayMode(0, &desktop);
        if (fullscreen) PollUntil([&] { return device->Fit().width == desktop.w || device->Fit().height == desktop.h; });
        const double shownAt = device->DisplayScale();
        const double sharp = InkVariation(*device, true);
        const double smooth = InkVariation(*device, false);
        ::testing::Test::RecordProperty(fullscreen ? "fullscreen" : "zoom18",
                                        std::to_string(shownAt) + " scale " + std::to_string(device->RenderScale()) +
                                            ": sharp " + std::to_string(sharp) + ", smoothed " + std::to_string(smooth));
        std::printf("shown at %.3f: sharp %.3f, smoothed at scale %d %.3f\n", shownAt, sharp, device->RenderScale(), smooth);
        EXPECT_LE(smooth, 0.06);
        SetActiveDevice(nullptr);
    }
}

// The smallest letters a lesson has (the 12-pixel sans), drawn as finely as a window at an
// uneven 1.8 shows them and smoothed, read back word for word by OCR (Spanish); skipped where
// tesseract is not installed.
TEST(SmoothedWindow, TheSmallestTextReadsBackWordForWord) {
    if (std::system("command -v tesseract >/dev/null 2>&1") != 0) GTEST_SKIP() << "no tesseract";
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    std::string whyNot;
    std::unique_ptr<WindowDevice> device = WindowDevice::Create({1.8, false, false, true}, whyNot);
    if (!device) GTEST_SKIP() << whyNot;
    SetActiveDevice(device.get());
    ASSERT_TRUE(device->SetRenderScale(device->WantedRenderScale()));
    ASSERT_TRUE(ScreenOpen(640, 480, 32));
    const ImageHandle screen = TargetOrScreen(nullptr);
    RasterLine(screen, 0, 0, 639, 479, 0xFFFFFF, LineKind::FilledBox, 0xFFFF);
    const std::string_view words = "La mediatriz de AB corta a la de BC en el centro del c\xEDrculo.";
    PrintText(screen, words, ResidentFont(FontFamily::Sans, 12), 20, 200, 0x000000, TransparentColour(screen));
    const std::vector<std::uint32_t> shown = device->ReadBackOutput();
    const PictureFit& fit = device->Fit();
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(fit.width) * fit.height);
    const OwnedImage picture(ImageNewOfDepth(fit.width, fit.height, 4, 0xFFFFFF));
    for (std::int32_t y = 0; y < fit.height; ++y) {
        for (std::int32_t x = 0; x < fit.width; ++x) RasterPixel(picture.get(), static_cast<float>(x), static_cast<float>(y), shown[static_cast<std::size_t>(y) * fit.width + x]);
    }
    const std::string png = vekora::testing::TempPath("ocr.png");
    const std::string text = vekora::testing::TempPath("ocr");
    ASSERT_EQ(WritePng(picture.get(), png), "");
    ASSERT_EQ(std::system(("tesseract " + png + " " + text + " -l spa --psm 6 >/dev/null 2>&1").c_str()), 0);
    std::ifstream read(text + ".txt");
    std::string line;
    std::getline(read, line);
    EXPECT_EQ(line, "La mediatriz de AB corta a la de BC en el centro del c\xC3\xADrculo.");
    SetActiveDevice(nullptr);
}

}  // namespace
}  // namespace vekora

// The display libraries keep a little memory to the end of the process (SDL's D-Bus
// connection); the leak checker of the sanitizer build is told so. The sanitizer runtime looks
// the hook up by name, so it must stay visible although the build hides symbols by default.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
