// Loading and checking bitmap fonts, and the choice of font size for a text size.
#include "draw/font.h"

#include <cstdio>
#include <memory>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <utility>

#include "resources/embedded.h"

namespace vekora {

namespace {

std::uint32_t ReadU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// Whether a glyph's header and rows fit in the `available` bytes from its start.
bool GlyphFits(const std::uint8_t* glyph, std::size_t available) {
    if (available < GlyphHeaderBytes) return false;
    const std::int32_t width = GlyphWidth(glyph);
    if (width < 0) return false;
    const std::uint64_t rows = static_cast<std::uint64_t>(GlyphHeight(glyph)) * GlyphRowBytes(width);
    return GlyphHeaderBytes + rows <= available;
}

// Reads at most limit + 1 bytes, so that an oversized file (or an endless device) is
// recognised without reading it all.
bool ReadCapped(const char* path, std::uintmax_t limit, std::vector<std::uint8_t>& bytes) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) return false;
    std::uint8_t chunk[16384];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > limit) return false;
        if (got < sizeof chunk) return std::ferror(file.get()) == 0;
    }
}

}  // namespace

const std::uint8_t* FontView::Glyph(std::uint8_t code) const {
    if (data == nullptr || index == nullptr) return nullptr;
    const std::int64_t offset = code == 0 ? 0 : index[code - 1];
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= dataSize) return nullptr;
    const std::uint8_t* glyph = data + offset;
    return GlyphFits(glyph, dataSize - static_cast<std::size_t>(offset)) ? glyph : nullptr;
}

FontView ViewOf(const Font& font) {
    if (font.Empty()) return {};
    return {font.data.data(), font.data.size(), font.index.data(), nullptr, font.resident};
}

namespace {

constexpr std::int32_t MostFontScale = 4;

// The scaled fonts loaded so far, once each and never freed: views of them may be held
// anywhere. An entry may be empty: the build has no such font (yet).
struct ScaledFonts {
    std::mutex lock;
    std::map<std::pair<std::string, std::int32_t>, Font> loaded;
    std::map<std::pair<std::string, std::int32_t>, std::string> addedNames;  // resident names of added ones
};
ScaledFonts& TheScaledFonts() {
    static ScaledFonts fonts;
    return fonts;
}

}  // namespace

const Font* ScaledResidentFont(std::string_view name, std::int32_t scale) {
    if (name.empty() || scale < 2 || scale > MostFontScale) return nullptr;
    ScaledFonts& fonts = TheScaledFonts();
    const std::lock_guard<std::mutex> guard(fonts.lock);
    const auto key = std::make_pair(std::string(name), scale);
    auto found = fonts.loaded.find(key);
    if (found == fonts.loaded.end()) {
        Font font;
        LoadFontResource(key.first + "x" + std::to_string(scale), font);
        found = fonts.loaded.emplace(key, std::move(font)).first;
    }
    return found->second.Empty() ? nullptr : &found->second;
}

bool AddScaledResidentFont(std::string_view name, std::int32_t scale, std::span<const std::uint8_t> file) {
    if (name.empty() || scale < 2 || scale > MostFontScale) return false;
    ScaledFonts& fonts = TheScaledFonts();
    const std::lock_guard<std::mutex> guard(fonts.lock);
    const auto key = std::make_pair(std::string(name), scale);
    Font& font = fonts.loaded[key];
    if (!font.Empty()) return false;
    if (!ParseFontFile(file, font)) return false;
    const std::string& resident = fonts.addedNames[key] = key.first + "x" + std::to_string(scale);
    font.resident = resident;
    return true;
}

namespace {

// The checks of ParseFontFile, with its allocations; throws only std::bad_alloc.
bool SplitFontFile(std::span<const std::uint8_t> file, Font& font) {
    font.Clear();
    if (file.size() < FontTableBytes) return false;
    std::vector<std::int32_t> index(FontGlyphCount);
    std::uint32_t start = FontTableBytes;
    for (int code = 0; code < FontGlyphCount; ++code) {
        const std::uint32_t end = ReadU32(file.data() + code * 4);
        if (end < start || end > file.size() || !GlyphFits(file.data() + start, end - start)) return false;
        index[code] = static_cast<std::int32_t>(end - FontTableBytes);
        start = end;
    }
    // Bytes after end[255] belong to no glyph and are left out.
    font.data.assign(file.begin() + FontTableBytes, file.begin() + start);
    font.index = std::move(index);
    return true;
}

}  // namespace

bool ParseFontFile(std::span<const std::uint8_t> file, Font& font) {
    try {
        return SplitFontFile(file, font);
    } catch (const std::bad_alloc&) {
        font.Clear();
        return false;
    }
}

bool LoadFontFile(const char* path, Font& font) {
    try {
        std::vector<std::uint8_t> bytes;
        if (path != nullptr && ReadCapped(path, MaxFontFileBytes, bytes)) return ParseFontFile(bytes, font);
    } catch (const std::bad_alloc&) {
        // Out of memory for the file is one more way of not loading it.
    }
    font.Clear();
    return false;
}

std::int32_t LoadFontResource(std::string_view name, Font& font) {
    const EmbeddedResource* resource = FindEmbeddedResource("myFont", name);
    if (resource == nullptr) return -1;
    // The embedded fonts are checked like any file; a damaged one is a build fault, and
    // leaves the font empty rather than trusted.
    if (ParseFontFile(resource->bytes, font)) font.resident = resource->name;
    return 0;
}

void LoadResidentFonts(ResidentFonts& resident) {
    if (!resident.fonts[0].Empty()) return;
    for (int i = 0; i < ResidentFontCount; ++i) LoadFontResource(ResidentFontNames[i], resident.fonts[i]);
}

std::int32_t FontSizeFor(std::int32_t n) {
    if (n <= 0 || (n & 0xFFFF) == 0xFFFF) return 16;
    if (n < 14) return 12;
    if (n < 44) return (n + 4) & 0xF8;
    if (n < 50) return 40;
    return 64;
}

}  // namespace vekora
