// Event files: what each line means, and the line-numbered message for each kind of mistake.
#include <gtest/gtest.h>

#include <vector>

#include "platform/event_file.h"

namespace vekora {
namespace {

TEST(EventFile, ParsesEveryKindOfEvent) {
    const EventList list = ParseEvents(
        "# a comment\n\n  10 key Escape  # trailing comment\n20 key z\r\n30 move 5 6\n"
        "40 click 1 2 middle\n50 press 3 4\n200 release 3 4 left\n",
        "e.txt");
    ASSERT_EQ(list.error, "");
    ASSERT_EQ(list.events.size(), 7u);
    using Kind = InputEvent::Kind;
    const struct {
        std::int64_t time;
        Kind kind;
        std::int32_t x, button;
    } expected[] = {{10, Kind::Key, 0, 0},   {20, Kind::Key, 0, 0},     {30, Kind::Move, 5, 0}, {40, Kind::Press, 1, 4},
                    {50, Kind::Press, 3, 1}, {140, Kind::Release, 1, 4}, {200, Kind::Release, 3, 1}};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(list.events[i].timeMs, expected[i].time) << i;
        EXPECT_EQ(list.events[i].kind, expected[i].kind) << i;
        EXPECT_EQ(list.events[i].x, expected[i].x) << i;
        EXPECT_EQ(list.events[i].button, expected[i].button) << i;
    }
    EXPECT_EQ(list.events[0].key, "\x1B");
    EXPECT_EQ(list.events[1].key, "z");
}

// "+MS" counts from the line before (from a click's press); after a "wait" line times are
// known only when the lesson plays, so the lines stay in the file's order with their timing.
TEST(EventFile, RelativeAndWaitLines) {
    using Timing = InputEvent::Timing;
    using Kind = InputEvent::Kind;
    struct Expected {
        std::int64_t time;
        Kind kind;
        Timing timing;
    };
    const struct {
        const char* text;
        std::vector<Expected> events;
    } cases[] = {
        {"+500 key a\n+250 key b\n1000 key c\n+0 key d",
         {{500, Kind::Key, Timing::At}, {750, Kind::Key, Timing::At}, {1000, Kind::Key, Timing::At},
          {1000, Kind::Key, Timing::At}}},
        // Settled and sorted: the release at 140 comes before the key at 150.
        {"40 click 1 2\n+110 key a",
         {{40, Kind::Press, Timing::At}, {140, Kind::Release, Timing::At}, {150, Kind::Key, Timing::At}}},
        {"wait key Enter\n+1500 key x\nwait click 120 300\n9000 key y\n+5 key z",
         {{0, Kind::Key, Timing::AtWait},
          {1500, Kind::Key, Timing::AfterPrevious},
          {0, Kind::Press, Timing::AtWait},
          {100, Kind::Release, Timing::AfterPress},
          {9000, Kind::Key, Timing::At},
          {9005, Kind::Key, Timing::At}}},
    };
    for (const auto& c : cases) {
        const EventList list = ParseEvents(c.text, "e");
        ASSERT_EQ(list.error, "") << c.text;
        ASSERT_EQ(list.events.size(), c.events.size()) << c.text;
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            EXPECT_EQ(list.events[i].timeMs, c.events[i].time) << c.text << " #" << i;
            EXPECT_EQ(list.events[i].kind, c.events[i].kind) << c.text << " #" << i;
            EXPECT_EQ(list.events[i].timing, c.events[i].timing) << c.text << " #" << i;
        }
    }
}

TEST(EventFile, KeyNamesGiveTheBytesOfKeyRead) {
    const struct {
        const char* word;
        std::string bytes;
    } cases[] = {{"Enter", "\r"},      {"Backspace", "\b"}, {"Tab", "\t"},        {"Space", " "},
                 {"Down", "\xFFP"},    {"PageUp", "\xFFI"}, {"Delete", "\xFFS"},  {"\xC3\xA9", "\xE9"},
                 {"A", "A"},           {"~", "~"}};
    for (const auto& c : cases) {
        const EventList list = ParseEvents(std::string("0 key ") + c.word, "k");
        ASSERT_EQ(list.error, "") << c.word;
        EXPECT_EQ(list.events[0].key, c.bytes) << c.word;
    }
}

TEST(EventFile, MalformedLinesNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"10 key a\nten key a", "ev.txt:2: the time must be a whole number of milliseconds"},
        {"-5 key a", "ev.txt:1: the time must be a whole number of milliseconds"},
        {"99999999999999999999 key a", "ev.txt:1: the time must be a whole number of milliseconds"},
        {"10 key a\n5 key b", "ev.txt:2: times must not go backwards"},
        {"+10 key a\n5 key b", "ev.txt:2: times must not go backwards"},
        {"+x key a", "ev.txt:1: the time must be a whole number of milliseconds"},
        {"+-5 key a", "ev.txt:1: the time must be a whole number of milliseconds"},
        {"waiting key a", "ev.txt:1: the time must be a whole number of milliseconds"},
        {"wait", "ev.txt:1: an event is a time and what happens"},
        {"10", "ev.txt:1: an event is a time and what happens"},
        {"10 jump 1 2", "ev.txt:1: unknown event \"jump\" (key, move, press, release or click)"},
        {"10 key", "ev.txt:1: key wants one key name"},
        {"10 key a b", "ev.txt:1: key wants one key name"},
        {"10 key F1", "ev.txt:1: unknown key \"F1\""},
        {"\n\n10 move 1", "ev.txt:3: move wants x and y"},
        {"10 move 1 2 left", "ev.txt:1: move wants x and y"},
        {"10 click 1 2 left extra", "ev.txt:1: click wants x and y and an optional button"},
        {"10 press 1 -2", "ev.txt:1: coordinates must be whole numbers from 0 to 65535"},
        {"10 press 1.5 2", "ev.txt:1: coordinates must be whole numbers from 0 to 65535"},
        {"10 release 1 2 thumb", "ev.txt:1: unknown button \"thumb\" (left, right or middle)"},
    };
    for (const auto& c : cases) {
        const EventList list = ParseEvents(c.text, "ev.txt");
        EXPECT_EQ(list.error, c.error) << c.text;
        EXPECT_TRUE(list.events.empty()) << c.text;
    }
}

// A file that cannot be used is refused with the reason, before anything of it is taken:
// a folder like a missing file, and an endless one without reading it whole.
TEST(EventFile, AFileThatCannotBeUsedIsReportedWithTheReason) {
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {"/nonexistent/events.txt", "/nonexistent/events.txt: cannot be read (No such file or directory)"},
        {"/tmp", "/tmp: cannot be read (Is a directory)"},
        {"/dev/zero", "/dev/zero: cannot be read (larger than 64 MB, more than any lesson needs)"},
    };
    for (const auto& c : cases) {
        const EventList list = ReadEventFile(c.path);
        EXPECT_EQ(list.error, c.error);
        EXPECT_TRUE(list.events.empty());
    }
}

}  // namespace
}  // namespace vekora
