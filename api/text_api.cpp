// The font and text routines of vekora.h. A null text counts as "", a null font as an empty
// font, a null number as 0; fonts handed in are read only through checked glyph lookups.
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "api/c_arguments.h"
#include "draw/font.h"
#include "draw/text.h"
#include "vekora.h"

namespace {

using namespace vekora;
using namespace vekora::capi;

// Moves a loaded font into the caller's struct; an empty font leaves data null and size 0.
void Hand(const Font& loaded, VekFont* font) {
    std::free(font->data);
    *font = VekFont{};
    if (loaded.Empty()) return;
    font->data = static_cast<std::uint8_t*>(std::malloc(loaded.data.size()));
    if (font->data == nullptr) return;
    std::memcpy(font->data, loaded.data.data(), loaded.data.size());
    font->size = static_cast<std::int32_t>(loaded.data.size());
    std::memcpy(font->index, loaded.index.data(), sizeof font->index);
}

}  // namespace

extern "C" {

VEK_API int32_t VEKD_LOADFONT(const char* fileName, VekFont* font) {
    if (font == nullptr) return 0;
    Font loaded;
    LoadFontFile(fileName, loaded);
    Hand(loaded, font);
    return 0;
}

VEK_API int32_t VEKD_LOADFONTRESOURCE(const char* name, VekFont* font) {
    Font loaded;
    if (font == nullptr || LoadFontResource(Text(name), loaded) != 0) return -1;
    Hand(loaded, font);
    return 0;
}

VEK_API int32_t VEKD_FREEFONT(VekFont* font) {
    if (font == nullptr) return 0;
    std::free(font->data);
    *font = VekFont{};
    return 0;
}

VEK_API int32_t VEKD_PUTBN(const VekImage* target, const uint8_t* glyph, const int32_t* x, const int32_t* y,
                           const int32_t* foreground, const int32_t* background) {
    PutGlyph(Target(target), glyph, In(x), In(y), Colour(foreground), Colour(background));
    return 0;
}

VEK_API int32_t VEKD_PRINT(const VekImage* target, const char* text, const VekFont* font, const int32_t* x,
                           const int32_t* y, const int32_t* foreground, const int32_t* background) {
    return Guarded<std::int32_t>(-1, [&] {
        PrintText(Target(target), Text(text), View(font), In(x), In(y), Colour(foreground), Colour(background));
        return 0;
    });
}

VEK_API int32_t VEKD_STRINGW(const char* text, const VekFont* font) { return StringWidth(Text(text), View(font)); }

VEK_API int32_t VEKD_LINEWRAP(const VekImage* target, const char* text, const VekFont* font, const int32_t* x,
                              const int32_t* y, const int32_t* width, const int32_t* height,
                              const int32_t* foreground, const int32_t* background) {
    return Guarded<std::int32_t>(-1, [&] {
        LineWrap(Target(target), Text(text), View(font), In(x), In(y), In(width), In(height), Colour(foreground),
                 Colour(background));
        return 0;
    });
}

}  // extern "C"
