// The recorder: one list of items for the page and for each copy taken of it.
#include "export/figure_record.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "draw/drawn_area.h"
#include "draw/image_surface.h"
#include "draw/math_text.h"
#include "i18n/language.h"
#include "interp/resident.h"

namespace vekora {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t colour) { return colour & 0xFFFFFF; }

// The nominal height of a resident font and whether it is of the Greek family; 0 for a font
// that is none of them (a font file a script loaded).
struct ResidentKind {
    std::int32_t height = 0;
    bool greek = false;
};

ResidentKind KindOfFont(const FontView& font) {
    constexpr std::int32_t Heights[] = {12, 16, 24, 32, 40, 64};
    const ResidentFonts& fonts = Resident().fonts;
    for (int i = 0; i < ResidentFontCount; ++i) {
        if (!fonts.fonts[static_cast<std::size_t>(i)].data.empty() &&
            fonts.fonts[static_cast<std::size_t>(i)].data.data() == font.data) {
            return {Heights[i % 6], i >= 6};
        }
    }
    return {};
}

// The character a glyph shows: Latin-1 at its own code, a sign (or a Greek font's code) by the
// Symbol encoding.
std::string CharacterOf(std::uint8_t code, bool symbol) {
    if (symbol) return MathTextToUtf8(std::string{MathSignEscape, static_cast<char>(code)});
    return MathTextToUtf8(std::string(1, static_cast<char>(code)));
}

// Whether an opaque box covers every page unit of an image of this size.
bool CoversAll(const SurfaceSize& surface, double x1, double y1, double x2, double y2) {
    return std::min(x1, x2) <= 0 && std::min(y1, y2) <= 0 && std::max(x1, x2) >= surface.width - 1 &&
           std::max(y1, y2) >= surface.height - 1;
}

// The colour page unit (x, y) took, when a drawing changed it from `was` to `now`: at a render
// scale, the first pixel of its block that changed.
std::optional<std::uint32_t> ChangedColour(const Surface& now, const Surface& was, std::int32_t x, std::int32_t y) {
    const std::int32_t k = now.scale;
    for (std::int32_t py = y * k; py < (y + 1) * k; ++py)
        for (std::int32_t px = x * k; px < (x + 1) * k; ++px) {
            const std::uint32_t colour = PixelRgb(now, px, py);
            if (colour != PixelRgb(was, px, py)) return colour;
        }
    return std::nullopt;
}

// The item moved by (x, y).
void MoveItem(FigureItem& item, std::int32_t x, std::int32_t y) {
    if (item.kind == FigureItem::Kind::Text) {
        for (double& left : item.xy) left += x;  // only the cells' left edges
        item.top += y;
    } else {
        for (std::size_t i = 0; i < item.xy.size(); ++i) item.xy[i] += i % 2 == 0 ? x : y;
    }
    item.ring.cx += x;
    item.ring.cy += y;
    item.x += x;
    item.y += y;
}

}  // namespace

FigureRecorder::FigureRecorder() : previous_(CurrentFigureListener()) { SetFigureListener(this); }

FigureRecorder::~FigureRecorder() {
    SetFigureListener(previous_);
    if (before_ != nullptr) ImageFree(before_);
}

FigureRecord FigureRecorder::Figure() const {
    const auto found = kept_.find(page_);
    if (page_ == nullptr || found == kept_.end()) return lastPage_;
    FigureRecord record;
    const SurfaceSize size = SurfaceInfo(page_);
    record.width = size.width;
    record.height = size.height;
    record.background = background_;
    record.items = found->second.items;
    record.items.insert(record.items.end(), overlays_.begin(), overlays_.end());
    return record;
}

void FigureRecorder::PageMade(ImageHandle image, std::uint32_t background) {
    if (image == nullptr) return;
    page_ = image;
    background_ = Rgb(background);
    KeepImage(image, background);
}

void FigureRecorder::KeepImage(ImageHandle image, std::uint32_t background) {
    if (image == nullptr) return;
    kept_[image] = Kept{};
    const SurfaceSize size = SurfaceInfo(image);
    if (background != NO_COLOUR && background != TRANSPARENT)
        Box(image, 0, 0, size.width - 1, size.height - 1, true, background, 255);
}

void FigureRecorder::Overlay(ImageHandle image, std::int32_t x, std::int32_t y) {
    const auto found = kept_.find(image);
    if (found == kept_.end()) return;
    std::vector<FigureItem> moved = std::move(found->second.items);
    kept_.erase(found);
    for (FigureItem& item : moved) {
        MoveItem(item, x, y);
        overlays_.push_back(std::move(item));
    }
}

void FigureRecorder::SetStatementLines(const std::vector<RowPlace>& rows) {
    lines_.clear();
    for (const RowPlace& place : rows) lines_[place.module << 16 | place.row] = place.line;
}

void FigureRecorder::Statement(std::int32_t procedure, std::int32_t row) {
    const auto found = lines_.find(procedure << 16 | row);
    statement_ = found != lines_.end() ? found->second : 0;
}

void FigureRecorder::Titled(std::string_view title) { title_ = MathTextToUtf8(title); }

void FigureRecorder::Moment(bool wait) {
    if (onMoment) onMoment(wait);
}

bool FigureRecorder::Keeps(ImageHandle target) const { return kept_.find(target) != kept_.end(); }

void FigureRecorder::Add(ImageHandle target, FigureItem item) {
    const auto found = kept_.find(target);
    if (found == kept_.end()) return;
    item.statement = statement_;
    found->second.items.push_back(std::move(item));
}

void FigureRecorder::Warn(std::string_view what) {
    if (std::find(warned_.begin(), warned_.end(), statement_) != warned_.end()) return;
    warned_.push_back(statement_);
    const std::string where =
        statement_ > 0 ? TrFormat(N_("line %s"), {std::to_string(statement_)}) : std::string(Tr("a statement"));
    warnings_.push_back(TrFormat(N_("%s: %s kept as a picture in the figure"), {where, Tr(what)}));
}

void FigureRecorder::Segment(ImageHandle target, double x1, double y1, double x2, double y2, double width,
                             std::uint16_t mask, std::uint32_t colour) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
    FigureItem item;
    item.kind = FigureItem::Kind::Segment;
    item.colour = Rgb(colour);
    item.xy = {x1, y1, x2, y2};
    item.width = width;
    item.mask = mask;
    if (mask != 0) Add(target, std::move(item));
}

void FigureRecorder::Ring(ImageHandle target, const RingShape& ring, double width, std::uint32_t colour) {
    FigureItem item;
    item.kind = FigureItem::Kind::Ring;
    item.colour = Rgb(colour);
    item.ring = ring;
    item.width = width;
    Add(target, std::move(item));
}

void FigureRecorder::Disc(ImageHandle target, const RingShape& ring, std::uint32_t colour, std::int32_t alpha) {
    if (alpha <= 0) return;
    FigureItem item;
    item.kind = FigureItem::Kind::Disc;
    item.colour = Rgb(colour);
    item.alpha = std::min(alpha, 255);
    item.ring = ring;
    Add(target, std::move(item));
}

void FigureRecorder::Box(ImageHandle target, double x1, double y1, double x2, double y2, bool filled,
                         std::uint32_t colour, std::int32_t alpha) {
    const auto found = kept_.find(target);
    if (found == kept_.end()) return;
    // An opaque box over all of the image hides everything under it: the record starts again.
    if (filled && alpha >= 255 && CoversAll(SurfaceInfo(target), x1, y1, x2, y2)) found->second.items.clear();
    FigureItem item;
    item.kind = FigureItem::Kind::Box;
    item.colour = Rgb(colour);
    item.alpha = alpha;
    item.filled = filled;
    item.xy = {std::round(std::min(x1, x2)), std::round(std::min(y1, y2)), std::round(std::max(x1, x2)),
               std::round(std::max(y1, y2))};
    Add(target, std::move(item));
}

void FigureRecorder::Polygon(ImageHandle target, const double* xy, std::int32_t corners, std::uint32_t colour,
                             std::int32_t alpha) {
    if (alpha <= 0 || corners < 3) return;
    FigureItem item;
    item.kind = FigureItem::Kind::Polygon;
    item.colour = Rgb(colour);
    item.alpha = std::min(alpha, 255);
    item.xy.assign(xy, xy + 2 * corners);
    for (const double v : item.xy)
        if (!std::isfinite(v)) return;
    Add(target, std::move(item));
}

void FigureRecorder::Glyph(ImageHandle target, std::uint8_t code, bool sign, std::int32_t x, std::int32_t y,
                           std::int32_t advance, const FontView& font, std::uint32_t foreground,
                           std::uint32_t background) {
    const auto found = kept_.find(target);
    if (found == kept_.end()) return;
    const FontView& from = sign && font.signs != nullptr ? *font.signs : font;
    const ResidentKind kind = KindOfFont(from);
    const bool hasBackground = background != TransparentColour(target);
    if (kind.height == 0) {
        // A font the program does not know the outlines of: its glyph as it is drawn.
        const std::uint8_t* glyph = from.Glyph(code);
        if (glyph == nullptr) return;
        const std::int32_t w = GlyphWidth(glyph), h = GlyphHeight(glyph), rowBytes = GlyphRowBytes(w);
        if (w <= 0 || h <= 0) return;
        auto pixels = std::make_shared<std::vector<std::uint32_t>>(static_cast<std::size_t>(w) * h, 0);
        for (std::int32_t r = 0; r < h; ++r)
            for (std::int32_t c = 0; c < w; ++c) {
                const bool ink = (glyph[GlyphHeaderBytes + r * rowBytes + c / 8] >> (7 - c % 8)) & 1;
                if (ink || hasBackground)
                    (*pixels)[static_cast<std::size_t>(r * w + c)] = 0xFF000000 | Rgb(ink ? foreground : background);
            }
        FigureItem item;
        item.kind = FigureItem::Kind::Picture;
        item.x = x;
        item.y = y;
        item.w = w;
        item.h = h;
        item.pixels = std::move(pixels);
        Warn(N_("text in a font loaded from a file"));
        Add(target, std::move(item));
        return;
    }
    const bool symbol = sign || kind.greek;
    std::vector<FigureItem>& items = found->second.items;
    // A character right after the last one of the same run of text joins it.
    if (!items.empty()) {
        FigureItem& last = items.back();
        if (last.kind == FigureItem::Kind::Text && last.statement == statement_ && last.top == y &&
            last.fontHeight == kind.height && last.colour == Rgb(foreground) && last.background == hasBackground &&
            (!hasBackground || last.backgroundColour == Rgb(background)) &&
            last.xy.back() + last.advances.back() == x) {
            last.xy.push_back(x);
            last.advances.push_back(advance);
            last.characters.push_back(CharacterOf(code, symbol));
            return;
        }
    }
    FigureItem item;
    item.kind = FigureItem::Kind::Text;
    item.colour = Rgb(foreground);
    item.top = y;
    item.fontHeight = kind.height;
    item.background = hasBackground;
    item.backgroundColour = Rgb(background);
    item.xy = {static_cast<double>(x)};
    item.advances = {static_cast<double>(advance)};
    item.characters = {CharacterOf(code, symbol)};
    Add(target, std::move(item));
}

void FigureRecorder::RasterBefore(ImageHandle target, const PixelRect& area) {
    (void)area;
    if (before_ != nullptr) ImageFree(before_);
    const FigureToldAbove quiet;
    before_ = ImageDuplicate(target);
}

void FigureRecorder::RasterAfter(ImageHandle target, const PixelRect& area) {
    if (before_ == nullptr) return;
    const Surface now = ResolveSurface(target);
    const Surface was = ResolveSurface(before_);
    const PixelRect r = area.ClippedTo(now.width / now.scale, now.height / now.scale);  // page units
    if (r.Empty() || was.width != now.width || was.height != now.height) return;
    // Only the page units the drawing changed: the rest of its rectangle lets the figure show.
    PixelRect changed{r.right, r.bottom, r.left, r.top};
    for (std::int32_t y = r.top; y < r.bottom; ++y)
        for (std::int32_t x = r.left; x < r.right; ++x)
            if (ChangedColour(now, was, x, y)) {
                changed.left = std::min(changed.left, x);
                changed.right = std::max(changed.right, x + 1);
                changed.top = std::min(changed.top, y);
                changed.bottom = std::max(changed.bottom, y + 1);
            }
    if (!changed.Empty()) {
        const std::int32_t w = changed.Width(), h = changed.Height();
        auto pixels = std::make_shared<std::vector<std::uint32_t>>(static_cast<std::size_t>(w) * h, 0);
        for (std::int32_t y = 0; y < h; ++y)
            for (std::int32_t x = 0; x < w; ++x)
                if (const auto colour = ChangedColour(now, was, changed.left + x, changed.top + y))
                    (*pixels)[static_cast<std::size_t>(y * w + x)] = 0xFF000000 | *colour;
        FigureItem item;
        item.kind = FigureItem::Kind::Picture;
        item.x = changed.left;
        item.y = changed.top;
        item.w = w;
        item.h = h;
        item.pixels = std::move(pixels);
        Warn(N_("pixels no figure describes (a fill or a picture)"));
        Add(target, std::move(item));
    }
    ImageFree(before_);
    before_ = nullptr;
}

void FigureRecorder::Copied(ImageHandle source, ImageHandle copy) {
    const auto found = kept_.find(source);
    if (found == kept_.end() || copy == nullptr) return;
    Kept duplicate = found->second;
    kept_[copy] = std::move(duplicate);
}

void FigureRecorder::PutBack(ImageHandle target, std::int32_t x, std::int32_t y, ImageHandle image) {
    const auto from = kept_.find(image);
    const auto to = kept_.find(target);
    if (from == kept_.end() || to == kept_.end() || from == to) return;
    if (x == 0 && y == 0 && SurfaceInfo(image).width >= SurfaceInfo(target).width &&
        SurfaceInfo(image).height >= SurfaceInfo(target).height) {
        to->second.items = from->second.items;
        return;
    }
    // A smaller copy (a page of another size painted back after WINDOW) lies over the figure.
    for (FigureItem item : from->second.items) {
        MoveItem(item, x, y);
        to->second.items.push_back(std::move(item));
    }
}

void FigureRecorder::Freed(ImageHandle image) {
    // The page goes when the run ends: its figure stays to be written.
    if (image == page_) {
        lastPage_ = Figure();
        page_ = nullptr;
    }
    kept_.erase(image);
}

}  // namespace vekora
