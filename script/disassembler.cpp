// Reads rows of the instruction table back as text, by the layouts of script/opcodes.h.
//
// Sections: operand kinds and the layout reader (run over the whole opcode table at compile
// time) | numbers and colours as text | RowText, which collects a row's operands and the
// words they account for | layouts of whole runs of words | header and parameter rows |
// DisassembleRow.
#include "script/disassembler.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <vector>

#include "script/opcodes.h"
#include "script/types.h"

namespace vekora {
namespace {

using Row = InstructionTable::Row;
constexpr int WordCount = InstructionTable::WordsPerRow;
constexpr std::int32_t NoHalf = 0xFFFF;  // an absent 16-bit index or value

// ---- Operand kinds and the layout reader

enum class Kind {
    Zero, Point, Line, Circle, Text, Procedure, Module, Fixed, Angle, Int,
    IntOrDefault, FixedOrDefault, TextOrDefault, ColourOrDefault, ShiftedOrDefault,
    // Layouts of all the words from their field on; always the last field.
    PointList, CallArguments, MarkLineForms, DefaultsArguments, ToolDefaultsArguments,
};

struct KindNotation {
    std::string_view notation;
    Kind kind;
};
constexpr KindNotation Notations[] = {
    {"0", Kind::Zero}, {"P", Kind::Point}, {"L", Kind::Line}, {"C", Kind::Circle}, {"T", Kind::Text},
    {"R", Kind::Procedure}, {"M", Kind::Module}, {"fx", Kind::Fixed}, {"ang", Kind::Angle}, {"int", Kind::Int},
    {"int?", Kind::IntOrDefault}, {"fx?", Kind::FixedOrDefault}, {"T?", Kind::TextOrDefault},
    {"col?", Kind::ColourOrDefault}, {"sh?", Kind::ShiftedOrDefault}, {"points", Kind::PointList},
    {"args", Kind::CallArguments}, {"markline", Kind::MarkLineForms}, {"defaults", Kind::DefaultsArguments},
    {"tooldefaults", Kind::ToolDefaultsArguments},
};

constexpr bool IsRun(Kind kind) { return kind >= Kind::PointList; }

constexpr std::optional<Kind> KindOf(std::string_view notation) {
    for (const KindNotation& n : Notations) {
        if (n.notation == notation) return n.kind;
    }
    return std::nullopt;
}

struct Field {
    std::string_view name;  // empty: the operand shows without a name (P2)
    Kind kind = Kind::Zero;
};

// Field 0 is the target, field w is word w.
struct Layout {
    bool iVariant = false;
    std::array<Field, WordCount> fields{};
    int count = 0;
    bool valid = false;
};

constexpr Layout ParseLayout(std::string_view text) {
    Layout layout;
    bool separated = false;
    bool first = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view token = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (token.empty()) continue;
        const bool leading = first;
        first = false;
        if (leading && token == "I") {
            layout.iVariant = true;
            continue;
        }
        if (token == "|") {
            if (separated || layout.count != 1) return Layout{};
            separated = true;
            continue;
        }
        if (layout.count == WordCount || (layout.count > 1 && !separated)) return Layout{};
        if (layout.count > 0 && IsRun(layout.fields[static_cast<std::size_t>(layout.count - 1)].kind)) return Layout{};
        Field field;
        std::string_view notation = token;
        if (const std::size_t equals = token.find('='); equals != std::string_view::npos) {
            field.name = token.substr(0, equals);
            notation = token.substr(equals + 1);
            if (field.name.empty()) return Layout{};
        }
        const std::optional<Kind> kind = KindOf(notation);
        if (!kind || (layout.count == 0 && IsRun(*kind))) return Layout{};
        field.kind = *kind;
        layout.fields[static_cast<std::size_t>(layout.count++)] = field;
    }
    layout.valid = layout.count >= 1 && separated == (layout.count > 1);
    return layout;
}

constexpr std::size_t OpcodeCount = std::size(OpcodeTable);

constexpr std::array<Layout, OpcodeCount> ParsedLayouts = [] {
    std::array<Layout, OpcodeCount> layouts{};
    for (std::size_t i = 0; i < OpcodeCount; ++i) layouts[i] = ParseLayout(OpcodeTable[i].layout);
    return layouts;
}();

constexpr bool OpcodeTableIsSound() {
    for (std::size_t i = 0; i < OpcodeCount; ++i) {
        const OpcodeInfo& info = OpcodeTable[i];
        if (!ParsedLayouts[i].valid || info.code <= 0 || info.code > OpcodeMask || info.name.empty()) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (OpcodeTable[j].code == info.code || OpcodeTable[j].name == info.name) return false;
        }
    }
    return true;
}
static_assert(OpcodeTableIsSound(), "each opcode needs its own code and listing name and a layout that reads");

constexpr bool DefaultsScalesAreKnown() {
    for (const DefaultsSlot& slot : DefaultsSlots) {
        if (slot.scale != 1 && slot.scale != 256) return false;
    }
    return true;
}
static_assert(DefaultsScalesAreKnown(), "DEFAULTS values are listed as whole numbers or as 1/256ths");

// ---- Numbers and colours as text

// value / 2^fractionBits, exactly: such a fraction always ends in decimal.
std::string Exact(std::int32_t value, int fractionBits) {
    const std::int64_t wide = value;
    const std::uint64_t magnitude = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
    const std::uint64_t mask = (std::uint64_t{1} << fractionBits) - 1;
    std::string text = (wide < 0 ? "-" : "") + std::to_string(magnitude >> fractionBits);
    std::uint64_t fraction = magnitude & mask;
    if (fraction != 0) text += '.';
    while (fraction != 0) {
        fraction *= 10;
        text += static_cast<char>('0' + (fraction >> fractionBits));
        fraction &= mask;
    }
    return text;
}

// As a script writes it: &H and at least six hex digits.
std::string Colour(std::int32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    for (auto rest = static_cast<std::uint32_t>(value); rest != 0 || hex.size() < 6; rest >>= 4) {
        hex.insert(hex.begin(), Digits[rest & 15]);
    }
    return "&H" + hex;
}

constexpr std::int32_t Low16(std::int32_t word) { return word & 0xFFFF; }
constexpr std::int32_t High16(std::int32_t word) { return Target(word); }
std::int32_t Signed16(std::int32_t half) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(half)); }

std::string Object(std::int32_t type, std::int32_t index) { return TypeLetter(type) + std::to_string(index); }

// ---- RowText: a row's operands, and the row they stand for

class RowText {
public:
    explicit RowText(const Row& words) : words_(words) {}

    std::int32_t At(int word) const { return words_[static_cast<std::size_t>(word)]; }
    // 16-bit half k of the words from `first` on: word first + k/2, the low half for even k.
    std::int32_t HalfAt(int first, int k) const {
        const std::int32_t word = At(first + k / 2);
        return k % 2 == 0 ? Low16(word) : High16(word);
    }

    void Name(std::string name) { name_ = std::move(name); }
    // The listing stands for `value` in this word (every word stands for 0 until told).
    void Expect(int word, std::int32_t value) { expected_[static_cast<std::size_t>(word)] = value; }
    void ExpectHalf(int first, int k, std::int32_t half) {
        std::int32_t& word = expected_[static_cast<std::size_t>(first + k / 2)];
        word = k % 2 == 0 ? Halves(half, High16(word)) : Halves(word, half);
    }
    void ExpectBits(int word, std::int32_t bits) { expected_[static_cast<std::size_t>(word)] |= bits; }

    // An operand; one that shows a default may be left out at the end of the line.
    void Add(std::string text, bool isDefault = false) { operands_.push_back({std::move(text), isDefault}); }
    void Add(const Field& field, std::int32_t value);
    // Word w read as the field's kind.
    void Word(int w, const Field& field) {
        Expect(w, field.kind == Kind::Zero ? 0 : At(w));
        if (field.kind != Kind::Zero) Add(field, At(w));
    }

    std::string Finish();

private:
    struct Operand {
        std::string text;
        bool isDefault;
    };
    const Row& words_;
    Row expected_{};
    std::string name_;
    std::vector<Operand> operands_;
};

void RowText::Add(const Field& field, std::int32_t value) {
    const bool optional = field.kind == Kind::IntOrDefault || field.kind == Kind::FixedOrDefault ||
                          field.kind == Kind::TextOrDefault || field.kind == Kind::ColourOrDefault ||
                          field.kind == Kind::ShiftedOrDefault;
    const bool isDefault = optional && value == -1;
    std::string text;
    switch (field.kind) {
        case Kind::Point: text = Object(TypePoint, value); break;
        case Kind::Line: text = Object(TypeLine, value); break;
        case Kind::Circle: text = Object(TypeCircle, value); break;
        case Kind::Text: case Kind::TextOrDefault: text = Object(TypeTextLiteral, value); break;
        case Kind::Procedure: text = Object(TypeProcedure, value); break;
        case Kind::Module: text = "M" + std::to_string(value); break;
        case Kind::Fixed: case Kind::FixedOrDefault: text = Exact(value, 16); break;
        case Kind::Angle: case Kind::ShiftedOrDefault: text = Exact(value, 8); break;
        case Kind::ColourOrDefault: text = Colour(value); break;
        default: text = std::to_string(value); break;
    }
    if (isDefault) text = "default";
    Add(field.name.empty() ? text : std::string(field.name) + "=" + text, isDefault);
}

std::string RowText::Finish() {
    while (!operands_.empty() && operands_.back().isDefault) operands_.pop_back();
    std::string line = name_;
    for (const Operand& operand : operands_) line += ' ' + operand.text;
    for (int w = 0; w < WordCount; ++w) {
        if (At(w) != expected_[static_cast<std::size_t>(w)]) line += " !w" + std::to_string(w) + "=" + std::to_string(At(w));
    }
    return line;
}

// ---- Layouts of whole runs of words

// CLICKABLE, TRACE: the target's count of point indices in halves from word 1.
void PointList(RowText& text) {
    const int count = std::min(Target(text.At(0)), MaxPointList);
    for (int i = 0; i < count; ++i) {
        text.Add(Object(TypePoint, text.HalfAt(1, i)));
        text.ExpectHalf(1, i, text.HalfAt(1, i));
    }
}

// A call: a CONSTRUCTION's arguments in halves from word 2, typed by its descriptor.
void CallArguments(RowText& text, const InstructionTable& table) {
    const std::int32_t module = Target(text.At(0));
    if (module < 1 || !table.HasModule(module) || table.Word(module, 0, HeaderKind) != KindConstruction) return;
    const int count = std::clamp(table.Word(module, 0, HeaderParameterCount), 0, MaxParameters);
    for (int j = 0; j < MaxParameters; ++j) {
        if (j >= count) {
            text.ExpectHalf(2, j, NoHalf);
            continue;
        }
        const std::int32_t type = DescriptorType(table.Word(module, 1, 0), table.Word(module, 1, 1), j);
        text.Add(Object(type, text.HalfAt(2, j)));
        text.ExpectHalf(2, j, text.HalfAt(2, j));
    }
}

// MARKLINE L  |  L, P1, P2, a?, b?, c?  |  L, u?, v?, w? (u in 16 bits under 0xFFFF)
void MarkLineForms(RowText& text) {
    if (text.At(1) == -1 && text.At(2) == 0 && text.At(3) == 0) {
        text.Expect(1, -1);
        return;
    }
    if (High16(text.At(1)) == NoHalf) {
        const std::int32_t u = Low16(text.At(1));
        text.Add(u == NoHalf ? "u=default" : "u=" + std::to_string(Signed16(u)));
        text.Expect(1, text.At(1));
        text.Word(2, {"v", Kind::IntOrDefault});
        text.Word(3, {"w", Kind::IntOrDefault});
        return;
    }
    text.Word(1, {"", Kind::Point});
    text.Word(2, {"", Kind::Point});
    text.Word(3, {"a", Kind::IntOrDefault});
    text.Word(4, {"b", Kind::IntOrDefault});
    text.Word(5, {"c", Kind::IntOrDefault});
}

// DEFAULTS: arguments 1 to 10 in script order, read from where DefaultsSlots puts them.
void DefaultsArguments(RowText& text) {
    for (const DefaultsSlot& slot : DefaultsSlots) {
        const std::int32_t word = text.At(slot.word);
        if (slot.part == DefaultsSlot::Colour) {
            text.Add(word == -1 ? "default" : Colour(word), word == -1);
            continue;
        }
        const std::int32_t half = slot.part == DefaultsSlot::Low ? Low16(word) : High16(word);
        const std::int32_t value = Signed16(half);
        if (half == NoHalf) text.Add("default", true);
        else text.Add(slot.scale == 1 ? std::to_string(value) : Exact(value, 8));
    }
    for (int w = 1; w < WordCount; ++w) text.Expect(w, text.At(w));
}

// TOOLDEFAULTS: as many arguments as the target counts (at most 8).
void ToolDefaultsArguments(RowText& text) {
    const int count = std::min(Target(text.At(0)), 8);
    if (count >= 1) {
        text.Add(std::to_string(Signed16(Low16(text.At(1)))));
        text.Expect(1, Low16(text.At(1)));
    }
    if (count >= 2) {
        text.Add(std::to_string(Signed16(High16(text.At(1)))));
        text.Expect(1, text.At(1));
    }
    if (count >= 3) {
        text.Add(std::to_string(Signed16(Low16(text.At(2)))));
        text.Expect(2, Low16(text.At(2)));
    }
    for (int argument = 4; argument <= count; ++argument) text.Word(argument - 1, {"", Kind::ColourOrDefault});
}

// ---- Header and parameter rows

std::string MainHeader(RowText& text) {
    text.Name("MAIN");
    text.Word(HeaderEndRow, {"end", Kind::Int});
    text.Word(HeaderProcedureCount, {"procedures", Kind::Int});
    return text.Finish();
}

std::string ProcedureHeader(RowText& text) {
    const std::int32_t kind = text.At(HeaderKind);
    if (kind < KindConstruction || kind > KindAnimation) {
        text.Name("HEADER");
        return text.Finish();
    }
    text.Name(std::string(FindOpcode(OpConstruction + kind - KindConstruction)->name));
    text.Expect(HeaderKind, kind);
    text.Word(HeaderEndRow, {"end", Kind::Int});
    if (kind == KindConstruction) text.Word(HeaderParameterCount, {"params", Kind::Int});
    text.Word(HeaderNameIndex, {"", Kind::Procedure});
    return text.Finish();
}

// Row 1 of a CONSTRUCTION: each parameter's type in 4 bits of words 0-1, its index in
// halves from word 2, 0xFFFF from the parameter count on.
std::string Parameters(RowText& text, std::int32_t parameterCount) {
    text.Name("PARAMETERS");
    const int count = std::clamp(parameterCount, 0, MaxParameters);
    for (int j = 0; j < MaxParameters; ++j) {
        if (j >= count) {
            text.ExpectHalf(2, j, NoHalf);
            continue;
        }
        const std::int32_t type = DescriptorType(text.At(0), text.At(1), j);
        text.Add(Object(type, text.HalfAt(2, j)));
        text.ExpectBits(j / 8, static_cast<std::int32_t>(static_cast<std::uint32_t>(type) << (4 * (j % 8))));
        text.ExpectHalf(2, j, text.HalfAt(2, j));
    }
    return text.Finish();
}

}  // namespace

std::string TypeLetter(std::int32_t type) {
    static constexpr std::string_view Letters[] = {"?", "P", "L", "C", "N", "#", "E", "R", "T", "K"};
    if (type >= 0 && type < static_cast<std::int32_t>(std::size(Letters))) return std::string(Letters[type]);
    return "type" + std::to_string(type) + ":";
}

std::string DisassembleRow(const InstructionTable& table, std::int32_t module, std::int32_t row) {
    Row words{};
    for (int w = 0; w < WordCount; ++w) words[static_cast<std::size_t>(w)] = table.Word(module, row, w);
    RowText text(words);
    if (row == 0) return module == 0 ? MainHeader(text) : ProcedureHeader(text);
    if (row == 1 && module > 0 && table.Word(module, 0, HeaderKind) == KindConstruction) {
        return Parameters(text, table.Word(module, 0, HeaderParameterCount));
    }

    const std::int32_t opcode = OpcodeOf(words[0]);
    const OpcodeInfo* info = FindOpcode(opcode);
    if (info == nullptr) {
        text.Name("OP" + std::to_string(opcode));
        text.Expect(0, opcode);
        return text.Finish();
    }
    const Layout& layout = ParsedLayouts[static_cast<std::size_t>(info - OpcodeTable)];
    const bool marked = layout.iVariant && (words[0] & IMark) != 0;
    text.Name((marked ? "I" : "") + std::string(info->name));
    const Field& target = layout.fields[0];
    text.Expect(0, MakeWord0(target.kind == Kind::Zero ? 0 : Target(words[0]), opcode | (marked ? IMark : 0)));
    if (target.kind != Kind::Zero) text.Add(target, Target(words[0]));
    for (int w = 1; w < layout.count; ++w) {
        const Field& field = layout.fields[static_cast<std::size_t>(w)];
        switch (field.kind) {
            case Kind::PointList: PointList(text); break;
            case Kind::CallArguments: CallArguments(text, table); break;
            case Kind::MarkLineForms: MarkLineForms(text); break;
            case Kind::DefaultsArguments: DefaultsArguments(text); break;
            case Kind::ToolDefaultsArguments: ToolDefaultsArguments(text); break;
            default: text.Word(w, field); break;
        }
    }
    return text.Finish();
}

}  // namespace vekora
