// VEKS_PARSESCRIPT and VEKS_ERRORMSG through the C header's list types.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vekora.h"

namespace {

// C lines that point into the test's strings (read only by the routine).
struct Lines {
    explicit Lines(const std::vector<std::string>& texts) : storage(texts) {
        for (std::string& text : storage) items.push_back(VEKS_String{text.data(), static_cast<int32_t>(text.size())});
        list = VEKS_StringList{items.data(), static_cast<int32_t>(items.size())};
    }
    std::vector<std::string> storage;
    std::vector<VEKS_String> items;
    VEKS_StringList list{};
};

struct Outputs {
    VEKS_Table table{};
    VEKS_IntList codes{};
    VEKS_IntList lines{};
    VEKS_Symbols symbols{};
    VEKS_IntList counts{};

    ~Outputs() {
        std::free(table.words);
        std::free(codes.items);
        std::free(lines.items);
        std::free(counts.items);
        for (VEKS_StringList& list : symbols.lists) {
            for (int32_t i = 0; i < list.count; ++i) std::free(list.items[i].bytes);
            std::free(list.items);
        }
    }
    int32_t Parse(const Lines& script) { return VEKS_PARSESCRIPT(&script.list, &table, &codes, &lines, &symbols, &counts); }
    int32_t Word(int32_t m, int32_t r, int32_t w) const { return table.words[(static_cast<size_t>(m) * table.rows + r) * 8 + w]; }
};

TEST(ScriptCApi, CompilesIntoTheCLists) {
    Outputs out;
    ASSERT_EQ(out.Parse(Lines({"POINT A, 1, 2", "TEXT \"Hola\"", "END", "INTERACTION I", "REPEAT"})), 0);
    EXPECT_EQ(out.table.modules, 2);
    EXPECT_EQ(out.table.rows, 3 + 3);
    EXPECT_EQ(out.Word(0, 1, 0), 1);
    EXPECT_EQ(out.Word(0, 1, 1), 65536);
    EXPECT_EQ(out.Word(1, 0, 0), 2);
    ASSERT_EQ(out.counts.count, 9);
    EXPECT_EQ(out.counts.items[1], 1);
    EXPECT_EQ(out.counts.items[7], 1);
    EXPECT_EQ(out.counts.items[8], 1);
    ASSERT_EQ(out.symbols.lists[8].count, 1);
    EXPECT_STREQ(out.symbols.lists[8].items[0].bytes, "Hola");
    EXPECT_EQ(out.codes.count, 0);  // left as given

    // A second compilation into the same lists replaces them.
    ASSERT_EQ(out.Parse(Lines({"END"})), 0);
    EXPECT_EQ(out.table.modules, 1);
    EXPECT_EQ(out.symbols.lists[1].count, 0);
}

TEST(ScriptCApi, ErrorsAndMissingEnd) {
    Outputs out;
    EXPECT_EQ(out.Parse(Lines({"POINT A", "END", "A = COPY B"})), -1);
    ASSERT_EQ(out.codes.count, 1);
    EXPECT_EQ(out.codes.items[0], 12);
    EXPECT_EQ(out.lines.items[0], 1);
    EXPECT_EQ(out.Parse(Lines({"A = COPY B", "END"})), -2);
    ASSERT_EQ(out.codes.count, 1);
    EXPECT_EQ(out.codes.items[0], 10 + 1 * 4096);
    const int32_t modules = out.table.modules;
    EXPECT_EQ(out.Parse(Lines({"POINT A 0 0"})), -1);
    ASSERT_EQ(out.codes.count, 1);
    EXPECT_EQ(out.codes.items[0], 36);
    EXPECT_EQ(out.lines.items[0], 0);
    EXPECT_EQ(out.table.modules, modules);  // nothing compiled
}

TEST(ScriptCApi, BadArguments) {
    Outputs out;
    VEKS_String items[2] = {{nullptr, 40}, {const_cast<char*>("END"), -5}};
    const VEKS_StringList odd{items, 2};
    EXPECT_EQ(VEKS_PARSESCRIPT(&odd, &out.table, &out.codes, &out.lines, &out.symbols, &out.counts), -1);
    EXPECT_EQ(out.codes.items[0], 36);  // both lines read as empty
    const VEKS_StringList none{nullptr, 3};
    EXPECT_EQ(VEKS_PARSESCRIPT(&none, &out.table, &out.codes, &out.lines, &out.symbols, &out.counts), -1);
    EXPECT_EQ(VEKS_PARSESCRIPT(nullptr, &out.table, &out.codes, &out.lines, &out.symbols, &out.counts), -3);
    EXPECT_EQ(VEKS_PARSESCRIPT(&none, &out.table, nullptr, &out.lines, &out.symbols, &out.counts), -3);
}

TEST(ScriptCApi, ErrorMessages) {
    const int32_t code = 10 + 3 * 256 + 1 * 4096;
    VEKS_String message = VEKS_ERRORMSG(&code);
    const std::string expected = "Tipos no coinciden: Primero definido como C\xEDrculo, ahora usado como Punto";
    ASSERT_NE(message.bytes, nullptr);
    EXPECT_EQ(std::string(message.bytes, static_cast<size_t>(message.length)), expected);
    EXPECT_EQ(message.bytes[message.length], '\0');
    std::free(message.bytes);
    message = VEKS_ERRORMSG(nullptr);
    EXPECT_STREQ(message.bytes, "Se gener\xF3 un mensaje de error ilegal.");
    std::free(message.bytes);
}

}  // namespace
