// Encoding and line splitting of script files.
#include "run/script_text.h"

#include <cstdint>

#include "draw/math_text.h"

namespace vekora {
namespace {

constexpr char32_t Invalid = 0xFFFFFFFF;

// Decodes one character at i (strict: no overlong forms, no surrogates, at most
// U+10FFFF) and advances i; Invalid when the bytes are not UTF-8.
char32_t DecodeUtf8(std::string_view bytes, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int extra;
    char32_t code;
    char32_t smallest;
    if (lead < 0x80) { ++i; return lead; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; code = lead & 0x1F; smallest = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; code = lead & 0x0F; smallest = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; code = lead & 0x07; smallest = 0x10000; }
    else return Invalid;
    if (bytes.size() - i <= static_cast<std::size_t>(extra)) return Invalid;
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return Invalid;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return Invalid;
    i += static_cast<std::size_t>(extra) + 1;
    return code;
}

}  // namespace

std::string ScriptTextToLatin1(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t code = DecodeUtf8(bytes, i);
        if (code == Invalid) return std::string(bytes);
        beyondAscii = beyondAscii || code > 0x7F;
    }
    if (!beyondAscii) return std::string(bytes);
    std::string latin1;
    latin1.reserve(bytes.size());
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") i = 3;  // byte-order mark
    while (i < bytes.size()) {
        const char32_t code = DecodeUtf8(bytes, i);
        if (code <= 0xFF) {
            latin1.push_back(static_cast<char>(code));
            continue;
        }
        const std::string sign = MathSignBytes(code);
        latin1 += sign.empty() ? std::string("?") : sign;
    }
    return latin1;
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
