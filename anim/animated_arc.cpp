// The growing arc and its frame loop.
#include "anim/animated_arc.h"

#include <cmath>
#include <cstdint>

#include "anim/instruments.h"
#include "draw/figures.h"
#include "geom/kernel.h"

namespace vekora {

namespace {

// Arcs with a span below this many radians are hurried (about 19 degrees).
constexpr double ShortSpan = 0.333333;

// The counter-clockwise span from start to end, in (0, 2pi]; a full circle spans 2pi.
double SpanOf(const Circle& arc) {
    double span = arc.end - arc.start;
    if (span <= 0.0) span += TwoPi;
    if (span > TwoPi) span -= TwoPi;
    return span;
}

}  // namespace

std::int32_t PartialArc(ImageHandle target, const Circle& arc, std::int32_t& step, std::int32_t steps,
                        double legLength, std::int32_t flags) {
    if (IsUndefined(arc)) return UNDEFINED_CODE;
    if (step > steps) return -1;
    Circle drawn = arc;
    if (step != steps) {
        const double span = SpanOf(arc);
        if (span < ShortSpan) {
            // Compared before it is stored: a tiny span would carry the step past any int.
            const double hurried = std::nearbyint(step / (3.0 * span));
            if (!(hurried <= steps)) {
                step = hurried < INT32_MAX ? static_cast<std::int32_t>(hurried) : INT32_MAX;
                return -1;
            }
            step = static_cast<std::int32_t>(hurried);
        }
        drawn.end = arc.start + span * step / steps;
        if (drawn.end > TwoPi) drawn.end -= TwoPi;
    }
    // No progress yet (a step of 0 or less) draws no arc: start = end would mean a full circle.
    if (step == steps || drawn.end != drawn.start) DrawCircle(target, drawn);
    if (flags & ShowTool) {
        Point from{}, to{};
        ArcEndpoints(drawn, from, to);
        DrawCompassTool(target, Point{arc.x, arc.y, 0, 0, 0}, to, legLength, ToolColour(flags));
    }
    ++step;
    return 0;
}

std::int32_t AnimateArc(const Stage& stage, const Circle& arc, float duration, double legLength,
                        std::int32_t flags) {
    if (IsUndefined(arc)) return 0;
    const SavedPage saved(stage.Canvas());
    const std::int32_t steps = FilmSteps(duration, stage.settings().frameSeconds);
    std::int32_t step = 1;
    const auto frame = [&]() { return PartialArc(stage.Canvas(), arc, step, steps, legLength, flags) == 0; };
    const std::int32_t code = RunFrames(stage, saved, frame);
    saved.Restore();
    std::int32_t whole = steps;
    PartialArc(stage.Canvas(), arc, whole, steps, 0.0, 0);
    stage.Show();
    return code;
}

}  // namespace vekora
