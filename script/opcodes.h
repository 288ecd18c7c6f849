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
// Row layouts, one a opcode in the table below: the field before "|" is the target (bits
// 16-31 of word 0), the fields after it are words 1, 2, ... in order; a word no field names is 0.
// A leading I marks the opcodes that carry the I mark when written with an I-keyword. Fields
// are `kind` or `name=kind`; the name is what listings call the operand.
//   P L C       index of a point, line, circle     T  text index     R  procedure name index
//   M           module number of a procedure
//   fx          fixed point: value * 65536           ang  angle: degrees * 256
//   int         a rounded number                    0    always 0
//   int? fx? T? col?   an int, fixed, text index or colour (0xRRGGBB); -1 when absent or DEFAULT
//   sh?         -1 when absent or -1, else the rounded value * 256
// Layouts of a whole run of words:
//   points      the target's count of point indices, 16 bits each: point i (from 1) in word
//               1 + (i-1)/2, low half for odd i; unused halves 0
//   args        word 1 is 0; argument j of a call of a CONSTRUCTION in 16 bits, word 2 + j/2,
//               low half for even j, 0xFFFF from the callee's parameter count on; otherwise 0
//   markline    -1 (the line alone)  |  P1, P2, a?, b?, c?  |  u? in 16 bits under 0xFFFF, v?, w?
//   defaults    words 1-7 start at -1; arguments 1 to 10 fill the places DefaultsSlots gives
//   tooldefaults  argument 1 (16 bits) in the low half of word 1, argument 2 in its high half,
//               argument 3 (16 bits) in word 2, arguments 4 to 8 colours in words 3 to 7; 0 absent
// Rounding is to the nearest integer with halves to even; a value too large for its word
// is 0x80000000. A 16-bit value is the low 16 bits of the rounded (for DEFAULTS and
// TOOLDEFAULTS: floored) value.
#pragma once

#include <cstdint>
#include <string_view>

// To add an opcode, add its row here: the compiler names it by the constant, the interpreter
// dispatches on it, and the listings that tests read take its name and layout from this row.
//  X(constant,           code, listing name,               layout)
#define VEKORA_OPCODE_TABLE(X)                                                                                        \
    X(OpPoint,                 1, "POINT",                    "I P | x=fx y=fx a=int? col=col? b=int?")               \
    X(OpLineXY,                2, "LINE_XY",                  "I L | x1=fx y1=fx x2=fx y2=fx a=int? col=col? b=int?") \
    X(OpLinePolarXY,           3, "LINEPOLAR_XY",             "I L | x=fx y=fx angle=ang a=int? col=col? b=int?")     \
    X(OpCircleXY,              4, "CIRCLE_XY",                "I C | x=fx y=fx r=fx col=col? a=int? s=sh? e=sh?")     \
    X(OpCopyPoint,             5, "COPY_POINT",               "P | P")                                                \
    X(OpCopyLine,              6, "COPY_LINE",                "L | L")                                                \
    X(OpCopyCircle,            7, "COPY_CIRCLE",              "C | C")                                                \
    X(OpCrossLines,            8, "CROSS_LINES",              "I P | L L a=int? col=col? b=int?")                     \
    X(OpMiddle,                9, "MIDDLE",                   "I P | P P a=int? col=col? b=int?")                     \
    X(OpMoveCircle,           10, "MOVECIRCLE",               "I C | P col=col? a=int?")                              \
    X(OpRevert,               11, "REVERT",                   "L")                                                    \
    X(OpLineThrough,          12, "LINE",                     "I L | P P a=int? col=col? b=int?")                     \
    X(OpMidline,              13, "MIDLINE",                  "I L | P P a=int? col=col? b=int?")                     \
    X(OpBisector,             14, "BISECTOR",                 "I L | L L a=int? col=col? b=int?")                     \
    X(OpLinePolarAt,          15, "LINEPOLAR",                "I L | P L angle=ang a=int? col=col? b=int?")           \
    X(OpTangent,              16, "TANGENT",                  "I L | L P C a=int? col=col? b=int?")                   \
    X(OpAdvanceTo,            17, "ADVANCETO",                "I P | P P d=fx a=int? col=col? b=int?")                \
    X(OpAdvanceOn,            18, "ADVANCEON",                "I P | P L d=fx a=int? col=col? b=int?")                \
    X(OpCrossCircleLine,      19, "CROSS_CIRCLE_LINE",        "I P | P C L a=int? col=col? b=int?")                   \
    X(OpCrossLineCircle,      20, "CROSS_LINE_CIRCLE",        "I P | P L C a=int? col=col? b=int?")                   \
    X(OpCrossCircles,         21, "CROSS_CIRCLES",            "I P | P C C a=int? col=col? b=int?")                   \
    X(OpCircleEnds,           22, "CIRCLEND",                 "I P | P C a=int? col=col? b=int?")                     \
    X(OpCircleThrough,        24, "CIRCLE",                   "I C | P P col=col? a=int? s=sh? e=sh?")                \
    X(OpCircleToLine,         25, "CIRCLE_TO_LINE",           "I C | P L col=col? a=int? s=sh? e=sh?")                \
    X(OpArcPoints,            26, "ARC",                      "I C | P P s=sh? col=col? a=int?")                      \
    X(OpStartLine,            27, "STARTLINE",                "I L | P P angle=ang len=fx a=int? col=col? b=int?")    \
    X(OpFillTriangle,         28, "FILLTRIANGLE",             "P | P P col=col? a=int?")                              \
    X(OpFillCircle,           29, "FILLCIRCLE",               "C | col=col? a=int?")                                  \
    X(OpArcLines,             31, "ARC_LINES",                "I C | L L r=fx col=col? a=int?")                       \
    X(OpOrderLines,           32, "ORDERLINES",               "L | L")                                                \
    X(OpMarkPoint,            33, "MARKPOINT",                "P | a=int? b=int?")                                    \
    X(OpMarkLine,             34, "MARKLINE",                 "L | markline")                                         \
    X(OpMarkAngleLines,       35, "MARKANGLE_LINES",          "L | L T a=int? b=int? c=int?")                         \
    X(OpMarkAnglePoints,      36, "MARKANGLE",                "P | P P T b=int? c=int?")                              \
    X(OpMarkNumberLine,       38, "MARKNUMBERLINE",           "L | markline")                                         \
    X(OpMarkNumberLines,      39, "MARKNUMBERANGLE_LINES",    "L | L text=T? a=int? b=int? c=int?")                   \
    X(OpMarkNumberPoints,     40, "MARKNUMBERANGLE",          "P | P P text=T? b=int? c=int?")                        \
    X(OpCallFast,             45, "CALL_FAST",                "M | args")                                             \
    X(OpCallPace,             46, "CALL_PACE",                "M | args")                                             \
    X(OpCallSlow,             47, "CALL_SLOW",                "M | args")                                             \
    X(OpCall,                 48, "CALL",                     "M | args")                                             \
    X(OpRepeat,               49, "REPEAT",                   "0 | n=int?")                                           \
    X(OpClickable,            52, "CLICKABLE",                "n=int | points")                                       \
    X(OpClickableOnLine,      53, "CLICKABLE_ALONG_LINE",     "P | L")                                                \
    X(OpClickableOnCircle,    54, "CLICKABLE_ALONG_CIRCLE",   "P | C")                                                \
    X(OpTrace,                55, "TRACE",                    "n=int | points")                                       \
    /* A header met in the main module: the row pass 1 compiled it in; does nothing. */                               \
    X(OpConstruction,         57, "CONSTRUCTION",             "0 | 0 params=int R")                                   \
    X(OpInteraction,          58, "INTERACTION",              "0 | 0 0 R")                                            \
    X(OpAnimation,            59, "ANIMATION",                "0 | 0 0 R")                                            \
    X(OpCls,                  65, "CLS",                      "0 | col=col?")                                         \
    X(OpScreen,               66, "SCREEN",                   "0 | w=int h=int n=int? col=col?")                      \
    X(OpWindow,               67, "WINDOW",                   "0 | a=int b=int")                                      \
    X(OpTextWindow,           68, "TEXTWINDOW",               "0 | a=int b=int c=int d=int")                          \
    X(OpText,                 72, "TEXT",                     "T | col1=col? col2=col? n=int?")                       \
    X(OpTitle,                73, "TITLE",                    "T")                                                    \
    X(OpSpeed,                76, "SPEED",                    "0 | n=int")                                            \
    X(OpFrameSpeed,           77, "FRAMESPEED",               "0 | n=int")                                            \
    X(OpDefaults,             80, "DEFAULTS",                 "0 | defaults")                                         \
    X(OpToolDefaults,         81, "TOOLDEFAULTS",             "n=int | tooldefaults")                                 \
    /* Menu rows: targets and "closing" are rows of the main module. */                                               \
    X(OpMenu,                 88, "MENU",                     "items=int | col1=col? col2=col? closing=int")          \
    X(OpMenuItem,             89, "MENUITEM",                 "jump=int | T")                                         \
    X(OpExitMenu,             90, "EXITMENU",                 "closing=int")                                          \
    X(OpEndMenu,              91, "ENDMENU",                  "row=int")                                              \
    X(OpRepeatMenu,           92, "REPEATMENU",               "jump=int")                                             \
    X(OpStepPoint,            97, "STEP_POINT",               "P | dx=fx dy=fx")                                      \
    X(OpStepCircle,           98, "STEP_CIRCLE",              "C | dx=fx dy=fx dr=fx?")                               \
    X(OpStepPointOnLine,     102, "STEP_POINT_ALONG_LINE",    "P | L d=fx?")                                          \
    X(OpStepCircleOnLine,    103, "STEP_CIRCLE_ALONG_LINE",   "C | L d=fx? e=fx?")                                    \
    X(OpStepPointOnCircle,   104, "STEP_POINT_ALONG_CIRCLE",  "P | C d=fx?")                                          \
    X(OpStepCircleOnCircle,  105, "STEP_CIRCLE_ALONG_CIRCLE", "C | C d=fx? e=fx?")                                    \
    X(OpWait,                128, "WAIT",                     "0")                                                    \
    X(OpWaitAlways,          129, "WAITALWAYS",               "0")                                                    \
    X(OpWaitFor,             130, "WAIT_FOR",                 "0 | n=int")                                            \
    X(OpWaitAlwaysFor,       131, "WAITALWAYS_FOR",           "0 | n=int")                                            \
    X(OpEnd,                 255, "END",                      "0")

namespace vekora {

enum Opcode : std::int32_t {
#define VEKORA_OPCODE_CONSTANT(constant, code, name, layout) constant = code,
    VEKORA_OPCODE_TABLE(VEKORA_OPCODE_CONSTANT)
#undef VEKORA_OPCODE_CONSTANT
};

struct OpcodeInfo {
    Opcode code;
    std::string_view name;    // in listings
    std::string_view layout;  // as above
};

inline constexpr OpcodeInfo OpcodeTable[] = {
#define VEKORA_OPCODE_INFO(constant, code, name, layout) {constant, name, layout},
    VEKORA_OPCODE_TABLE(VEKORA_OPCODE_INFO)
#undef VEKORA_OPCODE_INFO
};

// The row of opcode `code` (without the I mark), or null when no statement writes it.
constexpr const OpcodeInfo* FindOpcode(std::int32_t code) {
    for (const OpcodeInfo& info : OpcodeTable) {
        if (info.code == code) return &info;
    }
    return nullptr;
}

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

// Where DEFAULTS puts its arguments 1 to 10: a whole word for a colour, else a 16-bit half
// holding floor(value * scale).
struct DefaultsSlot {
    enum Part { Colour, Low, High };
    int word;
    Part part;
    double scale;
};
inline constexpr DefaultsSlot DefaultsSlots[] = {
    {2, DefaultsSlot::Colour, 1},   {5, DefaultsSlot::Colour, 1},   {3, DefaultsSlot::Colour, 1},
    {1, DefaultsSlot::Colour, 1},   {6, DefaultsSlot::Low, 1},  {4, DefaultsSlot::High, 1},
    {7, DefaultsSlot::High, 1}, {4, DefaultsSlot::Low, 1},  {6, DefaultsSlot::High, 1},
    {7, DefaultsSlot::Low, 256},
};

// The type code of parameter j in a CONSTRUCTION's descriptor row (words 0 and 1).
constexpr std::int32_t DescriptorType(std::int32_t word0, std::int32_t word1, int j) {
    return ((j < 8 ? word0 : word1) >> (4 * (j % 8))) & 15;
}

}  // namespace vekora
