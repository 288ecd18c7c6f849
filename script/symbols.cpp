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

// The part of a name's hash the index keeps: its low bits place the slot.
std::uint32_t TagOf(std::string_view text) { return static_cast<std::uint32_t>(NameHash(text) >> 32); }

}  // namespace

std::size_t SymbolTable::Index::Position(std::string_view text, std::uint64_t hash, const SymbolTable& owner) const {
    if (slots_.empty()) return 0;
    const auto tag = static_cast<std::uint32_t>(hash);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = tag & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.Used()) return slots_.size();
        if (slot.tag == tag && owner.List(slot.Type())[static_cast<std::size_t>(slot.Index())] == text) return i;
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
    const auto tag = static_cast<std::uint32_t>(hash);
    if (position < slots_.size()) {
        Slot& slot = slots_[position];
        if (SearchedBefore(entry, Entry{slot.Type(), slot.Index()})) slot = Slot{tag, Slot::Pack(entry)};
        return;
    }
    if ((used_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 64 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = tag & mask;
    while (slots_[i].Used()) i = (i + 1) & mask;
    slots_[i] = Slot{tag, Slot::Pack(entry)};
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
        if (!slot.Used()) continue;
        std::size_t i = slot.tag & mask;
        while (slots_[i].Used()) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

std::int32_t SymbolTable::DefineName(std::string_view name, std::int32_t type) {
    auto& list = lists_.at(static_cast<std::size_t>(type));
    const Entry entry{type, static_cast<std::int32_t>(list.size())};
    list.emplace_back(name);
    (type == TypeTextLiteral ? texts_ : names_).Insert(TagOf(name), entry, *this);
    return entry.index;
}

std::int32_t SymbolTable::AddTextLiteral(std::string_view token) {
    return DefineName(StripQuotes(token), TypeTextLiteral);
}

SymbolTable::Entry SymbolTable::FindName(std::string_view name) const {
    const Slot* slot = names_.Find(name, TagOf(name), *this);
    return slot == nullptr ? Entry{} : Entry{slot->Type(), slot->Index()};
}

std::int32_t SymbolTable::FindText(std::string_view text) const {
    const Slot* slot = texts_.Find(text, TagOf(text), *this);
    return slot == nullptr ? -1 : slot->Index();
}

void SymbolTable::Clear() {
    for (auto& list : lists_) list.clear();
    names_.Clear();
    texts_.Clear();
}

void SymbolTable::Reserve(std::size_t names) { names_.Reserve(names); }

}  // namespace vekora
