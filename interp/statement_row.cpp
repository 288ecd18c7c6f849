// Decoding rows and mapping a CONSTRUCTION's parameters.
#include "interp/statement_row.h"

#include "script/types.h"

namespace vekora {
namespace {

constexpr std::int8_t P = TypePoint;
constexpr std::int8_t L = TypeLine;
constexpr std::int8_t C = TypeCircle;

// The object type of the target and of words 1 to 7 of each opcode; 0 where a word holds no
// object index.
using OperandTypes = std::array<std::int8_t, InstructionTable::WordsPerRow>;

constexpr OperandTypes TypesOf(std::int32_t opcode) {
    switch (opcode) {
        case OpPoint: return {P};
        case OpLineXY: case OpLinePolarXY: case OpRevert: return {L};
        case OpCircleXY: case OpFillCircle: return {C};
        case OpCopyPoint: return {P, P};
        case OpCopyLine: case OpOrderLines: case OpMarkAngleLines: case OpMarkNumberLines: return {L, L};
        case OpCopyCircle: return {C, C};
        case OpCrossLines: return {P, L, L};
        case OpMiddle: case OpAdvanceTo: case OpFillTriangle: case OpMarkAnglePoints: case OpMarkNumberPoints:
            return {P, P, P};
        case OpMoveCircle: return {C, P};
        case OpLineThrough: case OpMidline: case OpStartLine: return {L, P, P};
        case OpBisector: return {L, L, L};
        case OpLinePolarAt: return {L, P, L};
        case OpTangent: return {L, L, P, C};
        case OpAdvanceOn: return {P, P, L};
        case OpCrossCircleLine: return {P, P, C, L};
        case OpCrossLineCircle: return {P, P, L, C};
        case OpCrossCircles: return {P, P, C, C};
        case OpCircleEnds: return {P, P, C};
        case OpCircleThrough: case OpArcPoints: return {C, P, P};
        case OpCircleToLine: return {C, P, L};
        case OpArcLines: return {C, L, L};
        case OpMarkPoint: return {P};
        default: return {};
    }
}

// MARKLINE and MARKNUMBERLINE name two points only in their P1, P2 form, whose word 1 is an
// index; the other forms keep -1 or a number with 0xFFFF in the high half there.
OperandTypes TypesOfRow(std::int32_t opcode, std::int32_t word1) {
    if (opcode == OpMarkLine || opcode == OpMarkNumberLine) {
        if (word1 >= 0) return {L, P, P};
        return {L};
    }
    return TypesOf(opcode);
}

std::size_t ListSize(const ObjectLists& objects, std::int32_t type) {
    switch (type) {
        case TypePoint: return objects.points.size();
        case TypeLine: return objects.lines.size();
        case TypeCircle: return objects.circles.size();
        default: return 0;
    }
}

std::int32_t& TargetOrWord(StatementRow& row, std::size_t i) { return i == 0 ? row.target : row.w[i]; }

}  // namespace

std::int32_t StatementRow::Half(int firstWord, int half) const {
    const int word = firstWord + half / 2;
    if (word >= InstructionTable::WordsPerRow) return 0xFFFF;
    const std::uint32_t value = static_cast<std::uint32_t>(w[word]);
    return static_cast<std::int32_t>(half % 2 == 0 ? value & 0xFFFF : value >> 16);
}

std::int32_t MapParameter(const Activation& activation, std::int32_t index, std::int32_t type) {
    for (const ParameterBinding& binding : activation.parameters)
        if (binding.formal == index && binding.type == type) return binding.actual;
    return index;
}

bool DecodeRow(const RunContext& run, const Activation& activation, StatementRow& row) {
    for (int i = 0; i < InstructionTable::WordsPerRow; ++i)
        row.w[i] = run.table.Word(activation.procedure, activation.row, i);
    row.opcode = OpcodeOf(row.w[0]);
    row.hidden = (row.w[0] & IMark) != 0;
    row.target = Target(row.w[0]);
    const OperandTypes types = TypesOfRow(row.opcode, row.w[1]);
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (types[i] == 0) continue;
        std::int32_t& operand = TargetOrWord(row, i);
        if (activation.kind == KindConstruction) operand = MapParameter(activation, operand, types[i]);
        if (operand < 0 || static_cast<std::size_t>(operand) >= ListSize(run.objects, types[i])) return false;
    }
    return true;
}

void BindParameters(const RunContext& run, Activation& activation) {
    const std::int32_t caller = activation.callerPosition >> 16;
    const std::int32_t callRow = activation.callerPosition & 0xFFFF;
    StatementRow formals;
    StatementRow call;
    for (int i = 0; i < InstructionTable::WordsPerRow; ++i) {
        formals.w[i] = run.table.Word(activation.procedure, 1, i);
        call.w[i] = run.table.Word(caller, callRow, i);
    }
    for (int j = 0; j < MaxParameters; ++j) {
        ParameterBinding& binding = activation.parameters[static_cast<std::size_t>(j)];
        // Type j: 4 bits of half j / 4 counted from the low half of word 0.
        binding.type = (formals.Half(0, j / 4) >> (4 * (j % 4))) & 0xF;
        binding.formal = formals.Half(2, j);
        binding.actual = call.Half(2, j);
    }
}

}  // namespace vekora

namespace vekora {

std::string_view TextLiteral(const RunContext& run, std::int32_t index) {
    const std::vector<std::string>& texts = run.symbols.List(TypeTextLiteral);
    if (index < 0 || static_cast<std::size_t>(index) >= texts.size()) return {};
    return texts[static_cast<std::size_t>(index)];
}

}  // namespace vekora
