// Whole scripts through both passes: modules, procedure headers and calls, menus, the
// table's size, and the error lists.
#include <gtest/gtest.h>

#include "tests/support/compile_support.h"
#include "script/types.h"

namespace vekora {
namespace {

using testing::Compile;
using Errors = std::vector<std::pair<std::int32_t, std::int32_t>>;

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
    // One module of 4 + 3 rows: the last line's index is 4, rows 0 to 6.
    EXPECT_EQ(compiled.Listing(), R"(
table 1 7
0 0 MAIN end=4 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 END
)");
}

TEST(Passes, InteractionWithOnlyRepeat) {
    const auto compiled = Compile({"POINT A 0 0", "END", "INTERACTION I", "REPEAT", "TEXT \"after\""});
    ASSERT_EQ(compiled.result, 0);
    // The main module goes on at the header's row: the TEXT after the procedure is kept.
    EXPECT_EQ(compiled.Listing(), R"(
table 2 5
0 0 MAIN end=4 procedures=1
0 1 POINT P0 x=0 y=0
0 2 END
0 3 TEXT T0
1 0 INTERACTION end=2 R0
1 1 REPEAT
)");
}

TEST(Passes, ManyMainStatementsAfterAProcedureAllFit) {
    std::vector<std::string> script{"END", "ANIMATION A", "REPEAT"};
    for (int i = 0; i < 50; ++i) script.push_back("SPEED " + std::to_string(i));
    const auto compiled = Compile(script);
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.Line(0, 0), "MAIN end=52 procedures=1");
    EXPECT_GE(compiled.table.Rows(), 53);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(compiled.Line(0, 2 + i), "SPEED n=" + std::to_string(i));
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
    // Calls name the module, not the procedure; P's parameters are X (point 2) and Y (line 1).
    // The last main statement is at row 9.
    EXPECT_EQ(compiled.Listing(), R"(
table 3 11
0 0 MAIN end=10 procedures=2
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=5 y=5
0 3 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 4 CALL M1 P0 L0
0 5 CALL_FAST M1 P1 L0
0 6 CALL_FAST M1 P1 L0
0 7 CALL M1 P0 L0
0 8 END
0 9 CALL M2
1 0 CONSTRUCTION end=5 params=2 R0
1 1 PARAMETERS P2 L1
1 2 MARKPOINT P2
1 3 MARKLINE L1
1 4 REPEAT
2 0 INTERACTION end=2 R1
2 1 REPEAT
)");
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
    EXPECT_EQ(compiled.Listing(), R"(
table 2 4
0 0 MAIN end=2 procedures=1
0 1 END
0 2 INTERACTION R0
1 0 INTERACTION end=0 R0
1 1 CLICKABLE n=1 P0
)");
}

TEST(Passes, PointListsAndAlong) {
    const auto compiled = Compile({"END", "INTERACTION I", "CLICKABLE A B C", "CLICKABLE A ALONG L",
                                   "CLICKABLE B ALONG K", "REPEAT", "ANIMATION N", "TRACE A B", "STEP A, 1, 2",
                                   "STEP K, 1, 2, 3", "STEP A ALONG L, 5", "STEP K ALONG K", "REPEAT",
                                   "LINE L 0 0 1 1", "CIRCLE K 0 0 1"});
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes[0];
    EXPECT_EQ(compiled.Listing(), R"(
table 3 9
0 0 MAIN end=4 procedures=2
0 1 END
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 CIRCLE_XY C0 x=0 y=0 r=1
1 0 INTERACTION end=5 R0
1 1 CLICKABLE n=3 P0 P1 P2
1 2 CLICKABLE_ALONG_LINE P0 L0
1 3 CLICKABLE_ALONG_CIRCLE P1 C0
1 4 REPEAT
2 0 ANIMATION end=7 R1
2 1 TRACE n=2 P0 P1
2 2 STEP_POINT P0 dx=1 dy=2
2 3 STEP_CIRCLE C0 dx=1 dy=2 dr=3
2 4 STEP_POINT_ALONG_LINE P0 L0 d=5
2 5 STEP_CIRCLE_ALONG_CIRCLE C0 C0
2 6 REPEAT
)");
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
    EXPECT_EQ(compiled.Listing(), R"(
table 1 11
0 0 MAIN end=10 procedures=0
0 1 MENU items=1 col1=&H000001 col2=&H000002 closing=8
0 2 MENUITEM jump=0 T0
0 3 MENU items=1 col1=default col2=default closing=6
0 4 MENUITEM jump=6 T1
0 5 EXITMENU closing=6
0 6 ENDMENU row=6
0 7 EXITMENU closing=8
0 8 REPEATMENU jump=0
0 9 END
)");
}

TEST(Passes, ThreeLevelsOfMenus) {
    const auto compiled = Compile({"MENU", "MENU", "MENU", "MENUITEM \"a\"", "ENDMENU", "ENDMENU", "MENUITEM \"b\"",
                                   "ENDMENU", "END"});
    ASSERT_EQ(compiled.result, 0) << compiled.errors.codes[0];
    EXPECT_EQ(compiled.Listing(), R"(
table 1 11
0 0 MAIN end=10 procedures=0
0 1 MENU items=1 col1=default col2=default closing=8
0 2 MENU items=0 col1=default col2=default closing=6
0 3 MENU items=1 col1=default col2=default closing=5
0 4 MENUITEM jump=5 T0
0 5 ENDMENU row=5
0 6 ENDMENU row=6
0 7 MENUITEM jump=8 T1
0 8 ENDMENU row=8
0 9 END
)");
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
