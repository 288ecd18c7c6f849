// fontgen: renders DejaVu Sans with FreeType into the twelve bitmap fonts of the program
// ("sans12" ... "sans64" in Latin-1, "greek12" ... "greek64" in the Symbol encoding).
//
//   fontgen FONT.ttf OUTDIR                 writes OUTDIR/sans12.vfn ... OUTDIR/greek64.vfn
//   fontgen --scale K FONT.ttf OUTDIR       writes OUTDIR/sans12x2.vfn ... for render scale K:
//                                           each glyph rendered at K times the pixel size, in
//                                           a cell exactly K times the scale-1 cell, so text
//                                           lays out the same in page units at any scale
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
#include <cstdlib>
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

// `hinted` false: the outline as it is (the scaled fonts).
Rendered RenderCharacter(FT_Face face, std::uint32_t codepoint, bool hinted = true) {
    Rendered out;
    const FT_UInt glyphIndex = FT_Get_Char_Index(face, codepoint);
    if (glyphIndex == 0) return out;
    // Native monochrome rendering: the hinter snaps stems to whole pixels, which keeps
    // 12 and 16 pixel text legible where thresholding a grey rendering loses strokes.
    const FT_Int32 load = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | (hinted ? 0 : FT_LOAD_NO_HINTING);
    if (FT_Load_Glyph(face, glyphIndex, load) != 0) return out;
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

RenderedSet RenderLayout(FT_Face face, const CodeLayout& layout, bool hinted = true) {
    RenderedSet set(256);
    for (int code = 0; code < 256; ++code)
        if (ShowsCharacter(layout[code])) set[code] = RenderCharacter(face, layout[code].codepoint, hinted);
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
bool EmptyGlyph(const CodeEntry& entry, const Rendered& glyph) {
    return entry.kind == CodeKind::Empty || (ShowsCharacter(entry) && !glyph.present);
}

// The cell width the font file gives a glyph: its advance, widened where ink would fall outside.
int CellWidth(const CodeEntry& entry, const Rendered& glyph) {
    if (EmptyGlyph(entry, glyph) || entry.kind == CodeKind::Control) return 0;
    return std::max(glyph.advance, std::max(glyph.left, 0) + glyph.inkWidth);
}

// `forcedWidth` >= 0 sets the cell's width (ink beyond it is cut): a scaled font's cells are
// the scale-1 cells times the scale.
void EncodeGlyph(std::vector<std::uint8_t>& out, const CodeEntry& entry, const Rendered& glyph, int height,
                 int baseline, int forcedWidth = -1) {
    if (EmptyGlyph(entry, glyph)) {
        PutU16(out, 1);
        PutU16(out, 0);
        return;
    }
    const int inkLeft = std::max(glyph.left, 0);
    const int width = forcedWidth >= 0 ? forcedWidth : CellWidth(entry, glyph);
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
            if (x >= width) continue;
            rows[y * rowBytes + (x >> 3)] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        }
    }
    out.insert(out.end(), rows.begin(), rows.end());
}

// `widths`, when given, are the cells' widths (see EncodeGlyph).
std::vector<std::uint8_t> BuildFontFile(const CodeLayout& layout, const RenderedSet& set, int height,
                                        int baseline, const std::vector<int>* widths = nullptr) {
    std::vector<std::uint8_t> file(FileHeaderBytes, 0);
    for (int code = 0; code < 256; ++code) {
        // A glyph empty at scale 1 stays empty at every scale.
        const bool keep = widths == nullptr || (*widths)[code] >= 0;
        EncodeGlyph(file, layout[code], keep ? set[code] : Rendered{}, keep ? height : 0, baseline,
                    widths != nullptr ? (*widths)[code] : -1);
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

// Scale 1: the resident fonts. Scale k >= 2: the same fonts for render scale k, each height's
// scale-1 pixel size and baseline times k, each cell the scale-1 cell times k.
int Generate(int scale, const char* fontPath, const std::string& outDir) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (scale < 1 || FT_Init_FreeType(&library) != 0 || FT_New_Face(library, fontPath, 0, &face) != 0) {
        std::fprintf(stderr, "fontgen: cannot open the font %s (or a scale below 1)\n", fontPath);
        return 1;
    }
    const std::vector<Family> families = {{"sans", Latin1Layout()}, {"greek", SymbolLayout()}};
    const std::string suffix = scale == 1 ? ".vfn" : "x" + std::to_string(scale) + ".vfn";
    int status = 0;
    for (const int height : NominalHeights) {
        Extent extent;
        const int size = FitPixelSize(face, families, height, extent);
        if (scale == 1)
            std::printf("height %d: pixel size %d, baseline %d, descent %d\n", height, size, extent.top, extent.descent);
        for (const Family& family : families) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size));
            const RenderedSet base = RenderLayout(face, family.layout);
            std::vector<std::uint8_t> file;
            if (scale == 1) {
                if (height == NominalHeights[0]) ReportMissing(family, base);
                file = BuildFontFile(family.layout, base, height, extent.top);
            } else {
                std::vector<int> widths(256, -1);
                for (int code = 0; code < 256; ++code)
                    if (!EmptyGlyph(family.layout[code], base[code]))
                        widths[code] = scale * CellWidth(family.layout[code], base[code]);
                FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(scale * size));
                // Unhinted: the hinter widens stems to whole pixels, which at these sizes makes
                // the letters bolder than the scale-1 ones they stand in for.
                const RenderedSet set = RenderLayout(face, family.layout, false);
                file = BuildFontFile(family.layout, set, scale * height, scale * extent.top, &widths);
            }
            const std::string path = outDir + "/" + family.name + std::to_string(height) + suffix;
            if (!WriteFile(path, file)) {
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
    if (argc == 3) return fontgen::Generate(1, argv[1], argv[2]);
    if (argc == 5 && std::string(argv[1]) == "--scale") return fontgen::Generate(std::atoi(argv[2]), argv[3], argv[4]);
    std::fprintf(stderr, "usage: fontgen FONT.ttf OUTDIR | fontgen --scale K FONT.ttf OUTDIR | fontgen --sheet SHEET.pgm OUTDIR\n");
    return 2;
}
