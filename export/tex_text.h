// Characters of a figure's text as LaTeX text-mode input: plain ASCII a document in any input
// encoding reads, TeX's special characters escaped, Latin-1 letters as accent commands and the
// signs of mathematical text (Greek letters, relations, arrows) through math mode.
#pragma once

#include <string>

namespace vekora {

// The LaTeX input of one character given as UTF-8 (a space as "\ ", which TeX keeps
// wherever it stands). A character neither LaTeX's text fonts nor math mode have gives "?".
std::string TexOfCharacter(const std::string& utf8);

}  // namespace vekora
