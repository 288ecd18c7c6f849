// Statement rules: small scripts against the listing of the table they compile to, and
// against their errors (codes and 1-based lines).
#include <gtest/gtest.h>

#include "tests/support/compile_support.h"
#include "script/types.h"

namespace vekora {
namespace {

using testing::Compile;

// A script against the listing of its whole table (compile_helper.h).
struct ListingCase {
    std::vector<std::string> script;
    std::string listing;
};

std::string Joined(const std::vector<std::string>& script) {
    std::string text;
    for (const std::string& line : script) text += (text.empty() ? "" : " | ") + line;
    return text;
}

TEST(Statements, RowsOfTheFigureStatements) {
    const ListingCase cases[] = {
        {{"IPOINT P, 1, 2", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 IPOINT P0 x=1 y=2
0 2 END
)"},
        {{"POINT P, 0.5, -2", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 POINT P0 x=0.5 y=-2
0 2 END
)"},
        {{"POINT P, 1, 2, DEFAULT, &HFF0000, 3", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 POINT P0 x=1 y=2 a=default col=&HFF0000 b=3
0 2 END
)"},
        // 40000 does not fit its word: the word is 0x80000000, which reads as -32768.
        {{"POINT P, 40000, 0", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 POINT P0 x=-32768 y=0
0 2 END
)"},
        {{"LINE L, 0, 0, 1, 1, 2, (1,2,3), 4", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1 a=2 col=&H010203 b=4
0 2 END
)"},
        {{"LINEPOLAR L, 0, 0, 30.5", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 LINEPOLAR_XY L0 x=0 y=0 angle=30.5
0 2 END
)"},
        {{"CIRCLE C, 1, 2, 3, 0xFF, 2, 10.6, DEFAULT", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 CIRCLE_XY C0 x=1 y=2 r=3 col=&H0000FF a=2 s=11
0 2 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "L = LINE A, B, 5", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 LINE L0 P0 P1 a=5
0 4 END
)"},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "L = LINEPOLAR A, M, 90", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 LINEPOLAR L1 P0 L0 angle=90
0 4 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "C = CIRCLE A, B", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 CIRCLE C0 P0 P1
0 4 END
)"},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "C = ICIRCLE A, M, 1, 2, 3, 4", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 ICIRCLE_TO_LINE C0 P0 L0 col=&H000001 a=2 s=3 e=4
0 4 END
)"},
        {{"POINT A 0 0", "B = COPY A", "POINT B 1 1", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 COPY_POINT P1 P0
0 3 POINT P1 x=1 y=1
0 4 END
)"},
        {{"LINE M 0 0 1 1", "N = COPY M", "LINE N 0 0 1 1", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 COPY_LINE L1 L0
0 3 LINE_XY L1 x1=0 y1=0 x2=1 y2=1
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "CIRCLE J 0 0 1", "J = COPY K", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 CIRCLE_XY C1 x=0 y=0 r=1
0 3 COPY_CIRCLE C1 C0
0 4 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "P = CROSS M, N", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 CROSS_LINES P0 L0 L1
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "LINE M 0 0 1 1", "Q R = CROSS K, M", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 CROSS_CIRCLE_LINE P0 P1 C0 L0
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "LINE M 0 0 1 1", "Q R = CROSS M, K", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 CROSS_LINE_CIRCLE P0 P1 L0 C0
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "CIRCLE J 0 0 2", "Q R = ICROSS K, J", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 CIRCLE_XY C1 x=0 y=0 r=2
0 3 ICROSS_CIRCLES P0 P1 C0 C1
0 4 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "M = MIDDLE A, B", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 MIDDLE P2 P0 P1
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "POINT A 0 0", "MOVECIRCLE K, A, 5", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 POINT P0 x=0 y=0
0 3 MOVECIRCLE C0 P0 col=&H000005
0 4 END
)"},
        {{"LINE M 0 0 1 1", "REVERT M", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 REVERT L0
0 3 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "L = MIDLINE A, B", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 MIDLINE L0 P0 P1
0 4 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "L = MIDLINE M, N", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 BISECTOR L2 L0 L1
0 4 END
)"},
        // A new first name leaves the form to the second pass, where both are lines.
        {{"LINE N 0 1 1 0", "L = BISECTOR X, N", "LINE X 0 0 1 1", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=1 x2=1 y2=0
0 2 BISECTOR L1 L2 L0
0 3 LINE_XY L2 x1=0 y1=0 x2=1 y2=1
0 4 END
)"},
        {{"POINT A 0 0", "CIRCLE K 0 0 1", "T U = TANGENT A, K", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 CIRCLE_XY C0 x=0 y=0 r=1
0 3 TANGENT L0 L1 P0 C0
0 4 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "P = ADVANCETO A, B, 2.5", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 ADVANCETO P2 P0 P1 d=2.5
0 4 END
)"},
        {{"POINT A 0 0", "LINE M 0 0 1 1", "P = ADVANCEON A, M, 1", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 3 ADVANCEON P1 P0 L0 d=1
0 4 END
)"},
        {{"CIRCLE K 0 0 1", "Q R = CIRCLEND K", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 CIRCLEND P0 P1 C0
0 3 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "C = ARC A, B, 45", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 ARC C0 P0 P1 s=45
0 4 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "C = ARC M, N, 3", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 ARC_LINES C0 L0 L1 r=3
0 4 END
)"},
        {{"POINT A 0 0", "L P = STARTLINE A, 90, 10", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 POINT P0 x=0 y=0
0 2 STARTLINE L0 P1 P0 angle=90 len=10
0 3 END
)"},
        {{"POINT A 0 0", "POINT B 1 1", "POINT C 1 0", "FILL A, B, C, 7", "END"}, R"(
table 1 7
0 0 MAIN end=6 procedures=0
0 1 POINT P0 x=0 y=0
0 2 POINT P1 x=1 y=1
0 3 POINT P2 x=1 y=0
0 4 FILLTRIANGLE P0 P1 P2 col=&H000007
0 5 END
)"},
        {{"CIRCLE K 0 0 1", "FILL K, 7", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 CIRCLE_XY C0 x=0 y=0 r=1
0 2 FILLCIRCLE C0 col=&H000007
0 3 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "ORDERLINES N, M", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 ORDERLINES L1 L0
0 4 END
)"},
    };
    for (const ListingCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, 0) << Joined(c.script);
        EXPECT_EQ(compiled.Listing(), c.listing) << Joined(c.script);
    }
}

TEST(Statements, RowsOfMarksScreenAndSettings) {
    const ListingCase cases[] = {
        {{"POINT A 0 0", "MARKPOINT A, 2", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 POINT P0 x=0 y=0
0 2 MARKPOINT P0 a=2
0 3 END
)"},
        {{"LINE M 0 0 1 1", "MARKLINE M", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 MARKLINE L0
0 3 END
)"},
        {{"LINE M 0 0 1 1", "MARKLINE M, Q, R, 1", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 MARKLINE L0 P0 P1 a=1
0 3 END
)"},
        {{"LINE M 0 0 1 1", "MARKNLINE M, 3, 4", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 MARKNUMBERLINE L0 u=3 v=4
0 3 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "MARKANGLE M, N, \"a\", 1", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 MARKANGLE_LINES L0 L1 T0 a=1
0 4 END
)"},
        {{"POINT B 0 0", "MARKANGLE A, B, C, \"x\", 5", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 POINT P0 x=0 y=0
0 2 MARKANGLE P1 P0 P2 T0 b=5
0 3 END
)"},
        {{"LINE M 0 0 1 1", "LINE N 0 1 1 0", "MARKNANGLE M, N", "END"}, R"(
table 1 6
0 0 MAIN end=5 procedures=0
0 1 LINE_XY L0 x1=0 y1=0 x2=1 y2=1
0 2 LINE_XY L1 x1=0 y1=1 x2=1 y2=0
0 3 MARKNUMBERANGLE_LINES L0 L1
0 4 END
)"},
        {{"POINT A 0 0", "MARKNUMBERANGLE A, B, C, \"t\"", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 POINT P0 x=0 y=0
0 2 MARKNUMBERANGLE P0 P1 P2 text=T0
0 3 END
)"},
        {{"CLS", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 CLS
0 2 END
)"},
        {{"SCREEN 640, 480, 2, &HFFFFFF", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 SCREEN w=640 h=480 n=2 col=&HFFFFFF
0 2 END
)"},
        {{"WINDOW 10, 20", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 WINDOW a=10 b=20
0 2 END
)"},
        {{"TEXTWINDOW 1, 2, 3, 4.5", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 TEXTWINDOW a=1 b=2 c=3 d=4
0 2 END
)"},
        {{"TEXT \"a\"", "TEXT \"b\", 1, 2, 3", "END"}, R"(
table 1 5
0 0 MAIN end=4 procedures=0
0 1 TEXT T0
0 2 TEXT T1 col1=&H000001 col2=&H000002 n=3
0 3 END
)"},
        {{"TITLE \"Hola\"", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 TITLE T0
0 2 END
)"},
        {{"SPEED 500", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 SPEED n=500
0 2 END
)"},
        {{"FRAMESPEED 20", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 FRAMESPEED n=20
0 2 END
)"},
        {{"WAIT", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 WAIT
0 2 END
)"},
        {{"WAIT 500", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 WAIT_FOR n=500
0 2 END
)"},
        {{"WAITALWAYS DEFAULT", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 WAITALWAYS_FOR n=-1
0 2 END
)"},
        {{"END"}, R"(
table 1 3
0 0 MAIN end=2 procedures=0
0 1 END
)"},
        {{"DEFAULTS 1, 2, 3, 4, 5, 6, 7, 8, 9, 1.5", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 DEFAULTS &H000001 &H000002 &H000003 &H000004 5 6 7 8 9 1.5
0 2 END
)"},
        {{"DEFAULTS 1, 2", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 DEFAULTS &H000001 &H000002
0 2 END
)"},
        {{"DEFAULTS 1, 2, 3, 4, -2.5", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 DEFAULTS &H000001 &H000002 &H000003 &H000004 -3
0 2 END
)"},
        {{"TOOLDEFAULTS 160, 50, 7.9, 1, 2", "END"}, R"(
table 1 4
0 0 MAIN end=3 procedures=0
0 1 TOOLDEFAULTS n=5 160 50 7 &H000001 &H000002
0 2 END
)"},
    };
    for (const ListingCase& c : cases) {
        const auto compiled = Compile(c.script);
        EXPECT_EQ(compiled.result, 0) << Joined(c.script);
        EXPECT_EQ(compiled.Listing(), c.listing) << Joined(c.script);
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
    EXPECT_EQ(commented.Listing(), R"(
table 1 5
0 0 MAIN end=3 procedures=0
0 1 POINT P0 x=1 y=2
0 2 END
)");
}

TEST(Statements, NamesAreDefinedOnFirstUse) {
    const auto compiled = Compile({"POINT A, 0, 0", "L = LINE A, B", "TEXT \"Hola\"", "TEXT \"Hola\"", "point a 1 2", "END"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.symbols.List(TypePoint), (std::vector<std::string>{"A", "B", "a"}));
    EXPECT_EQ(compiled.symbols.List(TypeLine), (std::vector<std::string>{"L"}));
    EXPECT_EQ(compiled.symbols.List(TypeTextLiteral), (std::vector<std::string>{"Hola"}));
    EXPECT_EQ(compiled.Listing(), R"(
table 1 8
0 0 MAIN end=7 procedures=0
0 1 POINT P0 x=0 y=0
0 2 LINE L0 P0 P1
0 3 TEXT T0
0 4 TEXT T0
0 5 POINT P2 x=1 y=2
0 6 END
)");
}

TEST(Statements, OneNameTwiceInAStatementIsOneEntry) {
    const auto compiled = Compile({"CLICKABLE A A", "END", "INTERACTION I", "CLICKABLE B B", "REPEAT"});
    EXPECT_EQ(compiled.symbols.List(TypePoint), (std::vector<std::string>{"A", "B"}));
    const auto lines = Compile({"L = LINE L, B", "END"});
    EXPECT_EQ(lines.Errors(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{ErrorCode(10, 2, 1), 1}}));
}

}  // namespace
}  // namespace vekora
