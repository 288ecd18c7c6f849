// VEKS_PARSESCRIPT and VEKS_ERRORMSG: the script front end for C callers, with the list
// types of vekora.h. New lists are built whole before the old ones are released, so a
// failure leaves the caller's lists as they were.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "script/messages.h"
#include "script/passes.h"
#include "vekora.h"

namespace {

using vekora::ErrorLists;
using vekora::InstructionTable;
using vekora::ScriptLines;
using vekora::SymbolTable;

constexpr std::int32_t OutOfMemory = -3;
// A larger rectangular table (1 GiB) is refused rather than risked: a script of many
// procedures after a long main module would ask for modules x rows words.
constexpr std::size_t MaxTableWords = std::size_t{1} << 28;

// Memory from malloc, freed unless handed over.
template <typename T>
class Owned {
public:
    Owned() = default;
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { std::free(data_); }

    bool Allocate(std::size_t count) {
        if (count > SIZE_MAX / sizeof(T)) return false;
        data_ = static_cast<T*>(std::calloc(count == 0 ? 1 : count, sizeof(T)));
        return data_ != nullptr;
    }
    T* get() const { return data_; }
    T* Release() {
        T* data = data_;
        data_ = nullptr;
        return data;
    }

private:
    T* data_ = nullptr;
};

bool CopyString(std::string_view text, VEKS_String& out) {
    auto* bytes = static_cast<char*>(std::malloc(text.size() + 1));
    if (bytes == nullptr) return false;
    if (!text.empty()) std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    out.bytes = bytes;
    out.length = static_cast<std::int32_t>(text.size());
    return true;
}

void FreeStrings(VEKS_StringList& list) {
    for (std::int32_t i = 0; list.items != nullptr && i < list.count; ++i) std::free(list.items[i].bytes);
    std::free(list.items);
    list = VEKS_StringList{};
}

// A list of strings; on failure everything it allocated is released.
bool MakeStringList(const std::vector<std::string>& texts, VEKS_StringList& out) {
    Owned<VEKS_String> items;
    if (!items.Allocate(texts.size())) return false;
    VEKS_StringList list{items.get(), 0};
    for (const std::string& text : texts) {
        if (!CopyString(text, list.items[list.count])) {
            items.Release();
            FreeStrings(list);
            return false;
        }
        ++list.count;
    }
    items.Release();
    out = list;
    return true;
}

bool MakeIntList(const std::vector<std::int32_t>& values, Owned<std::int32_t>& out) {
    if (!out.Allocate(values.size())) return false;
    if (!values.empty()) std::memcpy(out.get(), values.data(), values.size() * sizeof(std::int32_t));
    return true;
}

ScriptLines ReadLines(const VEKS_StringList& lines) {
    ScriptLines read;
    if (lines.items == nullptr || lines.count <= 0) return read;
    read.reserve(static_cast<std::size_t>(lines.count));
    for (std::int32_t i = 0; i < lines.count; ++i) {
        const VEKS_String& line = lines.items[i];
        if (line.bytes == nullptr || line.length <= 0) read.emplace_back();
        else read.emplace_back(line.bytes, static_cast<std::size_t>(line.length));
    }
    return read;
}

void ReplaceIntList(VEKS_IntList& list, Owned<std::int32_t>& items, std::size_t count) {
    std::free(list.items);
    list.items = items.Release();
    list.count = static_cast<std::int32_t>(count);
}

// The compiled table and symbols in the caller's lists; false when memory ran out.
bool HandOver(const InstructionTable& table, const SymbolTable& symbols, VEKS_Table& cTable, VEKS_Symbols& cSymbols,
              VEKS_IntList& counts) {
    const auto modules = static_cast<std::size_t>(table.Modules());
    const auto rows = static_cast<std::size_t>(table.Rows());
    constexpr std::size_t Words = InstructionTable::WordsPerRow;
    Owned<std::int32_t> words;
    if (rows != 0 && modules > MaxTableWords / rows / Words) return false;
    if (!words.Allocate(modules * rows * Words)) return false;
    for (std::size_t m = 0; m < modules; ++m) {
        for (std::size_t r = 0; r < rows; ++r) {
            for (std::size_t w = 0; w < Words; ++w) {
                words.get()[(m * rows + r) * Words + w] =
                    table.Word(static_cast<std::int32_t>(m), static_cast<std::int32_t>(r), static_cast<int>(w));
            }
        }
    }
    VEKS_Symbols lists{};
    Owned<std::int32_t> countItems;
    bool made = MakeIntList(vekora::SymbolCounts(symbols), countItems);
    for (int t = 0; made && t < vekora::SymbolListCount; ++t) made = MakeStringList(symbols.List(t), lists.lists[t]);
    if (!made) {
        for (VEKS_StringList& list : lists.lists) FreeStrings(list);
        return false;
    }
    std::free(cTable.words);
    cTable = VEKS_Table{words.Release(), table.Modules(), table.Rows()};
    for (int t = 0; t < vekora::SymbolListCount; ++t) {
        FreeStrings(cSymbols.lists[t]);
        cSymbols.lists[t] = lists.lists[t];
    }
    ReplaceIntList(counts, countItems, vekora::SymbolListCount);
    return true;
}

std::int32_t ParseForC(const VEKS_StringList& lines, VEKS_Table& cTable, VEKS_IntList& errorCodes,
                       VEKS_IntList& errorLines, VEKS_Symbols& cSymbols, VEKS_IntList& counts) {
    InstructionTable table;
    SymbolTable symbols;
    ErrorLists errors;
    const std::int32_t result = vekora::ParseScript(ReadLines(lines), table, errors, symbols);
    Owned<std::int32_t> codes;
    Owned<std::int32_t> lineNumbers;
    if (result != 0 && (!MakeIntList(errors.codes, codes) || !MakeIntList(errors.lines, lineNumbers))) return OutOfMemory;
    // A table of no module: the script had no END, and nothing was compiled.
    if (table.Modules() > 0 && !HandOver(table, symbols, cTable, cSymbols, counts)) return OutOfMemory;
    if (result != 0) {
        ReplaceIntList(errorCodes, codes, errors.codes.size());
        ReplaceIntList(errorLines, lineNumbers, errors.lines.size());
    }
    return result;
}

}  // namespace

extern "C" VEK_API int32_t VEKS_PARSESCRIPT(const VEKS_StringList* lines, VEKS_Table* table, VEKS_IntList* errorCodes,
                                            VEKS_IntList* errorLines, VEKS_Symbols* symbols, VEKS_IntList* counts) {
    if (lines == nullptr || table == nullptr || errorCodes == nullptr || errorLines == nullptr || symbols == nullptr ||
        counts == nullptr) {
        return OutOfMemory;
    }
    try {
        return ParseForC(*lines, *table, *errorCodes, *errorLines, *symbols, *counts);
    } catch (const std::bad_alloc&) {
        return OutOfMemory;
    }
}

extern "C" VEK_API VEKS_String VEKS_ERRORMSG(const int32_t* code) {
    VEKS_String message{nullptr, 0};
    try {
        CopyString(vekora::ErrorMessage(code == nullptr ? 0 : *code, vekora::SourceTexts()), message);
    } catch (const std::bad_alloc&) {
        message = VEKS_String{nullptr, 0};
    }
    return message;
}
