// The text of a script file as the compiler reads it: Latin-1 lines without line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vekora {

// A valid UTF-8 text with a character above 127 becomes Latin-1: a character beyond
// Latin-1 becomes its mathematical sign (draw/math_text.h) where the sign fonts have it,
// otherwise '?', and a leading byte-order mark is dropped. Any other text is returned byte
// for byte.
std::string ScriptTextToLatin1(std::string_view bytes);

// Lines ended by CR, LF or CR LF; a last line without line end counts, a line end at the
// very end adds no empty line; an empty text has no lines.
std::vector<std::string> SplitScriptText(std::string_view text);

}  // namespace vekora
