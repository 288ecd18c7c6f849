// Type codes of the symbol table and of token classes, and the error-code packing the
// compiler and the message table share.
#pragma once

#include <cstdint>

namespace vekora {

// A token class keeps the type in its low 16 bits and an index or keyword code above.
enum TypeCode : std::int32_t {
    TypeNone = 0,           // a name not (yet) in the table
    TypePoint = 1,
    TypeLine = 2,
    TypeCircle = 3,
    TypeNumber = 4,         // given to nothing; FILL tests for it
    TypeNumberLiteral = 5,  // number and colour literals
    TypeLabel = 6,          // given to nothing
    TypeProcedure = 7,
    TypeTextLiteral = 8,    // texts, stored without their quotes
    TypeKeyword = 9,
};

constexpr int SymbolListCount = 9;  // lists 0 to 8, one a type code

constexpr std::int32_t CommentClass = -1;
constexpr std::int32_t NewTextIndex = 0xFFFF;  // a text literal not yet in list 8

constexpr std::int32_t ClassType(std::int32_t tokenClass) { return tokenClass & 0xFFFF; }
constexpr std::int32_t ClassIndex(std::int32_t tokenClass) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(tokenClass) >> 16);
}
constexpr std::int32_t MakeClass(std::int32_t index, std::int32_t type) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(index) << 16) + static_cast<std::uint32_t>(type));
}

// Error code: message number in bits 0-7, parameter a in bits 8-11, b in bits 12-15.
constexpr std::int32_t ErrorCode(std::int32_t number, std::int32_t a = 0, std::int32_t b = 0) {
    return number + a * 256 + b * 4096;
}

// Message numbers of the compiler's errors.
enum ErrorNumber : std::int32_t {
    ErrTypeMismatch = 10,        // a = the type found, b = the type wanted
    ErrTooManyArguments = 11,
    ErrTooFewArguments = 12,
    ErrNoKeyword = 13,
    ErrKeywordAsName = 14,       // a = argument position (pass 1)
    ErrBadArgumentName = 15,     // a = argument position (pass 2)
    ErrArgumentSyntax = 16,      // a = argument position
    ErrNestedProcedures = 20,
    ErrPassMismatch = 21,        // pass 2 found another opcode in the row
    ErrNoProcedure = 22,
    ErrParameterCount = 23,
    ErrOtherKind = 24,
    ErrDuplicateProcedure = 26,
    ErrWrongProcedureKind = 27,
    ErrCallArgumentCount = 28,   // a = the parameter count
    ErrCallArgumentType = 29,    // a = the argument (0-based), b = the parameter's type
    ErrTooManyParameters = 30,
    ErrIllegalHere = 31,         // a = the kind of module: 0 main, 1 to 3 procedures
    ErrMenuWithoutEnd = 32,
    ErrTooManyMenuItems = 33,
    ErrMenuRowWithoutMenu = 34,
    ErrNoEnd = 36,
};

// Statement results besides error codes.
constexpr std::int32_t Compiled = 0;
constexpr std::int32_t EmptyStatement = 255;

}  // namespace vekora
