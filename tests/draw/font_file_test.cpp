// Font files: a sound file round-trips, a damaged one leaves the font empty without reading
// past its end; and the choice of font size for a text size.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "draw/font.h"
#include "resources/embedded.h"
#include "tests/support/font_support.h"

namespace vekora {
namespace {

using testing::BuildFontFile;
using testing::GlyphSpec;

class FontFile : public ::testing::Test {
protected:
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("vekora_font_" + std::to_string(::getpid()) + ".vfn");
    void TearDown() override { std::filesystem::remove(path); }
    void Write(const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

std::vector<std::uint8_t> ResidentBytes(const char* name) {
    const EmbeddedResource* resource = FindEmbeddedResource("myFont", name);
    EXPECT_NE(resource, nullptr);
    return {resource->bytes.begin(), resource->bytes.end()};
}

std::uint32_t GlyphStart(const std::vector<std::uint8_t>& file, int code) {
    const std::size_t at = (code - 1) * 4;
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<std::uint32_t>(file[at + 3]) << 24);
}

void PutU32(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
    for (int b = 0; b < 4; ++b) file[at + b] = static_cast<std::uint8_t>(value >> (8 * b));
}

TEST_F(FontFile, AFileLoadsAsTheSameResourceDoes) {
    for (const char* name : {"greek16", "sans64"}) {
        Write(ResidentBytes(name));
        Font fromFile;
        Font fromResource;
        ASSERT_TRUE(LoadFontFile(path.c_str(), fromFile)) << name;
        ASSERT_EQ(LoadFontResource(name, fromResource), 0);
        EXPECT_EQ(fromFile.data, fromResource.data) << name;
        EXPECT_EQ(fromFile.index, fromResource.index) << name;
    }
}

TEST_F(FontFile, IndexIsEachEndLessTheTableAndGlyphZeroStartsTheData) {
    Write(BuildFontFile([](int code) { return GlyphSpec{code % 3 == 0 ? 9 : 4, 2, {}}; }));
    Font font;
    ASSERT_TRUE(LoadFontFile(path.c_str(), font));
    ASSERT_EQ(font.index.size(), 256u);
    // Glyph 0 (9 wide: 2 bytes a row) is 4 + 2 * 2 bytes; glyph 1 (4 wide) 4 + 2 * 1.
    EXPECT_EQ(font.index[0], 8);
    EXPECT_EQ(font.index[1], 14);
    EXPECT_EQ(static_cast<std::size_t>(font.index[255]), font.data.size());
    const FontView view = ViewOf(font);
    EXPECT_EQ(view.Glyph(0), font.data.data());
    EXPECT_EQ(view.Glyph(1), font.data.data() + font.index[0]);
    EXPECT_EQ(GlyphWidth(view.Glyph(3)), 9);
}

TEST_F(FontFile, TrailingBytesAfterTheLastGlyphAreLeftOut) {
    std::vector<std::uint8_t> bytes = ResidentBytes("sans12");
    const std::size_t size = bytes.size();
    bytes.resize(size + 100, 0xAB);
    Write(bytes);
    Font font;
    ASSERT_TRUE(LoadFontFile(path.c_str(), font));
    EXPECT_EQ(font.data.size(), size - FontTableBytes);
}

// Each case damages a sound font file; every one must leave the font empty.
struct Damage {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> apply;
};

TEST_F(FontFile, DamagedFilesLeaveTheFontEmpty) {
    const std::vector<Damage> damages = {
        {"empty file", [](auto& f) { f.clear(); }},
        {"table cut short", [](auto& f) { f.resize(1023); }},
        {"table only", [](auto& f) { f.resize(1024); }},
        {"last byte missing", [](auto& f) { f.pop_back(); }},
        {"half the glyphs missing", [](auto& f) { f.resize(f.size() / 2); }},
        {"end past the file", [](auto& f) { PutU32(f, 255 * 4, 0xFFFFFFF0u); }},
        {"ends going backwards", [](auto& f) { PutU32(f, 100 * 4, 1024); }},
        {"glyph 0 inside the table", [](auto& f) { PutU32(f, 0, 1000); }},
        {"glyph shorter than its header", [](auto& f) { PutU32(f, 0, 1026); }},
        {"rows beyond the glyph", [](auto& f) { f[GlyphStart(f, 'A') + 2] = 0xFF; f[GlyphStart(f, 'A') + 3] = 0x7F; }},
        {"negative width", [](auto& f) { f[1024 + 1] = 0x80; }},
    };
    for (const Damage& damage : damages) {
        std::vector<std::uint8_t> bytes = ResidentBytes("sans16");
        damage.apply(bytes);
        Write(bytes);
        Font font;
        ASSERT_EQ(LoadFontResource("sans12", font), 0);
        EXPECT_FALSE(LoadFontFile(path.c_str(), font)) << damage.what;
        EXPECT_TRUE(font.data.empty()) << damage.what;
        EXPECT_TRUE(font.index.empty()) << damage.what;
        EXPECT_TRUE(font.Empty()) << damage.what;
    }
}

TEST_F(FontFile, MissingDirectoryAndOversizedFilesLeaveTheFontEmpty) {
    Font font;
    ASSERT_EQ(LoadFontResource("sans12", font), 0);
    EXPECT_FALSE(LoadFontFile((path.string() + ".absent").c_str(), font));
    EXPECT_TRUE(font.Empty());
    EXPECT_FALSE(LoadFontFile(std::filesystem::temp_directory_path().c_str(), font));
    EXPECT_FALSE(LoadFontFile(nullptr, font));
    // A sound font followed by more bytes than any font needs is refused unread.
    Write(ResidentBytes("sans12"));
    std::filesystem::resize_file(path, MaxFontFileBytes + 1);
    EXPECT_FALSE(LoadFontFile(path.c_str(), font));
    EXPECT_TRUE(font.Empty());
}

// A font handed in by a caller is only read through checked lookups: offsets outside the
// data give no glyph instead of a read past the end.
TEST(FontView, LookupsOutsideTheDataGiveNoGlyph) {
    Font font = testing::BlockFont(3, 2);
    FontView view = ViewOf(font);
    std::vector<std::int32_t> index = font.index;
    index['A' - 1] = -4;
    index['B' - 1] = static_cast<std::int32_t>(font.data.size());
    index['C' - 1] = static_cast<std::int32_t>(font.data.size()) - 5;  // header fits, rows do not
    view.index = index.data();
    EXPECT_EQ(view.Glyph('A'), nullptr);
    EXPECT_EQ(view.Glyph('B'), nullptr);
    EXPECT_EQ(view.Glyph('C'), nullptr);
    EXPECT_NE(view.Glyph('D'), nullptr);
    EXPECT_EQ(FontView{}.Glyph('D'), nullptr);
}

TEST(FontSizeFor, MapsTextSizesToTheResidentHeights) {
    struct Case {
        std::int32_t n;
        std::int32_t size;
    };
    const Case cases[] = {{-5, 16}, {0, 16},  {0xFFFF, 16}, {0x1FFFF, 16}, {-1, 16}, {1, 12},  {13, 12},
                          {14, 16}, {19, 16}, {20, 24},     {27, 24},      {28, 32}, {35, 32}, {36, 40},
                          {43, 40}, {44, 40}, {49, 40},     {50, 64},      {1000, 64}, {0x10000, 64}};
    for (const Case& c : cases) EXPECT_EQ(FontSizeFor(c.n), c.size) << c.n;
}

}  // namespace
}  // namespace vekora
