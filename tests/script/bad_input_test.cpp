// Hostile scripts compile to errors or a table: binary bytes, megabyte lines, a million
// tokens, more names than the table's 16-bit fields hold, unclosed quotes and parentheses.
#include <gtest/gtest.h>

#include <random>

#include "run/script_text.h"
#include "script/opcodes.h"
#include "script/types.h"
#include "tests/support/compile_support.h"
#include "vekora.h"

namespace vekora {
namespace {

using testing::Compile;
using testing::W0;

// Results that any compilation must keep to.
void ExpectWellFormed(const testing::Compiled& compiled, std::size_t lineCount) {
    ASSERT_TRUE(compiled.result == 0 || compiled.result == -1 || compiled.result == -2) << compiled.result;
    EXPECT_EQ(compiled.errors.codes.size(), compiled.errors.lines.size());
    EXPECT_EQ(compiled.result != 0, !compiled.errors.codes.empty());
    for (const std::int32_t line : compiled.errors.lines) {
        EXPECT_GE(line, 0);
        EXPECT_LE(line, static_cast<std::int32_t>(lineCount));
    }
}

TEST(BadInput, RandomBytes) {
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        std::string bytes(1 << 14, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random());
        if (round % 2 == 1) bytes = "END\n" + bytes;
        const std::vector<std::string> lines = SplitScriptText(ScriptTextToLatin1(bytes));
        ExpectWellFormed(Compile(lines), lines.size());
    }
}

TEST(BadInput, MegabyteLines) {
    const std::string mega(1 << 20, '7');
    const std::string lines[] = {
        "TEXT \"" + mega,                            // unclosed quote: the text runs to the end
        "CLS (" + mega,                              // unclosed parenthesis
        "POINT " + std::string(1 << 20, 'N') + " 1 2",
        std::string(1 << 20, '\''),                  // one long comment
        std::string(1 << 20, ','),                   // separators only
    };
    for (const std::string& line : lines) {
        const auto compiled = Compile({line, "END"});
        ExpectWellFormed(compiled, 2);
        EXPECT_EQ(compiled.result, 0) << line.substr(0, 12);
    }
    const auto huge = Compile({"POINT A " + mega + " 1", "END"});
    ASSERT_EQ(huge.result, 0);
    EXPECT_EQ(huge.Row(0, 1)[1], INT32_MIN);  // too large for its word
}

TEST(BadInput, MillionTokensOnALine) {
    std::string line = "TEXT";
    for (int i = 0; i < 1000000; ++i) line += " t";
    const auto compiled = Compile({line, "END"});
    EXPECT_EQ(compiled.Errors(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{11, 1}}));
}

TEST(BadInput, HugeNumbersBecomeTheOverflowWord) {
    const auto compiled = Compile({"POINT A 1e300 -40000", "WAIT 1e10", "END"});
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.Row(0, 1)[1], INT32_MIN);
    EXPECT_EQ(compiled.Row(0, 1)[2], INT32_MIN);
    EXPECT_EQ(compiled.Row(0, 2)[1], INT32_MIN);
}

// Indices live in 16-bit fields with 0xFFFF meaning "absent": the 65536th name of a type is
// refused instead of wrapping onto name 0.
TEST(BadInput, MoreNamesThanTheTableCanAddress) {
    std::vector<std::string> lines{"END"};
    for (int i = 0; i < 100000; ++i) lines.push_back("POINT P" + std::to_string(i) + " 0 0");
    const auto compiled = Compile(lines);
    EXPECT_EQ(compiled.result, -1);
    ASSERT_EQ(compiled.errors.codes.size(), 100000u - SymbolTable::MaxEntries);
    EXPECT_EQ(compiled.Errors().front(), std::make_pair(11, SymbolTable::MaxEntries + 2));
    EXPECT_EQ(compiled.symbols.Count(TypePoint), SymbolTable::MaxEntries);
}

TEST(BadInput, HundredThousandNamesOfSeveralTypes) {
    std::vector<std::string> lines;
    for (int i = 0; i < 25000; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back("POINT A" + n + " 0 0");
        lines.push_back("L" + n + " = LINE A" + n + ", B" + n);
        lines.push_back("C" + n + " = CIRCLE A" + n + ", B" + n);
    }
    lines.push_back("END");
    const auto compiled = Compile(lines);
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.symbols.Count(TypePoint), 50000);
    EXPECT_EQ(compiled.symbols.Count(TypeLine), 25000);
    EXPECT_EQ(compiled.symbols.Count(TypeCircle), 25000);
    EXPECT_EQ(compiled.Row(0, 75000)[0], W0(24999, OpCircleThrough));
}

TEST(BadInput, UnbalancedQuotesAndParentheses) {
    const auto compiled = Compile({"TEXT \"a", "TEXT a\"", "TEXT \"\"\"", "CLS ((1,2", "CLS 1,2)", "TITLE \"x\"y\"",
                                   "MENUITEM (\"", "POINT A (1 2 3", "END"});
    ExpectWellFormed(compiled, 9);
    EXPECT_EQ(compiled.result, -1);
    EXPECT_EQ(compiled.Errors(), (std::vector<std::pair<std::int32_t, std::int32_t>>{
                                     {ErrorCode(10, 8, 0), 2}, {11, 5}, {11, 6}, {ErrorCode(10, 8, 5), 7}, {12, 8}}));
}

// Many procedures after a long main module: the table grows by what each module uses.
TEST(BadInput, ManyProceduresAfterALongMainModule) {
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i) lines.push_back("SPEED 1");
    lines.push_back("END");
    for (int i = 0; i < 20000; ++i) {
        lines.push_back("INTERACTION I" + std::to_string(i));
        lines.push_back("REPEAT");
    }
    const auto compiled = Compile(lines);
    ASSERT_EQ(compiled.result, 0);
    EXPECT_EQ(compiled.table.Modules(), 20001);
    EXPECT_EQ(compiled.Line(20000, 0), "INTERACTION end=2 R19999");

    // The C view would be 20001 x 20003 x 8 words: refused, not attempted.
    std::vector<VEKS_String> items;
    for (std::string& line : lines) items.push_back(VEKS_String{line.data(), static_cast<int32_t>(line.size())});
    const VEKS_StringList script{items.data(), static_cast<int32_t>(items.size())};
    VEKS_Table table{};
    VEKS_IntList codes{};
    VEKS_IntList errorLines{};
    VEKS_Symbols symbols{};
    VEKS_IntList counts{};
    EXPECT_EQ(VEKS_PARSESCRIPT(&script, &table, &codes, &errorLines, &symbols, &counts), -3);
    EXPECT_EQ(table.words, nullptr);
}

}  // namespace
}  // namespace vekora
