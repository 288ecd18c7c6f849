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
    line_ = line;
    definitionsAtScan_ = c_.symbols.DefinitionCount();
    while (NextToken(line, position, token)) {
        const auto first = static_cast<std::int32_t>(token.data() - line.data());
        if (i == MaxTokens) {
            blamed_ = true;
            c_.blame = ErrorPlace{LineSpan{first, first + static_cast<std::int32_t>(token.size())}, ErrorCause::AsNumbered, 0};
            return ErrTooManyArguments;
        }
        const std::int32_t tokenClass = ClassifyTokenView(token, c_.symbols);
        if (tokenClass == CommentClass) break;
        tokens_[static_cast<std::size_t>(i)] = TokenText{token.data(), token.size()};
        classes_[static_cast<std::size_t>(i)] = tokenClass;
        starts_[static_cast<std::size_t>(i)] = first;
        if (ClassType(tokenClass) == TypeKeyword) {
            const std::int32_t code = ClassIndex(tokenClass);
            if (keyword_ == 0) {
                keyword_ = code;
                m_ = i;
            } else if (m_ != 0) {
                return Blame(i, ErrorCode(secondKeyword, i + 1));
            } else if ((keyword_ == KwClickable || keyword_ == KwStep) && i == 2 && code == KwAlong) {
                keyword_ = keyword_ == KwClickable ? KwClickableAlong : KwStepAlong;
            } else if (keyword_ == KwCall && i == 2 && code >= KwFast && code <= KwSlow) {
                keyword_ = code;
            } else {
                return Blame(i, ErrorCode(secondKeyword, i + 1));
            }
        }
        ++i;
    }
    n_ = i;
    if (n_ == 0) return EmptyStatement;
    if (keyword_ == 0) return Blame(0, ErrNoKeyword);
    if (m_ > 2) return Blame(m_, ErrNoKeyword, ErrorCause::KeywordTooLate, m_);
    return Compiled;
}

LineSpan Statement::Span(int i) const {
    const std::int32_t first = starts_[static_cast<std::size_t>(i)];
    std::size_t position = static_cast<std::size_t>(first);
    std::string_view token;
    NextToken(line_, position, token);  // the token as written, read again from its start
    return LineSpan{first, first + static_cast<std::int32_t>(token.size())};
}

std::int32_t Statement::Blame(int i, std::int32_t code, ErrorCause cause, std::int32_t detail) const {
    blamed_ = true;
    c_.blame = ErrorPlace{Span(i), cause, detail};
    return code;
}

std::int32_t Statement::BlameLineEnd(std::int32_t code) const {
    const auto end = static_cast<std::int32_t>(line_.size());
    blamed_ = true;
    c_.blame = ErrorPlace{LineSpan{end, end}, ErrorCause::AsNumbered, 0};
    return code;
}

// The argument a type or call error is about: the first after the keyword of the type
// found (a), else of the type wanted (b); a call's argument j; a procedure's name; the end
// of a line too short, the last token of one too long.
void Statement::BlameByCode(std::int32_t code) {
    if (blamed_) return;
    if (n_ == 0) {
        c_.blame = ErrorPlace{};
        return;
    }
    const std::int32_t number = code & 255;
    const std::int32_t a = (code >> 8) & 15;
    const std::int32_t b = (code >> 12) & 15;
    int target = m_;
    const auto firstOfType = [&](std::int32_t type) {
        for (int i = m_ + 1; i < n_; ++i) {
            if (Type(i) == type) return i;
        }
        for (int i = 0; i < m_; ++i) {
            if (Type(i) == type) return i;
        }
        return -1;
    };
    if (number == ErrTooFewArguments) {
        BlameLineEnd(code);
        return;
    }
    if (number == ErrTooManyArguments || number == ErrTooManyParameters) {
        target = n_ - 1;  // the last of them
    } else if (number == ErrTypeMismatch) {
        int found = firstOfType(a);
        if (found < 0) found = firstOfType(b);
        target = found >= 0 ? found : std::min(m_ + 1, n_ - 1);
    } else if (number == ErrCallArgumentType) {
        const int first = (n_ > 2 && ClassType(classes_[2]) == TypeKeyword) ? 3 : 2;
        target = std::min(first + a, n_ - 1);
    } else if (number == ErrNoProcedure || number == ErrDuplicateProcedure || number == ErrCallArgumentCount ||
               number == ErrWrongProcedureKind) {
        target = std::min(m_ + 1, n_ - 1);
    }
    Blame(target, code);
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

std::int32_t Statement::ExpectPosition(int position) const {
    return m_ == position ? Compiled : Blame(m_, ErrorCode(ErrArgumentSyntax, m_ + 1));
}

std::int32_t Statement::Expect(int position, int fewest, int most) const {
    if (m_ != position) return Blame(m_, ErrorCode(ErrArgumentSyntax, m_ + 1));
    if (n_ < fewest) return BlameLineEnd(ErrTooFewArguments);
    if (n_ > most) return Blame(most, ErrTooManyArguments);
    return Compiled;
}

std::int32_t Statement::CheckArgument(int i, std::int32_t type) {
    const std::int32_t found = Type(i);
    if (found == type) {
        if (FirstPass() && type == TypeTextLiteral && Index(i) == NewTextIndex) {
            if (c_.symbols.Full(type)) return Blame(i, ErrTooManyArguments, ErrorCause::TextListFull);
            classes_[static_cast<std::size_t>(i)] = MakeClass(c_.symbols.AddTextLiteral(Token(i)), type);
        }
        return Compiled;
    }
    if (found == TypeNone && FirstPass()) {
        // A list is full when its indices no longer fit their 16-bit fields.
        if (c_.symbols.Full(type)) return Blame(i, ErrTooManyArguments, ErrorCause::NameListFull, type);
        classes_[static_cast<std::size_t>(i)] = MakeClass(c_.symbols.DefineName(Token(i), type), type);
        return Compiled;
    }
    return Blame(i, ErrorCode(ErrTypeMismatch, found, type));
}

std::int32_t Statement::CheckArguments(std::initializer_list<Argument> arguments) {
    for (const Argument& argument : arguments) {
        if (const std::int32_t error = CheckArgument(argument.position, argument.type)) return error;
    }
    return Compiled;
}

std::int32_t Statement::CheckText(int i) {
    const std::int32_t found = Type(i);
    if (found != TypeTextLiteral) return Blame(i, ErrorCode(ErrTypeMismatch, TypeTextLiteral, found));
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
    c_.written = marked;
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
