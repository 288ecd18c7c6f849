// The warning checks: per line (numbers, colours, extra arguments, TAB-indented statements)
// and over the whole script (names read before any statement gave them a value, in the order
// the lesson runs; TEXT before TEXTWINDOW; procedures never called; names that differ only in
// letter case).
#include "script/warnings.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "script/argument_roles.h"
#include "script/hints.h"
#include "script/opcodes.h"
#include "script/statement.h"
#include "script/tokens.h"

namespace vekora {
namespace {

bool IsObjectType(std::int32_t type) { return type == TypePoint || type == TypeLine || type == TypeCircle; }
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

// True for the common number: an optional minus, at most four digits, an optional fraction.
// It is a whole number and below every limit, so it needs no closer look.
bool PlainSmallNumber(std::string_view text) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i == digitsStart || i - digitsStart > 4) return false;
    if (i == text.size()) return true;
    if (text[i] != '.') return false;
    for (++i; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

// True for the common colours: "&H" or "0x" and hexadecimal digits, or parentheses around
// at most three whole numbers. Anything else takes the closer look of IsColourText.
bool PlainColour(std::string_view text) {
    if (text.size() >= 3 && (text[0] == '&' || text[0] == '0') && (text[1] == 'H' || text[1] == 'h' || text[1] == 'x' || text[1] == 'X') &&
        (text[0] == '&') == (text[1] == 'H' || text[1] == 'h')) {
        for (std::size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
        }
        return true;
    }
    if (text.empty() || text[0] != '(') return false;
    while (!text.empty() && text.front() == '(') text.remove_prefix(1);
    while (!text.empty() && text.back() == ')') text.remove_suffix(1);
    int numbers = 0;
    bool inNumber = false;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && c != ' ' && c != ',') return false;
        if (digit && !inNumber) ++numbers;
        inNumber = digit;
    }
    return numbers >= 1 && numbers <= 3;
}

char Upper(char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte; }

// A hash equal for names equal but for letter case, eight bytes at a time. Clearing bit 5 of
// every byte folds the case of letters (and makes a few other bytes alike, which the exact
// comparison after it sorts out).
std::uint64_t FoldedHash(std::string_view name) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ name.size();
    for (std::size_t at = 0; at < name.size(); at += 8) {
        std::uint64_t chunk = 0;
        if (name.size() - at >= 8) {
            std::memcpy(&chunk, name.data() + at, 8);
        } else {
            for (std::size_t i = at; i < name.size(); ++i) chunk = (chunk << 8) | static_cast<unsigned char>(name[i]);
        }
        hash = (hash ^ (chunk & 0xDFDFDFDFDFDFDFDFull)) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 32;
    }
    return hash * 0xC4CEB9FE1A85EC53ull;
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
    const bool paceWord = s.Count() > 2 && s.ScannedType(2) == TypeKeyword;
    if (paceWord) return construction ? "krki*" : "krk";
    return construction ? "kri*" : "kr";
}

// A quoted token is cut short in the text; the caret still spans all of it.
std::string Quotable(std::string_view text) {
    constexpr std::size_t Longest = 40;
    return text.size() <= Longest ? std::string(text) : std::string(text.substr(0, Longest - 3)) + "...";
}

}  // namespace

WarningCollector::WarningCollector(const InstructionTable& table, const SymbolTable& symbols,
                                   const std::vector<std::string>& lines)
    : table_(table), symbols_(symbols), lines_(lines) {
    facts_.reserve(lines.size());
    uses_.reserve(lines.size() * 3);
}

LineSpan WarningCollector::TokenSpan(std::int32_t lineIndex, int token) const {
    const std::string_view line = lines_[static_cast<std::size_t>(lineIndex)];
    std::size_t position = 0;
    std::string_view found;
    for (int i = 0; i <= token; ++i) {
        if (!NextToken(line, position, found)) return LineSpan{};
    }
    const auto first = static_cast<std::int32_t>(found.data() - line.data());
    return LineSpan{first, first + static_cast<std::int32_t>(found.size())};
}

void WarningCollector::Add(WarningId id, std::int32_t line, LineSpan span, std::string_view subject,
                           std::string_view other) {
    warnings_.push_back(Warning{id, line, span, Quotable(subject), Quotable(other)});
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
        headers_.push_back(Header{c.module, line - 1});
    } else {
        // The menu rows are written by their MENU, not by themselves.
        opcode = OpcodeOf(c.written != 0 ? c.written : table_.Word(c.module, c.row, 0));
        if (IsCall(opcode)) {
            callee = static_cast<std::int32_t>(static_cast<std::uint32_t>(table_.Word(c.module, c.row, 0)) >> 16);
            roles = CallRoles(s, table_.Word(callee, 0, HeaderKind) == KindConstruction);
        } else if (opcode == OpMarkLine || opcode == OpMarkNumberLine) {
            roles = RolesOf(opcode, s.Count() == 2 ? 0 : s.ScannedType(2) == TypePoint ? 1 : 2);
        } else {
            roles = RolesOf(opcode);
        }
        if (roles.size() >= 2 && roles.back() == role::Repeated) {
            rest = roles[roles.size() - 2];
            roles.remove_suffix(2);
        }
    }
    const auto firstUse = static_cast<std::uint32_t>(uses_.size());
    NameUse given[MaxTokens];  // the names the statement gives, kept until after those it reads
    int givenCount = 0;
    bool number[MaxTokens] = {};  // the token is a number argument
    for (int i = 0; i < s.Count(); ++i) {
        if (static_cast<std::size_t>(i) >= roles.size() && rest == 0) {
            const LineSpan span{s.Span(i).first, s.Span(s.Count() - 1).end};
            Add(WarningId::ExtraArguments, line, span, Written(s, i));
            break;
        }
        const char tokenRole = static_cast<std::size_t>(i) < roles.size() ? roles[static_cast<std::size_t>(i)] : rest;
        switch (tokenRole) {
            case role::Keyword: case role::Text: break;
            case role::Output: case role::Input: case role::Changed: case role::Parameter: case role::Procedure:
            case role::Declared: {
                const std::int32_t type = s.ScannedType(i);
                if (!IsObjectType(type) && type != TypeProcedure) break;
                const NameUse use{static_cast<std::uint16_t>(s.ScannedIndex(i)), static_cast<std::uint8_t>(type), tokenRole,
                                  static_cast<std::uint8_t>(i)};
                if (tokenRole == role::Output || tokenRole == role::Parameter) given[givenCount++] = use;
                else uses_.push_back(use);
                break;
            }
            default: {
                // Most numbers and colours are plainly written: no closer look for them.
                number[i] = tokenRole != role::Colour;
                const std::string_view text = s.Token(i);
                const bool plain = s.ScannedType(i) == TypeNumberLiteral &&
                                   (tokenRole == role::Colour ? PlainColour(text) : PlainSmallNumber(text));
                if (!plain) CheckLiteral(s, i, tokenRole, line);
            }
        }
    }
    for (int g = 0; g < givenCount; ++g) uses_.push_back(given[g]);
    for (int i = 1; i + 1 < s.Count(); ++i) {
        if (number[i] && number[i + 1] && IsDecimalComma(s.Line(), s.Span(i), s.Span(i + 1))) {
            Add(WarningId::DecimalComma, line, LineSpan{s.Span(i).first, s.Span(i + 1).end},
                s.Line().substr(static_cast<std::size_t>(s.Span(i).first),
                                static_cast<std::size_t>(s.Span(i + 1).end - s.Span(i).first)));
        }
    }
    // An ANIMATION that does something (its REPEAT is not its first row) and has no count.
    if (opcode == OpRepeat && s.Count() == 1 && c.row > 1 && table_.Word(c.module, 0, HeaderKind) == KindAnimation) {
        Add(WarningId::RepeatWithoutCount, line, s.Span(0), s.Token(0));
    }
    facts_.push_back(LineFacts{line - 1, c.module, callee, firstUse, static_cast<std::uint32_t>(uses_.size()),
                               static_cast<std::int16_t>(opcode), static_cast<std::uint8_t>(s.Position())});
}

// A number or colour where the form wants one.
void WarningCollector::CheckLiteral(Statement& s, int i, char tokenRole, std::int32_t line) {
    if (tokenRole != role::Colour) {
        CheckNumber(s, i, tokenRole, line);
    } else if (s.ScannedType(i) != TypeNumberLiteral || !IsColourText(s.Token(i))) {
        Add(WarningId::NotAColour, line, s.Span(i), Written(s, i));
    }
}

void WarningCollector::CheckNumber(Statement& s, int i, char tokenRole, std::int32_t line) {
    const std::string_view text = s.Token(i);  // DEFAULT reads "-1" here
    const std::size_t length = s.ScannedType(i) == TypeNumberLiteral ? NumberLength(text) : 0;
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
    // Each module's facts as runs of consecutive lines; a module's runs in line order.
    struct Run {
        std::uint32_t begin;
        std::uint32_t end;
        std::int32_t nextOfModule;  // the module's following run; -1: none
    };
    const auto modules = static_cast<std::size_t>(std::max(table_.Modules(), 1));
    std::vector<Run> runs;
    std::vector<std::int32_t> firstRun(modules, -1), lastRun(modules, -1);
    for (std::uint32_t f = 0; f < facts_.size(); ++f) {
        const auto module = static_cast<std::size_t>(facts_[f].module);
        if (module >= modules) continue;
        if (lastRun[module] >= 0 && runs[static_cast<std::size_t>(lastRun[module])].end == f) {
            ++runs[static_cast<std::size_t>(lastRun[module])].end;
            continue;
        }
        const auto run = static_cast<std::int32_t>(runs.size());
        runs.push_back(Run{f, f + 1, -1});
        if (lastRun[module] >= 0) runs[static_cast<std::size_t>(lastRun[module])].nextOfModule = run;
        else firstRun[module] = run;
        lastRun[module] = run;
    }
    enum : std::uint8_t { Unknown, Given, Warned };
    // One state a point, line and circle, the three lists one after the other.
    const std::size_t offset[4] = {0, 0, static_cast<std::size_t>(symbols_.Count(TypePoint)),
                                   static_cast<std::size_t>(symbols_.Count(TypePoint) + symbols_.Count(TypeLine))};
    std::vector<std::uint8_t> state(offset[3] + static_cast<std::size_t>(symbols_.Count(TypeCircle)), Unknown);
    std::vector<std::uint8_t> walked(modules, 0);
    struct Frame {
        std::int32_t run;
        std::uint32_t next;  // the next fact of the run
    };
    std::vector<Frame> stack;
    const auto enter = [&](std::size_t module) {
        walked[module] = 1;
        const std::int32_t run = firstRun[module];
        if (run >= 0) stack.push_back(Frame{run, runs[static_cast<std::size_t>(run)].begin});
    };
    enter(0);
    bool textWindow = false;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const Run& run = runs[static_cast<std::size_t>(frame.run)];
        if (frame.next >= run.end) {
            if (run.nextOfModule < 0) {
                stack.pop_back();
            } else {
                frame.run = run.nextOfModule;
                frame.next = runs[static_cast<std::size_t>(run.nextOfModule)].begin;
            }
            continue;
        }
        const LineFacts& fact = facts_[frame.next++];
        // What the statement reads must have been given before it; what it gives (recorded
        // after what it reads) is given from then on.
        for (std::uint32_t u = fact.firstUse; u < fact.useEnd; ++u) {
            const NameUse& use = uses_[u];
            if (!IsObjectType(use.type) || use.role == role::Declared) continue;
            std::uint8_t& known = state[offset[use.type] + use.index];
            if (use.role == role::Input || use.role == role::Changed) {
                if (known == Unknown) {
                    Add(WarningId::UsedBeforeGiven, fact.lineIndex + 1, TokenSpan(fact.lineIndex, use.token),
                        symbols_.List(use.type)[use.index]);
                    known = Warned;
                }
                if (use.role == role::Input) continue;
            }
            known = Given;
        }
        if (fact.opcode == OpTextWindow) textWindow = true;
        if (fact.opcode == OpText && !textWindow) {
            Add(WarningId::TextBeforeTextWindow, fact.lineIndex + 1, TokenSpan(fact.lineIndex, fact.keyword), "TEXT");
            textWindow = true;  // once is enough
        }
        const auto callee = static_cast<std::size_t>(fact.callee);
        if (callee > 0 && callee < modules && !walked[callee]) enter(callee);  // frame is not used after this
    }
}

void WarningCollector::FailedLine(Statement& s) {
    const std::int32_t keyword = s.Keyword();
    if (keyword < KwFast || keyword > KwCall || s.ScannedType(1) != TypeProcedure) return;
    const Compilation& c = s.compilation();
    const std::int32_t callee = c.ModuleOfProcedure(s.ScannedIndex(1));
    if (callee > 0) failedCalls_.push_back(LineFacts{0, c.module, callee, 0, 0, 0, 0});
}

// A procedure that no other module calls (its own recursive calls do not count). A call that
// failed its checks still names the procedure it means.
void WarningCollector::FindUncalledProcedures() {
    std::vector<std::uint8_t> called(static_cast<std::size_t>(std::max(table_.Modules(), 1)), 0);
    std::vector<LineFacts> calls = facts_;
    calls.insert(calls.end(), failedCalls_.begin(), failedCalls_.end());
    for (const LineFacts& fact : calls) {
        if (fact.callee > 0 && fact.callee != fact.module && static_cast<std::size_t>(fact.callee) < called.size()) {
            called[static_cast<std::size_t>(fact.callee)] = 1;
        }
    }
    for (const Header& header : headers_) {
        const auto module = static_cast<std::size_t>(header.module);
        if (module < called.size() && !called[module]) {
            const std::int32_t nameIndex = table_.Word(header.module, 0, HeaderNameIndex);
            Add(WarningId::ProcedureNeverCalled, header.lineIndex + 1, TokenSpan(header.lineIndex, 1),
                symbols_.List(TypeProcedure)[static_cast<std::size_t>(nameIndex)]);
        }
    }
}

// Names are case-sensitive: "ab" after "AB" is a second figure. Every later spelling of a
// name that differs only in letter case is reported where it first appears. The names are
// taken in the order they first appear; a bit table of their upper-cased hashes picks the few
// hashes met more than once, and only those go into a table that keeps each first spelling.
void WarningCollector::FindNamesDifferingInCase() {
    struct FirstUse {
        std::uint64_t folded;
        std::uint32_t use;
    };
    std::vector<FirstUse> names;
    std::vector<std::uint8_t> seen[SymbolListCount];
    std::size_t total = 0;
    for (const std::int32_t type : {TypePoint, TypeLine, TypeCircle, TypeProcedure}) {
        seen[type].assign(static_cast<std::size_t>(symbols_.Count(type)), 0);
        total += seen[type].size();
    }
    names.reserve(total);
    for (std::uint32_t u = 0; u < uses_.size(); ++u) {  // the uses are in line order
        const NameUse& use = uses_[u];
        std::uint8_t& met = seen[use.type][use.index];
        if (met) continue;
        met = 1;
        names.push_back(FirstUse{FoldedHash(symbols_.List(use.type)[use.index]), u});
    }
    int bitsLog2 = 12;  // at least 16 bits a name keeps chance repeats few
    while ((std::size_t{1} << bitsLog2) < names.size() * 16 && bitsLog2 < 40) ++bitsLog2;
    const std::size_t bits = std::size_t{1} << bitsLog2;
    std::vector<std::uint64_t> once(bits / 64, 0), twice(bits / 64, 0);
    const auto bit = [&](std::uint64_t folded) { return static_cast<std::size_t>(folded >> (64 - bitsLog2)); };
    std::size_t candidates = 0;
    for (const FirstUse& name : names) {
        const std::size_t b = bit(name.folded);
        const std::uint64_t mask = std::uint64_t{1} << (b % 64);
        if (once[b / 64] & mask) {
            if (!(twice[b / 64] & mask)) ++candidates;
            twice[b / 64] |= mask;
        }
        once[b / 64] |= mask;
    }
    if (candidates == 0) return;
    std::size_t size = 64;
    while (size < candidates * 8) size *= 2;
    std::vector<std::int32_t> slots(size, -1);  // positions in names
    const auto text = [&](const FirstUse& name) -> std::string_view {
        const NameUse& use = uses_[name.use];
        return symbols_.List(use.type)[use.index];
    };
    for (std::size_t n = 0; n < names.size(); ++n) {
        const FirstUse& name = names[n];
        const std::size_t b = bit(name.folded);
        if (!(twice[b / 64] & (std::uint64_t{1} << (b % 64)))) continue;
        for (std::size_t i = name.folded & (size - 1);; i = (i + 1) & (size - 1)) {
            if (slots[i] < 0) {
                slots[i] = static_cast<std::int32_t>(n);
                break;
            }
            const FirstUse& first = names[static_cast<std::size_t>(slots[i])];
            if (first.folded == name.folded && SameFolded(text(first), text(name))) {
                // The line of the use: the last whose uses start at or before it.
                const auto fact = std::upper_bound(facts_.begin(), facts_.end(), name.use,
                                                   [](std::uint32_t u, const LineFacts& f) { return u < f.firstUse; });
                const std::int32_t lineIndex = std::prev(fact)->lineIndex;
                Add(WarningId::NameDiffersInCase, lineIndex + 1, TokenSpan(lineIndex, uses_[name.use].token), text(name),
                    text(first));
                break;
            }
        }
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
