// fontgen: renders DejaVu Sans with FreeType into the twelve bitmap fonts of the program
// ("sans12" ... "sans64" in Latin-1, "greek12" ... "greek64" in the Symbol encoding).
//
//   fontgen FONT.ttf OUTDIR                 writes OUTDIR/sans12.vfn ... OUTDIR/greek64.vfn
//   fontgen --sheet SHEET.pgm OUTDIR        draws every glyph of those files into a greymap
//
// Font file: 256 little-endian u32 end offsets (end[255] is the file size), then the glyphs;
// a glyph is u16 (width << 3) | 1, u16 height, then height rows of ceil(width / 8) bytes,
// most significant bit leftmost, a set bit is ink.
#include "symbol_layout.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace fontgen {
namespace {

constexpr int NominalHeights[] = {12, 16, 24, 32, 40, 64};
constexpr int FileHeaderBytes = 256 * 4;

// One character rendered by FreeType, its ink as 0/1 bytes, row-major.
struct Rendered {
    bool present = false;   // false: the face has no glyph for the character
    int left = 0;           // ink's left edge from the pen position
    int top = 0;            // ink's top row above the baseline
    int inkWidth = 0;
    int inkRows = 0;
    int advance = 0;        // pixels, hinted
    std::vector<std::uint8_t> ink;
};

using RenderedSet = std::vector<Rendered>;  // 256 entries, indexed by code

bool ShowsCharacter(const CodeEntry& entry) {
    return entry.kind == CodeKind::Character || entry.kind == CodeKind::Extender;
}

Rendered RenderCharacter(FT_Face face, std::uint32_t codepoint) {
    Rendered out;
    const FT_UInt glyphIndex = FT_Get_Char_Index(face, codepoint);
    if (glyphIndex == 0) return out;
    // Native monochrome rendering: the hinter snaps stems to whole pixels, which keeps
    // 12 and 16 pixel text legible where thresholding a grey rendering loses strokes.
    if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return out;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.present = true;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.inkWidth = static_cast<int>(bitmap.width);
    out.inkRows = static_cast<int>(bitmap.rows);
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.ink.resize(static_cast<std::size_t>(out.inkWidth) * out.inkRows);
    for (int row = 0; row < out.inkRows; ++row) {
        const unsigned char* bits = bitmap.buffer + row * bitmap.pitch;
        for (int col = 0; col < out.inkWidth; ++col)
            out.ink[row * out.inkWidth + col] = (bits[col >> 3] >> (7 - (col & 7))) & 1;
    }
    return out;
}

RenderedSet RenderLayout(FT_Face face, const CodeLayout& layout) {
    RenderedSet set(256);
    for (int code = 0; code < 256; ++code)
        if (ShowsCharacter(layout[code])) set[code] = RenderCharacter(face, layout[code].codepoint);
    return set;
}

struct Extent {
    int top = 0;      // highest ink row above the baseline
    int descent = 0;  // deepest ink row below it
};

void Widen(Extent& extent, const CodeLayout& layout, const RenderedSet& set) {
    for (int code = 0; code < 256; ++code) {
        const Rendered& glyph = set[code];
        if (!glyph.present || glyph.inkRows == 0 || layout[code].kind == CodeKind::Extender) continue;
        extent.top = std::max(extent.top, glyph.top);
        extent.descent = std::max(extent.descent, glyph.inkRows - glyph.top);
    }
}

struct Family {
    std::string name;
    CodeLayout layout;
};

// The largest pixel size at which every glyph of both families, accented capitals and
// deep descenders included, fits the nominal height; both families then share one
// pixel size and one baseline, so mixed Latin and Greek text lines up.
int FitPixelSize(FT_Face face, const std::vector<Family>& families, int height, Extent& extent) {
    for (int size = height; size > 1; --size) {
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
        Extent trial;
        for (const Family& family : families) Widen(trial, family.layout, RenderLayout(face, family.layout));
        if (trial.top + trial.descent <= height) {
            extent = trial;
            return size;
        }
    }
    return 1;
}

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// A glyph as the font file stores it. The cell is the advance wide, widened only where
// ink would otherwise fall outside it, so no stroke is ever cut.
void EncodeGlyph(std::vector<std::uint8_t>& out, const CodeEntry& entry, const Rendered& glyph, int height,
                 int baseline) {
    if (entry.kind == CodeKind::Empty || (ShowsCharacter(entry) && !glyph.present)) {
        PutU16(out, 1);
        PutU16(out, 0);
        return;
    }
    const int inkLeft = std::max(glyph.left, 0);
    const int width = entry.kind == CodeKind::Control ? 0 : std::max(glyph.advance, inkLeft + glyph.inkWidth);
    const int rowBytes = (width + 7) / 8;
    PutU16(out, static_cast<unsigned>(width << 3) | 1u);
    PutU16(out, static_cast<unsigned>(height));
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes) * height, 0);
    for (int r = 0; r < glyph.inkRows; ++r) {
        const int y = baseline - glyph.top + r;
        if (y < 0 || y >= height) continue;  // only extenders reach beyond the cell
        for (int c = 0; c < glyph.inkWidth; ++c) {
            if (!glyph.ink[r * glyph.inkWidth + c]) continue;
            const int x = inkLeft + c;
            rows[y * rowBytes + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
    out.insert(out.end(), rows.begin(), rows.end());
}

std::vector<std::uint8_t> BuildFontFile(const CodeLayout& layout, const RenderedSet& set, int height,
                                        int baseline) {
    std::vector<std::uint8_t> file(FileHeaderBytes, 0);
    for (int code = 0; code < 256; ++code) {
        EncodeGlyph(file, layout[code], set[code], height, baseline);
        const auto end = static_cast<std::uint32_t>(file.size());
        for (int b = 0; b < 4; ++b) file[code * 4 + b] = static_cast<std::uint8_t>(end >> (8 * b));
    }
    return file;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void ReportMissing(const Family& family, const RenderedSet& set) {
    for (int code = 0; code < 256; ++code)
        if (ShowsCharacter(family.layout[code]) && !set[code].present)
            std::fprintf(stderr, "%s: code 0x%02X (U+%04X) not in the face, left empty\n", family.name.c_str(),
                         code, family.layout[code].codepoint);
}

int Generate(const char* fontPath, const std::string& outDir) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, fontPath, 0, &face) != 0) {
        std::fprintf(stderr, "fontgen: cannot open the font %s\n", fontPath);
        return 1;
    }
    const std::vector<Family> families = {{"sans", Latin1Layout()}, {"greek", SymbolLayout()}};
    int status = 0;
    for (const int height : NominalHeights) {
        Extent extent;
        const int size = FitPixelSize(face, families, height, extent);
        std::printf("height %d: pixel size %d, baseline %d, descent %d\n", height, size, extent.top,
                    extent.descent);
        for (const Family& family : families) {
            const RenderedSet set = RenderLayout(face, family.layout);
            if (height == NominalHeights[0]) ReportMissing(family, set);
            const std::string path = outDir + "/" + family.name + std::to_string(height) + ".vfn";
            if (!WriteFile(path, BuildFontFile(family.layout, set, height, extent.top))) {
                std::fprintf(stderr, "fontgen: cannot write %s\n", path.c_str());
                status = 1;
            }
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return status;
}

}  // namespace

int RenderSheet(const std::string& sheetPath, const std::string& fontDir);  // sheet.cpp

}  // namespace fontgen

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--sheet") return fontgen::RenderSheet(argv[2], argv[3]);
    if (argc == 3) return fontgen::Generate(argv[1], argv[2]);
    std::fprintf(stderr, "usage: fontgen FONT.ttf OUTDIR | fontgen --sheet SHEET.pgm OUTDIR\n");
    return 2;
}
