// The symbol table and its hash index, kept equal to the in-order search of the lists.
#include "script/symbols.h"

#include "script/tokens.h"

namespace vekora {
namespace {

// A lower type comes first in the search, and within a list a lower index.
bool SearchedBefore(const SymbolTable::Entry& a, const SymbolTable::Entry& b) {
    return a.type != b.type ? a.type < b.type : a.index < b.index;
}

}  // namespace

std::int32_t SymbolTable::DefineName(std::string_view name, std::int32_t type) {
    auto& list = lists_.at(static_cast<std::size_t>(type));
    const Entry entry{type, static_cast<std::int32_t>(list.size())};
    list.emplace_back(name);
    Index& index = type == TypeTextLiteral ? texts_ : names_;
    const auto [found, inserted] = index.try_emplace(std::string(name), entry);
    if (!inserted && SearchedBefore(entry, found->second)) found->second = entry;
    return entry.index;
}

std::int32_t SymbolTable::AddTextLiteral(std::string_view token) {
    return DefineName(StripQuotes(token), TypeTextLiteral);
}

SymbolTable::Entry SymbolTable::FindName(std::string_view name) const {
    const auto found = names_.find(name);
    return found == names_.end() ? Entry{} : found->second;
}

std::int32_t SymbolTable::FindText(std::string_view text) const {
    const auto found = texts_.find(text);
    return found == texts_.end() ? -1 : found->second.index;
}

void SymbolTable::Clear() {
    for (auto& list : lists_) list.clear();
    names_.clear();
    texts_.clear();
}

}  // namespace vekora
