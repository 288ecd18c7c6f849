// The symbol table: nine lists of names, one a type code, in the order of definition.
// The index of a name in its list is how the instruction table refers to the object.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
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
    // Room for about this many names without rehashing.
    void Reserve(std::size_t names);

private:
    // Open addressing with linear probing; a slot names the entry that the in-order search
    // finds first for its text. Lookups touch the slot and the stored name only. A slot is
    // eight bytes, so that the index of a script of 60,000 names (128 K slots) stays in a
    // core's own cache: 32 bits of the name's hash, which also place it, and the entry.
    struct Slot {
        static constexpr std::uint32_t Empty = 0xFFFFFFFF;
        std::uint32_t tag = 0;
        std::uint32_t entry = Empty;  // type in the top 4 bits, index in the other 28

        bool Used() const { return entry != Empty; }
        std::int32_t Type() const { return static_cast<std::int32_t>(entry >> 28); }
        std::int32_t Index() const { return static_cast<std::int32_t>(entry & 0x0FFFFFFF); }
        static std::uint32_t Pack(const Entry& e) {
            return (static_cast<std::uint32_t>(e.type) << 28) | (static_cast<std::uint32_t>(e.index) & 0x0FFFFFFF);
        }
    };
    class Index {
    public:
        const Slot* Find(std::string_view text, std::uint64_t hash, const SymbolTable& owner) const;
        // The slot's position, or the size when the text has none.
        std::size_t Position(std::string_view text, std::uint64_t hash, const SymbolTable& owner) const;
        void Insert(std::uint64_t hash, const Entry& entry, const SymbolTable& owner);
        void Clear() { slots_.clear(); used_ = 0; }
        void Reserve(std::size_t entries);

    private:
        void Grow(std::size_t slotCount);
        std::vector<Slot> slots_;  // a power of two of them, at most half used
        std::size_t used_ = 0;
    };

    std::array<std::vector<std::string>, SymbolListCount> lists_;
    Index names_;  // lists 0 to 7
    Index texts_;  // list 8
};

}  // namespace vekora
