// The symbol table, its hash index and its definitions in order, kept equal to the
// in-order search of the lists.
#include "script/symbols.h"

#include <algorithm>
#include <utility>

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

// The definitions a lookup reads around the cursor before it asks the index: 7 before it and
// 8 after. A statement names what the last few lines defined; 16 tags are one cache line.
constexpr std::size_t NearWindow = 16;

}  // namespace

const SymbolTable::Slot* SymbolTable::Index::Find(std::string_view text, std::uint32_t tag,
                                                  const SymbolTable& owner) const {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    const std::uint8_t mark = MarkOf(tag);
    // The slot's line is asked for with its mark's: a text that is there is read from it at
    // once, and one that is not is most often defined next, into it.
    __builtin_prefetch(&slots_[tag & mask]);
    for (std::size_t i = tag & mask; marks_[i] != Free; i = (i + 1) & mask) {
        if (marks_[i] == mark && slots_[i].tag == tag && owner.Names(slots_[i], text)) return &slots_[i];
    }
    return nullptr;
}

SymbolTable::Slot* SymbolTable::Index::Find(std::string_view text, std::uint32_t tag, const SymbolTable& owner) {
    return const_cast<Slot*>(std::as_const(*this).Find(text, tag, owner));
}

void SymbolTable::Index::Add(std::uint32_t tag, const Entry& entry) {
    if ((used_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 64 : slots_.size() * 2);
    Place(Slot{tag, Slot::Pack(entry)});
    ++used_;
}

void SymbolTable::Index::Place(const Slot& slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.tag & mask;
    while (marks_[i] != Free) i = (i + 1) & mask;
    marks_[i] = MarkOf(slot.tag);
    slots_[i] = slot;
}

void SymbolTable::Index::Grow(std::size_t slotCount) {
    std::vector<Slot> old(slotCount);
    old.swap(slots_);
    marks_.assign(slotCount, Free);
    for (const Slot& slot : old) {
        if (slot.Used()) Place(slot);
    }
}

void SymbolTable::Index::Clear() {
    marks_.clear();
    slots_.clear();
    used_ = 0;
}

// Byte by byte: names are a few bytes, shorter than the call to compare memory.
bool SymbolTable::Names(const Slot& slot, std::string_view text) const {
    const std::string& name = lists_[static_cast<std::size_t>(slot.Type())][static_cast<std::size_t>(slot.Index())];
    if (name.size() != text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (name[i] != text[i]) return false;
    }
    return true;
}

std::size_t SymbolTable::FindNear(std::string_view text, std::uint32_t tag, std::size_t centre) const {
    const std::size_t count = definitionTags_.size();
    const std::uint32_t* tags = definitionTags_.data();
    // Every text has one definition that is not Empty, so the first that names it is the answer.
    const auto isAnswer = [&](std::size_t i) {
        const Slot definition{tag, definitionEntries_[i]};
        return tags[i] == tag && definition.Used() && Names(definition, text);
    };
    // Nearest first, the one after the centre before the centre itself: lookups in the order
    // of definition stop at once.
    for (std::size_t distance = 1; distance <= NearWindow / 2; ++distance) {
        const std::size_t ahead = centre + distance;
        if (ahead < count && isAnswer(ahead)) return ahead;
        const std::size_t behind = centre + 1 - distance;
        if (distance <= centre + 1 && behind < count && isAnswer(behind)) return behind;
    }
    return NoDefinition;
}

// The index names the definition that the in-order search finds; one it no longer finds
// becomes Empty among the definitions.
std::uint32_t SymbolTable::DefineInNames(std::string_view name, std::uint32_t tag, const Entry& entry) {
    Slot* found = names_.Find(name, tag, *this);
    if (found == nullptr) {
        names_.Add(tag, entry);
        return Slot::Pack(entry);
    }
    const Entry earlier = found->Unpacked();
    if (!SearchedBefore(entry, earlier)) return Slot::Empty;
    const std::uint32_t shadowed =
        definitionOf_[static_cast<std::size_t>(earlier.type)][static_cast<std::size_t>(earlier.index)];
    definitionEntries_[shadowed] = Slot::Empty;
    found->entry = Slot::Pack(entry);
    return found->entry;
}

std::int32_t SymbolTable::DefineName(std::string_view name, std::int32_t type) {
    auto& list = lists_.at(static_cast<std::size_t>(type));
    const Entry entry{type, static_cast<std::int32_t>(list.size())};
    list.emplace_back(name);
    ++definitionCount_;
    const std::uint32_t tag = TagOf(name);
    if (type == TypeTextLiteral) {
        if (texts_.Find(name, tag, *this) == nullptr) texts_.Add(tag, entry);  // an earlier text wins
        return entry.index;
    }
    cursor_ = definitionTags_.size();
    farFound_ = NoDefinition;
    farRun_ = 0;
    definitionEntries_.push_back(DefineInNames(name, tag, entry));
    definitionTags_.push_back(tag);
    definitionOf_[static_cast<std::size_t>(type)].push_back(static_cast<std::uint32_t>(cursor_));
    return entry.index;
}

std::int32_t SymbolTable::AddTextLiteral(std::string_view token) {
    return DefineName(StripQuotes(token), TypeTextLiteral);
}

// A name the index finds far from the cursor (one used all over the script, or the first
// of a new stretch) leaves the cursor where it is; the next lookups near that name move it.
// Lookups in no order would pay for reading two stretches of definitions each: after eight
// of them in a row, only one lookup in 32 still looks near.
SymbolTable::Entry SymbolTable::FindName(std::string_view name) {
    const std::uint32_t tag = TagOf(name);
    if (LooksNear()) {
        std::size_t near = FindNear(name, tag, cursor_);
        if (near == NoDefinition && farFound_ != NoDefinition) near = FindNear(name, tag, farFound_);
        if (near != NoDefinition) {
            cursor_ = near;
            farFound_ = NoDefinition;
            farRun_ = 0;
            return Slot{tag, definitionEntries_[near]}.Unpacked();
        }
    }
    const Slot* slot = names_.Find(name, tag, *this);
    if (slot == nullptr) return Entry{};
    ++farRun_;
    farFound_ = LooksNear() ? definitionOf_[static_cast<std::size_t>(slot->Type())][static_cast<std::size_t>(slot->Index())]
                            : NoDefinition;
    return slot->Unpacked();
}

std::int32_t SymbolTable::FindText(std::string_view text) const {
    const Slot* slot = texts_.Find(text, TagOf(text), *this);
    return slot == nullptr ? -1 : slot->Index();
}

void SymbolTable::Clear() {
    for (auto& list : lists_) list.clear();
    definitionCount_ = 0;
    for (auto& positions : definitionOf_) positions.clear();
    names_.Clear();
    texts_.Clear();
    definitionTags_.clear();
    definitionEntries_.clear();
    cursor_ = 0;
    farFound_ = NoDefinition;
    farRun_ = 0;
}

}  // namespace vekora
