// The forms of every statement as an author writes them, with a name for each argument and
// the kind of token each position takes. Completion, signature help and the hints read them;
// a test holds them to the compiler's roles (argument_roles.h), so they cannot drift apart.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vekora {

// Kind letters, one a token position (the keyword and the names before it included):
//   k keyword   P point   L line   C circle   R procedure   T text   a any figure
//   n number    c colour
struct StatementForm {
    std::string_view keyword;  // the spelling the form is written with
    std::int32_t code;         // its keyword code, without the I mark
    std::int32_t opcode;       // what it compiles to (without the I mark); 0: a procedure header
    std::string_view text;     // "L = MIDLINE P1, P2 [, style [, colour [, thickness]]]"
    std::string_view kinds;    // "LkPPncn"
    bool repeats = false;      // the last kind stands for every further token
};

std::span<const StatementForm> StatementForms();

// The forms of a keyword in any spelling (BISECTOR, IMIDLINE, TOOLS), upper or lower case;
// with m >= 0 only those whose keyword stands at token position m.
std::vector<const StatementForm*> FormsOf(std::string_view keyword, int m = -1);

// The token position of the form's statement keyword.
int KeywordPosition(const StatementForm& form);
// The argument names of the form by token position ("L", "MIDLINE", "P1", ...); the keyword
// is its own name. required: how many positions come before the first optional one.
struct FormWords {
    std::vector<std::string_view> words;
    int required = 0;
};
FormWords WordsOf(const StatementForm& form);
// The kind letter at token position i ('n' or 'a' past the end of a repeating form); 0 beyond.
char KindAt(const StatementForm& form, int i);
// The form as written with another spelling of its keyword (IMIDLINE for MIDLINE).
std::string FormText(const StatementForm& form, std::string_view spelling);

}  // namespace vekora
