// The protractor film: mark the vertex, lay the protractor, mark the angle, rule the ray.
#include "anim/protractor.h"

#include "anim/animated_line.h"
#include "anim/instruments.h"
#include "draw/figures.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// A point this close to the line (pixels) is its own vertex.
constexpr double OnLine = 0.5;
// Half the length of the mark across the line at the vertex.
constexpr double VertexMark = 5.0;
// The angle mark runs from the protractor's rim this far outwards.
constexpr double AngleMark = 10.0;
// The ruler's width, in protractor diameters.
constexpr double RulerWidthRatio = 0.15;

// Where the angle is laid off, and the short mark across the line there (none on the line).
struct Vertex {
    Point at;
    Point markFrom;
    Point markTo;
    bool marked;
};

Vertex VertexOf(const Line& line, const Point& point, const Line& style) {
    if (!(VEK_LINEDISTANCE(point, line) > OnLine)) return Vertex{point, point, point, false};
    const Line perp = VEK_MAKERIGHTANGLE(point, line);
    Point v = VEK_LINECROSS(line, perp);
    v.colour = style.colour;
    v.size = style.thickness;
    return Vertex{v, VEK_ADVANCEONLINE(v, perp, VertexMark), VEK_ADVANCEONLINE(v, perp, -VertexMark), true};
}

}  // namespace

Shown<Line> AnimateProtractor(const Stage& stage, const Line& line, const Point& point, double angle, float duration,
                              double size, const Line& style, std::int32_t flags) {
    if (IsUndefined(point) || LacksDirection(line)) return {UndefinedLine(), 0};
    const Settings& settings = stage.settings();
    std::int32_t code = 0;
    const SavedPage saved(stage.Canvas());
    const std::uint32_t toolColour = ToolColour(flags);
    const float markSeconds = static_cast<float>(settings.animationMs / 1000.0);
    const Vertex v = VertexOf(line, point, style);
    if (v.marked && flags != 0)
        code = AnimateLine(stage, v.markFrom, v.markTo, style, markSeconds, size, flags);
    const std::int32_t flip = angle < 0.0 || angle > Pi ? 1 : 0;
    if (flags != 0) {
        saved.Restore();
        if (v.marked) DrawLineP(stage.Canvas(), v.markFrom, v.markTo, style);
        DrawProtractorTool(stage.Canvas(), point, line, flip, size, toolColour);
        stage.Show();
        code = stage.WaitIfQuiet(code, settings.animationMs);
    }
    Line ray = VEK_MAKEANGLE(v.at, line, angle, LineLook{style.style, style.thickness});
    ray.colour = style.colour;
    const Point rim = VEK_ADVANCEONLINE(v.at, ray, 0.5 * size);
    const Point beyond = VEK_ADVANCEONLINE(v.at, ray, 0.5 * size + AngleMark);
    if (flags != 0) {
        if (code == 0) {
            code = AnimateLine(stage, rim, beyond, style, markSeconds, size, flags);
            code = stage.WaitIfQuiet(code, settings.animationMs);
        }
        if (code == 0) {
            saved.Restore();
            DrawRulerTool(stage.Canvas(), v.at, beyond, flip, RulerWidthRatio * size, toolColour, 0);
            DrawLineP(stage.Canvas(), rim, beyond, style);
            stage.Show();
            code = stage.WaitIfQuiet(code, settings.animationMs);
        }
    }
    if (code == 0) code = AnimateLine(stage, v.at, beyond, style, duration, size, flags);
    LeaveSegment(stage, saved, v.at, beyond, ray);
    return {ray, code};
}

}  // namespace vekora
