// A TEXT too long for its window: the words the run will not show, measured with the run's
// fonts where the lesson gives the window's size, and nothing where it does not.
#include <gtest/gtest.h>

#include "draw/math_text.h"
#include "run/lesson_compile.h"

namespace vekora {
namespace {

// (line, words not shown) of each warning.
std::vector<std::pair<std::int32_t, std::string>> Hidden(const ScriptLines& lines) {
    std::vector<std::pair<std::int32_t, std::string>> found;
    for (const Warning& w : TextFitWarnings(lines)) found.emplace_back(w.line, MathTextToUtf8(w.subject));
    return found;
}

// The run draws "uno dos tres" in the first box and, in the smallest letters, "uno dos tres
// cuatro" (looked at in a screenshot of this lesson).
TEST(TextFit, NamesTheWordsThatWillNotShow) {
    const std::string text = "\"uno dos tres cuatro cinco seis siete ocho nueve diez\"";
    EXPECT_EQ(Hidden({"TEXTWINDOW 10, 10, 120, 20", "TEXT " + text, "TEXT \"uno\"", "TEXT " + text + ", 0, 0, 1", "END"}),
              (std::vector<std::pair<std::int32_t, std::string>>{{2, "cuatro cinco seis siete ocho nueve diez"}, {4, "cinco seis siete ocho nueve diez"}}));
}

TEST(TextFit, SilentWhereTheTextFitsOrTheWindowIsNotKnown) {
    const std::string text = "\"uno dos tres cuatro cinco seis siete ocho nueve diez\"";
    EXPECT_TRUE(Hidden({"TEXTWINDOW 0, 0, 600, 100", "TEXT " + text, "END"}).empty()) << "it fits";
    EXPECT_TRUE(Hidden({"TEXT " + text, "END"}).empty()) << "no window yet: warning 108 says so";
    EXPECT_TRUE(Hidden({"TEXTWINDOW 10, 10, 120, 20", "CALL Box", "TEXT " + text, "END", "CONSTRUCTION Box",
                        "TEXTWINDOW 0, 0, 600, 400", "TEXT " + text, "REPEAT"})
                    .empty())
        << "a call may have changed the window; a procedure's TEXT is not checked";
    EXPECT_TRUE(Hidden({"TEXTWINDOW 0, 0, 600, 9", "TEXT " + text, "END"}).empty()) << "lower than one line";
}

// The warning goes with the others when a lesson is compiled to be played or checked.
TEST(TextFit, ComesWithTheCompilersWarnings) {
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    CompileNotes notes;
    const ScriptLines lines{"TEXT \"a\"", "TEXTWINDOW 0, 0, 30, 20", "TEXT \"uno dos tres cuatro\"", "END"};
    ASSERT_EQ(CompileLesson(lines, table, errors, symbols, notes), 0);
    ASSERT_EQ(notes.warnings.size(), 2u);
    EXPECT_EQ(notes.warnings[0].id, WarningId::TextBeforeTextWindow);
    EXPECT_EQ(notes.warnings[1].id, WarningId::TextDoesNotFit);
    EXPECT_EQ(notes.warnings[1].line, 3);
}

}  // namespace
}  // namespace vekora
