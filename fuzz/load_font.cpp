// Any bytes as a font file: refused whole or split into glyphs that lie inside the bytes, and
// every glyph drawn into a small image without touching memory outside either.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "draw/font.h"
#include "draw/image.h"
#include "draw/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vekora::Font font;
    if (!vekora::ParseFontFile(std::span<const std::uint8_t>(data, size), font)) return 0;
    const vekora::FontView view = vekora::ViewOf(font);
    std::string everyCode;
    for (int code = 1; code < 256; ++code) everyCode.push_back(static_cast<char>(code));
    vekora::ImageHandle image = vekora::ImageNewOfDepth(64, 32, 2, 0xFFFFFF);
    vekora::PrintText(image, everyCode, view, -8, 4, 0x000000, 0xFF0000);
    vekora::ImageFree(image);
    return 0;
}
