// Choosing the writer by the file's extension and putting its output in place.
#include "export/figure_export.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <fstream>

#include "export/cairo_figure.h"
#include "export/svg_figure.h"
#include "export/tikz_figure.h"
#include "i18n/language.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    return std::equal(end.rbegin(), end.rend(), text.rbegin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// Margin around a figure fitted on a sheet: 15 mm.
constexpr double SheetMargin = 15.0 / 25.4 * 72.0;

std::string WriteText(const std::string& text, const std::string& path) {
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    {
        std::ofstream out(file.TempPath(), std::ios::binary);
        out << text;
        if (!out.flush()) return TrFormat(N_("cannot write %s"), {path});
    }
    return file.Commit();
}

std::string Finished(cairo_surface_t* surface, const std::string& what) {
    cairo_surface_finish(surface);
    const cairo_status_t status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? std::string() : what + ": " + cairo_status_to_string(status);
}

std::string WritePdf(const FigureRecord& record, const std::string& path, const FigureExportOptions& options) {
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    const double figureWidth = record.width * PointsPerPixel, figureHeight = record.height * PointsPerPixel;
    PaperSize page{figureWidth, figureHeight};
    if (options.paper != Paper::Figure) page = SizeOfPaper(options.paper);
    cairo_surface_t* surface = cairo_pdf_surface_create(file.TempPath().c_str(), page.width, page.height);
    cairo_t* cr = cairo_create(surface);
    double scale = PointsPerPixel;
    if (options.paper != Paper::Figure) {
        // Fitted within the margins, never enlarged beyond a pixel to 1/96 inch... unless it is
        // small: a figure smaller than the sheet is enlarged to fill it, as it prints sharp.
        scale = std::min((page.width - 2 * SheetMargin) / record.width, (page.height - 2 * SheetMargin) / record.height);
    }
    cairo_translate(cr, (page.width - record.width * scale) / 2, (page.height - record.height * scale) / 2);
    cairo_scale(cr, scale, scale);
    DrawFigure(cr, record, FigureDrawing{options.transparent});
    cairo_show_page(cr);
    cairo_destroy(cr);
    const std::string error = Finished(surface, "PDF");
    if (!error.empty()) return error;
    return file.Commit();
}

std::string WritePngFigure(const FigureRecord& record, const std::string& path, const FigureExportOptions& options) {
    AtomicFile file(path);
    if (!file.Ready()) return file.Error();
    const std::int32_t scale = std::max(options.scale, 1);
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, record.width * scale, record.height * scale);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    DrawFigure(cr, record, FigureDrawing{options.transparent});
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.TempPath().c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) return std::string("PNG: ") + cairo_status_to_string(status);
    return file.Commit();
}

}  // namespace

PaperSize SizeOfPaper(Paper paper) {
    switch (paper) {
        case Paper::A4: return {595.276, 841.890};
        case Paper::Letter: return {612.0, 792.0};
        case Paper::Figure: break;
    }
    return {0, 0};
}

bool IsFigureFile(const std::string& path) {
    return EndsWith(path, ".svg") || EndsWith(path, ".pdf") || EndsWith(path, ".png") || EndsWith(path, ".tex");
}

std::string WriteFigure(const FigureRecord& record, const std::string& path, const FigureExportOptions& options) {
    if (record.width <= 0 || record.height <= 0) return std::string(Tr(NoPageText));
    if (EndsWith(path, ".svg")) return WriteText(SvgOfFigure(record, SvgOptions{options.transparent}), path);
    if (EndsWith(path, ".pdf")) return WritePdf(record, path, options);
    if (EndsWith(path, ".png")) return WritePngFigure(record, path, options);
    if (EndsWith(path, ".tex")) return WriteText(TikzOfFigure(record, TikzOptions{options.transparent, options.tikzPicture}), path);
    return TrFormat(N_("a figure is written as .svg, .pdf, .png or .tex, not %s"), {path});
}

}  // namespace vekora
