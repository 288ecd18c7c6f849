// Finding a character's sign in the Symbol encoding, and mathematical text back to UTF-8.
#include "draw/math_text.h"

#include "draw/symbol_encoding.h"

namespace vekora {
namespace {

bool IsPiece(std::uint8_t code) {
    for (const std::uint8_t piece : SymbolPieceCodes)
        if (piece == code) return true;
    return false;
}

// Signs a geometry lesson writes that the encoding has only in another shape: the white
// triangle as the capital delta (an outlined triangle in the face), the parallel sign as two
// bars.
struct LookAlike {
    char32_t character;
    std::string_view codes;
};
constexpr LookAlike LookAlikes[] = {
    {U'\u25B3', "D"},   // △ white up-pointing triangle
    {U'\u2206', "D"},   // ∆ increment
    {U'\u2225', "||"},  // ∥ parallel to
    {U'\u2016', "||"},  // ‖ double vertical line
};

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

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::string MathSignBytes(char32_t character) {
    std::string bytes;
    if (character <= 0xFF) return bytes;  // Latin-1 is written as itself
    for (const LookAlike& alike : LookAlikes) {
        if (alike.character != character) continue;
        for (const char code : alike.codes) {
            bytes.push_back(MathSignEscape);
            bytes.push_back(code);
        }
        return bytes;
    }
    // The first code that shows the character (the encoding repeats a few signs).
    for (int code = 32; code < 255; ++code) {
        const auto byte = static_cast<std::uint8_t>(code);
        if (SymbolCharacter(byte) == character && !IsPiece(byte)) return {MathSignEscape, static_cast<char>(byte)};
    }
    return bytes;
}

std::string MathTextToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte == static_cast<std::uint8_t>(MathSignEscape) && i + 1 < text.size()) {
            const char32_t sign = SymbolCharacter(static_cast<std::uint8_t>(text[++i]));
            AppendUtf8(sign != 0 ? sign : U'?', utf8);
        } else {
            AppendUtf8(byte, utf8);
        }
    }
    return utf8;
}

bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();)
        if (DecodeUtf8(bytes, i) == Invalid) return false;
    return true;
}

std::string Utf8ToMathText(std::string_view utf8) {
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t code = DecodeUtf8(utf8, i);
        if (code == Invalid) {
            text.push_back('?');
            ++i;
        } else if (code <= 0xFF) {
            text.push_back(static_cast<char>(code));
        } else {
            const std::string sign = MathSignBytes(code);
            text += sign.empty() ? std::string("?") : sign;
        }
    }
    return text;
}

namespace {

// A control a terminal would act on rather than show (TAB and LF are kept).
bool IsShownControl(unsigned char byte) {
    const unsigned char low = byte & 0x7F;
    return (low < 0x20 || low == 0x7F) && byte != '\t' && byte != '\n';
}

}  // namespace

std::size_t TerminalColumns(unsigned char byte) {
    if (!IsShownControl(byte)) return 1;
    return byte >= 0x80 ? 4 : 2;
}

std::string TerminalText(std::string_view latin1, bool utf8) {
    std::string shown;
    shown.reserve(latin1.size());
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const auto byte = static_cast<unsigned char>(latin1[i]);
        if (latin1[i] == MathSignEscape && i + 1 < latin1.size()) {
            shown.append(latin1.substr(i, 2));
            ++i;
        } else if (IsShownControl(byte)) {
            if (byte >= 0x80) shown += "M-";
            shown.push_back('^');
            shown.push_back(static_cast<char>((byte & 0x7F) ^ 0x40));
        } else {
            shown.push_back(static_cast<char>(byte));
        }
    }
    return utf8 ? MathTextToUtf8(shown) : shown;
}

}  // namespace vekora
