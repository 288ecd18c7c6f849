// The vector record of a run's figure: what was drawn on the page, in order, as lines, circles,
// fills, text and (where no figure describes the pixels) pictures; and the recorder that keeps
// it in step with the page while the run draws. What the page restores from a saved copy, what
// CLS clears and what is drawn over is restored, cleared or covered in the record the same way.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "draw/figure_listener.h"
#include "script/diagnostics.h"

namespace vekora {

struct FigureItem {
    enum class Kind { Segment, Ring, Disc, Box, Polygon, Text, Picture };
    Kind kind = Kind::Segment;
    std::uint32_t colour = 0;  // 0xRRGGBB
    std::int32_t alpha = 255;
    std::int32_t statement = 0;  // the source line that drew it; 0: none known
    // Segment: x1 y1 x2 y2. Box: the corner pixels' x1 y1 x2 y2. Polygon: x, y of each corner.
    // Text: the left edge of each character's cell.
    std::vector<double> xy;
    double width = 1;               // Segment, Ring
    std::uint16_t mask = 0xFFFF;    // Segment
    RingShape ring;                 // Ring, Disc
    bool filled = false;            // Box
    // Text: one UTF-8 character a cell, the cells' top and height, the font's nominal height.
    std::vector<std::string> characters;
    std::vector<double> advances;
    double top = 0;
    std::int32_t fontHeight = 16;
    bool background = false;
    std::uint32_t backgroundColour = 0;
    // Picture: its place and 0xAARRGGBB pixels, row by row (alpha 0: nothing there).
    std::int32_t x = 0, y = 0, w = 0, h = 0;
    std::shared_ptr<const std::vector<std::uint32_t>> pixels;
};

// A figure as it stands: its size in pixels, its items bottom to top, and its background.
struct FigureRecord {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t background = 0xFFFFFF;
    std::vector<FigureItem> items;
};

// Keeps the record of the page and of every copy taken of it, so that a film that puts its
// saved page back puts the saved record back too. Set as the thread's figure listener while it
// lives.
class FigureRecorder final : public FigureListener {
public:
    FigureRecorder();
    ~FigureRecorder() override;
    FigureRecorder(const FigureRecorder&) = delete;
    FigureRecorder& operator=(const FigureRecorder&) = delete;

    // The page as recorded now, or as it was when the run let it go; empty (0 x 0) before a
    // page was made.
    FigureRecord Figure() const;
    // The source line of each (procedure << 16 | row) statement, for the items' statements.
    void SetStatementLines(const std::vector<RowPlace>& rows);
    // Items that could not be drawn as figures, one warning a statement.
    const std::vector<std::string>& Warnings() const { return warnings_; }

    // The page `image` was made, filled with `background`: kept from now on.
    void PageMade(ImageHandle image, std::uint32_t background) override;
    void KeepImage(ImageHandle image, std::uint32_t background) override;
    void Overlay(ImageHandle image, std::int32_t x, std::int32_t y) override;
    void Shown() override { overlays_.clear(); }
    void Statement(std::int32_t procedure, std::int32_t row) override;
    void Moment(bool wait) override;
    void Titled(std::string_view title) override;
    // Called at every moment of the lesson; none: moments pass unseen.
    std::function<void(bool wait)> onMoment;
    const std::string& Title() const { return title_; }

    bool Keeps(ImageHandle target) const override;
    void Segment(ImageHandle target, double x1, double y1, double x2, double y2, double width, std::uint16_t mask,
                 std::uint32_t colour) override;
    void Ring(ImageHandle target, const RingShape& ring, double width, std::uint32_t colour) override;
    void Disc(ImageHandle target, const RingShape& ring, std::uint32_t colour, std::int32_t alpha) override;
    void Box(ImageHandle target, double x1, double y1, double x2, double y2, bool filled, std::uint32_t colour,
             std::int32_t alpha) override;
    void Polygon(ImageHandle target, const double* xy, std::int32_t corners, std::uint32_t colour,
                 std::int32_t alpha) override;
    void Glyph(ImageHandle target, std::uint8_t code, bool sign, std::int32_t x, std::int32_t y,
               std::int32_t advance, const FontView& font, std::uint32_t foreground,
               std::uint32_t background) override;
    void RasterBefore(ImageHandle target, const PixelRect& area) override;
    void RasterAfter(ImageHandle target, const PixelRect& area) override;
    void Copied(ImageHandle source, ImageHandle copy) override;
    void PutBack(ImageHandle target, std::int32_t x, std::int32_t y, ImageHandle image) override;
    void Freed(ImageHandle image) override;

private:
    struct Kept {
        std::vector<FigureItem> items;
    };
    void Add(ImageHandle target, FigureItem item);
    void Warn(std::string_view what);  // `what` a catalogue text

    std::unordered_map<ImageHandle, Kept> kept_;
    ImageHandle page_ = nullptr;
    std::uint32_t background_ = 0xFFFFFF;
    std::map<std::int32_t, std::int32_t> lines_;
    std::int32_t statement_ = 0;
    std::vector<std::string> warnings_;
    std::string title_;
    std::vector<FigureItem> overlays_;
    FigureRecord lastPage_;  // text on the screen over the page, in page coordinates
    std::vector<std::int32_t> warned_;
    // The pixels of a RasterBefore's area, to find what the raster drawing changed.
    ImageHandle before_ = nullptr;
    FigureListener* previous_ = nullptr;
};

}  // namespace vekora
