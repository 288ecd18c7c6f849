// Statement families of the marks: points, lines and angles, plain or numbered.
#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

constexpr std::int32_t P = TypePoint;
constexpr std::int32_t L = TypeLine;

// The angle forms: points (three points, then the text) or lines (two lines, then the text).
// A numbered mark may leave out its text, which is then -1.
std::int32_t CompileAnglePoints(Statement& s, bool numbered) {
    if (const auto e = s.Expect(0, numbered ? 4 : 5)) return e;
    if (const auto e = s.CheckArguments({{1, P}, {2, P}, {3, P}})) return e;
    const bool hasText = !numbered || s.Count() > 4;
    if (hasText) {
        if (const auto e = s.CheckText(4)) return e;
    }
    return s.Write(numbered ? OpMarkNumberPoints : OpMarkAnglePoints, s.Index(1),
                   {s.Index(2), s.Index(3), hasText ? s.Index(4) : -1, s.IntOr(5), s.IntOr(6)});
}

std::int32_t CompileAngleLines(Statement& s, bool numbered) {
    if (const auto e = s.Expect(0, numbered ? 3 : 4)) return e;
    if (const auto e = s.CheckArguments({{1, L}, {2, L}})) return e;
    const bool hasText = !numbered || s.Count() > 3;
    if (hasText) {
        if (const auto e = s.CheckText(3)) return e;
    }
    return s.Write(numbered ? OpMarkNumberLines : OpMarkAngleLines, s.Index(1),
                   {s.Index(2), hasText ? s.Index(3) : -1, s.IntOr(4), s.IntOr(5), s.IntOr(6)});
}

}  // namespace

// MARKPOINT P [, a [, b]]
std::int32_t CompileMarkPoint(Statement& s) {
    if (const auto e = s.Expect(0, 2)) return e;
    if (const auto e = s.CheckArguments({{1, P}})) return e;
    return s.Write(OpMarkPoint, s.Index(1), {s.IntOr(2), s.IntOr(3)});
}

// MARKLINE L  |  MARKLINE L, P1, P2 [, a [, b [, c]]]  |  MARKLINE L, u [, v [, w]]
// (MARKNUMBERLINE the same)
std::int32_t CompileMarkLine(Statement& s) {
    const std::int32_t opcode = s.Keyword() == KwMarkLine ? OpMarkLine : OpMarkNumberLine;
    if (const auto e = s.Expect(0, 2)) return e;
    if (const auto e = s.CheckArguments({{1, L}})) return e;
    if (s.Count() == 2) return s.Write(opcode, s.Index(1), {-1});
    if (s.FirstPass() && s.IsNew(2)) {
        if (const auto e = s.CheckArguments({{2, P}})) return e;
    }
    const std::int32_t t2 = s.Type(2);
    if (t2 == P) {
        if (s.FirstPass() && s.Count() < 4) return ErrTooFewArguments;
        if (s.FirstPass()) {
            if (const auto e = s.CheckArguments({{3, P}})) return e;
        } else if (s.Type(3) != P) {
            return ErrorCode(ErrTypeMismatch, s.Type(3), P);
        }
        return s.Write(opcode, s.Index(1), {s.Index(2), s.Index(3), s.IntOr(4), s.IntOr(5), s.IntOr(6)});
    }
    if (t2 != TypeNumberLiteral) return ErrorCode(ErrTypeMismatch, t2, P);
    if (s.FirstPass() && s.Count() > 3 && s.Type(3) != TypeNumberLiteral) {
        return ErrorCode(ErrTypeMismatch, s.Type(3), TypeNumberLiteral);
    }
    return s.Write(opcode, s.Index(1), {Halves(s.IntOr(2), 0xFFFF), s.IntOr(3), s.IntOr(4)});
}

// MARKANGLE L1, L2, text [, a [, b [, c]]]  |  MARKANGLE P1, P2, P3, text [, b [, c]]
// MARKNUMBERANGLE the same, with the text optional
std::int32_t CompileMarkAngle(Statement& s) {
    const bool numbered = s.Keyword() == KwMarkNumberAngle;
    if (const auto e = s.ExpectPosition(0)) return e;
    bool pointsForm;
    if (!s.FirstPass()) {
        const std::int32_t stored = s.Stored();
        const std::int32_t points = numbered ? OpMarkNumberPoints : OpMarkAnglePoints;
        const std::int32_t lines = numbered ? OpMarkNumberLines : OpMarkAngleLines;
        if (stored != points && stored != lines) return ErrPassMismatch;
        pointsForm = stored == points;
    } else if (s.Type(1) == P || s.Type(1) == L) {
        pointsForm = s.Type(1) == P;
    } else if (s.Type(1) == TypeNone || s.Type(1) == Absent) {
        if (s.Type(2) == P || s.Type(3) == P) pointsForm = true;
        else if (s.Type(2) == L) pointsForm = false;
        else if (s.Count() < (numbered ? 3 : 4)) return ErrTooFewArguments;  // no form is that short
        else return Compiled;  // undecided: no row now; pass 2 reports the line
    } else {
        return ErrorCode(ErrTypeMismatch, s.Type(1), P);
    }
    return pointsForm ? CompileAnglePoints(s, numbered) : CompileAngleLines(s, numbered);
}

}  // namespace vekora
