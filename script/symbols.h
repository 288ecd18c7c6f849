// The symbol table: nine lists of names, one a type code, in the order of definition.
// The index of a name in its list is how the instruction table refers to the object.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/types.h"

namespace vekora {

class SymbolTable {
public:
    struct Entry {
        std::int32_t type = TypeNone;  // TypeNone: not in lists 1 to 7
        std::int32_t index = 0;
    };

    // Indices must fit the 16-bit fields of the instruction table, where 0xFFFF marks
    // "absent"; a list is full at this many entries.
    static constexpr std::int32_t MaxEntries = 0xFFFF;

    const std::vector<std::string>& List(std::int32_t type) const { return lists_.at(static_cast<std::size_t>(type)); }
    std::int32_t Count(std::int32_t type) const { return static_cast<std::int32_t>(List(type).size()); }
    bool Full(std::int32_t type) const { return Count(type) >= MaxEntries; }

    // Appends name to list type and returns its index.
    std::int32_t DefineName(std::string_view name, std::int32_t type);
    // Appends the token's text, without leading and trailing quotes, to the text list.
    std::int32_t AddTextLiteral(std::string_view token);

    // What searching lists 0 to 7 in order, each from index 0, finds; {TypeNone, 0} if nothing.
    Entry FindName(std::string_view name) const;
    // The first index of text in the text list, or -1.
    std::int32_t FindText(std::string_view text) const;

    void Clear();

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using Index = std::unordered_map<std::string, Entry, Hash, std::equal_to<>>;

    std::array<std::vector<std::string>, SymbolListCount> lists_;
    Index names_;  // each name's first entry in search order
    Index texts_;  // each text's first index (type is TypeTextLiteral)
};

}  // namespace vekora
