// The symbol table and its hash index, kept equal to the in-order search of the lists.
#include "script/symbols.h"

#include "script/name_hash.h"
#include "script/tokens.h"

namespace vekora {
namespace {

// A lower type comes first in the search, and within a list a lower index.
bool SearchedBefore(const SymbolTable::Entry& a, const SymbolTable::Entry& b) {
    return a.type != b.type ? a.type < b.type : a.index < b.index;
}

std::uint64_t HashOf(std::string_view text) { return NameHash(text); }

}  // namespace

std::size_t SymbolTable::Index::Position(std::string_view text, std::uint64_t hash, const SymbolTable& owner) const {
    if (slots_.empty()) return 0;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.type < 0) return slots_.size();
        if (slot.hash == hash && owner.List(slot.type)[static_cast<std::size_t>(slot.index)] == text) return i;
    }
}

const SymbolTable::Slot* SymbolTable::Index::Find(std::string_view text, std::uint64_t hash,
                                                  const SymbolTable& owner) const {
    const std::size_t position = Position(text, hash, owner);
    return position < slots_.size() ? &slots_[position] : nullptr;
}

void SymbolTable::Index::Insert(std::uint64_t hash, const Entry& entry, const SymbolTable& owner) {
    const std::string_view text = owner.List(entry.type)[static_cast<std::size_t>(entry.index)];
    const std::size_t position = Position(text, hash, owner);
    if (position < slots_.size()) {
        Slot& slot = slots_[position];
        if (SearchedBefore(entry, Entry{slot.type, slot.index})) slot = Slot{hash, entry.type, entry.index};
        return;
    }
    if ((used_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 64 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    while (slots_[i].type >= 0) i = (i + 1) & mask;
    slots_[i] = Slot{hash, entry.type, entry.index};
    ++used_;
}

void SymbolTable::Index::Reserve(std::size_t entries) {
    std::size_t slotCount = 64;
    while (slotCount < entries * 2) slotCount *= 2;
    if (slotCount > slots_.size()) Grow(slotCount);
}

void SymbolTable::Index::Grow(std::size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.type < 0) continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].type >= 0) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

std::int32_t SymbolTable::DefineName(std::string_view name, std::int32_t type) {
    auto& list = lists_.at(static_cast<std::size_t>(type));
    const Entry entry{type, static_cast<std::int32_t>(list.size())};
    list.emplace_back(name);
    (type == TypeTextLiteral ? texts_ : names_).Insert(HashOf(name), entry, *this);
    return entry.index;
}

std::int32_t SymbolTable::AddTextLiteral(std::string_view token) {
    return DefineName(StripQuotes(token), TypeTextLiteral);
}

SymbolTable::Entry SymbolTable::FindName(std::string_view name) const {
    const Slot* slot = names_.Find(name, HashOf(name), *this);
    return slot == nullptr ? Entry{} : Entry{slot->type, slot->index};
}

std::int32_t SymbolTable::FindText(std::string_view text) const {
    const Slot* slot = texts_.Find(text, HashOf(text), *this);
    return slot == nullptr ? -1 : slot->index;
}

void SymbolTable::Clear() {
    for (auto& list : lists_) list.clear();
    names_.Clear();
    texts_.Clear();
}

void SymbolTable::Reserve(std::size_t names) { names_.Reserve(names); }

}  // namespace vekora
