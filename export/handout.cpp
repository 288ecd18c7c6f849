// Laying the panels of a handout out on sheets.
#include "export/handout.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "export/cairo_figure.h"
#include "export/figure_style.h"
#include "i18n/language.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

constexpr double Margin = 15.0 / 25.4 * 72.0;  // 15 mm round the sheet
constexpr double Gap = 12.0;                   // between panels
constexpr double TitleSize = 16.0;
constexpr double TitleSpace = 30.0;            // the title's band on the first sheet
constexpr double NumberSize = 10.0;
constexpr double NumberSpace = 14.0;           // the panel's number above its figure

std::int32_t ColumnsFor(std::int32_t panels) { return panels <= 1 ? 1 : panels <= 8 ? 2 : 3; }

}  // namespace

PanelPlace PlaceOfPanel(const HandoutLayout& layout, std::int32_t index, bool titled) {
    const PaperSize sheet = SizeOfPaper(layout.paper);
    const std::int32_t columns = ColumnsFor(layout.panels);
    const std::int32_t rows = (layout.panels + columns - 1) / columns;
    const double top = Margin + (titled ? TitleSpace : 0.0);
    const double width = (sheet.width - 2 * Margin - (columns - 1) * Gap) / columns;
    const double height = (sheet.height - top - Margin - (rows - 1) * Gap) / rows;
    const std::int32_t column = index % columns, row = index / columns;
    return {Margin + column * (width + Gap), top + row * (height + Gap), width, height};
}

std::string WriteHandout(const std::vector<FigureRecord>& panels, const std::string& title, const std::string& path,
                         const HandoutLayout& layout) {
    if (panels.empty()) return std::string(Tr(NoPageText));
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    const PaperSize sheet = SizeOfPaper(layout.paper);
    cairo_surface_t* surface = cairo_pdf_surface_create(file.TempPath().c_str(), sheet.width, sheet.height);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, FigureFontFamily, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const auto onSheet = static_cast<std::int32_t>(i % static_cast<std::size_t>(layout.panels));
        const bool firstSheet = i < static_cast<std::size_t>(layout.panels);
        if (i > 0 && onSheet == 0) cairo_show_page(cr);
        if (i == 0 && !title.empty()) {
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_set_font_size(cr, TitleSize);
            cairo_move_to(cr, Margin, Margin + TitleSize);
            cairo_show_text(cr, title.c_str());
        }
        const PanelPlace place = PlaceOfPanel(layout, onSheet, firstSheet && !title.empty());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_font_size(cr, NumberSize);
        cairo_move_to(cr, place.x, place.y + NumberSize);
        cairo_show_text(cr, std::to_string(i + 1).c_str());
        const FigureRecord& figure = panels[i];
        if (figure.width <= 0 || figure.height <= 0) continue;
        const double room = place.height - NumberSpace;
        const double scale = std::min(place.width / figure.width, room / figure.height);
        cairo_save(cr);
        cairo_translate(cr, place.x, place.y + NumberSpace);
        cairo_scale(cr, scale, scale);
        DrawFigure(cr, figure, FigureDrawing{});
        cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
        cairo_set_line_width(cr, 0.5 / scale);
        cairo_rectangle(cr, 0, 0, figure.width, figure.height);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    cairo_show_page(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) return std::string("PDF: ") + cairo_status_to_string(status);
    return file.Commit();
}

}  // namespace vekora
