// The instruction table's row format and its opcodes.
//
// The table is instr(module, row, word): module 0 is the main module, modules 1 to P the
// procedures in the order of their headers; row 0 of a module is its header; eight
// signed 32-bit words a row.
//
//   word 0 of a statement row:
//     31                  16 15 14 13   10 9          0
//    +----------------------+--+--+-------+------------+
//    |        target        |  |I |   0   |   opcode   |
//    +----------------------+--+--+-------+------------+
//   I (0x4000): written with an I-keyword (IPOINT, ICROSS, ...).
//   target: an object index, a count, a row or a text index, as each opcode says.
//
//   header row (row 0):    main module          procedure
//     word 0               0                    kind: 1 CONSTRUCTION, 2 INTERACTION, 3 ANIMATION
//     word 1               end row              end row (0 without REPEAT)
//     word 2               0                    parameter count (0 to 12)
//     word 3               0                    index of the name in the procedure list
//     word 4               procedure count P    0
//
//   parameter descriptor (row 1 of a CONSTRUCTION), parameter j = 0 to 11:
//     words 0-1: type code of j in 4 bits, word j/8, bits 4*(j%8) to 4*(j%8)+3
//     words 2-7: name index of j in 16 bits, word 2 + j/2, low half for even j; 0xFFFF absent
//
// Operands below: P, L, C, R point, line, circle, procedure index; T text index;
// fx fixed point (value * 65536); ang value * 256; int rounded; a?, b?, n? int or -1;
// col? colour or -1; sh? shifted-or-default (-1, or rounded * 256); d? fixed or -1.
// Rounding is to the nearest integer with halves to even; a value too large for its word
// is 0x80000000. "w1..": words 1 onwards in order.
#pragma once

#include <cstdint>

namespace vekora {

enum Opcode : std::int32_t {
    OpPoint = 1,             // I  target P   w1.. fx x, fx y, a?, col?, b?
    OpLineXY = 2,            // I  target L   w1.. fx x1, fx y1, fx x2, fx y2, a?, col?, b?
    OpLinePolarXY = 3,       // I  target L   w1.. fx x, fx y, ang, a?, col?, b?
    OpCircleXY = 4,          // I  target C   w1.. fx x, fx y, fx r, col?, a?, sh? s, sh? e
    OpCopyPoint = 5,         //    target P   w1 P2
    OpCopyLine = 6,          //    target L   w1 L2
    OpCopyCircle = 7,        //    target C   w1 C2
    OpCrossLines = 8,        // I  target P   w1.. L1, L2, a?, col?, b?
    OpMiddle = 9,            // I  target P   w1.. P1, P2, a?, col?, b?
    OpMoveCircle = 10,       // I  target C   w1.. P, col?, a?
    OpRevert = 11,           //    target L
    OpLineThrough = 12,      // I  target L   w1.. P1, P2, a?, col?, b?
    OpMidline = 13,          // I  target L   w1.. P1, P2, a?, col?, b?
    OpBisector = 14,         // I  target L   w1.. L1, L2, a?, col?, b?
    OpLinePolarAt = 15,      // I  target L   w1.. P, L2, ang, a?, col?, b?
    OpTangent = 16,          // I  target L1  w1.. L2, P, C, a?, col?, b?
    OpAdvanceTo = 17,        // I  target P   w1.. P1, P2, fx d, a?, col?, b?
    OpAdvanceOn = 18,        // I  target P   w1.. P1, L, fx d, a?, col?, b?
    OpCrossCircleLine = 19,  // I  target Q1  w1.. Q2, C, L, a?, col?, b?
    OpCrossLineCircle = 20,  // I  target Q1  w1.. Q2, L, C, a?, col?, b?
    OpCrossCircles = 21,     // I  target Q1  w1.. Q2, C1, C2, a?, col?, b?
    OpCircleEnds = 22,       // I  target Q1  w1.. Q2, C, a?, col?, b?
    OpCircleThrough = 24,    // I  target C   w1.. P1, P2, col?, a?, sh? s, sh? e
    OpCircleToLine = 25,     // I  target C   w1.. P1, L, col?, a?, sh? s, sh? e
    OpArcPoints = 26,        // I  target C   w1.. P1, P2, sh? s, col?, a?
    OpStartLine = 27,        // I  target L   w1.. P, P1, ang, fx len, a?, col?, b?
    OpFillTriangle = 28,     //    target P1  w1.. P2, P3, col?, a?
    OpFillCircle = 29,       //    target C   w1.. col?, a?
    OpArcLines = 31,         // I  target C   w1.. L1, L2, fx r, col?, a?
    OpOrderLines = 32,       //    target L1  w1 L2
    OpMarkPoint = 33,        //    target P   w1.. a?, b?
    OpMarkLine = 34,         //    target L   w1 -1 | w1.. P1, P2, a?, b?, c? | w1 u? + 0xFFFF0000, v?, w?
    OpMarkAngleLines = 35,   //    target L1  w1.. L2, T, a?, b?, c?
    OpMarkAnglePoints = 36,  //    target P1  w1.. P2, P3, T, b?, c?
    OpMarkNumberLine = 38,   //    as OpMarkLine
    OpMarkNumberLines = 39,  //    target L1  w1.. L2, T or -1, a?, b?, c?
    OpMarkNumberPoints = 40, //    target P1  w1.. P2, P3, T or -1, b?, c?
    OpCallFast = 45,         //    target module  w1 0, w2.. arguments (16 bits each, 0xFFFF unused)
    OpCallPace = 46,         //    as OpCallFast
    OpCallSlow = 47,         //    as OpCallFast
    OpCall = 48,             //    as OpCallFast
    OpRepeat = 49,           //    target 0   w1 n?
    OpClickable = 52,        //    target n   w1.. points, 16 bits each, low half first
    OpClickableOnLine = 53,  //    target P   w1 L
    OpClickableOnCircle = 54,//    target P   w1 C
    OpTrace = 55,            //    target n   w1.. points, as OpClickable
    OpConstruction = 57,     //    header met in the main module (does nothing)
    OpInteraction = 58,      //    as OpConstruction
    OpAnimation = 59,        //    as OpConstruction
    OpCls = 65,              //    target 0   w1 col?
    OpScreen = 66,           //    target 0   w1.. int w, int h, n?, col?
    OpWindow = 67,           //    target 0   w1.. int a, int b
    OpTextWindow = 68,       //    target 0   w1.. int a, int b, int c, int d
    OpText = 72,             //    target T   w1.. col?, col?, n?
    OpTitle = 73,            //    target T
    OpSpeed = 76,            //    target 0   w1 int n
    OpFrameSpeed = 77,       //    target 0   w1 int n
    OpDefaults = 80,         //    target 0   w1-w7 colours and 16-bit halves, -1 where absent
    OpToolDefaults = 81,     //    target argument count   w1-w7 sizes and colours, 0 where absent
    OpMenu = 88,             //    target item count   w1.. col?, col?, closing row
    OpMenuItem = 89,         //    target jump row   w1 T (16 bits)
    OpExitMenu = 90,         //    target closing row
    OpEndMenu = 91,          //    target its own row
    OpRepeatMenu = 92,       //    target the MENU's row - 1
    OpStepPoint = 97,        //    target P   w1.. fx dx, fx dy
    OpStepCircle = 98,       //    target C   w1.. fx dx, fx dy, d? dr
    OpStepPointOnLine = 102, //    target P   w1.. L, d? d
    OpStepCircleOnLine = 103,//    target C   w1.. L, d? d, d? e
    OpStepPointOnCircle = 104,  // target P   w1.. C2, d? d
    OpStepCircleOnCircle = 105, // target C   w1.. C2, d? d, d? e
    OpWait = 128,            //    target 0
    OpWaitAlways = 129,      //    target 0
    OpWaitFor = 130,         //    target 0   w1 int n
    OpWaitAlwaysFor = 131,   //    target 0   w1 int n
    OpEnd = 255,             //    target 0
};

constexpr std::int32_t OpcodeMask = 0x3FF;       // bits 0-9
constexpr std::int32_t IMark = 0x4000;           // bit 14
constexpr std::int32_t OpcodeWithIMask = OpcodeMask | IMark;

enum ProcedureKind : std::int32_t { KindMain = 0, KindConstruction = 1, KindInteraction = 2, KindAnimation = 3 };

// Header row words.
constexpr int HeaderKind = 0;
constexpr int HeaderEndRow = 1;
constexpr int HeaderParameterCount = 2;
constexpr int HeaderNameIndex = 3;
constexpr int HeaderProcedureCount = 4;

constexpr int MaxParameters = 12;
constexpr int MaxPointList = 14;     // CLICKABLE and TRACE
constexpr int MaxMenuEntries = 126;  // items, and exits, of one MENU

constexpr std::int32_t OpcodeOf(std::int32_t word0) { return word0 & OpcodeMask; }
constexpr std::int32_t Target(std::int32_t word0) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(word0) >> 16);
}
constexpr std::int32_t MakeWord0(std::int32_t target, std::int32_t opcode) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(target) << 16) | static_cast<std::uint32_t>(opcode));
}
// Two 16-bit halves in one word.
constexpr std::int32_t Halves(std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high) << 16) | (static_cast<std::uint32_t>(low) & 0xFFFFu));
}

}  // namespace vekora
