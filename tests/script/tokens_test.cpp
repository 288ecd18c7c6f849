// Source lines against their tokens and classes; number and colour literals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "script/symbols.h"
#include "script/tokens.h"
#include "script/types.h"

namespace vekora {
namespace {

TEST(SplitLine, SeparatorsQuotesAndParentheses) {
    struct Case {
        std::string line;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"POINT A,1,2", {"POINT", "A", "1", "2"}},
        {"POINT A = 1 , 2", {"POINT", "A", "1", "2"}},
        {"TEXT \"a = b, c\"", {"TEXT", "\"a = b, c\""}},
        {"TEXT \"\"", {"TEXT", "\"\""}},
        {"CLS (255, 0, 0)", {"CLS", "(255, 0, 0)"}},
        {"X \"ab\"x y", {"X", "\"ab\"", "y"}},          // the byte after a closing quote is lost
        {"X (1,2)y z", {"X", "(1,2)", "z"}},
        {"TEXT \"unclosed, still one", {"TEXT", "\"unclosed, still one"}},
        {"CLS (1, 2", {"CLS", "(1, 2"}},
        {"A\tB C", {"A\tB", "C"}},                     // a tab is an ordinary byte
        {",,A,,,B==", {"A", "B"}},
        {"\"q\"", {"\"q\""}},
        {"A \"b\"", {"A", "\"b\""}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> tokens{"stale"};
        EXPECT_EQ(SplitLine(c.line, tokens), static_cast<int>(c.tokens.size())) << c.line;
        EXPECT_EQ(tokens, c.tokens) << c.line;
    }
}

TEST(SplitLine, MillionTokensAreAllSplit) {
    std::string line;
    for (int i = 0; i < 1000000; ++i) line += "a ";
    std::vector<std::string> tokens;
    EXPECT_EQ(SplitLine(line, tokens), 1000000);
}

TEST(KeywordCode, TableAndCase) {
    struct Case {
        std::string token;
        std::int32_t code;
    };
    const Case cases[] = {
        {"POINT", 1}, {"point", 1}, {"PoInT", 1}, {"IPOINT", 0x4001}, {"LINEPOLAR", 3},
        {"ICIRCLE", 0x4004}, {"BISECTOR", 13}, {"IBISECTOR", 0x400D}, {"CIRCLEEND", 22},
        {"ienDcircle", 0x4016}, {"MARKNANGLE", 39}, {"TOOLS", 47}, {"ANIMATE", 48},
        {"FRAME", 77}, {"TWINDOW", 68}, {"DEFAULT", 100}, {"ALONG", 102}, {"WAITALWAYS", 129},
        {"END", 255}, {"ENDX", 0}, {"A", 0}, {"\xC9" "XITO", 0}, {"MARKNUMBERANGLES", 0},
        {"1POINT", -1}, {"'comment", -1}, {"@", -1}, {"\"POINT\"", -1}, {"(1)", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(KeywordCode(c.token), c.code) << c.token;
}

// Every keyword in any case is found; with a byte more or one changed it is a name.
TEST(KeywordCode, EveryKeywordAndItsNeighbours) {
    const std::vector<std::string_view> names = KeywordNames();
    for (const std::string_view keyword : names) {
        const std::string upper(keyword);
        const std::int32_t code = KeywordCode(upper);
        EXPECT_GT(code, 0) << upper;
        std::string lower = upper;
        for (char& byte : lower) byte = static_cast<char>(byte - 'A' + 'a');
        EXPECT_EQ(KeywordCode(lower), code) << lower;
        for (const std::string& other : {upper + "1", upper + "S", upper + "_", upper.substr(0, upper.size() - 1),
                                         upper.substr(0, upper.size() - 1) + "\xC9", "X" + upper}) {
            const bool listed = std::find(names.begin(), names.end(), other) != names.end();  // TOOL and TOOLS
            EXPECT_EQ(KeywordCode(other) != 0, listed) << other;
        }
    }
}

TEST(ClassifyToken, ClassesAndRewrites) {
    SymbolTable symbols;
    symbols.DefineName("A", TypePoint);
    symbols.DefineName("L", TypeLine);
    symbols.DefineName("R", TypeProcedure);
    symbols.AddTextLiteral("\"Hola\"");
    struct Case {
        std::string token;
        std::int32_t tokenClass;
        std::string after;
    };
    const Case cases[] = {
        {"A", MakeClass(0, TypePoint), "A"},
        {"a", 0, "a"},                                    // names are case-sensitive
        {"L", MakeClass(0, TypeLine), "L"},
        {"R", MakeClass(0, TypeProcedure), "R"},
        {"12.5", TypeNumberLiteral, "12.5"},
        {"-3", TypeNumberLiteral, "-3"},
        {"&HFF", TypeNumberLiteral, "&HFF"},
        {"(1,2,3)", TypeNumberLiteral, "(1,2,3)"},
        {"\"Hola\"", MakeClass(0, TypeTextLiteral), "Hola"},
        {"\"\"Hola\"", MakeClass(0, TypeTextLiteral), "Hola"},
        {"\"Adi\xF3s\"", static_cast<std::int32_t>(0xFFFF0008), "Adi\xF3s"},
        {"\"\"", static_cast<std::int32_t>(0xFFFF0008), ""},
        {"default", TypeNumberLiteral, "-1"},
        {"POINT", MakeClass(1, TypeKeyword), "POINT"},
        {"ICROSS", MakeClass(0x4008, TypeKeyword), "ICROSS"},
        {"'x", CommentClass, "'x"},
        {";", CommentClass, ";"},
        {".5", CommentClass, ".5"},
        {"+1", CommentClass, "+1"},
    };
    for (const Case& c : cases) {
        std::string token = c.token;
        EXPECT_EQ(ClassifyToken(token, symbols), c.tokenClass) << c.token;
        EXPECT_EQ(token, c.after) << c.token;
    }
}

TEST(ParseNumber, DecimalAndRadixForms) {
    struct Case {
        std::string text;
        double value;
    };
    const Case cases[] = {
        {"12", 12}, {"  -2.5", -2.5}, {"1e3", 1000}, {"1.5E-1", 0.15}, {"3abc", 3}, {"1e", 1},
        {"-", 0}, {"", 0}, {"x", 0}, {".5", 0.5}, {"5.", 5}, {"+7", 7},
        {"&HFF", 255}, {"&hff", 255}, {"&O17", 15}, {"&B101", 5}, {"&H", 0}, {"&HFFFFFFFF", -1},
        {"&H1G", 1}, {"&B102", 2}, {"&X1", 0}, {"inf", 0}, {"nan", 0}, {"0x10", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseNumber, VeryLongDigitRunsStayFinite) {
    EXPECT_TRUE(std::isinf(ParseNumber(std::string(400, '9'))));
    EXPECT_DOUBLE_EQ(ParseNumber("0." + std::string(100000, '0') + "1"), 0.0);
}

// Decimal texts of every shape a script may hold, short and long, with exponents near and
// far: the value is the nearest double, bit for bit what the C library reads (signed zeros too).
TEST(ParseNumber, DecimalsAreTheNearestDouble) {
    std::mt19937 random(17);
    const auto digits = [&](std::size_t count) {
        std::string text;
        for (std::size_t k = 0; k < count; ++k) text += static_cast<char>('0' + random() % 10);
        return text;
    };
    for (int k = 0; k < 200000; ++k) {
        std::string text = random() % 4 == 0 ? "-" : random() % 8 == 0 ? "+" : "";
        const std::string whole = digits(random() % 18);
        const std::string fraction = digits(random() % 18);
        text += whole;
        if (whole.empty() || random() % 2 == 0) text += "." + (whole.empty() && fraction.empty() ? "0" : fraction);
        if (random() % 3 == 0) text += (random() % 2 ? "e" : "E") + std::string(random() % 3 == 0 ? "-" : "") +
                                       std::to_string(random() % 40);
        const double expected = std::strtod(text.c_str(), nullptr);
        const double parsed = ParseNumber(text);
        ASSERT_EQ(std::memcmp(&parsed, &expected, sizeof parsed), 0) << text << " " << parsed << " " << expected;
    }
}

TEST(ParseColour, AllForms) {
    struct Case {
        std::string text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"", 0}, {"(0,128,255)", 0x0080FF}, {"(0, 128, 255)", 0x0080FF}, {"0x80FF", 0x80FF},
        {"0X80ff", 0x80FF}, {"&H80FF", 0x80FF}, {"080FFH", 0x80FF}, {"0FF0000H", 0xFF0000},
        {"&HFF0000", 0xFF0000}, {"255", 255}, {"2.5", 2}, {"3.5", 4}, {"(1)", 0x10000},
        {"(1,2)", 0x10200}, {"((1,2,3))", 0x010203}, {"(0,0,300)", 300}, {"(0,256,0)", 0x10000},
        {"-1", -1}, {"FFH", 0}, {"1e20", INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseColour(c.text), c.value) << c.text;
}

TEST(RoundToWord, HalvesToEvenAndOverflow) {
    struct Case {
        double value;
        std::int32_t word;
    };
    const Case cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3},
        {30.5 * 256, 7808}, {0.5 * 65536, 32768}, {-2 * 65536, -131072},
        {32767.5 * 65536, 2147450880}, {32768.0 * 65536, INT32_MIN},
        {-32769.0 * 65536, INT32_MIN}, {2147483647.0, 2147483647}, {1e300, INT32_MIN}, {NAN, INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundToWord(c.value), c.word) << c.value;
}

}  // namespace
}  // namespace vekora
