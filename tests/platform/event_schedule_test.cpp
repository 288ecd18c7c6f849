// Scripted input that follows the lesson: "wait" lines fire when the lesson next waits for its
// viewer, "+MS" lines count from the line before, and the keys typed for the viewer
// (--advance, --choose) come at each wait and go when the wait ends first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless_device.h"

namespace vekora {
namespace {

// The keys typed until the clock reaches `untilMs`, each with the time it was first seen
// waiting, a millisecond at a time.
std::vector<std::pair<std::int64_t, std::string>> KeysUntil(HeadlessDevice& device, std::int64_t untilMs) {
    std::vector<std::pair<std::int64_t, std::string>> keys;
    while (device.NowMs() < untilMs) {
        device.PlainSleep(1);
        while (device.KeyWaiting()) {
            const std::int64_t at = device.NowMs();
            keys.emplace_back(at, device.KeyRead());
        }
    }
    return keys;
}

using Keys = std::vector<std::pair<std::int64_t, std::string>>;

HeadlessDevice DeviceWith(std::string_view events, ViewerAnswers answers = {}) {
    const EventList list = ParseEvents(events, "events");
    EXPECT_EQ(list.error, "");
    return HeadlessDevice(list.events, std::move(answers));
}

TEST(EventSchedule, WaitLinesFireAtTheNextWaitAndRelativeLinesCountFromThem) {
    HeadlessDevice device = DeviceWith("wait key a\n+300 key b\nwait key c\n+0 key d\n");
    EXPECT_EQ(KeysUntil(device, 1000), Keys{}) << "nothing before the lesson waits";
    device.ViewerWaitStarted({});
    // "c" waits for a wait that begins after "b": not this one, however long it lasts.
    EXPECT_EQ(KeysUntil(device, 5000), (Keys{{1001, "a"}, {1300, "b"}}));
    device.ViewerWaitEnded();
    EXPECT_EQ(KeysUntil(device, 6000), Keys{});
    device.ViewerWaitStarted({});
    EXPECT_EQ(KeysUntil(device, 7000), (Keys{{6001, "c"}, {6002, "d"}}));
}

TEST(EventSchedule, AClickReleasesAfterItsPressWhateverLinesFollow) {
    HeadlessDevice device = DeviceWith("wait click 10 20\n+50 key a\n");
    device.PlainSleep(500);
    device.ViewerWaitStarted({});
    std::vector<std::pair<std::int64_t, std::int32_t>> buttons;
    std::int64_t keyAt = -1;
    while (device.NowMs() < 800) {
        device.PlainSleep(1);
        const MouseInfo mouse = device.MouseState();
        if (buttons.empty() || buttons.back().second != mouse.buttons) buttons.emplace_back(device.NowMs(), mouse.buttons);
        if (!device.KeyRead().empty()) keyAt = device.NowMs();
    }
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].second, 1);
    EXPECT_LE(buttons[0].first, 502);
    EXPECT_EQ(buttons[1].second, 0);
    EXPECT_GE(buttons[1].first, 600);
    EXPECT_LE(buttons[1].first, 602);
    EXPECT_GE(keyAt, 550);
    EXPECT_LE(keyAt, 552);
}

TEST(EventSchedule, AnswersComeAfterTheDelayAndGoWhenTheWaitEndsFirst) {
    HeadlessDevice device = DeviceWith("", ViewerAnswers(3000, {}));
    device.PlainSleep(100);
    device.ViewerWaitStarted({ViewerWaitKind::GoOn, 0, 5});
    EXPECT_EQ(KeysUntil(device, 3200), (Keys{{3100, "\r"}}));
    device.ViewerWaitEnded();
    device.ViewerWaitStarted({ViewerWaitKind::Drag, 0, 9});
    device.PlainSleep(1000);
    device.ViewerWaitEnded();  // the viewer answered first
    EXPECT_EQ(KeysUntil(device, 9000), Keys{});
}

// What is typed at each kind of wait, menus shown again and again.
TEST(ViewerAnswers, KeysForEachWait) {
    const std::string enter = "\r", escape = "\x1B", down = "\xFFP";
    const ViewerWait menu{ViewerWaitKind::Menu, 0, 7, 3};
    const ViewerWait otherMenu{ViewerWaitKind::Menu, 2, 4, 2};
    using Typed = std::vector<std::string>;
    const struct {
        const char* name;
        ViewerAnswers answers;
        std::vector<ViewerWait> waits;
        std::vector<Typed> keys;
    } cases[] = {
        {"each item once, then the last", ViewerAnswers(3000, {}),
         {menu, menu, otherMenu, menu, menu, otherMenu, otherMenu},
         {{enter}, {down, enter}, {enter}, {down, down, enter}, {down, down, enter}, {down, enter}, {down, enter}}},
        {"choices first, past the last item its last", ViewerAnswers(3000, {2, 9, 1}),
         {menu, menu, menu, menu},
         {{down, enter}, {down, down, enter}, {enter}, {enter}}},
        {"continue and drag", ViewerAnswers(0, {}),
         {{ViewerWaitKind::GoOn, 0, 1}, {ViewerWaitKind::Drag, 0, 2}},
         {{enter}, {escape}}},
        {"off: only menus, and only while choices last", ViewerAnswers(-1, {3}),
         {{ViewerWaitKind::GoOn, 0, 1}, menu, menu},
         {{}, {down, down, enter}, {}}},
        {"nothing asked", ViewerAnswers(), {{ViewerWaitKind::GoOn, 0, 1}, menu}, {{}, {}}},
    };
    for (auto c : cases) {
        for (std::size_t i = 0; i < c.waits.size(); ++i) EXPECT_EQ(c.answers.KeysFor(c.waits[i]), c.keys[i]) << c.name << " #" << i;
    }
}

}  // namespace
}  // namespace vekora
