// Small fonts built in the tests, in the font file format, so that every width and bit is known.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "draw/font.h"

namespace vekora::testing {

struct GlyphSpec {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::string> rows;  // '#' ink, anything else none; missing rows are blank
};

// A font file whose glyph for each code is glyphOf(code).
inline std::vector<std::uint8_t> BuildFontFile(const std::function<GlyphSpec(int)>& glyphOf) {
    std::vector<std::uint8_t> file(FontTableBytes, 0);
    for (int code = 0; code < FontGlyphCount; ++code) {
        const GlyphSpec glyph = glyphOf(code);
        const auto header = static_cast<std::uint16_t>((glyph.width << 3) | 1);
        file.push_back(header & 0xFF);
        file.push_back(header >> 8);
        file.push_back(glyph.height & 0xFF);
        file.push_back((glyph.height >> 8) & 0xFF);
        const std::int32_t rowBytes = (glyph.width + 7) / 8;
        for (std::int32_t r = 0; r < glyph.height; ++r) {
            std::vector<std::uint8_t> row(rowBytes, 0);
            const std::string text = r < static_cast<std::int32_t>(glyph.rows.size()) ? glyph.rows[r] : "";
            for (std::size_t c = 0; c < text.size(); ++c)
                if (text[c] == '#') row[c >> 3] |= static_cast<std::uint8_t>(0x80 >> (c & 7));
            file.insert(file.end(), row.begin(), row.end());
        }
        const auto end = static_cast<std::uint32_t>(file.size());
        for (int b = 0; b < 4; ++b) file[code * 4 + b] = static_cast<std::uint8_t>(end >> (8 * b));
    }
    return file;
}

inline Font ParsedFont(const std::vector<std::uint8_t>& file) {
    Font font;
    ParseFontFile(file, font);
    return font;
}

// Printable ASCII glyphs `width` wide and `height` high, solid ink; the space and control
// codes (<= 32) are blank of the same height; glyph 0 has the font's height.
inline Font BlockFont(std::int32_t width, std::int32_t height) {
    return ParsedFont(BuildFontFile([=](int code) {
        GlyphSpec glyph{width, height, {}};
        if (code > 32) glyph.rows.assign(height, std::string(width, '#'));
        return glyph;
    }));
}

}  // namespace vekora::testing
