// Statement families that make or change points, lines and circles, and the fills.
#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

constexpr std::int32_t P = TypePoint;
constexpr std::int32_t L = TypeLine;
constexpr std::int32_t C = TypeCircle;

// A name that pass 1 lets through without defining counts as `type` there.
bool IsOrNew(Statement& s, int i, std::int32_t type) {
    const std::int32_t found = s.Type(i);
    return found == type || (s.FirstPass() && found == TypeNone);
}

}  // namespace

// POINT P, x, y [, a [, col [, b]]]
std::int32_t CompilePoint(Statement& s) {
    if (const auto e = s.Expect(0, 4)) return e;
    if (const auto e = s.CheckArguments({{1, P}})) return e;
    return s.Write(OpPoint, s.Index(1), {s.Fixed(2), s.Fixed(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)});
}

// LINE L, x1, y1, x2, y2 [, a [, col [, b]]]  |  L = LINE P1, P2 [, a [, col [, b]]]
std::int32_t CompileLine(Statement& s) {
    if (s.Position() == 0) {
        if (const auto e = s.Expect(0, 6)) return e;
        if (const auto e = s.CheckArguments({{1, L}})) return e;
        return s.Write(OpLineXY, s.Index(1),
                       {s.Fixed(2), s.Fixed(3), s.Fixed(4), s.Fixed(5), s.IntOr(6), s.ColourOr(7), s.IntOr(8)});
    }
    if (const auto e = s.Expect(1, 4)) return e;
    if (const auto e = s.CheckArguments({{0, L}, {2, P}, {3, P}})) return e;
    return s.Write(OpLineThrough, s.Index(0), {s.Index(2), s.Index(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)});
}

// LINEPOLAR L, x, y, angle [, a [, col [, b]]]  |  L = LINEPOLAR P, L2, angle [, a [, col [, b]]]
std::int32_t CompileLinePolar(Statement& s) {
    if (s.Position() == 0) {
        if (const auto e = s.Expect(0, 5)) return e;
        if (const auto e = s.CheckArguments({{1, L}})) return e;
        return s.Write(OpLinePolarXY, s.Index(1),
                       {s.Fixed(2), s.Fixed(3), s.Angle(4), s.IntOr(5), s.ColourOr(6), s.IntOr(7)});
    }
    if (const auto e = s.Expect(1, 5)) return e;
    if (const auto e = s.CheckArguments({{0, L}, {2, P}, {3, L}})) return e;
    return s.Write(OpLinePolarAt, s.Index(0),
                   {s.Index(2), s.Index(3), s.Angle(4), s.IntOr(5), s.ColourOr(6), s.IntOr(7)});
}

// CIRCLE C, x, y, r [, col [, a [, s [, e]]]]  |  C = CIRCLE P1, P2 ...  |  C = CIRCLE P1, L ...
std::int32_t CompileCircle(Statement& s) {
    if (s.Position() == 0) {
        if (const auto e = s.Expect(0, 5)) return e;
        if (const auto e = s.CheckArguments({{1, C}})) return e;
        return s.Write(OpCircleXY, s.Index(1),
                       {s.Fixed(2), s.Fixed(3), s.Fixed(4), s.ColourOr(5), s.IntOr(6), s.ShiftedOr(7), s.ShiftedOr(8)});
    }
    if (const auto e = s.Expect(1, 4)) return e;
    if (const auto e = s.CheckArguments({{0, C}, {2, P}})) return e;
    std::int32_t opcode;
    if (s.Type(3) == L) opcode = OpCircleToLine;
    else if (IsOrNew(s, 3, P)) opcode = OpCircleThrough;
    else return ErrorCode(ErrTypeMismatch, s.Type(3), P);
    return s.Write(opcode, s.Index(0),
                   {s.Index(2), s.Index(3), s.ColourOr(4), s.IntOr(5), s.ShiftedOr(6), s.ShiftedOr(7)},
                   {OpCircleThrough, OpCircleToLine});
}

// P = COPY P2  |  L = COPY L2  |  C = COPY C2
std::int32_t CompileCopy(Statement& s) {
    if (const auto e = s.Expect(1, 3, 3)) return e;
    const std::int32_t t0 = s.Type(0);
    const std::int32_t t2 = s.Type(2);
    if (!s.FirstPass()) {
        const std::int32_t stored = OpcodeOf(s.Stored());
        if (t0 != t2 || t0 < P || t0 > C) return ErrorCode(ErrTypeMismatch, t0, stored - 4);
        return s.Write(OpCopyPoint + t0 - P, s.Index(0), {s.Index(2)}, {OpCopyPoint, OpCopyLine, OpCopyCircle});
    }
    std::int32_t opcode;
    if (t0 == L) opcode = OpCopyLine;
    else if (t0 == C) opcode = OpCopyCircle;
    else if (t0 == P || t0 == TypeNone) opcode = OpCopyPoint;
    else return ErrorCode(ErrTypeMismatch, t0, P);
    const std::int32_t wanted = opcode - 4;
    const bool mismatch = (t2 == P && opcode != OpCopyPoint) || (t2 == L && (opcode == OpCopyCircle || t0 == P)) ||
                          (t2 == C && (opcode == OpCopyLine || t0 == P)) || t2 > C;
    if (mismatch) return ErrorCode(ErrTypeMismatch, t2, wanted);
    return s.Write(opcode, 0, {});
}

// P = CROSS L1, L2  |  Q1 Q2 = CROSS C, L  |  Q1 Q2 = CROSS L, C  |  Q1 Q2 = CROSS C1, C2
std::int32_t CompileCross(Statement& s) {
    if (s.Position() == 1) {
        if (const auto e = s.Expect(1, 4)) return e;
        if (const auto e = s.CheckArguments({{0, P}, {2, L}, {3, L}})) return e;
        return s.Write(OpCrossLines, s.Index(0), {s.Index(2), s.Index(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)});
    }
    if (const auto e = s.Expect(2, 5)) return e;
    if (const auto e = s.CheckArguments({{0, P}, {1, P}})) return e;
    const std::int32_t t3 = s.Type(3);
    const std::int32_t t4 = s.Type(4);
    std::int32_t opcode;
    if (s.FirstPass()) {
        if (t3 != L && !IsOrNew(s, 3, C)) return ErrorCode(ErrTypeMismatch, t3, C);
        if (t4 != L && !IsOrNew(s, 4, C)) return ErrorCode(ErrTypeMismatch, t4, C);
        if (t3 == L && t4 == L) return ErrorCode(ErrTypeMismatch, L, C);
        opcode = (t3 == L || t4 == L) ? OpCrossLineCircle : OpCrossCircles;
    } else if (t3 == C && t4 == C) {
        opcode = OpCrossCircles;
    } else if (t3 == C && t4 == L) {
        opcode = OpCrossCircleLine;
    } else if (t3 == L && t4 == C) {
        opcode = OpCrossLineCircle;
    } else {
        return ErrorCode(ErrTypeMismatch, t3, C);
    }
    return s.Write(opcode, s.Index(0), {s.Index(1), s.Index(3), s.Index(4), s.IntOr(5), s.ColourOr(6), s.IntOr(7)},
                   {OpCrossCircleLine, OpCrossLineCircle, OpCrossCircles});
}

// P = MIDDLE P1, P2 [, a [, col [, b]]]
std::int32_t CompilePointPair(Statement& s) {
    if (const auto e = s.Expect(1, 4)) return e;
    if (const auto e = s.CheckArguments({{0, P}, {2, P}, {3, P}})) return e;
    return s.Write(OpMiddle, s.Index(0), {s.Index(2), s.Index(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)});
}

// MOVECIRCLE C, P [, col [, a]]
std::int32_t CompileMoveCircle(Statement& s) {
    if (const auto e = s.Expect(0, 3)) return e;
    if (const auto e = s.CheckArguments({{1, C}, {2, P}})) return e;
    return s.Write(OpMoveCircle, s.Index(1), {s.Index(2), s.ColourOr(3), s.IntOr(4)});
}

// REVERT L
std::int32_t CompileRevert(Statement& s) {
    if (const auto e = s.Expect(0, 2, 2)) return e;
    if (const auto e = s.CheckArguments({{1, L}})) return e;
    return s.Write(OpRevert, s.Index(1), {});
}

// L = MIDLINE P1, P2  |  L = BISECTOR L1, L2  (the arguments decide, not the keyword)
std::int32_t CompileMidline(Statement& s) {
    if (const auto e = s.Expect(1, 4)) return e;
    if (const auto e = s.CheckArguments({{0, L}})) return e;
    const std::int32_t t2 = s.Type(2);
    const std::int32_t t3 = s.Type(3);
    std::int32_t opcode;
    if (s.FirstPass()) {
        if (t2 == L) opcode = OpBisector;
        else if (IsOrNew(s, 2, P)) opcode = OpMidline;
        else return ErrorCode(ErrTypeMismatch, t2, P);
        // A new tok2 leaves the form open: pass 2 decides it from both names.
        const bool mixed = (t3 == P && t2 == L) || (t3 == L && t2 == P);
        if (mixed || (t3 != TypeNone && t3 != P && t3 != L)) {
            return ErrorCode(ErrTypeMismatch, t3, opcode == OpMidline ? P : L);
        }
    } else if (t2 == P && t3 == P) {
        opcode = OpMidline;
    } else if (t2 == L && t3 == L) {
        opcode = OpBisector;
    } else {
        return ErrorCode(ErrTypeMismatch, t2, P);
    }
    return s.Write(opcode, s.Index(0), {s.Index(2), s.Index(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)},
                   {OpMidline, OpBisector});
}

// L1 L2 = TANGENT P, C [, a [, col [, b]]]
std::int32_t CompileTangent(Statement& s) {
    if (const auto e = s.Expect(2, 5)) return e;
    if (const auto e = s.CheckArguments({{0, L}, {1, L}, {3, P}, {4, C}})) return e;
    return s.Write(OpTangent, s.Index(0),
                   {s.Index(1), s.Index(3), s.Index(4), s.IntOr(5), s.ColourOr(6), s.IntOr(7)});
}

// P = ADVANCETO P1, P2, d ...  |  P = ADVANCEON P1, L, d ...
std::int32_t CompileAdvance(Statement& s) {
    const bool onLine = s.Keyword() == KwAdvanceOn;
    if (const auto e = s.Expect(1, 5)) return e;
    if (const auto e = s.CheckArguments({{0, P}, {2, P}, {3, onLine ? L : P}})) return e;
    return s.Write(onLine ? OpAdvanceOn : OpAdvanceTo, s.Index(0),
                   {s.Index(2), s.Index(3), s.Fixed(4), s.IntOr(5), s.ColourOr(6), s.IntOr(7)});
}

// Q1 Q2 = CIRCLEND C [, a [, col [, b]]]
std::int32_t CompileCircleEnds(Statement& s) {
    if (const auto e = s.Expect(2, 4)) return e;
    if (const auto e = s.CheckArguments({{0, P}, {1, P}, {3, C}})) return e;
    return s.Write(OpCircleEnds, s.Index(0), {s.Index(1), s.Index(3), s.IntOr(4), s.ColourOr(5), s.IntOr(6)});
}

// C = ARC P1, P2 [, s [, col [, a]]]  |  C = ARC L1, L2, r [, col [, a]]
std::int32_t CompileArc(Statement& s) {
    if (const auto e = s.Expect(1, 4)) return e;
    if (const auto e = s.CheckArguments({{0, C}})) return e;
    const std::int32_t t2 = s.Type(2);
    std::int32_t opcode;
    if (s.FirstPass()) {
        if (t2 == L) opcode = OpArcLines;
        else if (IsOrNew(s, 2, P)) opcode = OpArcPoints;
        else return ErrorCode(ErrTypeMismatch, t2, P);
    } else if (t2 == P && s.Type(3) == P) {
        opcode = OpArcPoints;
    } else if (t2 == L && s.Type(3) == L) {
        if (s.Count() < 5) return ErrTooFewArguments;
        opcode = OpArcLines;
    } else {
        return ErrorCode(ErrTypeMismatch, t2, P);
    }
    const std::int32_t fourth = opcode == OpArcPoints ? s.ShiftedOr(4) : s.Fixed(4);
    return s.Write(opcode, s.Index(0), {s.Index(2), s.Index(3), fourth, s.ColourOr(5), s.IntOr(6)},
                   {OpArcPoints, OpArcLines});
}

// L P = STARTLINE P1, angle, len [, a [, col [, b]]]
std::int32_t CompileStartLine(Statement& s) {
    if (const auto e = s.Expect(2, 6)) return e;
    if (const auto e = s.CheckArguments({{0, L}, {1, P}, {3, P}})) return e;
    return s.Write(OpStartLine, s.Index(0),
                   {s.Index(1), s.Index(3), s.Angle(4), s.Fixed(5), s.IntOr(6), s.ColourOr(7), s.IntOr(8)});
}

// FILLTRIANGLE P1, P2, P3 [, col [, a]]  |  FILLCIRCLE C [, col [, a]]  |  FILL either
std::int32_t CompileFill(Statement& s) {
    std::int32_t opcode = s.Keyword() == KwFillCircle ? OpFillCircle : OpFillTriangle;
    if (s.Keyword() == KwFill) {
        if (const auto e = s.Expect(0, 2)) return e;
        const std::int32_t t1 = s.Type(1);
        const std::int32_t t2 = s.Type(2);
        if (!s.FirstPass()) {
            opcode = OpcodeOf(s.Stored());
            if (opcode != OpFillTriangle && opcode != OpFillCircle) return ErrPassMismatch;
        } else if (t1 == C) {
            opcode = OpFillCircle;
        } else if (t1 == TypeNone) {
            // A new name: the other arguments tell a triangle from a circle's colour.
            const bool triangle = t2 == P || s.Type(3) == P || (t2 != Absent && t2 != TypeNumberLiteral && t2 != TypeNumber);
            opcode = triangle ? OpFillTriangle : OpFillCircle;
        } else if (t1 != P) {
            return ErrorCode(ErrTypeMismatch, t1, P);
        }
    }
    if (opcode == OpFillCircle) {
        if (const auto e = s.Expect(0, 2)) return e;
        if (const auto e = s.CheckArguments({{1, C}})) return e;
        return s.Write(OpFillCircle, s.Index(1), {s.ColourOr(2), s.IntOr(3)});
    }
    if (const auto e = s.Expect(0, 4)) return e;
    if (const auto e = s.CheckArguments({{1, P}, {2, P}, {3, P}})) return e;
    return s.Write(OpFillTriangle, s.Index(1), {s.Index(2), s.Index(3), s.ColourOr(4), s.IntOr(5)});
}

// ORDERLINES L1, L2
std::int32_t CompileOrderLines(Statement& s) {
    if (const auto e = s.Expect(0, 3, 3)) return e;
    if (const auto e = s.CheckArguments({{1, L}, {2, L}})) return e;
    return s.Write(OpOrderLines, s.Index(1), {s.Index(2)});
}

}  // namespace vekora
