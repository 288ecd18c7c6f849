// The symbol table: definition order, one entry a name, and the hash index agreeing
// with the in-order search of the lists.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "script/symbols.h"
#include "script/types.h"

namespace vekora {
namespace {

// The search as the lists define it: types 0 to 7 in order, each from index 0.
SymbolTable::Entry SearchInOrder(const SymbolTable& symbols, const std::string& name) {
    for (std::int32_t type = 0; type <= TypeProcedure; ++type) {
        const auto& list = symbols.List(type);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == name) return {type, static_cast<std::int32_t>(i)};
        }
    }
    return {};
}

TEST(SymbolTable, DefineAppendsInOrder) {
    SymbolTable symbols;
    EXPECT_EQ(symbols.DefineName("A", TypePoint), 0);
    EXPECT_EQ(symbols.DefineName("B", TypePoint), 1);
    EXPECT_EQ(symbols.DefineName("L", TypeLine), 0);
    EXPECT_EQ(symbols.Count(TypePoint), 2);
    EXPECT_EQ(symbols.Count(TypeLine), 1);
    EXPECT_EQ(symbols.FindName("B").type, TypePoint);
    EXPECT_EQ(symbols.FindName("B").index, 1);
    EXPECT_EQ(symbols.FindName("b").type, TypeNone);
    symbols.Clear();
    EXPECT_EQ(symbols.Count(TypePoint), 0);
    EXPECT_EQ(symbols.FindName("A").type, TypeNone);
}

TEST(SymbolTable, TextsLoseQuotesAndAreFoundByText) {
    SymbolTable symbols;
    EXPECT_EQ(symbols.AddTextLiteral("\"\"Hola\"\""), 0);
    EXPECT_EQ(symbols.AddTextLiteral("\"\""), 1);
    EXPECT_EQ(symbols.List(TypeTextLiteral)[0], "Hola");
    EXPECT_EQ(symbols.List(TypeTextLiteral)[1], "");
    EXPECT_EQ(symbols.FindText("Hola"), 0);
    EXPECT_EQ(symbols.FindText(""), 1);
    EXPECT_EQ(symbols.FindText("hola"), -1);
    EXPECT_EQ(symbols.FindName("Hola").type, TypeNone);  // texts are not names
}

// Duplicates across and within lists, defined in random order: the index must name the
// entry the in-order search names.
TEST(SymbolTable, IndexAgreesWithInOrderSearch) {
    std::mt19937 random(7);
    SymbolTable symbols;
    for (int step = 0; step < 3000; ++step) {
        const std::string name = "n" + std::to_string(random() % 200);
        const auto type = static_cast<std::int32_t>(random() % 8);
        symbols.DefineName(name, type);
        const std::string probe = "n" + std::to_string(random() % 220);
        const SymbolTable::Entry expected = SearchInOrder(symbols, probe);
        const SymbolTable::Entry found = symbols.FindName(probe);
        ASSERT_EQ(found.type, expected.type) << probe;
        ASSERT_EQ(found.index, expected.index) << probe;
    }
}

}  // namespace
}  // namespace vekora
