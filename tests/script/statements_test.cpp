// Statement rules: small scripts against the rows under test, by opcode name and operands, and
// against their errors (codes and 1-based lines). Each script's whole listing is in
// golden/statements.listing (golden_test.cpp), so a row outside the one under test is checked too.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "tests/support/compile_support.h"
#include "script/types.h"

namespace vekora {
namespace {

using testing::Compile;
using testing::CompileLines;
using Errors = std::vector<std::pair<std::int32_t, std::int32_t>>;  // (code, 1-based line)
using Words = std::vector<std::string>;

// A script (lines split at " | ", its closing END left out) against the rows its statements
// under test compile to, in order, as the disassembler reads them (compile_support.h).
struct RowCase { std::string script; Words rows; };

void ExpectRows(std::span<const RowCase> cases) {
    for (const RowCase& c : cases) {
        const auto compiled = CompileLines(c.script.empty() ? "END" : c.script + " | END");
        EXPECT_EQ(compiled.result, 0) << c.script;
        const Words rows = compiled.Rows(0);
        EXPECT_NE(std::search(rows.begin(), rows.end(), c.rows.begin(), c.rows.end()), rows.end())
            << c.script << "\n  compiles to: " << testing::Joined(rows, " / ");
    }
}

TEST(Statements, RowsOfTheFigureStatements) {
    const RowCase cases[] = {
        {"IPOINT P, 1, 2", {"IPOINT P0 x=1 y=2"}}, {"POINT P, 0.5, -2", {"POINT P0 x=0.5 y=-2"}},
        {"POINT P, 1, 2, DEFAULT, &HFF0000, 3", {"POINT P0 x=1 y=2 a=default col=&HFF0000 b=3"}},
        // 40000 does not fit its word: the word is 0x80000000, which reads as -32768.
        {"POINT P, 40000, 0", {"POINT P0 x=-32768 y=0"}},
        {"LINE L, 0, 0, 1, 1, 2, (1,2,3), 4", {"LINE_XY L0 x1=0 y1=0 x2=1 y2=1 a=2 col=&H010203 b=4"}},
        {"LINEPOLAR L, 0, 0, 30.5", {"LINEPOLAR_XY L0 x=0 y=0 angle=30.5"}},
        {"CIRCLE C, 1, 2, 3, 0xFF, 2, 10.6, DEFAULT", {"CIRCLE_XY C0 x=1 y=2 r=3 col=&H0000FF a=2 s=11"}},
        {"POINT A 0 0 | POINT B 1 1 | L = LINE A, B, 5", {"LINE L0 P0 P1 a=5"}},
        {"POINT A 0 0 | LINE M 0 0 1 1 | L = LINEPOLAR A, M, 90", {"LINEPOLAR L1 P0 L0 angle=90"}},
        {"POINT A 0 0 | POINT B 1 1 | C = CIRCLE A, B", {"CIRCLE C0 P0 P1"}},
        {"POINT A 0 0 | LINE M 0 0 1 1 | C = ICIRCLE A, M, 1, 2, 3, 4", {"ICIRCLE_TO_LINE C0 P0 L0 col=&H000001 a=2 s=3 e=4"}},
        {"POINT A 0 0 | B = COPY A | POINT B 1 1", {"COPY_POINT P1 P0", "POINT P1 x=1 y=1"}},
        {"LINE M 0 0 1 1 | N = COPY M | LINE N 0 0 1 1", {"COPY_LINE L1 L0", "LINE_XY L1 x1=0 y1=0 x2=1 y2=1"}},
        {"CIRCLE K 0 0 1 | CIRCLE J 0 0 1 | J = COPY K", {"COPY_CIRCLE C1 C0"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | P = CROSS M, N", {"CROSS_LINES P0 L0 L1"}},
        {"CIRCLE K 0 0 1 | LINE M 0 0 1 1 | Q R = CROSS K, M", {"CROSS_CIRCLE_LINE P0 P1 C0 L0"}},
        {"CIRCLE K 0 0 1 | LINE M 0 0 1 1 | Q R = CROSS M, K", {"CROSS_LINE_CIRCLE P0 P1 L0 C0"}},
        {"CIRCLE K 0 0 1 | CIRCLE J 0 0 2 | Q R = ICROSS K, J", {"ICROSS_CIRCLES P0 P1 C0 C1"}},
        {"POINT A 0 0 | POINT B 1 1 | M = MIDDLE A, B", {"MIDDLE P2 P0 P1"}},
        {"CIRCLE K 0 0 1 | POINT A 0 0 | MOVECIRCLE K, A, 5", {"MOVECIRCLE C0 P0 col=&H000005"}},
        {"LINE M 0 0 1 1 | REVERT M", {"REVERT L0"}},
        {"POINT A 0 0 | POINT B 1 1 | L = MIDLINE A, B", {"MIDLINE L0 P0 P1"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | L = MIDLINE M, N", {"BISECTOR L2 L0 L1"}},
        // A new first name leaves the form to the second pass, where both are lines.
        {"LINE N 0 1 1 0 | L = BISECTOR X, N | LINE X 0 0 1 1", {"BISECTOR L1 L2 L0", "LINE_XY L2 x1=0 y1=0 x2=1 y2=1"}},
        {"POINT A 0 0 | CIRCLE K 0 0 1 | T U = TANGENT A, K", {"TANGENT L0 L1 P0 C0"}},
        {"POINT A 0 0 | POINT B 1 1 | P = ADVANCETO A, B, 2.5", {"ADVANCETO P2 P0 P1 d=2.5"}},
        {"POINT A 0 0 | LINE M 0 0 1 1 | P = ADVANCEON A, M, 1", {"ADVANCEON P1 P0 L0 d=1"}},
        {"CIRCLE K 0 0 1 | Q R = CIRCLEND K", {"CIRCLEND P0 P1 C0"}},
        {"POINT A 0 0 | POINT B 1 1 | C = ARC A, B, 45", {"ARC C0 P0 P1 s=45"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | C = ARC M, N, 3", {"ARC_LINES C0 L0 L1 r=3"}},
        {"POINT A 0 0 | L P = STARTLINE A, 90, 10", {"STARTLINE L0 P1 P0 angle=90 len=10"}},
        {"POINT A 0 0 | POINT B 1 1 | POINT C 1 0 | FILL A, B, C, 7", {"FILLTRIANGLE P0 P1 P2 col=&H000007"}},
        {"CIRCLE K 0 0 1 | FILL K, 7", {"FILLCIRCLE C0 col=&H000007"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | ORDERLINES N, M", {"ORDERLINES L1 L0"}},
    };
    ExpectRows(cases);
}

TEST(Statements, RowsOfMarksScreenAndSettings) {
    const RowCase cases[] = {
        {"POINT A 0 0 | MARKPOINT A, 2", {"MARKPOINT P0 a=2"}}, {"LINE M 0 0 1 1 | MARKLINE M", {"MARKLINE L0"}},
        {"LINE M 0 0 1 1 | MARKLINE M, Q, R, 1", {"MARKLINE L0 P0 P1 a=1"}},
        {"LINE M 0 0 1 1 | MARKNLINE M, 3, 4", {"MARKNUMBERLINE L0 u=3 v=4"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | MARKANGLE M, N, \"a\", 1", {"MARKANGLE_LINES L0 L1 T0 a=1"}},
        {"POINT B 0 0 | MARKANGLE A, B, C, \"x\", 5", {"MARKANGLE P1 P0 P2 T0 b=5"}},
        {"LINE M 0 0 1 1 | LINE N 0 1 1 0 | MARKNANGLE M, N", {"MARKNUMBERANGLE_LINES L0 L1"}},
        {"POINT A 0 0 | MARKNUMBERANGLE A, B, C, \"t\"", {"MARKNUMBERANGLE P0 P1 P2 text=T0"}}, {"CLS", {"CLS"}},
        {"SCREEN 640, 480, 2, &HFFFFFF", {"SCREEN w=640 h=480 n=2 col=&HFFFFFF"}},
        {"WINDOW 10, 20", {"WINDOW a=10 b=20"}}, {"TEXTWINDOW 1, 2, 3, 4.5", {"TEXTWINDOW a=1 b=2 c=3 d=4"}},
        {"TEXT \"a\" | TEXT \"b\", 1, 2, 3", {"TEXT T0", "TEXT T1 col1=&H000001 col2=&H000002 n=3"}},
        {"TITLE \"Hola\"", {"TITLE T0"}}, {"SPEED 500", {"SPEED n=500"}}, {"FRAMESPEED 20", {"FRAMESPEED n=20"}},
        {"WAIT", {"WAIT"}}, {"WAIT 500", {"WAIT_FOR n=500"}}, {"WAITALWAYS DEFAULT", {"WAITALWAYS_FOR n=-1"}},
        {"", {"END"}},
        {"DEFAULTS 1, 2, 3, 4, 5, 6, 7, 8, 9, 1.5", {"DEFAULTS &H000001 &H000002 &H000003 &H000004 5 6 7 8 9 1.5"}},
        {"DEFAULTS 1, 2", {"DEFAULTS &H000001 &H000002"}},
        {"DEFAULTS 1, 2, 3, 4, -2.5", {"DEFAULTS &H000001 &H000002 &H000003 &H000004 -3"}},
        {"TOOLDEFAULTS 160, 50, 7.9, 1, 2", {"TOOLDEFAULTS n=5 160 50 7 &H000001 &H000002"}},
    };
    ExpectRows(cases);
}

struct ErrorCase { std::vector<std::string> script; std::int32_t result; Errors errors; };

void ExpectErrors(std::span<const ErrorCase> cases) {
    for (const ErrorCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, c.result) << c.script[0];
        EXPECT_EQ(compiled.Errors(), c.errors) << c.script[0];
    }
}

TEST(Statements, ErrorsOfPassOne) {
    const ErrorCase cases[] = {
        {{"POINT A, 1", "END"}, -1, {{12, 1}}}, {{"REVERT L M", "END"}, -1, {{11, 1}}},
        {{"A POINT 1 2", "END"}, -1, {{ErrorCode(16, 2), 1}}},
        {{"POINT A, 1, 2 CROSS", "END"}, -1, {{ErrorCode(14, 5), 1}}}, {{"A B C POINT 1", "END"}, -1, {{13, 1}}},
        {{"A = B", "END"}, -1, {{13, 1}}}, {{"ALONG A", "END"}, -1, {{16, 1}}},
        {{"POINT A, 0, 0", "CIRCLE A, 0, 0, 1", "END"}, -1, {{ErrorCode(10, 1, 3), 2}}},
        {{"CIRCLE C1 0 0 1", "P = CROSS C1, C1", "END"}, -1, {{ErrorCode(10, 3, 2), 2}}},
        {{"LINE M 0 0 1 1", "Q1 Q2 = CROSS M, M", "END"}, -1, {{ErrorCode(10, 2, 3), 2}}},
        {{"WAIT X", "END"}, -1, {{ErrorCode(10, 5, 0), 1}}}, {{"TEXT 5", "END"}, -1, {{ErrorCode(10, 8, 5), 1}}},
        {{"POINT A 0 0", "STEP A, 1, 2, 3", "END"}, -1, {{11, 2}}}, {{"FAST", "END"}, -1, {{12, 1}}},
        {{"TOOLS", "PACE", "SLOW", "TOOL", "END"}, -1, {{12, 1}, {12, 2}, {12, 3}, {12, 4}}},
        {{"LINE M 0 0 1 1", "MARKLINE M, 1, X", "END"}, -1, {{ErrorCode(10, 0, 5), 2}}},
        {{"LINE M 0 0 1 1", "MARKLINE M, \"t\"", "END"}, -1, {{ErrorCode(10, 8, 1), 2}}},
        {{"POINT A 0 0", "POINT B 0 0", "POINT C 0 0", "MARKANGLE A, B, C, 5", "END"}, -1, {{ErrorCode(10, 8, 5), 4}}},
        {{"CIRCLE K 0 0 1", "MARKANGLE K, A", "END"}, -1, {{ErrorCode(10, 3, 1), 2}}},
        {{"MARKANGLE", "MARKNANGLE X", "MARKANGLE X, Y", "END"}, -1, {{12, 1}, {12, 2}, {12, 3}}},
        {{"POINT A 0 0", "LINE N 0 0 1 1", "L = MIDLINE A, N", "END"}, -1, {{ErrorCode(10, 2, 1), 3}}},
        {{"LINE N 0 0 1 1", "POINT A 0 0", "L = MIDLINE N, A", "END"}, -1, {{ErrorCode(10, 1, 2), 3}}},
        {{"END", "CONSTRUCTION P A", "CONSTRUCTION Q B", "REPEAT"}, -1, {{20, 3}}},
        {{"END", "INTERACTION P", "REPEAT", "ANIMATION P", "REPEAT"}, -1, {{26, 4}}},
        {{"END", "INTERACTION P X", "REPEAT"}, -1, {{11, 2}}},
        {{"END", "CONSTRUCTION P a b c d e f g h i j k l m", "REPEAT"}, -1, {{30, 2}}},
        {{"POINT P 0 0", "END", "INTERACTION P", "REPEAT"}, -1, {{ErrorCode(10, 1, 7), 3}}},
    };
    ExpectErrors(cases);
}

TEST(Statements, ErrorsOfPassTwo) {
    const ErrorCase cases[] = {
        {{"A = COPY B", "END"}, -2, {{ErrorCode(10, 0, 1), 1}}},
        {{"DEFAULTS 1", "END", "CONSTRUCTION P", "DEFAULTS 2", "REPEAT"}, -2, {{ErrorCode(31, 1), 4}}},
        {{"REPEAT", "END"}, -2, {{ErrorCode(31, 0), 1}}}, {{"CLICKABLE A", "END"}, -2, {{ErrorCode(31, 0), 1}}},
        {{"END", "ANIMATION P", "CLICKABLE A", "REPEAT"}, -2, {{ErrorCode(31, 3), 3}}},
        {{"END", "INTERACTION P", "TRACE A", "REPEAT"}, -2, {{ErrorCode(31, 2), 3}}},
        {{"END", "INTERACTION P", "CLICKABLE a b c d e f g h i j k l m n o", "REPEAT"}, -2, {{30, 3}}},
        {{"END", "INTERACTION P", "SCREEN 1, 2", "REPEAT"}, -2, {{ErrorCode(31, 2), 3}}},
        {{"POINT A 0 0", "STEP A, 1, 2", "END"}, -2, {{ErrorCode(31, 0), 2}}},
        {{"C = CIRCLE A, X", "END"}, -2, {{ErrorCode(10, 0, 1), 1}}},
        {{"POINT A 0 0", "M = MIDLINE A, X", "LINE X 0 0 1 1", "END"}, -2, {{ErrorCode(10, 1, 1), 2}}},
        {{"LINE M 0 0 1 1", "X = COPY M", "Y = COPY X", "END"}, -2, {{ErrorCode(10, 0, 1), 2}, {ErrorCode(10, 0, 1), 3}}},
        {{"C = ARC M, N", "LINE M 0 0 1 1", "LINE N 0 0 1 1", "END"}, -2, {{12, 1}}},
        {{"MARKANGLE X, Y, Z, \"t\"", "END"}, -2, {{21, 1}}}, {{"CALL Nada", "END"}, -2, {{22, 1}}},
        {{"ENDMENU", "END"}, -2, {{34, 1}}}, {{"MENU", "MENUITEM \"a\"", "END"}, -2, {{32, 1}, {34, 2}}},
        {{"POINT A 0 0", "MENUITEM \"a\"", "WAIT X", "END"}, -1, {{ErrorCode(10, 5, 0), 3}}},
    };
    ExpectErrors(cases);
}

TEST(Statements, TwentyTokensAndComments) {
    const std::string twenty = "END 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19";
    EXPECT_EQ(Compile({twenty}).result, 0);
    EXPECT_EQ(Compile({twenty + " 20"}).Errors(), (Errors{{11, 1}}));
    // A comment among the first 20 tokens saves the line; one at position 20 does not.
    EXPECT_EQ(Compile({"END 1 2 3 4 ' 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21"}).result, 0);
    EXPECT_EQ(Compile({twenty + " ' x"}).Errors(), (Errors{{11, 1}}));
    const auto commented = Compile({"' POINT A 1 2", "POINT A 1 2 ' comment", "END"});
    EXPECT_EQ(commented.result, 0);
    EXPECT_EQ(commented.Rows(0), (Words{"POINT P0 x=1 y=2", "END"}));
}

TEST(Statements, NamesAreDefinedOnFirstUse) {
    const auto compiled = Compile({"POINT A, 0, 0", "L = LINE A, B", "TEXT \"Hola\"", "TEXT \"Hola\"", "point a 1 2", "END"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.symbols.List(TypePoint), (Words{"A", "B", "a"}));
    EXPECT_EQ(compiled.symbols.List(TypeLine), (Words{"L"}));
    EXPECT_EQ(compiled.symbols.List(TypeTextLiteral), (Words{"Hola"}));
    EXPECT_EQ(compiled.Rows(0), (Words{"POINT P0 x=0 y=0", "LINE L0 P0 P1", "TEXT T0", "TEXT T0", "POINT P2 x=1 y=2", "END"}));
}

TEST(Statements, OneNameTwiceInAStatementIsOneEntry) {
    const auto compiled = Compile({"CLICKABLE A A", "END", "INTERACTION I", "CLICKABLE B B", "REPEAT"});
    EXPECT_EQ(compiled.symbols.List(TypePoint), (Words{"A", "B"}));
    const auto lines = Compile({"L = LINE L, B", "END"});
    EXPECT_EQ(lines.Errors(), (Errors{{ErrorCode(10, 2, 1), 1}}));
}

}  // namespace
}  // namespace vekora
