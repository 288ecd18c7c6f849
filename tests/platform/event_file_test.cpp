// Event files: what each line means, and the line-numbered message for each kind of mistake.
#include <gtest/gtest.h>

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
