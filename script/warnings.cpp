// The warning checks: per line (numbers, colours, extra arguments, TAB-indented statements)
// and over the whole script (names read before any statement gave them a value, in the order
// the lesson runs; TEXT before TEXTWINDOW; procedures never called; names that differ only in
// letter case).
#include "script/warnings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "script/argument_roles.h"
#include "script/opcodes.h"
#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

bool IsObjectType(std::int32_t type) { return type == TypePoint || type == TypeLine || type == TypeCircle; }
bool IsNameType(std::int32_t type) { return IsObjectType(type) || type == TypeProcedure; }
bool IsCall(std::int32_t opcode) { return opcode >= OpCallFast && opcode <= OpCall; }
bool IsHeader(std::int32_t opcode) { return opcode >= OpConstruction && opcode <= OpAnimation; }

std::string_view Written(const Statement& s, int i) {
    const LineSpan span = s.Span(i);
    return s.Line().substr(static_cast<std::size_t>(span.first), static_cast<std::size_t>(span.end - span.first));
}

// The largest magnitude a number in this role can have and still fit its word; 0: no limit.
double LimitOf(char role) {
    switch (role) {
        case role::Fixed: return 32768.0;          // value x 65536 in 32 bits
        case role::Angle: case role::Shifted: return 8388608.0;  // value x 256 in 32 bits
        case role::Integer: return 2147483648.0;
        default: return 0.0;
    }
}

char Upper(char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte; }

std::uint64_t FoldedHash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : name) hash = (hash ^ static_cast<unsigned char>(Upper(byte))) * 1099511628211ull;
    return hash;
}

bool SameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

// The roles of a call: "kr" or "krk" (a pace word after the name), then the arguments of a
// CONSTRUCTION; an INTERACTION or ANIMATION takes none.
std::string_view CallRoles(const Statement& s, bool construction) {
    const bool paceWord = KeywordCode(s.Token(0)) == KwCall && s.Keyword() != KwCall;
    if (paceWord) return construction ? "krk*" : "krk";
    return construction ? "kr*" : "kr";
}

}  // namespace

void WarningCollector::Add(WarningId id, std::int32_t line, LineSpan span, std::string_view subject,
                           std::string_view other) {
    warnings_.push_back(Warning{id, line, span, std::string(subject), std::string(other)});
}

void WarningCollector::CompiledLine(std::size_t lineIndex, Statement& s) {
    const auto line = static_cast<std::int32_t>(lineIndex + 1);
    const Compilation& c = s.compilation();
    std::int32_t opcode = s.Keyword();
    std::int32_t callee = 0;
    std::string_view roles;
    char rest = 0;  // the role of tokens beyond the string; 0: they are extra
    if (IsHeader(opcode)) {
        roles = "kr";
        if (opcode == OpConstruction) rest = role::Parameter;
        headers_.push_back(Header{c.module, line, s.Span(1)});
    } else {
        const std::int32_t word0 = table_.Word(c.module, c.row, 0);
        opcode = OpcodeOf(word0);
        if (IsCall(opcode)) {
            callee = static_cast<std::int32_t>(static_cast<std::uint32_t>(word0) >> 16);
            roles = CallRoles(s, table_.Word(callee, 0, HeaderKind) == KindConstruction);
        } else if (opcode == OpMarkLine || opcode == OpMarkNumberLine) {
            roles = RolesOf(opcode, s.Count() == 2 ? 0 : s.Type(2) == TypePoint ? 1 : 2);
        } else {
            roles = RolesOf(opcode);
        }
        if (!roles.empty() && roles.back() == role::InputsToEnd) {
            roles.remove_suffix(1);
            rest = role::Input;
        }
    }
    const auto firstUse = static_cast<std::uint32_t>(uses_.size());
    for (int i = 0; i < s.Count(); ++i) {
        if (static_cast<std::size_t>(i) >= roles.size() && rest == 0) {
            const LineSpan span{s.Span(i).first, s.Span(s.Count() - 1).end};
            Add(WarningId::ExtraArguments, line, span, Written(s, i));
            break;
        }
        const char tokenRole = static_cast<std::size_t>(i) < roles.size() ? roles[static_cast<std::size_t>(i)] : rest;
        CheckToken(s, i, tokenRole, line);
    }
    facts_.push_back(LineFacts{line, c.module, opcode, callee, s.Span(s.Position()), firstUse,
                               static_cast<std::uint32_t>(uses_.size())});
}

void WarningCollector::CheckToken(Statement& s, int i, char tokenRole, std::int32_t line) {
    switch (tokenRole) {
        case role::Output: case role::Input: case role::Changed: case role::Parameter: {
            NoteName(s, i, line);
            const std::int32_t type = s.Type(i);
            if (IsObjectType(type)) uses_.push_back(NameUse{type, s.Index(i), s.Span(i), tokenRole});
            break;
        }
        case role::Procedure: NoteName(s, i, line); break;
        case role::Fixed: case role::Angle: case role::Integer: case role::Shifted: case role::Half:
            CheckNumber(s, i, tokenRole, line);
            break;
        case role::Colour:
            if (s.Type(i) != TypeNumberLiteral || !IsColourText(s.Token(i))) {
                Add(WarningId::NotAColour, line, s.Span(i), Written(s, i));
            }
            break;
        default: break;
    }
}

void WarningCollector::CheckNumber(Statement& s, int i, char tokenRole, std::int32_t line) {
    const std::string_view text = s.Token(i);  // DEFAULT reads "-1" here
    const std::size_t length = s.Type(i) == TypeNumberLiteral ? NumberLength(text) : 0;
    if (length == 0) {
        Add(WarningId::NotANumber, line, s.Span(i), Written(s, i));
        return;
    }
    if (length < text.size()) {
        Add(WarningId::NumberWithText, line, s.Span(i), Written(s, i), text.substr(length));
        return;
    }
    const double limit = LimitOf(tokenRole);
    if (limit == 0.0) return;
    double value = ParseNumber(text);
    if (tokenRole == role::Shifted) value = std::nearbyint(value);
    if (!(std::fabs(value) < limit)) {
        Add(WarningId::NumberTooLarge, line, s.Span(i), Written(s, i), std::to_string(static_cast<long long>(limit)));
    }
}

// Records where a name first appears: in the order of the lines, that is where pass 1 gave it
// its type.
void WarningCollector::NoteName(Statement& s, int i, std::int32_t line) {
    const std::int32_t type = s.Type(i);
    if (!IsNameType(type)) return;
    std::vector<Seen>& seen = seen_[type];
    const auto index = static_cast<std::size_t>(s.Index(i));
    if (seen.size() <= index) seen.resize(static_cast<std::size_t>(symbols_.Count(type)));
    if (index < seen.size() && seen[index].line == 0) seen[index] = Seen{line, s.Span(i)};
}

// A line that begins with a TAB is a comment, whatever follows; warn when what follows would
// be a statement.
void WarningCollector::EmptyLine(std::size_t lineIndex, std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && line[start] == ' ') ++start;
    if (start >= line.size() || line[start] != '\t') return;
    std::size_t body = start;
    while (body < line.size() && (line[body] == '\t' || line[body] == ' ')) ++body;
    const std::string_view rest = line.substr(body);
    std::size_t position = 0;
    std::string_view token;
    for (int m = 0; m <= 2 && NextToken(rest, position, token); ++m) {
        const std::int32_t code = KeywordCode(token);
        if (code < 0) return;  // a number, text or comment start: not a name before a keyword
        if (code == 0) continue;
        if (!KeywordFitsPosition(code & ~IVariant, m)) return;
        const auto end = static_cast<std::int32_t>(body + static_cast<std::size_t>(token.data() - rest.data()) + token.size());
        Add(WarningId::TabComment, static_cast<std::int32_t>(lineIndex + 1), LineSpan{static_cast<std::int32_t>(start), end},
            token);
        return;
    }
}

// The lesson in the order it runs: the main module, and each procedure's body where it is
// first called. A menu's sections are taken in the order they are written.
void WarningCollector::WalkRunOrder() {
    const std::int32_t modules = table_.Modules();
    std::vector<std::vector<std::uint32_t>> byModule(static_cast<std::size_t>(std::max(modules, 1)));
    for (std::uint32_t f = 0; f < facts_.size(); ++f) {
        const auto module = static_cast<std::size_t>(facts_[f].module);
        if (module < byModule.size()) byModule[module].push_back(f);
    }
    enum : std::uint8_t { Unknown, Given, Warned };
    std::vector<std::uint8_t> state[4];
    for (std::int32_t type = TypePoint; type <= TypeCircle; ++type) {
        state[type].assign(static_cast<std::size_t>(symbols_.Count(type)), Unknown);
    }
    std::vector<std::uint8_t> walked(byModule.size(), 0);
    struct Frame {
        std::size_t module;
        std::size_t next;
    };
    std::vector<Frame> stack{{0, 0}};
    walked[0] = 1;
    bool textWindow = false;
    while (!stack.empty()) {
        const std::size_t module = stack.back().module;
        if (stack.back().next >= byModule[module].size()) {
            stack.pop_back();
            continue;
        }
        const LineFacts& fact = facts_[byModule[module][stack.back().next++]];
        for (std::uint32_t u = fact.firstUse; u < fact.useEnd; ++u) {
            const NameUse& use = uses_[u];
            std::uint8_t& known = state[use.type][static_cast<std::size_t>(use.index)];
            if ((use.role == role::Input || use.role == role::Changed) && known == Unknown) {
                Add(WarningId::UsedBeforeGiven, fact.line, use.span, symbols_.List(use.type)[static_cast<std::size_t>(use.index)]);
                known = Warned;
            }
        }
        for (std::uint32_t u = fact.firstUse; u < fact.useEnd; ++u) {
            const NameUse& use = uses_[u];
            if (use.role == role::Output || use.role == role::Changed || use.role == role::Parameter) {
                state[use.type][static_cast<std::size_t>(use.index)] = Given;
            }
        }
        if (fact.opcode == OpTextWindow) textWindow = true;
        if (fact.opcode == OpText && !textWindow) {
            Add(WarningId::TextBeforeTextWindow, fact.line, fact.keyword, "TEXT");
            textWindow = true;  // once is enough
        }
        const auto callee = static_cast<std::size_t>(fact.callee);
        if (callee > 0 && callee < byModule.size() && !walked[callee]) {
            walked[callee] = 1;
            stack.push_back(Frame{callee, 0});
        }
    }
}

// A procedure that no other module calls (its own recursive calls do not count).
void WarningCollector::FindUncalledProcedures() {
    std::vector<std::uint8_t> called(static_cast<std::size_t>(std::max(table_.Modules(), 1)), 0);
    for (const LineFacts& fact : facts_) {
        if (fact.callee > 0 && fact.callee != fact.module && static_cast<std::size_t>(fact.callee) < called.size()) {
            called[static_cast<std::size_t>(fact.callee)] = 1;
        }
    }
    for (const Header& header : headers_) {
        const auto module = static_cast<std::size_t>(header.module);
        if (module < called.size() && !called[module]) {
            const std::int32_t nameIndex = table_.Word(header.module, 0, HeaderNameIndex);
            Add(WarningId::ProcedureNeverCalled, header.line, header.name,
                symbols_.List(TypeProcedure)[static_cast<std::size_t>(nameIndex)]);
        }
    }
}

// Names are case-sensitive: "ab" after "AB" is a second figure. Every later spelling of a
// name that differs only in letter case is reported where it first appears.
void WarningCollector::FindNamesDifferingInCase() {
    struct Name {
        std::uint64_t folded;
        std::int32_t type;
        std::int32_t index;
        Seen seen;
    };
    std::vector<Name> names;
    for (const std::int32_t type : {TypePoint, TypeLine, TypeCircle, TypeProcedure}) {
        for (std::size_t index = 0; index < seen_[type].size(); ++index) {
            const Seen& seen = seen_[type][index];
            if (seen.line == 0) continue;
            names.push_back(Name{FoldedHash(symbols_.List(type)[index]), type, static_cast<std::int32_t>(index), seen});
        }
    }
    const auto earlier = [](const Name& a, const Name& b) {
        if (a.folded != b.folded) return a.folded < b.folded;
        return a.seen.line != b.seen.line ? a.seen.line < b.seen.line : a.seen.span.first < b.seen.span.first;
    };
    std::sort(names.begin(), names.end(), earlier);
    const auto text = [&](const Name& name) -> std::string_view {
        return symbols_.List(name.type)[static_cast<std::size_t>(name.index)];
    };
    for (std::size_t i = 0; i < names.size();) {
        std::size_t end = i + 1;
        while (end < names.size() && names[end].folded == names[i].folded) ++end;
        for (std::size_t later = i + 1; later < end; ++later) {
            for (std::size_t first = i; first < later; ++first) {
                if (text(names[first]) != text(names[later]) && SameFolded(text(names[first]), text(names[later]))) {
                    Add(WarningId::NameDiffersInCase, names[later].seen.line, names[later].seen.span, text(names[later]),
                        text(names[first]));
                    break;
                }
            }
        }
        i = end;
    }
}

std::vector<Warning> WarningCollector::Finish() {
    WalkRunOrder();
    FindUncalledProcedures();
    FindNamesDifferingInCase();
    std::stable_sort(warnings_.begin(), warnings_.end(), [](const Warning& a, const Warning& b) {
        return a.line != b.line ? a.line < b.line : a.span.first < b.span.first;
    });
    return std::move(warnings_);
}

}  // namespace vekora
