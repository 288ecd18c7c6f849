// Writing a figure's items as SVG elements.
#include "export/svg_figure.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "export/cairo_figure.h"
#include "export/figure_style.h"

namespace vekora {
namespace {

std::string Number(double v) { return ShortNumber(v); }

std::string Px(double v) { return Number(v + PixelCentre); }

std::string Colour(std::uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", colour & 0xFFFFFF);
    return text;
}

std::string Opacity(const char* what, std::int32_t alpha) {
    return alpha >= 255 ? std::string() : std::string(" ") + what + "-opacity=\"" + Number(alpha / 255.0) + "\"";
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Base64(const std::string& bytes) {
    static const char* Digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        out += {Digits[v >> 18], Digits[(v >> 12) & 63], Digits[(v >> 6) & 63], Digits[v & 63]};
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += {Digits[v >> 18], Digits[(v >> 12) & 63]};
        out += i + 1 < bytes.size() ? Digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

// The arc's path data: from the start point counter-clockwise (on the screen) to the end.
std::string ArcData(const RingShape& ring, double r, bool withRadii) {
    const double cx = ring.cx + PixelCentre, cy = ring.cy + PixelCentre;
    if (ring.full) {
        return "M" + Number(cx + r) + " " + Number(cy) + "A" + Number(r) + " " + Number(r) + " 0 1 0 " + Number(cx - r) +
               " " + Number(cy) + "A" + Number(r) + " " + Number(r) + " 0 1 0 " + Number(cx + r) + " " + Number(cy) + "Z";
    }
    const double sweep = ArcSweep(ring.start, ring.end);
    const double a = ring.start, b = ring.start + sweep;
    const std::string from = Number(cx + r * std::cos(a)) + " " + Number(cy - r * std::sin(a));
    const std::string to = Number(cx + r * std::cos(b)) + " " + Number(cy - r * std::sin(b));
    std::string d = withRadii ? "M" + Number(cx) + " " + Number(cy) + "L" + from : "M" + from;
    d += "A" + Number(r) + " " + Number(r) + " 0 " + (sweep > M_PI ? "1" : "0") + " 0 " + to;
    if (withRadii) d += "Z";
    return d;
}

std::string SegmentElement(const FigureItem& item) {
    const double dx = item.xy[2] - item.xy[0], dy = item.xy[3] - item.xy[1];
    std::string e = "<line x1=\"" + Px(item.xy[0]) + "\" y1=\"" + Px(item.xy[1]) + "\" x2=\"" + Px(item.xy[2]) +
                    "\" y2=\"" + Px(item.xy[3]) + "\" stroke=\"" + Colour(item.colour) + "\" stroke-width=\"" +
                    Number(item.width) + "\"";
    const DashRuns dash = RunsOfMask(item.mask);
    if (dash.runs.empty()) {
        e += " stroke-linecap=\"square\"";
    } else {
        const double scale = DashScale(dx, dy);
        e += " stroke-dasharray=\"";
        for (std::size_t i = 0; i < dash.runs.size(); ++i) e += (i > 0 ? " " : "") + Number(dash.runs[i] * scale);
        e += "\"";
        if (dash.offset != 0) e += " stroke-dashoffset=\"" + Number(dash.offset * scale) + "\"";
    }
    return e + Opacity("stroke", item.alpha) + "/>";
}

std::string TextElement(const FigureItem& item) {
    const FontMetrics metrics = MetricsOfFont(item.fontHeight);
    std::string e;
    if (item.background) {
        double width = 0;
        for (const double advance : item.advances) width += advance;
        e += "<rect x=\"" + Number(item.xy.front()) + "\" y=\"" + Number(item.top) + "\" width=\"" + Number(width) +
             "\" height=\"" + Number(item.fontHeight) + "\" fill=\"" + Colour(item.backgroundColour) + "\"/>";
    }
    // Each character at its cell, as the bitmap font placed it: a tspan each, since renderers
    // differ in honouring a list of positions on one text.
    e += "<text y=\"" + Number(item.top + metrics.baseline) + "\" font-family=\"" + FigureFontFallbacks +
         "\" font-size=\"" + Number(metrics.pixelSize) + "\" fill=\"" + Colour(item.colour) + "\" xml:space=\"preserve\">";
    for (std::size_t i = 0; i < item.characters.size(); ++i)
        e += "<tspan x=\"" + Number(item.xy[i]) + "\">" + Escaped(item.characters[i]) + "</tspan>";
    return e + "</text>";
}

std::string ItemElement(const FigureItem& item) {
    using Kind = FigureItem::Kind;
    switch (item.kind) {
        case Kind::Segment: return SegmentElement(item);
        case Kind::Ring:
            return "<path d=\"" + ArcData(item.ring, item.ring.r, item.ring.radii) + "\" fill=\"none\" stroke=\"" +
                   Colour(item.colour) + "\" stroke-width=\"" + Number(item.width) + "\"/>";
        case Kind::Disc:
            return "<path d=\"" + ArcData(item.ring, item.ring.r + 0.5, true) + "\" fill=\"" + Colour(item.colour) + "\"" +
                   Opacity("fill", item.alpha) + "/>";
        case Kind::Box:
            if (item.filled) {
                return "<rect x=\"" + Number(item.xy[0]) + "\" y=\"" + Number(item.xy[1]) + "\" width=\"" +
                       Number(item.xy[2] - item.xy[0] + 1) + "\" height=\"" + Number(item.xy[3] - item.xy[1] + 1) +
                       "\" fill=\"" + Colour(item.colour) + "\"" + Opacity("fill", item.alpha) + "/>";
            }
            return "<rect x=\"" + Px(item.xy[0]) + "\" y=\"" + Px(item.xy[1]) + "\" width=\"" +
                   Number(item.xy[2] - item.xy[0]) + "\" height=\"" + Number(item.xy[3] - item.xy[1]) +
                   "\" fill=\"none\" stroke=\"" + Colour(item.colour) + "\" stroke-width=\"1\"/>";
        case Kind::Polygon: {
            std::string points;
            for (std::size_t i = 0; i + 1 < item.xy.size(); i += 2)
                points += (i > 0 ? " " : "") + Px(item.xy[i]) + "," + Px(item.xy[i + 1]);
            return "<polygon points=\"" + points + "\" fill=\"" + Colour(item.colour) + "\"" + Opacity("fill", item.alpha) +
                   "/>";
        }
        case Kind::Text: return TextElement(item);
        case Kind::Picture:
            return "<image x=\"" + Number(item.x) + "\" y=\"" + Number(item.y) + "\" width=\"" + Number(item.w) +
                   "\" height=\"" + Number(item.h) + "\" style=\"image-rendering:pixelated\" xlink:href=\"data:image/png;base64," +
                   Base64(PngOfPicture(item)) + "\"/>";
    }
    return {};
}

}  // namespace

std::string SvgOfFigure(const FigureRecord& record, const SvgOptions& options) {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                      "version=\"1.1\" width=\"" +
                      Number(record.width) + "\" height=\"" + Number(record.height) + "\" viewBox=\"0 0 " +
                      Number(record.width) + " " + Number(record.height) + "\">\n";
    // One group a run of items of the same statement; a statement drawn again later (a
    // procedure called twice) gets its id once, the later groups a class only.
    std::vector<std::int32_t> named;
    std::int32_t open = -1;
    const std::size_t first = options.transparent ? FirstDrawnItem(record) : 0;
    for (std::size_t i = first; i < record.items.size(); ++i) {
        const FigureItem& item = record.items[i];
        if (item.statement != open) {
            if (open != -1) svg += "</g>\n";
            open = item.statement;
            const bool fresh = std::find(named.begin(), named.end(), open) == named.end();
            svg += "<g";
            if (open > 0 && fresh) svg += " id=\"line-" + std::to_string(open) + "\"";
            if (open > 0) svg += " class=\"line-" + std::to_string(open) + "\"";
            svg += ">\n";
            named.push_back(open);
        }
        svg += ItemElement(item) + "\n";
    }
    if (open != -1) svg += "</g>\n";
    return svg + "</svg>\n";
}

}  // namespace vekora
