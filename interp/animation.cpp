// Frames of an ANIMATION.
#include "interp/prologues.h"

#include <cmath>

#include "construct/circles.h"
#include "draw/points.h"
#include "geom/kernel.h"
#include "interp/control_bar.h"
#include "interp/page.h"
#include "interp/resident.h"

namespace vekora {
namespace {

// A circle keeps its angles in radians; the construction takes them in 1/256 degree.
constexpr double RadiansPerAngleUnit = Pi / 46080.0;

std::int32_t AngleUnits(double radians) { return static_cast<std::int32_t>(std::lround(radians / RadiansPerAngleUnit)); }

// The point one frame on: free by (a, b), along a line by a, along a circle by an arc of
// length a. Only the position changes.
Point Moved(const RunContext& run, const StepEntry& step, const Point& from) {
    if (IsUndefined(from)) return from;
    const auto along = static_cast<std::size_t>(IndexOf(step.constraint));
    Point to = from;
    if (KindOf(step.constraint) == AlongLine) {
        to = VEK_ADVANCEONLINE(from, run.objects.lines[along], step.a);
    } else if (KindOf(step.constraint) == AlongCircle) {
        const Circle& circle = run.objects.circles[along];
        to = IsUndefined(circle) ? UndefinedPoint()
                                 : VEK_ROTATEPOINT(from, Point{circle.x, circle.y, 0, 0, 0}, step.a / circle.r);
    } else {
        to.x += step.a;
        to.y += step.b;
    }
    if (IsUndefined(to) || !std::isfinite(to.x) || !std::isfinite(to.y)) return UndefinedPoint();
    Point result = from;
    result.x = to.x;
    result.y = to.y;
    return result;
}

// The circle's centre moved, its radius changed, and the circle made again: drawn on the
// page when it is visible.
void StepCircle(RunContext& run, StepEntry& step, std::int32_t index) {
    Circle& circle = run.objects.CircleAt(index);
    if (IsUndefined(circle)) return;
    const Point centre = Moved(run, step, Point{circle.x, circle.y, 0, 0, 0});
    if (IsUndefined(centre)) {
        circle = UndefinedCircle();
        return;
    }
    double radius = circle.r + step.c;
    if (radius < 0) {
        radius = -radius;
        step.c = -step.c;
    }
    const bool visible = (run.visibility[static_cast<std::size_t>(index)] & VisibleCircle) != 0;
    const CallMode mode = visible && run.page ? ModeFast : ModeNoDraw;
    const Point through{centre.x, centre.y + radius, 0, 0, 0};
    circle = VEKS_MAKECIRCLEP(run.stage, mode, centre, through,
                              RingWords{static_cast<std::int32_t>(circle.colour), circle.thickness},
                              ArcAngles{AngleUnits(circle.start), AngleUnits(circle.end)})
                 .figure;  // FAST or compute only: nothing waits
}

// Every traced point's position of this frame joins its trail, and the trails so far are
// drawn, one trail after the other.
void DrawTrails(RunContext& run, Activation& act) {
    const auto frame = static_cast<std::size_t>(act.repeatCounter - 1);
    act.trail.resize(act.traced.size());
    for (std::size_t i = 0; i < act.traced.size(); ++i) {
        std::vector<Point>& trail = act.trail[i];
        if (trail.size() <= frame) trail.resize(frame + 1, UndefinedPoint());
        trail[frame] = run.objects.PointAt(act.traced[i]);
    }
    if (run.page) act.trailLayers.Draw(run.page.get(), act.entryPicture.get(), act.trail, frame);
}

// The control bar's answer for the code that ended the frame's wait.
StepResult AnswerBetweenFrames(RunContext& run, Activation& act, std::int32_t code) {
    switch (PollControlBar(run.stage, code)) {
        // In the pause Continuar goes on with the frame, Repetir restarts, Salir ends.
        case BarPause: return PauseWithControlBar(run, act, ResidentFont(FontFamily::Sans, 16), BarPlace::Wait);
        case BarRepeat: return StepResult{Flow::Restart, 0};
        case BarExit: return ReturnWith(0);
        case BarNothing: break;
    }
    return NextStep();
}

}  // namespace

void ApplyStep(RunContext& run, StepEntry& step) {
    const std::int32_t index = IndexOf(step.object);
    if (KindOf(step.object) == AlongCircle) {
        StepCircle(run, step, index);
        return;
    }
    Point& point = run.objects.PointAt(index);
    point = Moved(run, step, point);
}

StepResult AnimationPrologue(RunContext& run, Activation& act) {
    if (act.repeatCounter < 1) return NextStep();
    // The statements' own waits have been answered between rows, so every frame waits.
    const std::int32_t code = run.stage.Wait(act.mode == ModeFast ? run.settings.frameMs : run.settings.stepMs);
    if (run.page)
        act.trailLayers.StartFrame(run.page.get(), act.entryPicture.get(), act.traced.size(),
                                   static_cast<std::size_t>(act.repeatCounter - 1));
    const StepResult answer = AnswerBetweenFrames(run, act, code);
    if (answer.flow != Flow::Next) return answer;
    for (StepEntry& step : act.steps) ApplyStep(run, step);
    DrawTrails(run, act);
    if (act.mode != ModeFast) ShowPage(run);
    return NextStep();
}

}  // namespace vekora
