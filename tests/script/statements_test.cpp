// Statement rules: small scripts against the rows they compile to, and against their
// errors (codes and 1-based lines).
#include <gtest/gtest.h>

#include "compile_helper.h"
#include "script/opcodes.h"
#include "script/types.h"

namespace vekora {
namespace {

using testing::Compile;
using testing::W0;
using Words = std::vector<std::int32_t>;

// The first statement of each script (after any definitions) is checked at `row`.
struct RowCase {
    std::vector<std::string> script;
    std::int32_t row;
    Words words;
};

TEST(Statements, RowsOfTheFigureStatements) {
    const RowCase cases[] = {
        {{"IPOINT P, 1, 2", "END"}, 1, {0x4001, 65536, 131072, -1, -1, -1, 0, 0}},
        {{"POINT P, 0.5, -2", "END"}, 1, {1, 32768, -131072, -1, -1, -1, 0, 0}},
        {{"POINT P, 1, 2, DEFAULT, &HFF0000, 3", "END"}, 1, {1, 65536, 131072, -1, 0xFF0000, 3, 0, 0}},
        {{"POINT P, 40000, 0", "END"}, 1, {1, INT32_MIN, 0, -1, -1, -1, 0, 0}},
        {{"LINE L, 0, 0, 1, 1, 2, (1,2,3), 4", "END"}, 1, {2, 0, 0, 65536, 65536, 2, 0x010203, 4}},
        {{"LINEPOLAR L, 0, 0, 30.5", "END"}, 1, {3, 0, 0, 7808, -1, -1, -1, 0}},
        {{"CIRCLE C, 1, 2, 3, 0xFF, 2, 10.6, DEFAULT", "END"}, 1, {4, 65536, 131072, 196608, 255, 2, 11 * 256, -1}},
        {{"POINT A 0 0", "POINT B 1 1", "L = LINE A, B, 5", "END"}, 3, {12, 0, 1, 5, -1, -1, 0, 0}},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "L = LINEPOLAR A, M, 90", "END"}, 3, {W0(1, 15), 0, 0, 23040, -1, -1, -1, 0}},
        {{"POINT A 0 0", "POINT B 1 1", "C = CIRCLE A, B", "END"}, 3, {24, 0, 1, -1, -1, -1, -1, 0}},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "C = ICIRCLE A, M, 1, 2, 3, 4", "END"}, 3, {0x4019, 0, 0, 1, 2, 768, 1024, 0}},
        {{"POINT A 0 0", "B = COPY A", "POINT B 1 1", "END"}, 2, {W0(1, 5), 0, 0, 0, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "N = COPY M", "LINE N 0 0 1 1", "END"}, 2, {W0(1, 6), 0, 0, 0, 0, 0, 0, 0}},
        {{"CIRCLE K 0 0 1", "CIRCLE J 0 0 1", "J = COPY K", "END"}, 3, {W0(1, 7), 0, 0, 0, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "P = CROSS M, N", "END"}, 3, {8, 0, 1, -1, -1, -1, 0, 0}},
        {{"CIRCLE K 0 0 1", "LINE M 0 0 1 1", "Q R = CROSS K, M", "END"}, 3, {19, 1, 0, 0, -1, -1, -1, 0}},
        {{"CIRCLE K 0 0 1", "LINE M 0 0 1 1", "Q R = CROSS M, K", "END"}, 3, {20, 1, 0, 0, -1, -1, -1, 0}},
        {{"CIRCLE K 0 0 1", "CIRCLE J 0 0 2", "Q R = ICROSS K, J", "END"}, 3, {0x4015, 1, 0, 1, -1, -1, -1, 0}},
        {{"POINT A 0 0", "POINT B 1 1", "M = MIDDLE A, B", "END"}, 3, {W0(2, 9), 0, 1, -1, -1, -1, 0, 0}},
        {{"CIRCLE K 0 0 1", "POINT A 0 0", "MOVECIRCLE K, A, 5", "END"}, 3, {10, 0, 5, -1, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "REVERT M", "END"}, 2, {11, 0, 0, 0, 0, 0, 0, 0}},
        {{"POINT A 0 0", "POINT B 1 1", "L = MIDLINE A, B", "END"}, 3, {13, 0, 1, -1, -1, -1, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "L = MIDLINE M, N", "END"}, 3, {W0(2, 14), 0, 1, -1, -1, -1, 0, 0}},
        // A new first name leaves the form to the second pass, where both are lines.
        {{"LINE N 0 1 1 0", "L = BISECTOR X, N", "LINE X 0 0 1 1", "END"}, 2, {W0(1, 14), 2, 0, -1, -1, -1, 0, 0}},
        {{"POINT A 0 0", "CIRCLE K 0 0 1", "T U = TANGENT A, K", "END"}, 3, {16, 1, 0, 0, -1, -1, -1, 0}},
        {{"POINT A 0 0", "POINT B 1 1", "P = ADVANCETO A, B, 2.5", "END"}, 3, {W0(2, 17), 0, 1, 163840, -1, -1, -1, 0}},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "P = ADVANCEON A, M, 1", "END"}, 3, {W0(1, 18), 0, 0, 65536, -1, -1, -1, 0}},
        {{"CIRCLE K 0 0 1", "Q R = CIRCLEND K", "END"}, 2, {22, 1, 0, -1, -1, -1, 0, 0}},
        {{"POINT A 0 0", "POINT B 1 1", "C = ARC A, B, 45", "END"}, 3, {26, 0, 1, 45 * 256, -1, -1, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "C = ARC M, N, 3", "END"}, 3, {31, 0, 1, 196608, -1, -1, 0, 0}},
        {{"POINT A 0 0", "L P = STARTLINE A, 90, 10", "END"}, 2, {27, 1, 0, 23040, 655360, -1, -1, -1}},
        {{"POINT A 0 0", "POINT B 1 1", "POINT C 1 0", "FILL A, B, C, 7", "END"}, 4, {28, 1, 2, 7, -1, 0, 0, 0}},
        {{"CIRCLE K 0 0 1", "FILL K, 7", "END"}, 2, {29, 7, -1, 0, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "ORDERLINES N, M", "END"}, 3, {W0(1, 32), 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const RowCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, 0) << c.script[c.row - 1];
        EXPECT_EQ(compiled.Row(0, c.row), c.words) << c.script[c.row - 1];
    }
}

TEST(Statements, RowsOfMarksScreenAndSettings) {
    const RowCase cases[] = {
        {{"POINT A 0 0", "MARKPOINT A, 2", "END"}, 2, {33, 2, -1, 0, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "MARKLINE M", "END"}, 2, {34, -1, 0, 0, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "MARKLINE M, Q, R, 1", "END"}, 2, {34, 0, 1, 1, -1, -1, 0, 0}},
        {{"LINE M 0 0 1 1", "MARKNLINE M, 3, 4", "END"}, 2, {38, static_cast<std::int32_t>(0xFFFF0003), 4, -1, 0, 0, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "MARKANGLE M, N, \"a\", 1", "END"}, 3, {35, 1, 0, 1, -1, -1, 0, 0}},
        {{"POINT B 0 0", "MARKANGLE A, B, C, \"x\", 5", "END"}, 2, {W0(1, 36), 0, 2, 0, 5, -1, 0, 0}},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "MARKNANGLE M, N", "END"}, 3, {39, 1, -1, -1, -1, -1, 0, 0}},
        {{"POINT A 0 0", "MARKNUMBERANGLE A, B, C, \"t\"", "END"}, 2, {40, 1, 2, 0, -1, -1, 0, 0}},
        {{"CLS", "END"}, 1, {65, -1, 0, 0, 0, 0, 0, 0}},
        {{"SCREEN 640, 480, 2, &HFFFFFF", "END"}, 1, {66, 640, 480, 2, 0xFFFFFF, 0, 0, 0}},
        {{"WINDOW 10, 20", "END"}, 1, {67, 10, 20, 0, 0, 0, 0, 0}},
        {{"TEXTWINDOW 1, 2, 3, 4.5", "END"}, 1, {68, 1, 2, 3, 4, 0, 0, 0}},
        {{"TEXT \"a\"", "TEXT \"b\", 1, 2, 3", "END"}, 2, {W0(1, 72), 1, 2, 3, 0, 0, 0, 0}},
        {{"TITLE \"Hola\"", "END"}, 1, {73, 0, 0, 0, 0, 0, 0, 0}},
        {{"SPEED 500", "END"}, 1, {76, 500, 0, 0, 0, 0, 0, 0}},
        {{"FRAMESPEED 20", "END"}, 1, {77, 20, 0, 0, 0, 0, 0, 0}},
        {{"WAIT", "END"}, 1, {128, 0, 0, 0, 0, 0, 0, 0}},
        {{"WAIT 500", "END"}, 1, {130, 500, 0, 0, 0, 0, 0, 0}},
        {{"WAITALWAYS DEFAULT", "END"}, 1, {131, -1, 0, 0, 0, 0, 0, 0}},
        {{"END"}, 1, {255, 0, 0, 0, 0, 0, 0, 0}},
        {{"DEFAULTS 1, 2, 3, 4, 5, 6, 7, 8, 9, 1.5", "END"}, 1,
         {80, 4, 1, 3, Halves(8, 6), 2, Halves(5, 9), Halves(384, 7)}},
        {{"DEFAULTS 1, 2", "END"}, 1, {80, -1, 1, -1, -1, 2, -1, -1}},
        {{"DEFAULTS 1, 2, 3, 4, -2.5", "END"}, 1, {80, 4, 1, 3, -1, 2, Halves(-3, -1), -1}},
        {{"TOOLDEFAULTS 160, 50, 7.9, 1, 2", "END"}, 1, {W0(5, 81), Halves(160, 50), 7, 1, 2, 0, 0, 0}},
    };
    for (const RowCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, 0) << c.script[c.row - 1];
        EXPECT_EQ(compiled.Row(0, c.row), c.words) << c.script[c.row - 1];
    }
}

struct ErrorCase {
    std::vector<std::string> script;
    std::int32_t result;
    std::vector<std::pair<std::int32_t, std::int32_t>> errors;
};

TEST(Statements, ErrorsOfPassOne) {
    const ErrorCase cases[] = {
        {{"POINT A, 1", "END"}, -1, {{12, 1}}},
        {{"REVERT L M", "END"}, -1, {{11, 1}}},
        {{"A POINT 1 2", "END"}, -1, {{ErrorCode(16, 2), 1}}},
        {{"POINT A, 1, 2 CROSS", "END"}, -1, {{ErrorCode(14, 5), 1}}},
        {{"A B C POINT 1", "END"}, -1, {{13, 1}}},
        {{"A = B", "END"}, -1, {{13, 1}}},
        {{"ALONG A", "END"}, -1, {{16, 1}}},
        {{"POINT A, 0, 0", "CIRCLE A, 0, 0, 1", "END"}, -1, {{ErrorCode(10, 1, 3), 2}}},
        {{"CIRCLE C1 0 0 1", "P = CROSS C1, C1", "END"}, -1, {{ErrorCode(10, 3, 2), 2}}},
        {{"LINE M 0 0 1 1", "Q1 Q2 = CROSS M, M", "END"}, -1, {{ErrorCode(10, 2, 3), 2}}},
        {{"WAIT X", "END"}, -1, {{ErrorCode(10, 5, 0), 1}}},
        {{"TEXT 5", "END"}, -1, {{ErrorCode(10, 8, 5), 1}}},
        {{"POINT A 0 0", "STEP A, 1, 2, 3", "END"}, -1, {{11, 2}}},
        {{"FAST", "END"}, -1, {{12, 1}}},
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
    for (const ErrorCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, c.result) << c.script[0];
        EXPECT_EQ(compiled.Errors(), c.errors) << c.script[0];
    }
}

TEST(Statements, ErrorsOfPassTwo) {
    const ErrorCase cases[] = {
        {{"A = COPY B", "END"}, -2, {{ErrorCode(10, 0, 1), 1}}},
        {{"DEFAULTS 1", "END", "CONSTRUCTION P", "DEFAULTS 2", "REPEAT"}, -2, {{ErrorCode(31, 1), 4}}},
        {{"REPEAT", "END"}, -2, {{ErrorCode(31, 0), 1}}},
        {{"CLICKABLE A", "END"}, -2, {{ErrorCode(31, 0), 1}}},
        {{"END", "ANIMATION P", "CLICKABLE A", "REPEAT"}, -2, {{ErrorCode(31, 3), 3}}},
        {{"END", "INTERACTION P", "TRACE A", "REPEAT"}, -2, {{ErrorCode(31, 2), 3}}},
        {{"END", "INTERACTION P", "CLICKABLE a b c d e f g h i j k l m n o", "REPEAT"}, -2, {{30, 3}}},
        {{"END", "INTERACTION P", "SCREEN 1, 2", "REPEAT"}, -2, {{ErrorCode(31, 2), 3}}},
        {{"POINT A 0 0", "STEP A, 1, 2", "END"}, -2, {{ErrorCode(31, 0), 2}}},
        {{"C = CIRCLE A, X", "END"}, -2, {{ErrorCode(10, 0, 1), 1}}},
        {{"POINT A 0 0", "M = MIDLINE A, X", "LINE X 0 0 1 1", "END"}, -2, {{ErrorCode(10, 1, 1), 2}}},
        {{"LINE M 0 0 1 1", "X = COPY M", "Y = COPY X", "END"}, -2, {{ErrorCode(10, 0, 1), 2}, {ErrorCode(10, 0, 1), 3}}},
        {{"C = ARC M, N", "LINE M 0 0 1 1", "LINE N 0 0 1 1", "END"}, -2, {{12, 1}}},
        {{"MARKANGLE X, Y, Z, \"t\"", "END"}, -2, {{21, 1}}},
        {{"CALL Nada", "END"}, -2, {{22, 1}}},
        {{"ENDMENU", "END"}, -2, {{34, 1}}},
        {{"MENU", "MENUITEM \"a\"", "END"}, -2, {{32, 1}, {34, 2}}},
        {{"POINT A 0 0", "MENUITEM \"a\"", "WAIT X", "END"}, -1, {{ErrorCode(10, 5, 0), 3}}},
    };
    for (const ErrorCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, c.result) << c.script[0];
        EXPECT_EQ(compiled.Errors(), c.errors) << c.script[0];
    }
}

TEST(Statements, TwentyTokensAndComments) {
    using Errors = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const std::string twenty = "END 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19";
    EXPECT_EQ(Compile({twenty}).result, 0);
    EXPECT_EQ(Compile({twenty + " 20"}).Errors(), (Errors{{11, 1}}));
    // A comment among the first 20 tokens saves the line; one at position 20 does not.
    EXPECT_EQ(Compile({"END 1 2 3 4 ' 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21"}).result, 0);
    EXPECT_EQ(Compile({twenty + " ' x"}).Errors(), (Errors{{11, 1}}));
    const auto commented = Compile({"' POINT A 1 2", "POINT A 1 2 ' comment", "END"});
    EXPECT_EQ(commented.result, 0);
    EXPECT_EQ(commented.Row(0, 1)[0], 1);
    EXPECT_EQ(commented.Row(0, 2)[0], 255);
}

TEST(Statements, NamesAreDefinedOnFirstUse) {
    const auto compiled = Compile({"POINT A, 0, 0", "L = LINE A, B", "TEXT \"Hola\"", "TEXT \"Hola\"", "point a 1 2", "END"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.symbols.List(TypePoint), (std::vector<std::string>{"A", "B", "a"}));
    EXPECT_EQ(compiled.symbols.List(TypeLine), (std::vector<std::string>{"L"}));
    EXPECT_EQ(compiled.symbols.List(TypeTextLiteral), (std::vector<std::string>{"Hola"}));
    EXPECT_EQ(compiled.Row(0, 3)[0], 72);
    EXPECT_EQ(compiled.Row(0, 4)[0], 72);
}

TEST(Statements, OneNameTwiceInAStatementIsOneEntry) {
    const auto compiled = Compile({"CLICKABLE A A", "END", "INTERACTION I", "CLICKABLE B B", "REPEAT"});
    EXPECT_EQ(compiled.symbols.List(TypePoint), (std::vector<std::string>{"A", "B"}));
    const auto lines = Compile({"L = LINE L, B", "END"});
    EXPECT_EQ(lines.Errors(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{ErrorCode(10, 2, 1), 1}}));
}

}  // namespace
}  // namespace vekora
