// A window that follows its display draws a lesson in progress afresh when the scale it wants
// changes: the run is replayed to that moment at the new scale, so the screen holds what a run
// drawn at that scale from the start holds, everything before the change included.
#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "draw/image_scale.h"
#include "draw/image_surface.h"
#include "platform/active_device.h"
#include "platform/window_device.h"
#include "run/run_script.h"
#include "run/script_text.h"
#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

// Drawn before the WAIT and after it, so that the end shows both.
constexpr std::string_view Lesson =
    "POINT A, 200, 150\nPOINT B, 420, 300\nK = CIRCLE A, B, &HC00000, 2\nWAIT\nAB = LINE A, B\nEND\n";

void PushKey(SDL_Keycode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
}

TEST(FollowingWindow, ALessonInProgressIsDrawnAfreshAtTheScaleTheWindowNowWants) {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    std::string whyNot;
    // Zoom 2: the window wants scale 2; F2 (sharp pixels) then wants scale 1.
    std::unique_ptr<WindowDevice> device = WindowDevice::Create({2.0, false, false, true}, whyNot);
    if (!device) GTEST_SKIP() << whyNot;
    ASSERT_EQ(device->WantedRenderScale(), 2);
    ASSERT_TRUE(device->SetRenderScale(2));
    SetActiveDevice(device.get());

    // The viewer, on a thread of its own (SDL's queue takes events from any thread): F2 once the
    // lesson has had time to reach its WAIT, then Enter until the lesson ends (an Enter that
    // comes before the WAIT is only read by the bar).
    std::atomic<bool> ended{false};
    std::thread viewer([&ended] {
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        PushKey(SDLK_F2);
        for (int tries = 0; tries < 200 && !ended; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            PushKey(SDLK_RETURN);
        }
    });
    std::int32_t scaleAtEnd = 0;
    std::vector<std::uint32_t> shown;
    ScriptRunSetup setup;
    setup.device = device.get();
    setup.options.showLogo = false;
    setup.beforeClosingLogo = [&] {
        scaleAtEnd = ImageScale(device->Screen());
        const Surface surface = ResolveSurface(device->Screen());
        for (std::int32_t y = 0; y < surface.height; ++y)
            for (std::int32_t x = 0; x < surface.width; ++x) shown.push_back(PixelRgb(surface, x, y));
    };
    ErrorLists errors;
    const std::int32_t result = RunScript(SplitScriptText(Lesson), errors, setup);
    ended = true;
    viewer.join();
    SetActiveDevice(nullptr);
    EXPECT_EQ(result, 255);
    EXPECT_TRUE(device->Sharp());
    EXPECT_EQ(device->RenderScale(), 1);
    EXPECT_EQ(scaleAtEnd, 1) << "the screen was made again at the scale wanted";

    const testing::ScriptOutcome fromTheStart = testing::PlayHeadless(Lesson, "wait key Enter\n", false, 1);
    ASSERT_EQ(fromTheStart.result, 255);
    ASSERT_EQ(shown.size(), fromTheStart.screen.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) differing += shown[i] != fromTheStart.screen[i];
    EXPECT_EQ(differing, 0u) << "the circle drawn before the change, and the segment after it";
}

}  // namespace
}  // namespace vekora
