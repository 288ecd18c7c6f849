// Bitmap fonts in memory: the glyph bytes and the table of 256 glyph offsets, loaded from
// the embedded resources or from a font file, and the glyphs inside them.
//
// Font file (little-endian): 256 u32 end offsets end[0..255] counted from the start of the
// file (end[255] is the file size), then glyph 0 ... glyph 255 back to back. A glyph is a
// one-bit image: u16 (width << 3) | 1, u16 height, then height rows of ceil(width / 8) bytes,
// the most significant bit leftmost, a set bit ink. Width is the advance in pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vekora {

constexpr int FontGlyphCount = 256;
constexpr std::uint32_t FontTableBytes = FontGlyphCount * 4;
constexpr int GlyphHeaderBytes = 4;

// A font as the program keeps it. data is the file from its offset table on; index[i] is the
// offset in data of the glyph of character i + 1 (glyph 0 is at offset 0). A font that
// failed to load has both arrays empty, and text drawn with it draws nothing.
struct Font {
    std::vector<std::uint8_t> data;
    std::vector<std::int32_t> index;
    // The resident font's name when the font was loaded from one ("sans16"): text drawn with it
    // on a target of another render scale uses the same font made for that scale.
    std::string_view resident;

    bool Empty() const { return data.empty() || index.size() != FontGlyphCount; }
    void Clear() {
        data.clear();
        index.clear();
        resident = {};
    }
};

// What the text routines read: a font owned elsewhere (a Font, or a C caller's arrays).
// Every glyph lookup is checked against dataSize, so a damaged font never reads outside it.
struct FontView {
    const std::uint8_t* data = nullptr;
    std::size_t dataSize = 0;
    const std::int32_t* index = nullptr;  // 256 entries; null for an empty font
    // Mathematical text (draw/math_text.h): the font of the same height its signs come from.
    // Null: every byte is its own glyph, sign escapes included.
    const FontView* signs = nullptr;
    // As Font::resident; empty for a font of no resident name.
    std::string_view resident = {};

    // The glyph of a character code, or null when the font has none that fits in its data.
    const std::uint8_t* Glyph(std::uint8_t code) const;
};

FontView ViewOf(const Font& font);
FontView ViewOf(const Font&& font) = delete;  // the view would outlive the font
// The resident font `name` made for render scale `scale` (2 to 4), loaded on first use and
// kept for the life of the process; null when there is none.
const Font* ScaledResidentFont(std::string_view name, std::int32_t scale);
// Gives the process the resident font `name` made for `scale` (2 to 4) from the bytes of its
// file, for a build that leaves those fonts out (the browser's fetches them when it first draws
// finer). False when the bytes do not read as a font, or the font is there already.
bool AddScaledResidentFont(std::string_view name, std::int32_t scale, std::span<const std::uint8_t> file);

// A glyph's advance (the first u16 read as signed, shifted right by 3) and its height.
inline std::int32_t GlyphWidth(const std::uint8_t* glyph) {
    return static_cast<std::int16_t>(glyph[0] | (glyph[1] << 8)) >> 3;
}
inline std::int32_t GlyphHeight(const std::uint8_t* glyph) { return glyph[2] | (glyph[3] << 8); }
inline std::int32_t GlyphRowBytes(std::int32_t width) { return (width + 7) / 8; }

// Checks a whole font file and splits it into a font: the offsets must start after the table,
// never decrease, leave room for every glyph's header and rows, and end inside the bytes.
// On any inconsistency the font is left empty and false is returned.
bool ParseFontFile(std::span<const std::uint8_t> file, Font& font);

// Files larger than this are refused unread; the largest resident font is about 64 KB.
constexpr std::uintmax_t MaxFontFileBytes = 16u << 20;

// VEKD_LOADFONT: a font from a file. A missing, unreadable, oversized, truncated or
// inconsistent file leaves the font empty and returns false.
bool LoadFontFile(const char* path, Font& font);

// One of the resident fonts by name ("sans12" ... "greek64"): 0, or -1 when there is no font
// of that name (the font is then untouched).
std::int32_t LoadFontResource(std::string_view name, Font& font);

// The resident fonts in their load order: sans 12, 16, 24, 32, 40, 64, then greek likewise.
constexpr int ResidentFontCount = 12;
constexpr std::array<std::string_view, ResidentFontCount> ResidentFontNames = {
    "sans12", "sans16", "sans24", "sans32", "sans40", "sans64",
    "greek12", "greek16", "greek24", "greek32", "greek40", "greek64"};

struct ResidentFonts {
    std::array<Font, ResidentFontCount> fonts;
};

// Loads the twelve resident fonts, skipping the work when the first is already present.
void LoadResidentFonts(ResidentFonts& resident);

// The font size (glyph height) for a requested text size: 16 for n <= 0 or a low half of
// 0xFFFF (the script's "default"), 12 below 14, then the nearest of 16, 24, 32, 40 up to 43,
// 40 up to 49, and 64 above.
std::int32_t FontSizeFor(std::int32_t n);

}  // namespace vekora
