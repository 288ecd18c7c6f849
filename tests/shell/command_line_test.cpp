// The options of the vekora program and what each asks for.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "shell/command_line.h"

namespace vekora {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, Actions) {
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::string script;
    };
    const Case cases[] = {
        {{"--check", "x.vek"}, Action::Check, "x.vek"},
        {{"x.vek", "--check"}, Action::Check, "x.vek"},
        {{"--dump-table", "a/b.vek"}, Action::DumpTable, "a/b.vek"},
        {{"--check", "--check", "x.vek"}, Action::Check, "x.vek"},
        {{"--help"}, Action::Help, ""},
        {{"-h", "--bogus"}, Action::Help, ""},
        {{"--version"}, Action::Version, ""},
        {{"--check"}, Action::UsageError, ""},
        {{"--check", "--dump-table", "x.vek"}, Action::UsageError, ""},
        {{"--dump-symbols", "x.vek"}, Action::DumpSymbols, "x.vek"},
        {{"--dump-symbols", "--dump-table", "x.vek"}, Action::UsageError, ""},
        {{"--dump-symbols"}, Action::UsageError, ""},
        {{"--check", "a.vek", "b.vek"}, Action::UsageError, "a.vek"},
        {{"--frobnicate", "x.vek"}, Action::UsageError, ""},
        {{"x.vek"}, Action::Run, "x.vek"},
        {{"--export", "f.TEX", "--tikz-picture", "x.vek"}, Action::Run, "x.vek"},
        {{"--tikz-picture", "x.vek"}, Action::UsageError, "x.vek"},
        {{"--export", "f.svg", "--tikz-picture", "x.vek"}, Action::UsageError, "x.vek"},
        {{}, Action::Run, ""},  // the file chooser asks for one
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.script, c.script) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.error.empty(), c.action != Action::UsageError) << ::testing::PrintToString(c.arguments);
    }
}

TEST(CommandLine, UsageNamesEveryOptionWithItsNoteInOneColumn) {
    const std::string usage = UsageText();
    for (const char* option : {"--check", "--dump-table", "--dump-symbols", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    // Every note starts in column 19: beside its option, or on the next line when the option
    // and its value are too long for their column.
    std::vector<std::string> lines;
    std::istringstream text(usage);
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    constexpr std::size_t NoteColumn = 19;
    const auto noteStartsThere = [](const std::string& line, std::size_t from) {
        return line.size() > NoteColumn && line.find_first_not_of(' ', from) == NoteColumn;
    };
    int options = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].starts_with("  -")) continue;
        ++options;
        const bool beside = lines[i].size() > NoteColumn && lines[i][NoteColumn - 1] == ' ' && lines[i][NoteColumn] != ' ';
        const bool below = i + 1 < lines.size() && noteStartsThere(lines[i + 1], 0);
        EXPECT_TRUE(beside || below) << lines[i];
    }
    EXPECT_GT(options, 20);
}

TEST(CommandLine, ZoomTakesFractionsFromHalfToEightAndFullscreenIsAFlag) {
    struct Case {
        std::string value;
        double zoom;  // 0: refused
    };
    const Case cases[] = {{"1", 1}, {"1.5", 1.5}, {"0.5", 0.5}, {"8", 8}, {"2.25", 2.25}, {"0.49", 0},
                          {"8.01", 0}, {"nan", 0}, {"1.5x", 0}, {"", 0}, {"-2", 0}};
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine({"--zoom", c.value, "x.vek"});
        if (c.zoom == 0) {
            EXPECT_EQ(line.action, Action::UsageError) << c.value;
            EXPECT_NE(line.error.find("from 0.5 to 8"), std::string::npos) << line.error;
        } else {
            EXPECT_EQ(line.action, Action::Run) << c.value;
            EXPECT_DOUBLE_EQ(line.zoom, c.zoom) << c.value;
        }
    }
    EXPECT_FALSE(ParseCommandLine({"x.vek"}).fullscreen);
    EXPECT_TRUE(ParseCommandLine({"--fullscreen", "x.vek"}).fullscreen);
}

TEST(CommandLine, AdvanceAndChooseAnswerTheViewersWaitsOfAHeadlessRun) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::int64_t> advanceMs;  // as parsed; ignored for a usage error
        std::vector<std::int32_t> choices;
        bool refused = false;
    };
    const Case cases[] = {
        {{"--headless", "x.vek"}, std::nullopt, {}},
        {{"--headless", "--advance", "3", "x.vek"}, 3000, {}},
        {{"--headless", "--advance", "0.25", "x.vek"}, 250, {}},
        {{"--headless", "--advance", "0", "x.vek"}, 0, {}},
        {{"--headless", "--advance", "off", "x.vek"}, -1, {}},
        {{"--headless", "--choose", "2,1,3", "x.vek"}, std::nullopt, {2, 1, 3}},
        {{"--headless", "--choose", "7", "x.vek"}, std::nullopt, {7}},
        {{"--headless", "--advance", "-1", "x.vek"}, {}, {}, true},
        {{"--headless", "--advance", "soon", "x.vek"}, {}, {}, true},
        {{"--headless", "--choose", "0", "x.vek"}, {}, {}, true},
        {{"--headless", "--choose", "1,,2", "x.vek"}, {}, {}, true},
        {{"--headless", "--choose", "1,", "x.vek"}, {}, {}, true},
        {{"--headless", "--choose", "", "x.vek"}, {}, {}, true},
        {{"--advance", "3", "x.vek"}, {}, {}, true},  // a window has its viewer
        {{"--choose", "1", "x.vek"}, {}, {}, true},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        std::string shown;
        for (const std::string& argument : c.arguments) shown += argument + " ";
        if (c.refused) {
            EXPECT_EQ(line.action, Action::UsageError) << shown;
            continue;
        }
        ASSERT_EQ(line.action, Action::Run) << shown << line.error;
        EXPECT_EQ(line.advanceMs, c.advanceMs) << shown;
        EXPECT_EQ(line.choices, c.choices) << shown;
    }
}

}  // namespace
}  // namespace vekora
