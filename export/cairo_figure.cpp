// Replaying a figure's items on a cairo context.
#include "export/cairo_figure.h"

#include <cmath>
#include <cstring>

#include "export/figure_style.h"

namespace vekora {
namespace {

void SetColour(cairo_t* cr, std::uint32_t colour, std::int32_t alpha) {
    cairo_set_source_rgba(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0,
                          alpha / 255.0);
}

double Px(double v) { return v + PixelCentre; }

// The arc's path from start to end on the screen (angles counter-clockwise, y down).
void ArcPath(cairo_t* cr, const RingShape& ring, double r, bool withRadii) {
    const double cx = Px(ring.cx), cy = Px(ring.cy);
    if (ring.full) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        return;
    }
    const double sweep = ArcSweep(ring.start, ring.end);
    if (withRadii) cairo_move_to(cr, cx, cy);
    else cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, r, -ring.start, -(ring.start + sweep));
    if (withRadii) cairo_close_path(cr);
}

void DrawSegment(cairo_t* cr, const FigureItem& item) {
    const double dx = item.xy[2] - item.xy[0], dy = item.xy[3] - item.xy[1];
    const DashRuns dash = RunsOfMask(item.mask);
    if (!dash.runs.empty()) {
        const double scale = DashScale(dx, dy);
        std::vector<double> runs;
        for (const double run : dash.runs) runs.push_back(run * scale);
        cairo_set_dash(cr, runs.data(), static_cast<int>(runs.size()), dash.offset * scale);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    } else {
        cairo_set_dash(cr, nullptr, 0, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    }
    cairo_set_line_width(cr, item.width);
    cairo_move_to(cr, Px(item.xy[0]), Px(item.xy[1]));
    cairo_line_to(cr, Px(item.xy[2]), Px(item.xy[3]));
    cairo_stroke(cr);
}

void DrawText(cairo_t* cr, const FigureItem& item) {
    const FontMetrics metrics = MetricsOfFont(item.fontHeight);
    if (item.background) {
        SetColour(cr, item.backgroundColour, 255);
        double width = 0;
        for (const double advance : item.advances) width += advance;
        cairo_rectangle(cr, item.xy.front(), item.top, width, item.fontHeight);
        cairo_fill(cr);
    }
    SetColour(cr, item.colour, item.alpha);
    cairo_select_font_face(cr, FigureFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, metrics.pixelSize);
    for (std::size_t i = 0; i < item.characters.size(); ++i) {
        cairo_move_to(cr, item.xy[i], item.top + metrics.baseline);
        cairo_show_text(cr, item.characters[i].c_str());
    }
    cairo_new_path(cr);
}

cairo_surface_t* SurfaceOfPicture(const FigureItem& item) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, item.w, item.h);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (std::int32_t y = 0; y < item.h; ++y) {
        // Every pixel is opaque or empty, so premultiplied and plain are the same.
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, item.pixels->data() + static_cast<std::size_t>(y) * item.w,
                    static_cast<std::size_t>(item.w) * 4);
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void DrawPicture(cairo_t* cr, const FigureItem& item) {
    cairo_surface_t* surface = SurfaceOfPicture(item);
    cairo_save(cr);
    cairo_set_source_surface(cr, surface, item.x, item.y);
    // Pixels stay pixels when the page is enlarged, as the raster shows them.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void DrawItem(cairo_t* cr, const FigureItem& item) {
    using Kind = FigureItem::Kind;
    switch (item.kind) {
        case Kind::Segment: SetColour(cr, item.colour, item.alpha); DrawSegment(cr, item); break;
        case Kind::Ring:
            SetColour(cr, item.colour, item.alpha);
            cairo_set_dash(cr, nullptr, 0, 0);
            cairo_set_line_width(cr, item.width);
            ArcPath(cr, item.ring, item.ring.r, item.ring.radii);
            cairo_stroke(cr);
            break;
        case Kind::Disc:
            SetColour(cr, item.colour, item.alpha);
            ArcPath(cr, item.ring, item.ring.r + 0.5, true);
            cairo_fill(cr);
            break;
        case Kind::Box:
            SetColour(cr, item.colour, item.alpha);
            if (item.filled) {
                cairo_rectangle(cr, item.xy[0], item.xy[1], item.xy[2] - item.xy[0] + 1, item.xy[3] - item.xy[1] + 1);
                cairo_fill(cr);
            } else {
                cairo_set_dash(cr, nullptr, 0, 0);
                cairo_set_line_width(cr, 1);
                cairo_rectangle(cr, Px(item.xy[0]), Px(item.xy[1]), item.xy[2] - item.xy[0], item.xy[3] - item.xy[1]);
                cairo_stroke(cr);
            }
            break;
        case Kind::Polygon:
            SetColour(cr, item.colour, item.alpha);
            for (std::size_t i = 0; i + 1 < item.xy.size(); i += 2) cairo_line_to(cr, Px(item.xy[i]), Px(item.xy[i + 1]));
            cairo_close_path(cr);
            cairo_fill(cr);
            break;
        case Kind::Text: DrawText(cr, item); break;
        case Kind::Picture: DrawPicture(cr, item); break;
    }
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

void DrawFigure(cairo_t* cr, const FigureRecord& record, const FigureDrawing& how) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, record.width, record.height);
    cairo_clip(cr);
    const std::size_t first = how.transparent ? FirstDrawnItem(record) : 0;
    for (std::size_t i = first; i < record.items.size(); ++i) DrawItem(cr, record.items[i]);
    cairo_restore(cr);
}

std::string PngOfPicture(const FigureItem& picture) {
    std::string bytes;
    cairo_surface_t* surface = SurfaceOfPicture(picture);
    if (cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes) != CAIRO_STATUS_SUCCESS) bytes.clear();
    cairo_surface_destroy(surface);
    return bytes;
}

}  // namespace vekora
