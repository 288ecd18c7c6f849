// The proof sheet: every glyph of the twelve generated fonts on one greymap, read back from
// the font files by a decoder of its own, so that a look at it checks the files themselves.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fontgen {
namespace {

constexpr std::uint8_t Paper = 0xFF;
constexpr std::uint8_t Cell = 0xDC;  // the glyph's box, so heights and widths show
constexpr std::uint8_t Ink = 0x00;
constexpr int Margin = 8;
constexpr int CodesPerRow = 32;

struct Glyph {
    int width = 0;
    int height = 0;
    const std::uint8_t* rows = nullptr;
};

struct LoadedFont {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::vector<Glyph> glyphs;  // 256, empty when the file is unusable
};

unsigned ReadU16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t ReadU32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Decode(LoadedFont& font) {
    const std::vector<std::uint8_t>& b = font.bytes;
    if (b.size() < 1024) return false;
    std::uint32_t start = 1024;
    for (int code = 0; code < 256; ++code) {
        const std::uint32_t end = ReadU32(&b[code * 4]);
        if (end < start + 4 || end > b.size()) return false;
        Glyph g{static_cast<int>(ReadU16(&b[start]) >> 3), static_cast<int>(ReadU16(&b[start + 2])), &b[start + 4]};
        if (4u + static_cast<std::uint32_t>(g.height) * ((g.width + 7) / 8) != end - start) return false;
        font.glyphs.push_back(g);
        start = end;
    }
    return start == b.size();
}

struct Greymap {
    int width;
    int height;
    std::vector<std::uint8_t> pixels;
    void Set(int x, int y, std::uint8_t v) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<std::size_t>(y) * width + x] = v;
    }
};

void DrawGlyph(Greymap& map, const Glyph& g, int x, int y) {
    const int rowBytes = (g.width + 7) / 8;
    for (int r = 0; r < g.height; ++r)
        for (int c = 0; c < g.width; ++c) {
            const bool ink = (g.rows[r * rowBytes + (c >> 3)] >> (7 - (c & 7))) & 1;
            map.Set(x + c, y + r, ink ? Ink : Cell);
        }
}

int DrawText(Greymap& map, const LoadedFont& font, const std::string& text, int x, int y) {
    for (const char ch : text) {
        const Glyph& g = font.glyphs[static_cast<std::uint8_t>(ch)];
        DrawGlyph(map, g, x, y);
        x += g.width;
    }
    return x;
}

int FontHeight(const LoadedFont& font) {
    int height = 0;
    for (const Glyph& g : font.glyphs) height = std::max(height, g.height);
    return height;
}

int WidestGlyph(const LoadedFont& font) {
    int width = 0;
    for (const Glyph& g : font.glyphs) width = std::max(width, g.width);
    return width;
}

// Sample lines in Latin-1 (the Greek one spells Greek with the Symbol encoding's codes).
const std::string SansSample = "\xC1ngulo \xC2" "BC = 45,5\xB0  \xC5\xC9\xCD\xD3\xDA\xD1\xC7 \xBFQu\xE9? \xA1Ya! "
                               "gjpqy \xFE\xDF\xE6 \xAB" "12\xBD\xBB";
const std::string GreekSample = "abgdeqlmpsfw ABGDQLPSFW 90\xB0 \xB1\xB4\xB8\xB9\xA3\xB3 \xD0" "ABC \xB6\xD6\xA5";

}  // namespace

int RenderSheet(const std::string& sheetPath, const std::string& fontDir) {
    std::vector<LoadedFont> fonts;
    for (const char* family : {"sans", "greek"})
        for (const int size : {12, 16, 24, 32, 40, 64}) {
            LoadedFont font{std::string(family) + std::to_string(size), {}, {}};
            std::ifstream in(fontDir + "/" + font.name + ".vfn", std::ios::binary);
            font.bytes.assign(std::istreambuf_iterator<char>(in), {});
            if (!Decode(font)) {
                std::fprintf(stderr, "sheet: %s is missing or inconsistent\n", font.name.c_str());
                return 1;
            }
            fonts.push_back(std::move(font));
        }
    int width = 0;
    int height = Margin;
    for (const LoadedFont& f : fonts) {
        width = std::max(width, (WidestGlyph(f) + 2) * CodesPerRow);
        height += (FontHeight(f) + 2) * 8 + Margin;
    }
    Greymap map{width + 2 * Margin, height, {}};
    map.pixels.assign(static_cast<std::size_t>(map.width) * map.height, Paper);
    int y = Margin;
    for (const LoadedFont& f : fonts) {
        const int cell = WidestGlyph(f) + 2;
        const int line = FontHeight(f) + 2;
        const int end = DrawText(map, f, f.name + ": ", Margin, y);
        DrawText(map, f, f.name.rfind("sans", 0) == 0 ? SansSample : GreekSample, end, y);
        for (int code = 32; code < 256; ++code)
            DrawGlyph(map, f.glyphs[code], Margin + (code % CodesPerRow) * cell, y + (code / CodesPerRow) * line);
        y += line * 8 + Margin;
    }
    std::ofstream out(sheetPath, std::ios::binary);
    out << "P5\n" << map.width << " " << map.height << "\n255\n";
    out.write(reinterpret_cast<const char*>(map.pixels.data()), static_cast<std::streamsize>(map.pixels.size()));
    return out ? 0 : 1;
}

}  // namespace fontgen
