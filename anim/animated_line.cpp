// The growing segment, its frame loop and the start line that ends in a point.
#include "anim/animated_line.h"

#include <cmath>

#include "anim/instruments.h"
#include "draw/figures.h"
#include "draw/points.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// The pencil leans this many radians counter-clockwise from the way the segment grows.
constexpr double PencilTilt = 1.0;

// What the films of a segment differ in.
enum class LineEnd { Open, Marked };

std::int32_t FilmOfLine(const Stage& stage, const Point& p1, const Point& p2, const Line& line, float duration,
                        double pencilLength, std::int32_t flags, LineEnd end) {
    if (IsUndefined(p1) || IsUndefined(p2)) return 0;
    const Settings& settings = stage.settings();
    const SavedPage saved(stage.Canvas());
    const std::int32_t steps = FilmSteps(duration, settings.frameSeconds);
    std::int32_t step = 1;
    const auto frame = [&]() {
        if (flags & ShowRuler)
            DrawRulerTool(stage.Canvas(), p1, p2, 0, settings.instruments.rulerWidth,
                          static_cast<std::uint32_t>(settings.instruments.rulerColour), RulerSpacing(flags));
        return PartialLine(stage.Canvas(), p1, p2, line, step, steps, pencilLength, flags) == 0;
    };
    std::int32_t code = RunFrames(stage, saved, frame);
    // The last frame, instruments and all, stays up for a pause before the point is marked.
    if (end == LineEnd::Marked && saved.Held() && step > 1) code = stage.WaitIfQuiet(code, settings.stepMs);
    saved.Restore();
    std::int32_t whole = steps;
    PartialLine(stage.Canvas(), p1, p2, line, whole, steps, 0.0, 0);
    if (end == LineEnd::Marked) DrawPoint(stage.Canvas(), p2);
    stage.Show();
    return code;
}

}  // namespace

std::int32_t PartialLine(ImageHandle target, const Point& p1, const Point& p2, const Line& line, std::int32_t& step,
                         std::int32_t steps, double pencilLength, std::int32_t flags) {
    if (IsUndefined(p1) || IsUndefined(p2)) return UNDEFINED_CODE;
    if (step > steps) return -1;
    Point reached = p2;
    if (step < steps) {
        const double along = VEK_DISTANCE(p1, p2) * step / steps;
        reached = VEK_ADVANCETOPOINT(p1, p2, along);
        if (IsUndefined(reached)) reached = p1;  // a segment of no length grows nowhere
    }
    DrawLineP(target, p1, reached, line);
    if (flags & ShowTool) {
        const double direction = -std::atan2(p2.y - p1.y, p2.x - p1.x);
        DrawPencilTool(target, reached, direction + PencilTilt, pencilLength, ToolColour(flags));
    }
    ++step;
    return 0;
}

void LeaveSegment(const Stage& stage, const SavedPage& before, const Point& a, const Point& b, const Line& look) {
    before.Restore();
    DrawLineP(stage.Canvas(), a, b, look);
    stage.Show();
}

std::int32_t AnimateLine(const Stage& stage, const Point& p1, const Point& p2, const Line& line, float duration,
                         double pencilLength, std::int32_t flags) {
    return FilmOfLine(stage, p1, p2, line, duration, pencilLength, flags, LineEnd::Open);
}

std::int32_t StartLine(const Stage& stage, const Point& p1, const Point& p2, const Line& line, float duration,
                       double pencilLength, std::int32_t flags) {
    return FilmOfLine(stage, p1, p2, line, duration, pencilLength, flags, LineEnd::Marked);
}

}  // namespace vekora
