// Point statements and the point step.
#include "interp/statements.h"

#include "anim/instruments.h"
#include "draw/points.h"
#include "geom/kernel.h"
#include "interp/page.h"
#include "interp/screen_text.h"

namespace vekora {
namespace {

constexpr double FixedOne = 65536.0;  // numbers in the table carry 16 fraction bits
constexpr std::int32_t RulerTickSpacing = 10;  // pixels between the ruler's ticks

double Fixed(std::int32_t word) { return word / FixedOne; }

// SLOW: the pencil at the point (and the ruler from where ADVANCETO and ADVANCEON started)
// stays one step time, then the picture without the instruments one more. Each pause is
// skipped once an input code has come; returns that code.
std::int32_t ShowInstruments(RunContext& run, Activation& activation, const StatementRow& row, const Point& point,
                             std::int32_t input) {
    ImageHandle page = run.page.get();
    activation.workingPicture = CopyOfPage(run);
    const InstrumentDefaults& tools = run.settings.instruments;
    const std::int32_t toolColour = tools.pencilColour == -1 ? static_cast<std::int32_t>(point.colour) : tools.pencilColour;
    DrawPencilTool(page, point, 1.0, tools.rulerSize, static_cast<std::uint32_t>(toolColour));
    if (row.opcode == OpAdvanceTo || row.opcode == OpAdvanceOn) {
        DrawRulerTool(page, run.objects.PointAt(row.w[1]), point, 0, tools.rulerWidth,
                      static_cast<std::uint32_t>(tools.rulerColour), RulerTickSpacing);
    }
    ShowPage(run);
    input = run.stage.PauseIfQuiet(input);
    PaintOnPage(run, activation.workingPicture.get());
    ShowPage(run);
    return run.stage.PauseIfQuiet(input);
}

std::int32_t DrawAndPace(RunContext& run, Activation& activation, const StatementRow& row, const Point& point,
                         std::int32_t input) {
    EnsureWindow(run, activation);
    if (!run.page) return input;
    DrawPoint(run.page.get(), point);
    if (activation.mode == ModeFast) return input;
    if (activation.mode == ModeSlow) return ShowInstruments(run, activation, row, point, input);
    ShowPage(run);
    return run.stage.PauseIfQuiet(input);
}

}  // namespace

std::int32_t PointStep(RunContext& run, Activation& activation, const StatementRow& row, std::int32_t index,
                       int firstStyleWord, std::int32_t input) {
    const Settings& s = run.settings;
    Point& point = run.objects.PointAt(index);
    const std::int32_t shape = row.w[firstStyleWord];
    const std::int32_t colour = row.w[firstStyleWord + 1];
    const std::int32_t size = row.w[firstStyleWord + 2];
    point.shape = static_cast<std::int16_t>(shape == -1 ? s.pointShape : shape);
    point.colour = colour == -1 ? s.defaultColour : colour;
    point.size = static_cast<std::int16_t>(size == -1 ? s.pointSize : size);
    SetVisibility(run, index, VisiblePoint, !row.hidden);
    if (row.hidden || IsUndefined(point)) return input;
    // A page that could not be made draws nothing, and the screen is never drawn on instead.
    return DrawAndPace(run, activation, row, point, input);
}

std::int32_t RunPoint(RunContext& run, Activation& activation, const StatementRow& row) {
    Point& point = run.objects.PointAt(row.target);
    point.x = Fixed(row.w[1]);
    point.y = Fixed(row.w[2]);
    return PointStep(run, activation, row, row.target, 3, 0);
}

std::int32_t RunCrossLines(RunContext& run, Activation& activation, const StatementRow& row) {
    const Point cross = VEK_LINECROSS(run.objects.LineAt(row.w[1]),
                                      run.objects.LineAt(row.w[2]));
    Point& point = run.objects.PointAt(row.target);
    point.x = cross.x;
    point.y = cross.y;
    return PointStep(run, activation, row, row.target, 3, 0);
}

std::int32_t RunMiddle(RunContext& run, Activation& activation, const StatementRow& row) {
    const Point middle = Midpoint(run.objects.PointAt(row.w[1]), run.objects.PointAt(row.w[2]));
    Point& point = run.objects.PointAt(row.target);
    if (IsUndefined(middle)) {
        SetUndefined(point);
        return 0;
    }
    point.x = middle.x;
    point.y = middle.y;
    return PointStep(run, activation, row, row.target, 3, 0);
}

std::int32_t RunAdvance(RunContext& run, Activation& activation, const StatementRow& row) {
    const Point& from = run.objects.PointAt(row.w[1]);
    const double distance = Fixed(row.w[3]);
    const Point moved = row.opcode == OpAdvanceTo
                            ? VEK_ADVANCETOPOINT(from, run.objects.PointAt(row.w[2]), distance)
                            : VEK_ADVANCEONLINE(from, run.objects.LineAt(row.w[2]), distance);
    Point& point = run.objects.PointAt(row.target);
    point.x = moved.x;
    point.y = moved.y;
    return PointStep(run, activation, row, row.target, 4, 0);
}

std::int32_t RunPointPair(RunContext& run, Activation& activation, const StatementRow& row) {
    Point first = run.objects.PointAt(row.target);
    Point second = run.objects.PointAt(row.w[1]);
    const auto circle = [&](int word) -> const Circle& { return run.objects.CircleAt(row.w[word]); };
    const auto line = [&](int word) -> const Line& { return run.objects.LineAt(row.w[word]); };
    int firstStyleWord = 4;
    switch (row.opcode) {
        case OpCrossCircleLine: VEK_LINECIRCLECROSS(line(3), circle(2), first, second); break;
        case OpCrossLineCircle: VEK_LINECIRCLECROSS(line(2), circle(3), first, second); break;
        case OpCrossCircles: VEK_CIRCLECROSS(circle(2), circle(3), first, second); break;
        default:
            ArcEndpoints(circle(2), first, second);
            firstStyleWord = 3;
            break;
    }
    Point& target = run.objects.PointAt(row.target);
    target.x = first.x;
    target.y = first.y;
    Point& other = run.objects.PointAt(row.w[1]);
    other.x = second.x;
    other.y = second.y;
    const std::int32_t input = PointStep(run, activation, row, row.target, firstStyleWord, 0);
    return PointStep(run, activation, row, row.w[1], firstStyleWord, input);
}

}  // namespace vekora
