// Writing a figure's items as TikZ paths and nodes.
#include "export/tikz_figure.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>

#include "export/figure_style.h"
#include "export/tex_text.h"

namespace vekora {
namespace {

// The TeX length of a page unit, and of a number of them.
constexpr double PointsPerUnit = 0.75;
std::string Length(double units) { return ShortNumber(units * PointsPerUnit) + "bp"; }

std::string Point(double x, double y) { return "(" + ShortNumber(x) + "," + ShortNumber(y) + ")"; }
std::string Centre(double x, double y) { return Point(x + PixelCentre, y + PixelCentre); }

// Computer Modern Sans, LaTeX's sans-serif, is smaller than the program's letters (x-height
// 0.44 em against 0.55, capitals 0.69 against 0.73): set 6 % larger, its capitals match theirs;
// larger still, they would stand out of the letters' place on the page.
constexpr double SansEnlargement = 1.06;

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

class TikzWriter {
public:
    std::string Picture(const FigureRecord& record, const TikzOptions& options) {
        const std::size_t first = options.transparent ? FirstDrawnItem(record) : 0;
        std::int32_t statement = -1;
        for (std::size_t i = first; i < record.items.size(); ++i) {
            const FigureItem& item = record.items[i];
            // The statement that drew each run of items, so that a reader finds a step.
            if (item.statement != statement && item.statement > 0) body_ += "% line " + std::to_string(item.statement) + "\n";
            statement = item.statement;
            Item(item);
        }
        const std::string corner = Point(record.width, record.height);
        std::string picture = "% " + std::to_string(record.width) + " x " + std::to_string(record.height) +
                              " page units, a unit 1/96 inch (0.75 bp)\n"
                              "\\begin{tikzpicture}[x=0.75bp,y=-0.75bp,"
                              "every node/.style={inner sep=0pt,outer sep=0pt,anchor=base west,font=\\sffamily}]\n";
        for (const auto& [colour, name] : colours_) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%06X", colour);
            picture += "\\definecolor{" + name + "}{HTML}{" + hex + "}\n";
        }
        picture += "\\path[use as bounding box] (0,0) rectangle " + corner + ";\n\\clip (0,0) rectangle " + corner + ";\n";
        return picture + body_ + "\\end{tikzpicture}\n";
    }

private:
    std::string Colour(std::uint32_t colour) {
        colour &= 0xFFFFFF;
        const auto found = colours_.find(colour);
        if (found != colours_.end()) return found->second;
        char name[16];
        std::snprintf(name, sizeof name, "v%06X", colour);
        return colours_.emplace(colour, name).first->second;
    }

    static std::string Opacity(const char* what, std::int32_t alpha) {
        return alpha >= 255 ? std::string() : std::string(",") + what + " opacity=" + ShortNumber(alpha / 255.0);
    }

    // The path of a circle, or of an arc from its start counter-clockwise on the screen (y
    // runs down, so the angles TikZ turns through are the screen's negated), closed by its
    // radii when asked.
    static std::string RingPath(const RingShape& ring, double r, bool withRadii) {
        const double cx = ring.cx + PixelCentre, cy = ring.cy + PixelCentre;
        if (ring.full) return Point(cx, cy) + " circle[radius=" + ShortNumber(r) + "]";
        const double sweep = ArcSweep(ring.start, ring.end);
        const std::string start = Point(cx + r * std::cos(ring.start), cy - r * std::sin(ring.start));
        const std::string arc = " arc[start angle=" + ShortNumber(-Degrees(ring.start)) +
                                ",end angle=" + ShortNumber(-Degrees(ring.start + sweep)) + ",radius=" + ShortNumber(r) + "]";
        return withRadii ? Point(cx, cy) + " -- " + start + arc + " -- cycle" : start + arc;
    }

    void Segment(const FigureItem& item) {
        std::string style = "draw=" + Colour(item.colour) + ",line width=" + Length(item.width);
        const DashRuns dash = RunsOfMask(item.mask);
        if (dash.runs.empty()) {
            style += ",line cap=rect";
        } else {
            const double scale = DashScale(item.xy[2] - item.xy[0], item.xy[3] - item.xy[1]);
            style += ",dash pattern=";
            for (std::size_t i = 0; i < dash.runs.size(); ++i)
                style += std::string(i % 2 == 0 ? (i == 0 ? "on " : " on ") : " off ") + Length(dash.runs[i] * scale);
            if (dash.offset != 0) style += ",dash phase=" + Length(dash.offset * scale);
        }
        body_ += "\\draw[" + style + Opacity("draw", item.alpha) + "] " + Centre(item.xy[0], item.xy[1]) + " -- " +
                 Centre(item.xy[2], item.xy[3]) + ";\n";
    }

    void Text(const FigureItem& item) {
        const FontMetrics metrics = MetricsOfFont(item.fontHeight);
        if (item.background) {
            double width = 0;
            for (const double advance : item.advances) width += advance;
            body_ += "\\fill[fill=" + Colour(item.backgroundColour) + "] " + Point(item.xy.front(), item.top) +
                     " rectangle ++" + Point(width, item.fontHeight) + ";\n";
        }
        // Each character centred in a box of its cell's width: the cells stay where the
        // program's font put them whatever the widths of the document's font.
        const std::string size = Length(metrics.pixelSize * SansEnlargement);
        body_ += "\\node[text=" + Colour(item.colour) + Opacity("text", item.alpha) + "] at " +
                 Point(item.xy.front(), item.top + metrics.baseline) + " {\\fontsize{" + size + "}{" + size + "}\\selectfont";
        for (std::size_t i = 0; i < item.characters.size(); ++i)
            body_ += "\\makebox[" + Length(item.advances[i]) + "][c]{" + TexOfCharacter(item.characters[i]) + "}";
        body_ += "};\n";
    }

    // The picture's pixels as rectangles: a run of one colour along a row, grown downward
    // while the rows below repeat it.
    void Picture(const FigureItem& item) {
        const auto at = [&](std::int32_t x, std::int32_t y) { return (*item.pixels)[static_cast<std::size_t>(y) * item.w + x]; };
        std::vector<bool> done(static_cast<std::size_t>(item.w) * item.h, false);
        for (std::int32_t y = 0; y < item.h; ++y)
            for (std::int32_t x = 0; x < item.w;) {
                const std::uint32_t pixel = at(x, y);
                std::int32_t end = x + 1;
                while (end < item.w && at(end, y) == pixel) ++end;
                if ((pixel >> 24) == 0 || done[static_cast<std::size_t>(y) * item.w + x]) {
                    x = end;
                    continue;
                }
                std::int32_t bottom = y + 1;
                const auto sameRun = [&](std::int32_t row) {
                    for (std::int32_t c = x; c < end; ++c)
                        if (at(c, row) != pixel) return false;
                    return (x == 0 || at(x - 1, row) != pixel) && (end == item.w || at(end, row) != pixel);
                };
                while (bottom < item.h && sameRun(bottom)) {
                    for (std::int32_t c = x; c < end; ++c) done[static_cast<std::size_t>(bottom) * item.w + c] = true;
                    ++bottom;
                }
                body_ += "\\fill[fill=" + Colour(pixel) + "] " + Point(item.x + x, item.y + y) + " rectangle " +
                         Point(item.x + end, item.y + bottom) + ";\n";
                x = end;
            }
    }

    void Item(const FigureItem& item) {
        using Kind = FigureItem::Kind;
        switch (item.kind) {
            case Kind::Segment: Segment(item); break;
            case Kind::Ring:
                body_ += "\\draw[draw=" + Colour(item.colour) + ",line width=" + Length(item.width) + Opacity("draw", item.alpha) +
                         "] " + RingPath(item.ring, item.ring.r, item.ring.radii) + ";\n";
                break;
            case Kind::Disc:
                body_ += "\\fill[fill=" + Colour(item.colour) + Opacity("fill", item.alpha) + "] " +
                         RingPath(item.ring, item.ring.r + 0.5, true) + ";\n";
                break;
            case Kind::Box:
                if (item.filled) {
                    body_ += "\\fill[fill=" + Colour(item.colour) + Opacity("fill", item.alpha) + "] " +
                             Point(item.xy[0], item.xy[1]) + " rectangle " + Point(item.xy[2] + 1, item.xy[3] + 1) + ";\n";
                } else {
                    body_ += "\\draw[draw=" + Colour(item.colour) + ",line width=" + Length(1) + "] " +
                             Centre(item.xy[0], item.xy[1]) + " rectangle " + Centre(item.xy[2], item.xy[3]) + ";\n";
                }
                break;
            case Kind::Polygon: {
                body_ += "\\fill[fill=" + Colour(item.colour) + Opacity("fill", item.alpha) + "] ";
                for (std::size_t i = 0; i + 1 < item.xy.size(); i += 2) body_ += Centre(item.xy[i], item.xy[i + 1]) + " -- ";
                body_ += "cycle;\n";
                break;
            }
            case Kind::Text: Text(item); break;
            case Kind::Picture: Picture(item); break;
        }
    }

    std::map<std::uint32_t, std::string> colours_;
    std::string body_;
};

// A page the figure's size with the picture at its top-left corner. fix-cm scales Computer
// Modern to any size the figure's fonts ask for.
std::string Document(const FigureRecord& record, const std::string& picture) {
    return "\\RequirePackage{fix-cm}\n"
           "\\documentclass{article}\n"
           "\\usepackage{tikz}\n"
           "\\pagestyle{empty}\n"
           "\\setlength{\\paperwidth}{" + Length(record.width) + "}\n"
           "\\setlength{\\paperheight}{" + Length(record.height) + "}\n"
           "\\ifdefined\\pdfpagewidth\\setlength{\\pdfpagewidth}{\\paperwidth}\\setlength{\\pdfpageheight}{\\paperheight}\\fi\n"
           "\\setlength{\\textwidth}{\\paperwidth}\\setlength{\\textheight}{\\paperheight}\n"
           "\\setlength{\\hoffset}{-1in}\\setlength{\\voffset}{-1in}\n"
           "\\setlength{\\oddsidemargin}{0pt}\\setlength{\\evensidemargin}{0pt}\\setlength{\\topmargin}{0pt}\n"
           "\\setlength{\\headheight}{0pt}\\setlength{\\headsep}{0pt}\\setlength{\\footskip}{0pt}\n"
           "\\setlength{\\topskip}{0pt}\\setlength{\\parindent}{0pt}\n"
           "\\begin{document}\n" +
           picture + "\\end{document}\n";
}

}  // namespace

std::string TikzOfFigure(const FigureRecord& record, const TikzOptions& options) {
    const std::string picture = TikzWriter().Picture(record, options);
    return options.pictureOnly ? picture : Document(record, picture);
}

}  // namespace vekora
