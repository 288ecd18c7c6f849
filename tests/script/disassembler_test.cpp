// The table read by names: no bit of a row can change without its line changing, so a test
// that compares listings fails on every wrong word; and how odd rows read.
#include <gtest/gtest.h>

#include <random>

#include "script/disassembler.h"
#include "script/opcodes.h"
#include "script/types.h"

namespace vekora {
namespace {

using Row = InstructionTable::Row;

// Main module, a CONSTRUCTION (module 1) of a point, a line and a circle, and an
// INTERACTION (module 2), so that calls can list typed arguments.
InstructionTable TableWithProcedures() {
    InstructionTable table;
    table.Reset(3, 4);
    table.At(0, 0) = {0, 3, 0, 0, 2, 0, 0, 0};
    table.At(1, 0) = {KindConstruction, 3, 3, 0, 0, 0, 0, 0};
    table.At(1, 1) = {0x321, 0, Halves(4, 5), Halves(6, 0xFFFF), -1, -1, -1, -1};
    table.At(2, 0) = {KindInteraction, 2, 0, 1, 0, 0, 0, 0};
    return table;
}

// Words that reach the special readings (-1, small indices, 0xFFFF halves) as well as any.
std::int32_t SomeWord(std::mt19937& random) {
    switch (random() % 5) {
        case 0: return 0;
        case 1: return -1;
        case 2: return static_cast<std::int32_t>(random() % 16);
        case 3: return Halves(static_cast<std::int32_t>(random() % 16), 0xFFFF);
        default: return static_cast<std::int32_t>(random());
    }
}

void ExpectEveryBitShows(InstructionTable& table, std::int32_t module, std::int32_t row) {
    const std::string line = DisassembleRow(table, module, row);
    for (int w = 0; w < InstructionTable::WordsPerRow; ++w) {
        for (int bit = 0; bit < 32; ++bit) {
            std::int32_t& word = table.At(module, row)[static_cast<std::size_t>(w)];
            word = static_cast<std::int32_t>(static_cast<std::uint32_t>(word) ^ (1u << bit));
            EXPECT_NE(DisassembleRow(table, module, row), line) << "word " << w << " bit " << bit;
            word = static_cast<std::int32_t>(static_cast<std::uint32_t>(word) ^ (1u << bit));
        }
    }
}

TEST(Disassembler, NoBitOfAStatementRowGoesUnseen) {
    InstructionTable table = TableWithProcedures();
    std::mt19937 random(7);
    for (const OpcodeInfo& info : OpcodeTable) {
        for (int round = 0; round < 6; ++round) {
            Row& row = table.At(0, 2);
            for (std::int32_t& word : row) word = SomeWord(random);
            const std::int32_t target = round < 3 ? round : static_cast<std::int32_t>(random() % 0x10000);
            row[0] = MakeWord0(target, info.code | (round % 2 == 0 ? 0 : IMark));
            SCOPED_TRACE(DisassembleRow(table, 0, 2));
            ExpectEveryBitShows(table, 0, 2);
        }
    }
}

TEST(Disassembler, NoBitOfAHeaderOrDescriptorGoesUnseen) {
    InstructionTable table = TableWithProcedures();
    for (const auto& [module, row] : {std::pair{0, 0}, {1, 0}, {1, 1}, {2, 0}}) {
        SCOPED_TRACE(DisassembleRow(table, module, row));
        ExpectEveryBitShows(table, module, row);
    }
}

TEST(Disassembler, OddRows) {
    struct Case {
        Row words;
        std::string line;
    };
    const Case cases[] = {
        // The overflow word of a coordinate, the smallest step of one, and exact binary fractions.
        {{OpPoint, INT32_MIN, 1, -1, -1, -1, 0, 0}, "POINT P0 x=-32768 y=0.0000152587890625"},
        {{OpLinePolarXY, 98304, 0, -384, 5, -1, -1, 0}, "LINEPOLAR_XY L0 x=1.5 y=0 angle=-1.5 a=5"},
        {{OpCls, static_cast<std::int32_t>(0xFEFF00FF), 0, 0, 0, 0, 0, 0}, "CLS col=&HFEFF00FF"},
        // A mark on an opcode without an I-variant, a word its layout leaves at 0, an unknown opcode.
        {{MakeWord0(3, OpRevert | IMark), 0, 0, 0, 0, 0, 0, 0}, "REVERT L3 !w0=213003"},
        {{OpEnd, 0, 0, 0, 0, 0, 0, 9}, "END !w7=9"},
        {{MakeWord0(1, 23), 4, 0, 0, 0, 0, 0, 0}, "OP23 !w0=65559 !w1=4"},
        // Optional operands are left out only at the end of the line.
        {{OpCircleThrough, 1, 2, -1, 3, -1, -1, 0}, "CIRCLE C0 P1 P2 col=default a=3"},
    };
    for (const Case& c : cases) {
        InstructionTable table;
        table.Reset(1, 3);
        table.At(0, 1) = c.words;
        EXPECT_EQ(DisassembleRow(table, 0, 1), c.line);
    }
}

}  // namespace
}  // namespace vekora
