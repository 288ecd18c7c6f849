// The headless device: virtual clock, interruptible sleeps, input codes and polling waits.
#include <gtest/gtest.h>

#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "platform/input.h"

namespace vekora {
namespace {

// Makes a headless device with these events active for one test.
class Headless : public ::testing::Test {
protected:
    void Start(std::string_view events) {
        const EventList list = ParseEvents(events, "test");
        ASSERT_EQ(list.error, "");
        device_ = std::make_unique<HeadlessDevice>(list.events);
        SetActiveDevice(device_.get());
    }
    void TearDown() override { SetActiveDevice(nullptr); }
    std::unique_ptr<HeadlessDevice> device_;
};

TEST_F(Headless, ClockStartsAtZeroAndMovesOnlyWithSleepsAndPolls) {
    Start("");
    EXPECT_EQ(ClockSeconds(), 0.0);
    SleepMs(0);
    SleepMs(-5);
    EXPECT_EQ(device_->NowMs(), 0);
    SleepMs(30);
    EXPECT_EQ(device_->NowMs(), 30);
    KeyRead();
    MouseState();
    EXPECT_EQ(device_->NowMs(), 32);
    SleepMs(2000);
    EXPECT_DOUBLE_EQ(ClockSeconds(), 2.032);
}

TEST_F(Headless, AKeyEndsALongSleepWithinOneSlice) {
    Start("300 key a");
    SleepMs(2000);
    EXPECT_GE(device_->NowMs(), 300);
    EXPECT_LE(device_->NowMs(), 350);
    EXPECT_EQ(KeyRead(), "a");  // the key stays in the buffer
    const std::int64_t before = device_->NowMs();
    SleepMs(99);  // shorter sleeps are one plain wait
    EXPECT_EQ(device_->NowMs(), before + 99);
}

TEST_F(Headless, AClickIsAPressThenAReleaseAHundredMillisecondsLater) {
    Start("1000 click 40 50 right\n1200 move 7 8");
    EXPECT_EQ(MouseState().buttons, -1);  // outside the window before any mouse event
    SleepMs(999);
    const MouseInfo pressed = MouseState();
    EXPECT_EQ(pressed.buttons, 2);
    EXPECT_EQ(pressed.x, 40);
    EXPECT_EQ(pressed.y, 50);
    SleepMs(97);
    EXPECT_EQ(MouseState().buttons, 2);
    EXPECT_EQ(MouseState().buttons, 0);  // at 1100
    SleepMs(200);
    EXPECT_EQ(MouseState().x, 7);
}

TEST_F(Headless, ButtonChangesBetweenTwoPollsAreHandedOutOneAPollInOrder) {
    // A tap: press and release in the same millisecond, then a second tap elsewhere, all
    // before the program looks; then the pointer moves on.
    Start("100 press 40 50\n100 release 40 50\n150 press 60 70 right\n150 release 61 71 right\n160 move 5 6");
    SleepMs(300);
    const MouseInfo expected[] = {{40, 50, 0, 1}, {40, 50, 0, 0}, {60, 70, 0, 2}, {61, 71, 0, 0}, {5, 6, 0, 0}};
    for (const MouseInfo& want : expected) {
        const MouseInfo seen = MouseState();
        EXPECT_EQ(seen.x, want.x);
        EXPECT_EQ(seen.y, want.y);
        EXPECT_EQ(seen.buttons, want.buttons) << want.x;
    }
}

TEST_F(Headless, PollInputLaysOutClicksAndKeys) {
    Start("0 key Up\n0 key \xC3\xB1\n0 key Enter\n50 press 4095 1000 middle\n50 key b");
    EXPECT_EQ(PollInput(), KeyCodeBit | 0xFF | ('H' << 8));
    EXPECT_EQ(PollInput(), KeyCodeBit | 0xF1);
    EXPECT_EQ(PollInput(), KeyCodeBit | 13);
    SleepMs(60);
    // A click wins over a key; the key was read all the same.
    EXPECT_EQ(static_cast<std::uint32_t>(PollInput()), 0x80000000u | (4u << 24) | (1000u << 12) | 4095u);
    EXPECT_EQ(KeyRead(), "");
    EXPECT_EQ(PollInput(), static_cast<std::int32_t>(0x80000000u | (4u << 24) | (1000u << 12) | 4095u));
}

TEST_F(Headless, WaitPollingSleepsInSlicesAndEndsOnInput) {
    Start("500 key x");
    EXPECT_EQ(WaitPolling(0), 0);
    EXPECT_GE(device_->NowMs(), 20);  // one slice of 20 ms and one poll
    EXPECT_LT(device_->NowMs(), 40);
    EXPECT_EQ(WaitPolling(2000), KeyCodeBit | 'x');
    EXPECT_GE(device_->NowMs(), 500);
    EXPECT_LT(device_->NowMs(), 530);
    const std::int64_t before = device_->NowMs();
    EXPECT_EQ(WaitPolling(100), 0);
    EXPECT_GE(device_->NowMs(), before + 100);
    EXPECT_LT(device_->NowMs(), before + 130);
}

TEST(Clock, SinglePrecisionDeadlinesKeepMillisecondsAfterHours) {
    // Ten hours into a run a float of seconds still resolves a few milliseconds.
    const float deadline = static_cast<float>(36000.0 + 0.02);
    EXPECT_GT(static_cast<double>(deadline), 36000.0);
    EXPECT_LT(static_cast<double>(deadline) - 36000.02, 0.004);
}

TEST(NoDevice, OperationsDoNothingAndWaitsDoNotHang) {
    SetActiveDevice(nullptr);
    EXPECT_EQ(KeyRead(), "");
    EXPECT_EQ(MouseState().buttons, -1);
    EXPECT_EQ(WaitPolling(1000), 0);
    EXPECT_FALSE(ScreenOpen(640, 480, 16));
}

// Repetitions that never let the clock move are charged to it once they are far more than any
// lesson makes in one step; a step of the clock of their own forgives them.
TEST_F(Headless, RunawayRepetitionsMoveTheClock) {
    Start("");
    for (int i = 0; i < Device::RunawayRepetitions; ++i) device_->RepetitionExecuted();
    EXPECT_EQ(device_->NowMs(), 0);
    device_->RepetitionExecuted();
    device_->RepetitionExecuted();
    EXPECT_EQ(device_->NowMs(), 2 * Device::RunawaySleepMs);
    SleepMs(1);
    for (int i = 0; i < Device::RunawayRepetitions; ++i) device_->RepetitionExecuted();
    EXPECT_EQ(device_->NowMs(), 2 * Device::RunawaySleepMs + 1);
    device_->StopAt(0.05);
    for (int i = 0; i < 10 && !device_->Stopped(); ++i) device_->RepetitionExecuted();
    EXPECT_EQ(device_->StopCause(), StopReason::TimeLimit);
}

// A device started afresh is as a new one: clock at 0, events from the first, nothing held.
TEST_F(Headless, StartAfreshForgetsEverythingOfTheLastRun) {
    Start("0 key a\n100 press 5 6\n300 key b\n");
    EXPECT_EQ(KeyRead(), "a");
    SleepMs(400);  // ends early at "b"
    ASSERT_EQ(MouseState().buttons, 1);
    device_->StopAt(0.1);
    SleepMs(10);
    ASSERT_TRUE(device_->Stopped());
    device_->StartAfresh();
    EXPECT_FALSE(device_->Stopped());
    EXPECT_EQ(device_->NowMs(), 0);
    EXPECT_EQ(MouseState().buttons, -1) << "outside the window until the first mouse event";
    EXPECT_EQ(KeyRead(), "a");
    EXPECT_EQ(KeyRead(), "") << "the last run's b is gone";
    SleepMs(400);
    EXPECT_EQ(KeyRead(), "b");
    EXPECT_EQ(MouseState().buttons, 1);
}

// A click the last run never looked at is not handed to the next: the next run sees its own
// events once, as a new device would (two runs of one lesson end alike).
TEST_F(Headless, StartAfreshDropsTheClicksTheLastRunNeverSaw) {
    Start("0 press 5 6\n0 release 5 6\n");
    device_->StartAfresh();
    const std::int32_t expected[] = {1, 0, 0, 0};
    for (const std::int32_t buttons : expected) EXPECT_EQ(MouseState().buttons, buttons);
}

}  // namespace
}  // namespace vekora
