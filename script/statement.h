// One statement being compiled: its tokens and classes, and the checks and row writers
// that every statement family shares. Internal to the compiler.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "script/compiler.h"
#include "script/opcodes.h"
#include "script/types.h"

namespace vekora {

enum class Pass { One, Two };

constexpr int MaxTokens = 20;    // tokens a statement may have
constexpr int AnyCount = 1000;   // no upper bound on the token count
constexpr std::int32_t Absent = -1;  // the "type" of a token the statement does not have

class Statement {
public:
    Statement(Pass pass, Compilation& compilation) : pass_(pass), c_(compilation) {}

    // Splits and classifies the line; 0, 255 (empty) or an error code.
    std::int32_t Scan(std::string_view line);

    Pass pass() const { return pass_; }
    bool FirstPass() const { return pass_ == Pass::One; }
    Compilation& compilation() { return c_; }
    int Count() const { return n_; }            // N
    int Position() const { return m_; }        // M
    std::int32_t Keyword() const { return keyword_ & OpcodeMask; }
    std::int32_t IMarkOf() const { return keyword_ & IMark; }
    std::string_view Token(int i) const {
        if (i < 0 || i >= n_) return {};
        const TokenText& token = tokens_[static_cast<std::size_t>(i)];
        return {token.data, token.size};
    }
    // Token i as written in the line (a text with its quotes, DEFAULT as DEFAULT).
    LineSpan Span(int i) const;
    std::string_view Line() const { return line_; }

    // Where an error stands: token i, or the end of the line (too few tokens). Kept out of
    // line (cold) so that the checks that call them stay as cheap as without them.
    [[gnu::cold, gnu::noinline]] std::int32_t Blame(int i, std::int32_t code, ErrorCause cause = ErrorCause::AsNumbered,
                                                    std::int32_t detail = 0) const;
    [[gnu::cold, gnu::noinline]] std::int32_t BlameLineEnd(std::int32_t code) const;
    // For an error whose check did not say where: the token the code points to.
    [[gnu::cold, gnu::noinline]] void BlameByCode(std::int32_t code);

    // The type of tok i as the table stands now (a new name may have been defined by an
    // earlier argument of this statement); Absent beyond the statement.
    std::int32_t Type(int i) { return i >= 0 && i < n_ ? ClassType(Current(i)) : Absent; }
    std::int32_t Index(int i) { return i >= 0 && i < n_ ? ClassIndex(Current(i)) : 0; }
    bool IsNew(int i) { return Type(i) == TypeNone; }
    // The class as scanned, without looking again: final in pass 2, which adds no names.
    std::int32_t ScannedType(int i) const { return ClassType(ScannedClass(i)); }
    std::int32_t ScannedIndex(int i) const { return ClassIndex(ScannedClass(i)); }

    // Keyword position, then token count: E(16, M+1), 12 or 11.
    std::int32_t Expect(int position, int fewest, int most = AnyCount) const;
    std::int32_t ExpectPosition(int position) const;
    // Pass 1: a new name becomes type; pass 2 only checks.
    std::int32_t CheckArgument(int i, std::int32_t type);
    struct Argument {
        int position;
        std::int32_t type;
    };
    // CheckArgument for each in order; the first error stops.
    std::int32_t CheckArguments(std::initializer_list<Argument> arguments);
    // tok i must be a text literal, else E(10, 8, t); pass 1 adds a new text.
    std::int32_t CheckText(int i);
    // Pass 2 only: the statement must stand in a module of this kind, else E(31, kind, 0).
    std::int32_t OnlyIn(std::int32_t kind) const;
    std::int32_t NotIn(std::int32_t kind) const;

    std::int32_t ModuleKind() const;
    std::int32_t Stored() const;  // word 0 of the current row, opcode and I mark

    // Pass 1 writes the opcode (with the statement's I mark); pass 2 checks that pass 1
    // wrote one of `family` and writes the whole row.
    std::int32_t Write(std::int32_t opcode, std::int32_t target, std::initializer_list<std::int32_t> words,
                       std::initializer_list<std::int32_t> family = {});
    using Words = std::array<std::int32_t, InstructionTable::WordsPerRow - 1>;
    std::int32_t WriteRow(std::int32_t opcode, std::int32_t target, const Words& words,
                          std::initializer_list<std::int32_t> family = {});
    InstructionTable::Row& CurrentRow();

    // Operands (pass 2; pass 1 skips the conversions and gets 0).
    std::int32_t Fixed(int i) const;      // value * 65536
    std::int32_t FixedOr(int i) const;    // Fixed, or -1 when absent
    std::int32_t Angle(int i) const;      // value * 256
    std::int32_t Int(int i) const;
    std::int32_t IntOr(int i) const;
    std::int32_t ColourOr(int i) const;
    std::int32_t ShiftedOr(int i) const;  // -1 when absent or -1, else rounded * 256
    double Number(int i) const;

private:
    // The class of token i (0 <= i < N) as the table stands now: only a name this statement
    // has defined since it was scanned can have changed it.
    std::int32_t Current(int i) {
        if (c_.symbols.DefinitionCount() != definitionsAtScan_) Refresh(i);
        return classes_[static_cast<std::size_t>(i)];
    }
    void Refresh(int i);
    std::int32_t ScannedClass(int i) const { return i >= 0 && i < n_ ? classes_[static_cast<std::size_t>(i)] : 0; }

    Pass pass_;
    Compilation& c_;
    // The tokens, their classes and where each starts in the line are left unset beyond the
    // tokens scanned, which costs nothing for every statement compiled; the accessors give an
    // empty token of TypeNone there. Where a token ends in the line is found again when asked.
    struct TokenText {
        const char* data;
        std::size_t size;
    };
    std::array<TokenText, MaxTokens> tokens_;
    std::array<std::int32_t, MaxTokens> classes_;
    std::array<std::int32_t, MaxTokens> starts_;
    std::size_t definitionsAtScan_ = 0;  // the symbol table's count when the classes were scanned
    mutable bool blamed_ = false;  // this line's error has said where it stands
    std::string_view line_;
    int n_ = 0;
    int m_ = 0;
    std::int32_t keyword_ = 0;
};

// Statement families; each checks and compiles one group of statement forms.
std::int32_t CompilePoint(Statement& s);
std::int32_t CompileLine(Statement& s);
std::int32_t CompileLinePolar(Statement& s);
std::int32_t CompileCircle(Statement& s);
std::int32_t CompileCopy(Statement& s);
std::int32_t CompileCross(Statement& s);
std::int32_t CompilePointPair(Statement& s);
std::int32_t CompileMoveCircle(Statement& s);
std::int32_t CompileRevert(Statement& s);
std::int32_t CompileMidline(Statement& s);
std::int32_t CompileTangent(Statement& s);
std::int32_t CompileAdvance(Statement& s);
std::int32_t CompileCircleEnds(Statement& s);
std::int32_t CompileArc(Statement& s);
std::int32_t CompileStartLine(Statement& s);
std::int32_t CompileFill(Statement& s);
std::int32_t CompileOrderLines(Statement& s);
std::int32_t CompileMarkPoint(Statement& s);
std::int32_t CompileMarkLine(Statement& s);
std::int32_t CompileMarkAngle(Statement& s);
std::int32_t CompileCall(Statement& s);
std::int32_t CompileProcedureHeader(Statement& s);
std::int32_t CompileRepeat(Statement& s);
std::int32_t CompilePointList(Statement& s);
std::int32_t CompileClickableAlong(Statement& s);
std::int32_t CompileStep(Statement& s);
std::int32_t CompileStepAlong(Statement& s);
std::int32_t CompileWait(Statement& s);
std::int32_t CompileEnd(Statement& s);
std::int32_t CompileScreenSetting(Statement& s);
std::int32_t CompileText(Statement& s);
std::int32_t CompileDefaults(Statement& s);
std::int32_t CompileToolDefaults(Statement& s);
std::int32_t CompileMenu(Statement& s);
std::int32_t CompileMenuRow(Statement& s);

}  // namespace vekora
