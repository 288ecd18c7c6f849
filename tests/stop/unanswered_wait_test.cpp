// A run stopped by --until while the lesson waited for its viewer says which statement waited
// (file, line, column), since when, and how to answer it; a film made without events goes on
// by itself and is not stopped at all.
#include <gtest/gtest.h>

#include <string>

#include "program_run.h"

namespace {

using namespace vekora::testing;

constexpr const char* Lesson =
    "SCREEN 200, 150\n"
    "POINT A, 20, 20\n"
    "  WAIT\n"
    "MENU\n"
    "MENUITEM \"Uno\"\n"
    "  POINT B, 40, 40\n"
    "MENUITEM \"Dos\"\n"
    "  EXITMENU\n"
    "REPEATMENU\n"
    "INTERACT Drag\n"
    "END\n"
    "INTERACTION Drag\n"
    "CLICKABLE A\n"
    "REPEAT\n";

TEST(UnansweredWait, TheNoteNamesTheWaitingStatementAndHowToAnswerIt) {
    const std::string script = Temp("waiting.vek");
    Write(script, Lesson);
    const struct {
        const char* events;
        const char* place;
        const char* answer;
    } cases[] = {
        {"", ":3:3 since ", "answer it with --advance SECONDS, or an event line such as \"wait key Enter\""},
        {"wait key Enter\n", ":4:1 since ", "--choose N"},
        {"wait key Enter\nwait key Enter\nwait key Down\n+0 key Enter\n", ":10:1 since ", "\"wait key Escape\""},
    };
    for (const auto& c : cases) {
        const std::string events = Temp("waiting.events");
        Write(events, c.events);
        const std::string errors = Temp("waiting.err");
        const int status = RunProgram({"--headless", "--no-logo", "--until", "20000", "--events", events, script}, errors);
        const std::string note = ReadAll(errors);
        EXPECT_EQ(status, 0) << note;
        EXPECT_NE(note.find("stopped at 20000 ms of virtual time (--until)\n"), std::string::npos) << note;
        EXPECT_NE(note.find("waiting.vek" + std::string(c.place)), std::string::npos) << c.events << note;
        EXPECT_NE(note.find(c.answer), std::string::npos) << c.events << note;
    }
}

TEST(UnansweredWait, AFilmWithoutEventsGoesOnByItselfUnlessToldNotTo) {
    const std::string script = Temp("waiting-film.vek");
    Write(script, Lesson);
    const std::string film = Temp("waiting-film.gif");
    const std::string errors = Temp("waiting-film.err");
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--until", "60000", "--record", film, script}, errors), 0);
    EXPECT_EQ(ReadAll(errors), "");
    EXPECT_EQ(RunProgram({"--headless", "--no-logo", "--until", "60000", "--advance", "off", "--record", film, script}, errors), 0);
    EXPECT_NE(ReadAll(errors).find("stopped at 60000 ms"), std::string::npos) << ReadAll(errors);
}

}  // namespace
