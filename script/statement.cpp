// The checks and row writers every statement family shares.
#include "script/statement.h"

#include <algorithm>
#include <cmath>

#include "script/tokens.h"

namespace vekora {

// Keyword scan: the first keyword gives the statement and its position M; a second one is
// allowed only as CLICKABLE/STEP ... ALONG or CALL name FAST|PACE|SLOW.
std::int32_t Statement::Scan(std::string_view line) {
    const std::int32_t secondKeyword = FirstPass() ? ErrKeywordAsName : ErrBadArgumentName;
    std::size_t position = 0;
    std::string_view token;
    int i = 0;
    keyword_ = 0;
    m_ = 0;
    while (NextToken(line, position, token)) {
        if (i == MaxTokens) return ErrTooManyArguments;
        const std::int32_t tokenClass = ClassifyTokenView(token, c_.symbols);
        if (tokenClass == CommentClass) break;
        tokens_[static_cast<std::size_t>(i)] = token;
        classes_[static_cast<std::size_t>(i)] = tokenClass;
        if (ClassType(tokenClass) == TypeKeyword) {
            const std::int32_t code = ClassIndex(tokenClass);
            if (keyword_ == 0) {
                keyword_ = code;
                m_ = i;
            } else if (m_ != 0) {
                return ErrorCode(secondKeyword, i + 1);
            } else if ((keyword_ == KwClickable || keyword_ == KwStep) && i == 2 && code == KwAlong) {
                keyword_ = keyword_ == KwClickable ? KwClickableAlong : KwStepAlong;
            } else if (keyword_ == KwCall && i == 2 && code >= KwFast && code <= KwSlow) {
                keyword_ = code;
            } else {
                return ErrorCode(secondKeyword, i + 1);
            }
        }
        ++i;
    }
    n_ = i;
    if (n_ == 0) return EmptyStatement;
    if (keyword_ == 0 || m_ > 2) return ErrNoKeyword;
    return Compiled;
}

void Statement::Refresh(int i) {
    std::int32_t& tokenClass = classes_[static_cast<std::size_t>(i)];
    const std::int32_t type = ClassType(tokenClass);
    if (type == TypeNone) {
        const SymbolTable::Entry entry = c_.symbols.FindName(Token(i));
        tokenClass = MakeClass(entry.index, entry.type);
    } else if (type == TypeTextLiteral && ClassIndex(tokenClass) == NewTextIndex) {
        const std::int32_t index = c_.symbols.FindText(Token(i));
        if (index >= 0) tokenClass = MakeClass(index, TypeTextLiteral);
    }
}

std::int32_t Statement::Type(int i) {
    if (i < 0 || i >= n_) return Absent;
    Refresh(i);
    return ClassType(classes_[static_cast<std::size_t>(i)]);
}

std::int32_t Statement::Index(int i) {
    if (i < 0 || i >= n_) return 0;
    Refresh(i);
    return ClassIndex(classes_[static_cast<std::size_t>(i)]);
}

std::int32_t Statement::ExpectPosition(int position) const {
    return m_ == position ? Compiled : ErrorCode(ErrArgumentSyntax, m_ + 1);
}

std::int32_t Statement::Expect(int position, int fewest, int most) const {
    if (m_ != position) return ErrorCode(ErrArgumentSyntax, m_ + 1);
    if (n_ < fewest) return ErrTooFewArguments;
    if (n_ > most) return ErrTooManyArguments;
    return Compiled;
}

std::int32_t Statement::CheckArgument(int i, std::int32_t type) {
    const std::int32_t found = Type(i);
    if (found == type) {
        if (FirstPass() && type == TypeTextLiteral && Index(i) == NewTextIndex) {
            if (c_.symbols.Full(type)) return ErrTooManyArguments;
            classes_[static_cast<std::size_t>(i)] = MakeClass(c_.symbols.AddTextLiteral(Token(i)), type);
        }
        return Compiled;
    }
    if (found == TypeNone && FirstPass()) {
        // A list is full when its indices no longer fit their 16-bit fields.
        if (c_.symbols.Full(type)) return ErrTooManyArguments;
        classes_[static_cast<std::size_t>(i)] = MakeClass(c_.symbols.DefineName(Token(i), type), type);
        return Compiled;
    }
    return ErrorCode(ErrTypeMismatch, found, type);
}

std::int32_t Statement::CheckArguments(std::initializer_list<Argument> arguments) {
    for (const Argument& argument : arguments) {
        if (const std::int32_t error = CheckArgument(argument.position, argument.type)) return error;
    }
    return Compiled;
}

std::int32_t Statement::CheckText(int i) {
    const std::int32_t found = Type(i);
    if (found != TypeTextLiteral) return ErrorCode(ErrTypeMismatch, TypeTextLiteral, found);
    return CheckArgument(i, TypeTextLiteral);
}

std::int32_t Statement::ModuleKind() const { return c_.table.Word(c_.module, 0, HeaderKind); }

std::int32_t Statement::OnlyIn(std::int32_t kind) const {
    if (FirstPass() || ModuleKind() == kind) return Compiled;
    return ErrorCode(ErrIllegalHere, ModuleKind());
}

std::int32_t Statement::NotIn(std::int32_t kind) const {
    if (FirstPass() || ModuleKind() != kind) return Compiled;
    return ErrorCode(ErrIllegalHere, kind);
}

std::int32_t Statement::Stored() const { return c_.table.Word(c_.module, c_.row, 0) & OpcodeWithIMask; }

InstructionTable::Row& Statement::CurrentRow() { return c_.table.At(c_.module, c_.row); }

std::int32_t Statement::Write(std::int32_t opcode, std::int32_t target, std::initializer_list<std::int32_t> words,
                              std::initializer_list<std::int32_t> family) {
    Words all{};
    std::copy(words.begin(), words.begin() + std::min(words.size(), all.size()), all.begin());
    return WriteRow(opcode, target, all, family);
}

std::int32_t Statement::WriteRow(std::int32_t opcode, std::int32_t target, const Words& words,
                                 std::initializer_list<std::int32_t> family) {
    const std::int32_t marked = opcode | IMarkOf();
    if (!c_.table.HasModule(c_.module) || c_.row < 0) return Compiled;  // no row to write
    if (FirstPass()) {
        CurrentRow()[0] = marked;
        c_.written = marked;
        return Compiled;
    }
    const std::int32_t stored = Stored();
    const bool sameFamily = family.size() == 0
                                ? stored == marked
                                : (stored & IMark) == IMarkOf() &&
                                      std::find(family.begin(), family.end(), OpcodeOf(stored)) != family.end();
    if (!sameFamily) return ErrPassMismatch;
    InstructionTable::Row& row = CurrentRow();
    row.fill(0);
    row[0] = MakeWord0(target & 0xFFFF, marked);
    std::copy(words.begin(), words.end(), row.begin() + 1);
    return Compiled;
}

double Statement::Number(int i) const { return ParseNumber(Token(i)); }

std::int32_t Statement::Fixed(int i) const { return FirstPass() || i >= n_ ? 0 : RoundToWord(Number(i) * 65536.0); }
std::int32_t Statement::FixedOr(int i) const { return i < n_ ? Fixed(i) : -1; }
std::int32_t Statement::Angle(int i) const { return FirstPass() || i >= n_ ? 0 : RoundToWord(Number(i) * 256.0); }
std::int32_t Statement::Int(int i) const { return FirstPass() || i >= n_ ? 0 : RoundToWord(Number(i)); }
std::int32_t Statement::IntOr(int i) const { return i < n_ ? Int(i) : -1; }

std::int32_t Statement::ColourOr(int i) const {
    if (i >= n_) return -1;
    return FirstPass() ? 0 : ParseColour(Token(i));
}

std::int32_t Statement::ShiftedOr(int i) const {
    if (i >= n_) return -1;
    const std::int32_t value = Int(i);
    return value == -1 ? -1 : RoundToWord(static_cast<double>(value) * 256.0);
}

}  // namespace vekora
