// Drawing text with bitmap fonts through the raster layer.
#include "draw/text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "draw/figure_listener.h"
#include "draw/image_scale.h"
#include "draw/math_text.h"

namespace vekora {

namespace {

// A colour as a glyph pixel: on 32-bit surfaces the value itself, alpha byte included (so a
// caller can give text its own alpha for a later blend); otherwise as the layer stores it.
std::uint32_t PixelOf(std::uint32_t colour, std::int32_t bytesPerPixel) {
    return bytesPerPixel == 4 ? colour : EncodeColour(colour, bytesPerPixel);
}

// Expands the one-bit rows into pixels. Callers size `out` to width * height pixels.
template <typename Pixel>
void ExpandGlyph(const std::uint8_t* rows, std::int32_t width, std::int32_t height, Pixel foreground,
                 Pixel background, std::uint8_t* out) {
    const std::int32_t rowBytes = GlyphRowBytes(width);
    for (std::int32_t r = 0; r < height; ++r, rows += rowBytes) {
        for (std::int32_t c = 0; c < width; ++c, out += sizeof(Pixel)) {
            const Pixel pixel = ((rows[c >> 3] >> (7 - (c & 7))) & 1) ? foreground : background;
            std::memcpy(out, &pixel, sizeof pixel);
        }
    }
}

template <typename Pixel>
void ExpandGlyphAs(const std::uint8_t* glyph, std::uint32_t foreground, std::uint32_t background,
                   std::uint8_t* out) {
    ExpandGlyph<Pixel>(glyph + GlyphHeaderBytes, GlyphWidth(glyph), GlyphHeight(glyph),
                       static_cast<Pixel>(PixelOf(foreground, sizeof(Pixel))),
                       static_cast<Pixel>(PixelOf(background, sizeof(Pixel))), out);
}

std::int32_t SignedLineHeight(const std::uint8_t* glyph0) {
    return static_cast<std::int16_t>(glyph0[2] | (glyph0[3] << 8));
}

constexpr auto SignEscape = static_cast<std::uint8_t>(MathSignEscape);

std::uint8_t ByteAt(std::string_view text, std::size_t i) { return static_cast<std::uint8_t>(text[i]); }

// Whether byte i is the code of a sign pair in text drawn with `font`.
bool IsSign(std::string_view text, std::size_t i, const FontView& font) {
    return font.signs != nullptr && i > 0 && ByteAt(text, i - 1) == SignEscape && ByteAt(text, i) != SignEscape;
}

// The glyph byte i of the text shows. With a sign family the escape shows nothing and the
// byte after it is a sign of that family, or "?" where the family has no glyph for it.
const std::uint8_t* GlyphAt(std::string_view text, std::size_t i, const FontView& font) {
    const std::uint8_t byte = ByteAt(text, i);
    if (font.signs != nullptr && byte == SignEscape) return nullptr;
    if (IsSign(text, i, font)) {
        const std::uint8_t* sign = font.signs->Glyph(byte);
        if (sign != nullptr && GlyphWidth(sign) > 0 && GlyphHeight(sign) > 0) return sign;
        return font.Glyph('?');
    }
    return font.Glyph(byte);
}

// Where a line may break: a space or control byte, but not inside a sign pair.
bool IsBreak(std::string_view text, std::size_t i, const FontView& font) {
    const std::uint8_t byte = ByteAt(text, i);
    if (byte > 32) return false;
    return font.signs == nullptr || (byte != SignEscape && !IsSign(text, i, font));
}

// The font (and its sign family) made for a render scale, when the font is a resident one
// made for it; false otherwise, and the text's glyphs are then enlarged from the font's own.
bool ScaledViews(const FontView& font, std::int32_t scale, FontView& view, FontView& signs) {
    if (scale <= 1) return false;
    const Font* fine = ScaledResidentFont(font.resident, scale);
    if (fine == nullptr) return false;
    view = ViewOf(*fine);
    if (font.signs == nullptr) return true;
    const Font* fineSigns = ScaledResidentFont(font.signs->resident, scale);
    if (fineSigns == nullptr) return false;
    signs = ViewOf(*fineSigns);
    view.signs = &signs;
    return true;
}

// A glyph made for `glyphScale` times its page size, put at page position (x, y).
void PutGlyphAtScale(ImageHandle target, const std::uint8_t* glyph, std::int32_t glyphScale, std::int32_t x,
                     std::int32_t y, std::uint32_t foreground, std::uint32_t background);

// Bytes begin ... end - 1 of the text from (x, y), each glyph chosen in the whole text's
// context, so that a line that starts inside a sign pair still shows the sign. The pen moves
// by the glyphs of `font` (page units); on a target of a render scale the glyphs drawn are
// those of the font made for that scale, when there is one.
void PrintRange(ImageHandle target, std::string_view text, std::size_t begin, std::size_t end, const FontView& font,
                std::int32_t x, std::int32_t y, std::uint32_t foreground, std::uint32_t background) {
    const std::int32_t scale = ImageScale(target);
    FontView scaled, scaledSigns;
    const bool fine = ScaledViews(font, scale, scaled, scaledSigns);
    // Glyph widths are never negative, so once the pen passes the target's right edge
    // nothing further can show; stopping there bounds the time a huge text takes.
    const std::int64_t rightEdge = SurfaceInfo(target).width;
    std::int64_t cx = x;
    FigureListener* listener = ListenerFor(target);
    const FigureToldAbove told;
    for (std::size_t i = begin; i < end; ++i) {
        if (cx >= rightEdge) break;
        const std::uint8_t* glyph = GlyphAt(text, i, font);
        if (glyph == nullptr) continue;
        if (listener != nullptr) {
            listener->Glyph(target, ByteAt(text, i), IsSign(text, i, font), static_cast<std::int32_t>(cx), y,
                            GlyphWidth(glyph), font, foreground, background);
        }
        const std::uint8_t* shown = fine ? GlyphAt(text, i, scaled) : glyph;
        PutGlyphAtScale(target, shown, fine ? scale : 1, static_cast<std::int32_t>(cx), y, foreground, background);
        cx += GlyphWidth(glyph);
    }
}

}  // namespace

namespace {

void PutGlyphAtScale(ImageHandle target, const std::uint8_t* glyph, std::int32_t glyphScale, std::int32_t x,
                     std::int32_t y, std::uint32_t foreground, std::uint32_t background) {
    if (glyph == nullptr) return;
    const std::int32_t depth = SurfaceInfo(target).bytesPerPixel;
    const std::int32_t width = GlyphWidth(glyph);
    const std::int32_t height = GlyphHeight(glyph);
    if ((depth != 1 && depth != 2 && depth != 4) || width <= 0 || height <= 0) return;

    std::vector<std::uint8_t> image;
    try {
        image.resize(ImageHeaderBytes + static_cast<std::size_t>(width) * height * depth);
    } catch (const std::bad_alloc&) {
        return;  // no memory for the glyph's picture: the glyph is not drawn
    }
    const auto header = static_cast<std::uint16_t>((width << 3) | depth);
    const auto rows = static_cast<std::uint16_t>(height);
    std::memcpy(image.data(), &header, 2);
    std::memcpy(image.data() + 2, &rows, 2);
    std::uint8_t* pixels = image.data() + ImageHeaderBytes;
    switch (depth) {
        case 1: ExpandGlyphAs<std::uint8_t>(glyph, foreground, background, pixels); break;
        case 2: ExpandGlyphAs<std::uint16_t>(glyph, foreground, background, pixels); break;
        default: ExpandGlyphAs<std::uint32_t>(glyph, foreground, background, pixels); break;
    }
    // The glyph's picture is at the glyph's scale for the blit only.
    SetImageScale(image.data(), glyphScale);
    ImageBlit(target, static_cast<float>(x), static_cast<float>(y), image.data(), BlitMode::Transparent, 0);
    SetImageScale(image.data(), 1);
}

}  // namespace

void PutGlyph(ImageHandle target, const std::uint8_t* glyph, std::int32_t x, std::int32_t y,
              std::uint32_t foreground, std::uint32_t background) {
    PutGlyphAtScale(target, glyph, 1, x, y, foreground, background);
}

void PrintText(ImageHandle target, std::string_view text, const FontView& font, std::int32_t x,
               std::int32_t y, std::uint32_t foreground, std::uint32_t background) {
    PrintRange(target, text, 0, text.size(), font, x, y, foreground, background);
}

std::int32_t StringWidth(std::string_view text, const FontView& font) {
    std::int64_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const std::uint8_t* glyph = GlyphAt(text, i, font)) width += GlyphWidth(glyph);
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(width, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t NextBreak(std::string_view text, std::int64_t& pos, std::int64_t maxW, const FontView& font) {
    const auto length = static_cast<std::int64_t>(text.size());
    const auto byteAt = [&text](std::int64_t i) { return static_cast<std::uint8_t>(text[static_cast<std::size_t>(i)]); };
    std::int64_t sum = 0;
    for (std::int64_t i = pos;;) {
        if (i >= length - 1) {
            pos = length;
            return 0;
        }
        ++i;
        const std::uint8_t c = byteAt(i);
        if (c == 13) {
            pos = i + 1;
            return 13;
        }
        if (const std::uint8_t* glyph = GlyphAt(text, static_cast<std::size_t>(i), font)) sum += GlyphWidth(glyph);
        if (sum <= maxW) continue;
        std::int64_t j = i - 1;
        while (j >= pos && !IsBreak(text, static_cast<std::size_t>(j), font)) --j;
        if (j > pos) {
            pos = j + 1;
            return byteAt(j);
        }
        pos = i - 1;
        return -1;
    }
}

namespace {

// The lines of text wrapped into a box of width x height from the top `y`: draw(start, last,
// top) for each line shown (bytes start to last, last < start for an empty line). Returns the
// byte where showing stopped: the text's size when all of it was shown.
template <typename DrawLine>
std::int64_t WrapLines(std::string_view text, const FontView& font, std::int32_t y, std::int32_t width,
                       std::int32_t height, DrawLine draw) {
    const std::uint8_t* glyph0 = font.Glyph(0);
    if (glyph0 == nullptr) return 0;  // an empty font has no text to show
    const std::int64_t lineHeight = SignedLineHeight(glyph0);
    const std::int64_t maxW = width - (lineHeight >> 1);
    const std::int64_t lastTop = std::int64_t{y} + height - lineHeight;
    std::int64_t pos = 0;
    std::int64_t cy = y;
    for (;;) {
        const std::int64_t start = pos;
        const std::int32_t r = NextBreak(text, pos, maxW, font);
        if (r == 0) pos += 1;
        draw(start, r == -1 ? pos - 1 : pos - 2, cy);
        cy += lineHeight;
        // A line that made no progress is followed by the same empty line again and again.
        if (r == 0) return static_cast<std::int64_t>(text.size());
        if (pos == start || cy > lastTop) return std::min<std::int64_t>(pos, static_cast<std::int64_t>(text.size()));
    }
}

}  // namespace

void LineWrap(ImageHandle target, std::string_view text, const FontView& font, std::int32_t x, std::int32_t y,
              std::int32_t width, std::int32_t height, std::uint32_t foreground, std::uint32_t background) {
    // A box without width or height has nothing to fill (its corners, taken as given,
    // would name a two-pixel-wide strip).
    if (background != TransparentColour(target) && width > 0 && height > 0) {
        RasterLine(target, static_cast<float>(x), static_cast<float>(y), static_cast<float>(std::int64_t{x} + width - 1),
                   static_cast<float>(std::int64_t{y} + height - 1), background, LineKind::FilledBox, 0xFFFF);
    }
    WrapLines(text, font, y, width, height, [&](std::int64_t start, std::int64_t last, std::int64_t cy) {
        if (last >= start && cy >= std::numeric_limits<std::int32_t>::min() &&
            cy <= std::numeric_limits<std::int32_t>::max()) {
            PrintRange(target, text, static_cast<std::size_t>(start), static_cast<std::size_t>(last + 1), font, x,
                       static_cast<std::int32_t>(cy), foreground, background);
        }
    });
}

std::string_view TextNotShown(std::string_view text, const FontView& font, std::int32_t width, std::int32_t height) {
    const std::uint8_t* glyph0 = font.Glyph(0);
    if (glyph0 == nullptr || height < GlyphHeight(glyph0)) return {};  // no line shows whole
    const std::int64_t end = WrapLines(text, font, 0, width, height, [](std::int64_t, std::int64_t, std::int64_t) {});
    std::string_view hidden = text.substr(static_cast<std::size_t>(std::clamp<std::int64_t>(end, 0, static_cast<std::int64_t>(text.size()))));
    while (!hidden.empty() && (hidden.front() == ' ' || hidden.front() == '\r')) hidden.remove_prefix(1);
    return hidden;
}

std::int64_t WrappedTextHeight(std::string_view text, const FontView& font, std::int32_t width) {
    const std::uint8_t* glyph0 = font.Glyph(0);
    if (glyph0 == nullptr) return 0;
    std::int64_t lines = 0;
    WrapLines(text, font, 0, width, std::numeric_limits<std::int32_t>::max(),
              [&lines](std::int64_t, std::int64_t, std::int64_t) { ++lines; });
    return lines * SignedLineHeight(glyph0);
}

}  // namespace vekora
