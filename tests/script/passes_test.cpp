// Whole scripts through both passes: modules, procedure headers and calls, menus, the
// table's size, and the error lists.
#include <gtest/gtest.h>

#include "compile_helper.h"
#include "script/opcodes.h"
#include "script/types.h"

namespace vekora {
namespace {

using testing::Compile;
using testing::W0;
using Errors = std::vector<std::pair<std::int32_t, std::int32_t>>;
using Words = std::vector<std::int32_t>;

TEST(Passes, MissingEndIsOneErrorAtLineZero) {
    for (const std::vector<std::string>& script : std::vector<std::vector<std::string>>{
             {}, {"POINT A 0 0"}, {"INTERACTION I", "END", "REPEAT"}, {" END 'x", "CONSTRUCTION C"}}) {
        const auto compiled = Compile(script);
        if (script.size() == 2 && script[0] == " END 'x") {
            EXPECT_EQ(compiled.result, 0);  // a leading blank does not hide END
            continue;
        }
        EXPECT_EQ(compiled.result, -1);
        EXPECT_EQ(compiled.Errors(), (Errors{{36, 0}}));
    }
}

TEST(Passes, ErrorListsKeepLineOrderAndAreLeftAloneWhenClean) {
    const auto compiled = Compile({"END", "", "POINT A", "' c", "", "", "REVERT A B C"});
    EXPECT_EQ(compiled.result, -1);
    EXPECT_EQ(compiled.Errors(), (Errors{{12, 3}, {11, 7}}));
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors{{5}, {6}};
    EXPECT_EQ(ParseScript({"END"}, table, errors, symbols), 0);
    EXPECT_EQ(errors.codes, (std::vector<std::int32_t>{5}));
    EXPECT_EQ(errors.lines, (std::vector<std::int32_t>{6}));
}

TEST(Passes, ScriptWithoutProcedures) {
    const auto compiled = Compile({"POINT A 0 0", "", "' comment", "POINT B 1 1", "END"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.table.Modules(), 1);
    EXPECT_EQ(compiled.table.Rows(), 4 + 3);  // last line index 4, rows 0 to 6
    EXPECT_EQ(compiled.Row(0, 0), (Words{0, 4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 3)[0], 255);
}

TEST(Passes, InteractionWithOnlyRepeat) {
    const auto compiled = Compile({"POINT A 0 0", "END", "INTERACTION I", "REPEAT", "TEXT \"after\""});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.table.Modules(), 2);
    EXPECT_EQ(compiled.Row(1, 0), (Words{KindInteraction, 2, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(1, 1), (Words{49, -1, 0, 0, 0, 0, 0, 0}));
    // The main module goes on at the header's row: the TEXT after the procedure is kept.
    EXPECT_EQ(compiled.Row(0, 3), (Words{72, -1, -1, -1, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 0), (Words{0, 4, 0, 0, 1, 0, 0, 0}));
}

TEST(Passes, ManyMainStatementsAfterAProcedureAllFit) {
    std::vector<std::string> script{"END", "ANIMATION A", "REPEAT"};
    for (int i = 0; i < 50; ++i) script.push_back("SPEED " + std::to_string(i));
    const auto compiled = Compile(script);
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.Row(0, 0)[HeaderEndRow], 52);
    EXPECT_GE(compiled.table.Rows(), 53);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(compiled.Row(0, 2 + i), (Words{76, i, 0, 0, 0, 0, 0, 0}));
}

TEST(Passes, ConstructionDescriptorAndCalls) {
    const auto compiled = Compile({
        "POINT A 0 0", "POINT B 5 5", "LINE M 0 0 1 1",
        "CALL P A, M",             // before the header: the pre-pass has described P
        "CALL P FAST B, M",
        "FAST P B, M",
        "CONSTRUCT P A M",
        "END",
        "CONSTRUCTION P X, Y",
        "MARKPOINT X",
        "MARKLINE Y",
        "REPEAT",
        "INTERACTION I",
        "REPEAT",
        "INTERACT I 1 2 3",
    });
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes.size();
    EXPECT_EQ(compiled.Row(0, 4), (Words{W0(1, 48), 0, Halves(0, 0), -1, -1, -1, -1, -1}));
    EXPECT_EQ(compiled.Row(0, 5), (Words{W0(1, 45), 0, Halves(1, 0), -1, -1, -1, -1, -1}));
    EXPECT_EQ(compiled.Row(0, 6), (Words{W0(1, 45), 0, Halves(1, 0), -1, -1, -1, -1, -1}));
    EXPECT_EQ(compiled.Row(0, 7)[0], W0(1, 48));
    EXPECT_EQ(compiled.Row(1, 0), (Words{KindConstruction, 5, 2, 0, 0, 0, 0, 0}));
    // Parameter types 1 (point) and 2 (line); indices X = point 2, Y = line 1.
    EXPECT_EQ(compiled.Row(1, 1), (Words{0x21, 0, Halves(2, 1), -1, -1, -1, -1, -1}));
    EXPECT_EQ(compiled.Row(1, 2), (Words{W0(2, 33), -1, -1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 0), (Words{KindInteraction, 2, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 0), (Words{0, 10, 0, 0, 2, 0, 0, 0}));  // the last main statement is at row 9
    EXPECT_EQ(compiled.Row(0, 9), (Words{W0(2, 48), 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Passes, CallChecks) {
    const std::vector<std::string> procedures{"END", "CONSTRUCTION P A", "MARKPOINT A", "REPEAT",
                                              "ANIMATION N", "REPEAT", "CONSTRUCTION Z", "REPEAT"};
    struct Case {
        std::string call;
        Errors errors;
    };
    const Case cases[] = {
        {"CALL P", {{ErrorCode(28, 1), 1}}},
        {"CALL P X Y", {{ErrorCode(28, 1), 1}}},
        {"LINE M 0 0 1 1", {}},
        {"CALL P 5", {{ErrorCode(29, 0, 1), 1}}},
        {"ANIMATE P A", {{27, 1}}},
        {"CONSTRUCT N", {{27, 1}}},
        {"INTERACT N", {{27, 1}}},
        {"ANIMATE N", {}},
        {"TOOL N extra words", {}},
        {"CALL Q", {{22, 1}}},
        {"CALL Z", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> script{c.call};
        script.insert(script.end(), procedures.begin(), procedures.end());
        const auto compiled = Compile(script);
        EXPECT_EQ(compiled.Errors(), c.errors) << c.call;
    }
}

TEST(Passes, CallsInsideAConstruction) {
    const auto inner = Compile({"END", "CONSTRUCTION Q", "CALL Z", "REPEAT", "CONSTRUCTION Z", "REPEAT"});
    EXPECT_EQ(inner.result, 0);
    const auto withParameters = Compile({"END", "CONSTRUCTION Q A", "MARKPOINT A", "CALL Z", "REPEAT", "CONSTRUCTION Z", "REPEAT"});
    EXPECT_EQ(withParameters.Errors(), (Errors{{ErrorCode(31, 1), 4}}));
    const auto ofAnimation = Compile({"END", "CONSTRUCTION Q", "CALL N", "REPEAT", "ANIMATION N", "REPEAT"});
    EXPECT_EQ(ofAnimation.Errors(), (Errors{{ErrorCode(31, 1), 3}}));
}

TEST(Passes, HeaderWithLeadingBlankIsStillDescribedBeforeCalls) {
    const auto compiled = Compile({"POINT A 0 0", "CALL P A", "END", "  CONSTRUCTION P X", "MARKPOINT X", "REPEAT"});
    EXPECT_EQ(compiled.result, 0);
}

TEST(Passes, ProcedureWithoutRepeatKeepsEndRowZero) {
    const auto compiled = Compile({"END", "INTERACTION I", "CLICKABLE A"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.Row(1, 0)[HeaderEndRow], 0);
    EXPECT_EQ(compiled.Row(1, 1)[0], W0(1, 52));
    EXPECT_EQ(compiled.Row(0, 0)[HeaderEndRow], 2);
}

TEST(Passes, PointListsAndAlong) {
    const auto compiled = Compile({"END", "INTERACTION I", "CLICKABLE A B C", "CLICKABLE A ALONG L",
                                   "CLICKABLE B ALONG K", "REPEAT", "ANIMATION N", "TRACE A B", "STEP A, 1, 2",
                                   "STEP K, 1, 2, 3", "STEP A ALONG L, 5", "STEP K ALONG K", "REPEAT",
                                   "LINE L 0 0 1 1", "CIRCLE K 0 0 1"});
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes[0];
    EXPECT_EQ(compiled.Row(1, 1), (Words{W0(3, 52), Halves(0, 1), 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(1, 2), (Words{53, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(1, 3), (Words{W0(1, 54), 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 1), (Words{W0(2, 55), Halves(0, 1), 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 2), (Words{97, 65536, 131072, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 3), (Words{98, 65536, 131072, 196608, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 4), (Words{102, 0, 327680, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(2, 5), (Words{105, 0, -1, -1, 0, 0, 0, 0}));
}

// MENU as the first statement: items jump to row 0 for REPEATMENU; nested menus keep
// their own items; EXITMENU leaves for the closing row.
TEST(Passes, MenusWithNestedMenus) {
    const auto compiled = Compile({
        "MENU 1, 2",             // row 1
        "MENUITEM \"uno\"",      // row 2
        "MENU",                  // row 3
        "MENUITEM \"dos\"",      // row 4
        "EXITMENU",              // row 5
        "ENDMENU",               // row 6
        "EXITMENU",              // row 7
        "REPEATMENU",            // row 8
        "END",                   // row 9
    });
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes[0];
    EXPECT_EQ(compiled.Row(0, 1), (Words{W0(1, 88), 1, 2, 8, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 2), (Words{W0(0, 89), 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 3), (Words{W0(1, 88), -1, -1, 6, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 4), (Words{W0(6, 89), 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 5)[0], W0(6, 90));
    EXPECT_EQ(compiled.Row(0, 6)[0], W0(6, 91));
    EXPECT_EQ(compiled.Row(0, 7)[0], W0(8, 90));
    EXPECT_EQ(compiled.Row(0, 8)[0], W0(0, 92));
}

TEST(Passes, ThreeLevelsOfMenus) {
    const auto compiled = Compile({"MENU", "MENU", "MENU", "MENUITEM \"a\"", "ENDMENU", "ENDMENU", "MENUITEM \"b\"",
                                   "ENDMENU", "END"});
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes[0];
    EXPECT_EQ(compiled.Row(0, 1), (Words{W0(1, 88), -1, -1, 8, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 2), (Words{W0(0, 88), -1, -1, 6, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 3), (Words{W0(1, 88), -1, -1, 5, 0, 0, 0, 0}));
    EXPECT_EQ(compiled.Row(0, 7), (Words{W0(8, 89), 1, 0, 0, 0, 0, 0, 0}));
}

TEST(Passes, MenuItemLimit) {
    for (const int items : {126, 127}) {
        std::vector<std::string> script{"MENU"};
        for (int i = 0; i < items; ++i) script.push_back("MENUITEM \"x\"");
        script.push_back("ENDMENU");
        script.push_back("END");
        const auto compiled = Compile(script);
        if (items == 126) {
            EXPECT_EQ(compiled.result, 0);
        } else {
            EXPECT_EQ(compiled.result, -2);
            ASSERT_FALSE(compiled.errors.codes.empty());
            EXPECT_EQ(compiled.Errors().front(), std::make_pair(33, 1));
        }
    }
}

TEST(Passes, MenuOutsideMainModule) {
    const auto compiled = Compile({"END", "INTERACTION I", "MENU", "MENUITEM \"a\"", "ENDMENU", "REPEAT"});
    EXPECT_EQ(compiled.Errors(), (Errors{{ErrorCode(31, 2), 3}, {ErrorCode(31, 2), 4}, {ErrorCode(31, 2), 5}}));
}

TEST(Passes, OneErrorInPassTwoDoesNotShiftLaterRows) {
    const auto compiled = Compile({"MARKANGLE X, Y, Z, \"t\"", "POINT A 0 0", "C = CIRCLE A, Q", "WAIT", "END"});
    EXPECT_EQ(compiled.Errors(), (Errors{{21, 1}, {ErrorCode(10, 0, 1), 3}}));
}

// The main module reuses the row where a header was compiled; a statement that takes no
// row there must not be mistaken for another header.
TEST(Passes, UndecidedStatementInAReusedHeaderRow) {
    const auto compiled = Compile({"END", "INTERACTION I", "REPEAT", "MARKANGLE X, Y, Z, \"t\"", "WAIT"});
    EXPECT_EQ(compiled.table.Modules(), 2);
    EXPECT_EQ(compiled.Errors(), (Errors{{21, 4}}));
}

}  // namespace
}  // namespace vekora
