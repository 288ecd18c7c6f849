// The journal of a run's reads gives them back in order, cut at any read (also inside a run
// of equal ones), and hands over to the device when the run reads something else; a swipe is
// told from a tap and a drag.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/input_journal.h"
#include "platform/swipe.h"

namespace vekora {
namespace {

// A run's reads: an idle keyboard read three times (kept as one entry), whether a key waits,
// a clock read, a key, a poll with the button down.
void RecordRun(InputJournal& journal) {
    for (int i = 0; i < 3; ++i) journal.RecordKey("");
    journal.RecordKeyWaiting(false);
    journal.RecordClock(1.25);
    journal.RecordKey("\xFFK");
    journal.RecordMouse({10, 20, 0, 1});
}

// Reads the journal back as the run read it, as text, until the replay ends.
std::string Replayed(InputJournal& journal) {
    std::string reads;
    const char* pattern[] = {"key", "key", "key", "waiting", "clock", "key", "mouse"};
    for (const char* read : pattern) {
        if (!journal.Replaying()) break;
        const std::string kind(read);
        if (kind == "key") reads += "k[" + journal.NextKey().value_or("?") + "]";
        if (kind == "waiting") reads += journal.NextKeyWaiting().value_or(true) ? "w1" : "w0";
        if (kind == "clock") reads += "c" + std::to_string(journal.NextClock().value_or(-1));
        if (kind == "mouse") {
            const MouseInfo m = journal.NextMouse().value_or(MouseInfo{});
            reads += "m" + std::to_string(m.x) + "," + std::to_string(m.y) + "," + std::to_string(m.buttons);
        }
    }
    return reads;
}

TEST(InputJournal, GivesBackTheFirstReadsInOrder) {
    struct Case {
        std::uint64_t reads;
        std::string replayed;
    };
    const Case cases[] = {
        {0, ""},
        {2, "k[]k[]"},  // cut inside the run of equal reads
        {5, "k[]k[]k[]w0c1.250000"},
        {7, "k[]k[]k[]w0c1.250000k[\xFFK]m10,20,1"},
        {50, "k[]k[]k[]w0c1.250000k[\xFFK]m10,20,1"},  // no more than were recorded
    };
    for (const Case& c : cases) {
        InputJournal journal;
        RecordRun(journal);
        EXPECT_EQ(journal.Position(), 7u);
        journal.ReplayFirst(c.reads);
        EXPECT_EQ(Replayed(journal), c.replayed) << c.reads;
        EXPECT_FALSE(journal.Replaying()) << c.reads;
        EXPECT_EQ(journal.Position(), std::min<std::uint64_t>(c.reads, 7)) << c.reads;
        // Recording goes on after what was replayed.
        journal.RecordKey("x");
        EXPECT_EQ(journal.Position(), std::min<std::uint64_t>(c.reads, 7) + 1) << c.reads;
    }
}

TEST(InputJournal, AReadOfAnotherKindEndsTheReplayThere) {
    InputJournal journal;
    RecordRun(journal);
    journal.ReplayFirst(7);
    EXPECT_EQ(journal.NextKey(), "");
    // The run asks for the clock where it read the keyboard before: the rest is not its past.
    EXPECT_FALSE(journal.NextClock().has_value());
    EXPECT_FALSE(journal.Replaying());
    EXPECT_EQ(journal.Position(), 1u);
    // A later replay gives back only what was given before the divergence.
    journal.ReplayFirst(7);
    EXPECT_EQ(journal.NextKey(), "");
    EXPECT_FALSE(journal.Replaying());
}

TEST(Swipe, IsAQuickStrokeAcrossThePicture) {
    struct Case {
        Swipe swipe;
        std::optional<NamedKey> key;
    };
    const Case cases[] = {
        {{-0.3, 0.02, 0.2}, NamedKey::Right},   // to the left: on
        {{0.3, -0.02, 0.2}, NamedKey::Left},    // to the right: back
        {{0.12, 0.0, 0.8}, NamedKey::Left},     // just far enough, just quick enough
        {{0.11, 0.0, 0.2}, std::nullopt},       // a tap that slid a little
        {{0.3, 0.2, 0.2}, std::nullopt},        // slanting: a drag
        {{0.3, 0.0, 1.5}, std::nullopt},        // slow: a drag
        {{0.3, 0.0, -0.1}, std::nullopt},       // a clock gone back is no swipe
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwipeKey(c.swipe), c.key) << c.swipe.dx << " " << c.swipe.dy << " " << c.swipe.seconds;
    }
}

}  // namespace
}  // namespace vekora
