// The mark statements. Operands of -1 (or 0xFFFF in the low half of a packed word) were not
// written and take the defaults below.
#include "interp/statements.h"

#include "draw/marks.h"
#include "draw/points.h"
#include "geom/kernel.h"
#include "interp/page.h"
#include "interp/resident.h"
#include "interp/screen_text.h"

namespace vekora {
namespace {

constexpr std::int32_t Absent = 0xFFFF;  // the low half of an operand that was not written
constexpr std::int32_t NumberedFontSize = 18;

std::int32_t Or(std::int32_t word, std::int32_t absentValue) { return word == -1 ? absentValue : word; }
std::int32_t LowOr(std::int32_t word, std::int32_t absentValue) {
    return (word & 0xFFFF) == Absent ? absentValue : (word & 0xFFFF);
}

FontView Sans(std::int32_t size) { return ResidentTextFont(FontFamily::Sans, FontSizeFor(size)); }
FontView Greek(std::int32_t size) { return ResidentTextFont(FontFamily::Greek, FontSizeFor(size)); }

std::string_view NameOf(const RunContext& run, std::int32_t type, std::int32_t index) {
    const std::vector<std::string>& names = run.symbols.List(type);
    return static_cast<std::size_t>(index) < names.size() ? std::string_view(names[static_cast<std::size_t>(index)])
                                                           : std::string_view();
}

std::string_view OptionalText(const RunContext& run, std::int32_t word) {
    return word == -1 ? std::string_view() : TextLiteral(run, word);
}

// The segment a line mark stands on: the points named, or the line's base to base + direction;
// both ends in the line's colour.
void SegmentOf(const RunContext& run, const StatementRow& row, Point& p1, Point& p2) {
    const Line& line = run.objects.LineAt(row.target);
    if (row.w[1] >= 0) {
        p1 = run.objects.PointAt(row.w[1]);
        p2 = run.objects.PointAt(row.w[2]);
    } else {
        p1 = Point{line.x0, line.y0, 0, 0, 0};
        p2 = Point{line.x0 + line.dx, line.y0 + line.dy, 0, 0, 0};
    }
    p1.colour = line.colour;
    p2.colour = line.colour;
}

void MarkSegment(const RunContext& run, const StatementRow& row, ImageHandle page) {
    Point p1, p2;
    SegmentOf(run, row, p1, p2);
    const std::string_view name = NameOf(run, TypeLine, row.target);
    const bool withPoints = row.w[1] >= 0;
    if (row.opcode == OpMarkLine) {
        const std::int32_t size = withPoints ? row.w[3] : (row.w[1] & 0xFFFF);
        const std::int32_t side = withPoints ? Or(row.w[4], 0) : (row.w[2] & 0xFFFF);
        MarkLine(page, p1, p2, name, Sans(size), side);
        return;
    }
    const std::int32_t unit = LowOr(withPoints ? row.w[3] : row.w[1], 1);
    const std::int32_t size = LowOr(withPoints ? row.w[4] : row.w[2], NumberedFontSize);
    std::int32_t flags = LowOr(withPoints ? row.w[5] : row.w[3], 0);
    // A segment drawn against the line's direction shows a negative length.
    const Point back = VEK_ADVANCEONLINE(p1, run.objects.LineAt(row.target), -1);
    if (VEK_ISBETWEEN(p1, back, p2) != 0) flags |= NegateLength;
    MarkAndNumberLine(page, p1, p2, name, Sans(size), flags, unit);
}

void DrawMark(const RunContext& run, const StatementRow& row, ImageHandle page) {
    const auto& w = row.w;
    switch (row.opcode) {
        case OpMarkPoint: {
            const Point& p = run.objects.PointAt(row.target);
            DrawPoint(page, p);
            MarkPoint(page, p, NameOf(run, TypePoint, row.target), Sans(w[1]), Or(w[2], 1));
            break;
        }
        case OpMarkAngleLines:
            MarkAngle(page, run.objects.LineAt(row.target), run.objects.LineAt(w[1]), TextLiteral(run, w[2]), Greek(w[3]),
                      Or(w[4], 0), Or(w[5], 50));
            break;
        case OpMarkAnglePoints:
            MarkAnglePt(page, run.objects.PointAt(row.target), run.objects.PointAt(w[1]), run.objects.PointAt(w[2]), TextLiteral(run, w[3]),
                        Greek(w[4]), Or(w[5], 35));
            break;
        case OpMarkNumberLines:
            MarkAndNumberAngle(page, run.objects.LineAt(row.target), run.objects.LineAt(w[1]), OptionalText(run, w[2]), Greek(w[3]),
                               Or(w[4], 0), Or(w[5], 35));
            break;
        case OpMarkNumberPoints:
            MarkAndNumberAnglePt(page, run.objects.PointAt(row.target), run.objects.PointAt(w[1]), run.objects.PointAt(w[2]),
                                 OptionalText(run, w[3]), Greek(Or(w[4], NumberedFontSize)), Or(w[5], 50));
            break;
        default: MarkSegment(run, row, page); break;  // OpMarkLine, OpMarkNumberLine
    }
}

}  // namespace

void RunMark(RunContext& run, Activation& activation, const StatementRow& row) {
    EnsureWindow(run, activation);
    if (!run.page) return;
    DrawMark(run, row, run.page.get());
    if (ShowsAfterDrawing(activation)) ShowPage(run);
}

}  // namespace vekora
