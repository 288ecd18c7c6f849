// The symbol table: definition order, one entry a name, and the hash index agreeing
// with the in-order search of the lists.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

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

void ExpectSameAsInOrder(SymbolTable& symbols, const std::string& name) {
    const SymbolTable::Entry expected = SearchInOrder(symbols, name);
    const SymbolTable::Entry found = symbols.FindName(name);
    ASSERT_EQ(found.type, expected.type) << name;
    ASSERT_EQ(found.index, expected.index) << name;
}

// Lookups near the last definitions, as a compiler makes them, where a text may be defined
// again in another list or the same one: a definition that the in-order search passes over
// must never be the answer, however near it stands.
TEST(SymbolTable, NearLookupsAgreeWithInOrderSearch) {
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        SymbolTable symbols;
        std::vector<std::string> defined;
        const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
        for (int step = 0; step < 2500; ++step) {
            const std::string name = "n" + std::to_string(pick(300));
            symbols.DefineName(name, static_cast<std::int32_t>(pick(8)));
            defined.push_back(name);
            for (int k = 0; k < 3; ++k) {
                const std::size_t back = pick(std::min<std::size_t>(defined.size(), 24));
                ExpectSameAsInOrder(symbols, defined[defined.size() - 1 - back]);
            }
            ExpectSameAsInOrder(symbols, "n" + std::to_string(pick(330)));  // far, or never defined
        }
        // In the order of definition (a second pass), backwards, and at random.
        for (const std::string& name : defined) ExpectSameAsInOrder(symbols, name);
        for (auto name = defined.rbegin(); name != defined.rend(); ++name) ExpectSameAsInOrder(symbols, *name);
        for (int k = 0; k < 2000; ++k) ExpectSameAsInOrder(symbols, defined[pick(defined.size())]);
    }
}

// Enough names for the index to grow many times, a third of them defined again in an earlier
// or later list; every text looked up in order and at random against the first definition in
// search order, and again after the table was cleared and filled anew.
TEST(SymbolTable, LongTablesAgreeWithFirstDefinitions) {
    std::mt19937 random(11);
    SymbolTable symbols;
    for (int round = 0; round < 2; ++round) {
        symbols.Clear();
        std::vector<std::string> defined;
        for (int i = 0; i < 60000; ++i) {
            const bool again = !defined.empty() && random() % 3 == 0;
            const std::string name = again ? defined[random() % defined.size()] : "p" + std::to_string(i * 7 + round);
            symbols.DefineName(name, static_cast<std::int32_t>(random() % 8));
            defined.push_back(name);
        }
        std::map<std::string, SymbolTable::Entry> first;  // the in-order search, once for all
        for (std::int32_t type = 7; type >= 0; --type) {
            const auto& list = symbols.List(type);
            for (std::size_t i = list.size(); i-- > 0;) first[list[i]] = {type, static_cast<std::int32_t>(i)};
        }
        const auto expectFirst = [&](const std::string& name) {
            const SymbolTable::Entry found = symbols.FindName(name);
            ASSERT_EQ(found.type, first.at(name).type) << name;
            ASSERT_EQ(found.index, first.at(name).index) << name;
        };
        for (const std::string& name : defined) expectFirst(name);
        for (int k = 0; k < 20000; ++k) expectFirst(defined[random() % defined.size()]);
        EXPECT_EQ(symbols.FindName("p-never").type, TypeNone);
    }
}

}  // namespace
}  // namespace vekora
