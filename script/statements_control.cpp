// Statement families of procedures and their flow: headers, calls, REPEAT, the
// interaction and animation statements, waits and END.
#include <algorithm>

#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

constexpr std::int32_t P = TypePoint;
constexpr std::int32_t L = TypeLine;
constexpr std::int32_t C = TypeCircle;

bool SameUpper(std::string_view token, std::string_view upperWord) {
    if (token.size() != upperWord.size()) return false;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char byte = token[i];
        const char upper = (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte;
        if (upper != upperWord[i]) return false;
    }
    return true;
}

// The kind a call word demands; 0 when it accepts any kind.
std::int32_t KindNamedBy(std::string_view callWord) {
    if (SameUpper(callWord, "CONSTRUCT")) return KindConstruction;
    if (SameUpper(callWord, "INTERACT")) return KindInteraction;
    if (SameUpper(callWord, "ANIMATE")) return KindAnimation;
    return 0;
}

// Sets 16-bit half number k of a run of words: word k / 2, the low half for even k.
void SetHalf(Statement::Words& words, int k, std::int32_t value) {
    std::int32_t& word = words[static_cast<std::size_t>(k / 2)];
    word = k % 2 == 0 ? Halves(value, word >> 16) : Halves(word & 0xFFFF, value);
}

// Pass 1: records the header in the main module's current row for the pass-1 loop.
std::int32_t DeclareProcedure(Statement& s, std::int32_t kind) {
    Compilation& c = s.compilation();
    if (c.module != 0) return ErrNestedProcedures;
    if (const auto e = s.CheckArguments({{1, TypeProcedure}})) return e;
    if (kind == KindConstruction && s.Count() > MaxParameters + 2) return ErrTooManyParameters;
    if (c.ModuleOfProcedure(s.Index(1)) != 0) return ErrDuplicateProcedure;
    if (!c.table.HasModule(c.module) || c.row < 0) return Compiled;
    InstructionTable::Row& row = s.CurrentRow();
    row[0] = OpConstruction + kind - KindConstruction;
    row[HeaderParameterCount] = kind == KindConstruction ? s.Count() - 2 : 0;
    row[HeaderNameIndex] = s.Index(1);
    c.written = row[0];
    return Compiled;
}

// Parameter j: its type in 4 bits of words 0-1, its name index in 16 bits of words 2-7.
void WriteDescriptor(Statement& s, std::int32_t module) {
    InstructionTable::Row descriptor{};
    Statement::Words indices{};
    indices.fill(-1);  // 0xFFFF in both halves: no parameter
    for (int j = 0; j < MaxParameters && 2 + j < s.Count(); ++j) {
        const auto type = static_cast<std::uint32_t>(s.Type(2 + j) & 15);
        descriptor[static_cast<std::size_t>(j / 8)] |= static_cast<std::int32_t>(type << (4 * (j % 8)));
        SetHalf(indices, j, s.Index(2 + j));
    }
    std::copy(indices.begin(), indices.begin() + 6, descriptor.begin() + 2);
    s.compilation().table.At(module, 1) = descriptor;
}

// Pass 2: switches to the procedure's module; a CONSTRUCTION gets its descriptor.
std::int32_t EnterProcedure(Statement& s, std::int32_t kind) {
    Compilation& c = s.compilation();
    if (s.ModuleKind() != KindMain) return ErrorCode(ErrIllegalHere, s.ModuleKind());
    const std::int32_t module = c.ModuleOfProcedure(s.Index(1));
    if (module == 0 || c.table.Word(module, 0, HeaderKind) != kind) return ErrNoProcedure;
    if (kind == KindConstruction) {
        if (c.table.Word(module, 0, HeaderParameterCount) != s.Count() - 2) return ErrParameterCount;
        WriteDescriptor(s, module);
    }
    c.module = module;
    c.row = kind == KindConstruction ? 1 : 0;
    return Compiled;
}

std::int32_t ParameterType(const InstructionTable& table, std::int32_t module, int j) {
    return DescriptorType(table.Word(module, 1, 0), table.Word(module, 1, 1), j);
}

}  // namespace

// CONSTRUCTION R [parameter ...]  |  INTERACTION R  |  ANIMATION R
std::int32_t CompileProcedureHeader(Statement& s) {
    const std::int32_t kind = s.Keyword() - OpConstruction + KindConstruction;
    if (const auto e = s.Expect(0, 2, kind == KindConstruction ? AnyCount : 2)) return e;
    return s.FirstPass() ? DeclareProcedure(s, kind) : EnterProcedure(s, kind);
}

// CALL R [argument ...]  |  CONSTRUCT / INTERACT / ANIMATE R ...  |  CALL R FAST|PACE|SLOW ...
// |  FAST|PACE|SLOW R ...
std::int32_t CompileCall(Statement& s) {
    const std::int32_t opcode = s.Keyword();
    if (const auto e = s.Expect(0, 2)) return e;
    if (const auto e = s.CheckArguments({{1, TypeProcedure}})) return e;
    if (s.FirstPass()) return s.Write(opcode, 0, {});
    const Compilation& c = s.compilation();
    const std::int32_t module = c.ModuleOfProcedure(s.Index(1));
    if (module == 0) return ErrNoProcedure;
    const std::int32_t kind = c.table.Word(module, 0, HeaderKind);
    const std::int32_t named = KindNamedBy(s.Token(0));
    if (named != 0 && named != kind) return ErrWrongProcedureKind;
    if (s.ModuleKind() == KindConstruction &&
        (kind != KindConstruction || c.table.Word(c.module, 0, HeaderParameterCount) != 0)) {
        return ErrorCode(ErrIllegalHere, KindConstruction);
    }
    if (kind != KindConstruction) return s.Write(opcode, module, {});
    const std::int32_t count = c.table.Word(module, 0, HeaderParameterCount);
    // The pace word stands at position 2 after a call word; a pace keyword can also open the line.
    const int first = (opcode == OpCall || KeywordCode(s.Token(0)) == opcode) ? 2 : 3;
    if (s.Count() != first + count) return ErrorCode(ErrCallArgumentCount, count);
    Statement::Words words{};
    words.fill(-1);
    words[0] = 0;
    for (int j = 0; j < count && j < MaxParameters; ++j) {
        const std::int32_t wanted = ParameterType(c.table, module, j);
        if (s.Type(first + j) != wanted) return ErrorCode(ErrCallArgumentType, j, wanted);
        SetHalf(words, 2 + j, s.Index(first + j));  // word 2 + j / 2
    }
    return s.WriteRow(opcode, module, words);
}

// REPEAT [n]
std::int32_t CompileRepeat(Statement& s) {
    if (const auto e = s.Expect(0, 1, 2)) return e;
    if (const auto e = s.NotIn(KindMain)) return e;
    return s.Write(OpRepeat, 0, {s.IntOr(1)});
}

// CLICKABLE P1 ... Pn  |  TRACE P1 ... Pn   (n up to 14)
std::int32_t CompilePointList(Statement& s) {
    const bool clickable = s.Keyword() == KwClickable;
    if (const auto e = s.Expect(0, 2)) return e;
    for (int i = 1; i < s.Count(); ++i) {
        if (const auto e = s.CheckArguments({{i, P}})) return e;
    }
    if (const auto e = s.OnlyIn(clickable ? KindInteraction : KindAnimation)) return e;
    if (!s.FirstPass() && s.Count() - 1 > MaxPointList) return ErrTooManyParameters;
    Statement::Words words{};
    for (int i = 1; i < s.Count() && i <= MaxPointList; ++i) SetHalf(words, i - 1, s.Index(i));  // word 1 + (i - 1) / 2
    return s.WriteRow(clickable ? OpClickable : OpTrace, s.Count() - 1, words);
}

// CLICKABLE P ALONG L  |  CLICKABLE P ALONG C
std::int32_t CompileClickableAlong(Statement& s) {
    if (const auto e = s.Expect(0, 4, 4)) return e;
    if (const auto e = s.CheckArguments({{1, P}})) return e;
    if (const auto e = s.OnlyIn(KindInteraction)) return e;
    const std::int32_t t3 = s.Type(3);
    std::int32_t opcode;
    if (t3 == L || (s.FirstPass() && t3 == TypeNone)) opcode = OpClickableOnLine;
    else if (t3 == C) opcode = OpClickableOnCircle;
    else return ErrorCode(ErrTypeMismatch, L, t3);
    return s.Write(opcode, s.Index(1), {s.Index(3)}, {OpClickableOnLine, OpClickableOnCircle});
}

// STEP P, dx, dy  |  STEP C, dx, dy [, dr]
std::int32_t CompileStep(Statement& s) {
    if (const auto e = s.Expect(0, 4)) return e;
    if (const auto e = s.OnlyIn(KindAnimation)) return e;
    const std::int32_t t1 = s.Type(1);
    std::int32_t opcode;
    if (t1 == P) opcode = OpStepPoint;
    else if (t1 == C || (s.FirstPass() && t1 == TypeNone)) opcode = OpStepCircle;
    else if (s.FirstPass()) return ErrorCode(ErrTypeMismatch, P, t1);
    else return ErrorCode(ErrTypeMismatch, t1, P);
    if (s.Count() > (opcode == OpStepPoint ? 4 : 5)) return ErrTooManyArguments;
    const std::int32_t radius = opcode == OpStepPoint ? 0 : s.FixedOr(4);
    return s.Write(opcode, s.Index(1), {s.Fixed(2), s.Fixed(3), radius}, {OpStepPoint, OpStepCircle});
}

// STEP P ALONG L [, d]  |  STEP C ALONG L [, d [, e]]  |  STEP P ALONG C2 [, d]  |  STEP C ALONG C2 [, d [, e]]
std::int32_t CompileStepAlong(Statement& s) {
    if (const auto e = s.Expect(0, 4, 6)) return e;
    if (const auto e = s.OnlyIn(KindAnimation)) return e;
    const std::int32_t t1 = s.Type(1);
    const std::int32_t t3 = s.Type(3);
    const bool pass1 = s.FirstPass();
    const bool point = t1 == P || (pass1 && t1 == TypeNone);
    const bool onLine = t3 == L || (pass1 && t3 == TypeNone);
    if (!point && t1 != C) return pass1 ? ErrorCode(ErrTypeMismatch, L, t1) : ErrorCode(ErrTypeMismatch, t1, P);
    if (!onLine && t3 != C) return pass1 ? ErrorCode(ErrTypeMismatch, L, t3) : ErrorCode(ErrTypeMismatch, t1, P);
    const std::int32_t opcode = point ? (onLine ? OpStepPointOnLine : OpStepPointOnCircle)
                                      : (onLine ? OpStepCircleOnLine : OpStepCircleOnCircle);
    const std::int32_t second = point ? 0 : s.FixedOr(5);
    return s.Write(opcode, s.Index(1), {s.Index(3), s.FixedOr(4), second},
                   {OpStepPointOnLine, OpStepCircleOnLine, OpStepPointOnCircle, OpStepCircleOnCircle});
}

// WAIT [n]  |  WAITALWAYS [n]
std::int32_t CompileWait(Statement& s) {
    const bool always = s.Keyword() == KwWaitAlways;
    if (const auto e = s.Expect(0, 1, 2)) return e;
    if (s.Count() == 1) return s.Write(always ? OpWaitAlways : OpWait, 0, {});
    if (s.Type(1) != TypeNumberLiteral) return ErrorCode(ErrTypeMismatch, TypeNumberLiteral, s.Type(1));
    return s.Write(always ? OpWaitAlwaysFor : OpWaitFor, 0, {s.Int(1)});
}

// END
std::int32_t CompileEnd(Statement& s) {
    if (const auto e = s.Expect(0, 1)) return e;
    return s.Write(OpEnd, 0, {});
}

}  // namespace vekora
