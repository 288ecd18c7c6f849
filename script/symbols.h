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
    // Not const: a lookup moves the cursor (below).
    Entry FindName(std::string_view name);
    // The first index of text in the text list, or -1.
    std::int32_t FindText(std::string_view text) const;

    void Clear();
    // Entries defined in all nine lists since the table was cleared: while it stays the same,
    // every lookup gives the same answer.
    std::size_t DefinitionCount() const { return definitionCount_; }

private:
    // 32 bits of a name's hash and the entry it names: type in the top 4 bits, index in
    // the other 28.
    struct Slot {
        static constexpr std::uint32_t Empty = 0xFFFFFFFF;
        std::uint32_t tag = 0;
        std::uint32_t entry = Empty;

        bool Used() const { return entry != Empty; }
        std::int32_t Type() const { return static_cast<std::int32_t>(entry >> 28); }
        std::int32_t Index() const { return static_cast<std::int32_t>(entry & 0x0FFFFFFF); }
        Entry Unpacked() const { return Entry{Type(), Index()}; }
        static std::uint32_t Pack(const Entry& e) {
            return (static_cast<std::uint32_t>(e.type) << 28) | (static_cast<std::uint32_t>(e.index) & 0x0FFFFFFF);
        }
    };
    // Open addressing with linear probing; a slot names the entry that the in-order search
    // finds first for its text. A slot is eight bytes; beside the slots, a byte a slot marks
    // it used with seven more bits of the tag. A text that is not there (every new name of a
    // script is looked up first) is told by the marks alone, an array an eighth the size of
    // the slots that stays in a core's own cache for a script of 100,000 names.
    class Index {
    public:
        const Slot* Find(std::string_view text, std::uint32_t tag, const SymbolTable& owner) const;
        Slot* Find(std::string_view text, std::uint32_t tag, const SymbolTable& owner);
        // For a text the index does not hold yet.
        void Add(std::uint32_t tag, const Entry& entry);
        void Clear();

    private:
        static constexpr std::uint8_t Free = 0;
        // The top seven bits of the tag, which do not place the slot while there are fewer
        // than 2^25 slots, and the high bit, so that no used slot's mark is Free.
        static std::uint8_t MarkOf(std::uint32_t tag) { return static_cast<std::uint8_t>(0x80 | (tag >> 25)); }
        void Place(const Slot& slot);
        void Grow(std::size_t slotCount);
        std::vector<std::uint8_t> marks_;
        std::vector<Slot> slots_;  // a power of two of them, at most half used
        std::size_t used_ = 0;
    };

    bool Names(const Slot& slot, std::string_view text) const;
    static constexpr std::size_t NoDefinition = ~std::size_t{0};
    // The position among the definitions near centre that the in-order search finds for
    // text, or NoDefinition.
    std::size_t FindNear(std::string_view text, std::uint32_t tag, std::size_t centre) const;
    bool LooksNear() const { return farRun_ < 8 || farRun_ % 32 == 0; }
    std::uint32_t DefineInNames(std::string_view name, std::uint32_t tag, const Entry& entry);

    std::array<std::vector<std::string>, SymbolListCount> lists_;
    Index names_;  // lists 0 to 7
    Index texts_;  // list 8
    // Lists 0 to 7 in the order of definition: each definition's tag, and its entry packed as
    // in a slot, Empty where the in-order search finds another definition of the text. A
    // compiler meets names nearly in the order it defined them, a few lines back or ahead:
    // the tags around the last definition found or made are one cache line, read before the
    // index, whose slots are scattered over megabytes in a long script.
    std::vector<std::uint32_t> definitionTags_;
    std::vector<std::uint32_t> definitionEntries_;
    // (type, index) -> its position among the definitions
    std::array<std::vector<std::uint32_t>, TypeTextLiteral> definitionOf_;
    std::size_t cursor_ = 0;  // the definition last found near it, or last made
    std::size_t farFound_ = NoDefinition;  // the index's last answer, if no near one came after
    std::uint32_t farRun_ = 0;  // names the index found since the last one found near
    std::size_t definitionCount_ = 0;
};

}  // namespace vekora
