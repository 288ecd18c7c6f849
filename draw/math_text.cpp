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
