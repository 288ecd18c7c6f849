// Encoding and line splitting of script files.
#include "run/script_text.h"

#include <algorithm>

#include "draw/math_text.h"

namespace vekora {

std::string ScriptTextToLatin1(std::string_view bytes) {
    if (!IsUtf8(bytes)) return std::string(bytes);
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; });
    if (!beyondAscii) return std::string(bytes);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);  // byte-order mark
    return Utf8ToMathText(bytes);
}

std::vector<std::string> SplitScriptText(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace vekora
