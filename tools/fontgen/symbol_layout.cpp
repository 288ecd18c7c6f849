// The two code layouts of the generated fonts: Latin-1, and the Symbol font encoding.
#include "symbol_layout.h"

#include "../../draw/symbol_encoding.h"

namespace fontgen {

namespace {

CodeEntry Char(std::uint32_t codepoint) { return {CodeKind::Character, codepoint}; }

}  // namespace

CodeLayout Latin1Layout() {
    CodeLayout layout{};
    for (std::uint32_t code = 0; code < 256; ++code) {
        const bool control = code < 32 || (code >= 127 && code < 160);
        layout[code] = control ? CodeEntry{CodeKind::Control, 0} : Char(code);
    }
    return layout;
}

CodeLayout SymbolLayout() {
    CodeLayout layout{};  // every code starts as the empty glyph
    for (std::uint32_t code = 0; code < 256; ++code) {
        const std::uint32_t codepoint = vekora::SymbolCharacter(static_cast<std::uint8_t>(code));
        if (codepoint != 0) layout[code] = Char(codepoint);
    }
    for (const std::uint8_t code : vekora::SymbolPieceCodes) layout[code].kind = CodeKind::Extender;
    return layout;
}

}  // namespace fontgen
