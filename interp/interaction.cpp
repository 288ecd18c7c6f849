// Dragging the clickable points of an INTERACTION.
#include "interp/prologues.h"

#include <cmath>
#include <string>

#include "draw/points.h"
#include "geom/kernel.h"
#include "interp/control_bar.h"
#include "interp/engine.h"
#include "interp/menu.h"
#include "interp/page.h"
#include "platform/input.h"

namespace vekora {
namespace {

// The pause between two polls while the run waits for a press or follows a paced drag. The
// shortest click a hand makes lasts several times longer, so none is missed. (Waiting for a
// press, a window sleeps until input comes instead.)
constexpr std::int32_t DragPollMs = 5;

struct PagePosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Screen pixels to page pixels: the page is shown at the drawing origin.
PagePosition OnPage(const RunContext& run, std::int32_t screenX, std::int32_t screenY) {
    return PagePosition{screenX - run.stage.originX, screenY - run.stage.originY};
}

bool IsClick(std::int32_t inputCode) { return inputCode < 0; }  // bit 31

// A key as PollInput packs it.
std::int32_t KeyInputCode(const std::string& key) {
    auto code = static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[0]));
    if (key.size() > 1) code |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(key[1])) << 8;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(KeyCodeBit) | code);
}

// The control bar while the viewer drags or is about to: Pausa means nothing here, Repetir
// restarts the activation, Salir ends it.
StepResult AnswerWhileDragging(const Stage& stage, std::int32_t inputCode) {
    switch (PollControlBar(stage, inputCode)) {
        case BarRepeat: return StepResult{Flow::Restart, 0};
        case BarExit: return ReturnWith(0);
        default: return NextStep();
    }
}

// Keys typed while a button is held: PollInput would report only the button.
StepResult KeysWhileHeld(const RunContext& run, Activation& act) {
    const std::string key = run.stage.Key();
    if (key.empty()) return NextStep();
    const StepResult answer = AnswerWhileDragging(run.stage, KeyInputCode(key));
    if (answer.flow != Flow::Next) act.grabbed = -1;
    return answer;
}

void ShowPicture(const RunContext& run, ImageHandle picture) {
    if (picture == nullptr) return;
    ImageBlit(run.stage.Screen(), static_cast<float>(run.stage.originX), static_cast<float>(run.stage.originY), picture,
              BlitMode::Plain, 0);
}

// The page into the working picture, reusing the picture of the last pass when it fits.
void TakeWorkingPicture(const RunContext& run, Activation& act) {
    if (!run.page) return;
    if (act.workingPicture) {
        const SurfaceSize have = SurfaceInfo(act.workingPicture.get());
        const SurfaceSize page = SurfaceInfo(run.page.get());
        if (have.width == page.width && have.height == page.height && have.bytesPerPixel == page.bytesPerPixel) {
            ImageBlit(act.workingPicture.get(), 0, 0, run.page.get(), BlitMode::Plain, 0);
            return;
        }
    }
    act.workingPicture = CopyOfPage(run);
}

// Polls until a press grabs a clickable point, or the control bar ends or restarts the
// activation. A press beside every point is no grab: the wait goes on while it is held.
StepResult WaitForGrab(RunContext& run, Activation& act) {
    for (;;) {
        if (run.stage.Stopped()) return ReturnWith(EndReached);
        const std::int32_t code = run.stage.Poll();
        if (code != 0) {
            const StepResult answer = AnswerWhileDragging(run.stage, code);
            if (answer.flow != Flow::Next) return answer;
            if (IsClick(code)) {
                const DecodedInput press = DecodeInput(code);
                const PagePosition at = OnPage(run, press.x, press.y);
                const std::int32_t entry = ClickableAt(run, act, at.x, at.y);
                if (entry >= 0) {
                    Grab(run, act, entry, at.x, at.y);
                    return NextStep();
                }
            }
        }
        run.stage.AwaitInput(DragPollMs);
    }
}

// FAST: one move a pass. The point is shown at once over the last pass's figure; the
// statements then draw the figure for it on the page.
StepResult FollowMouse(RunContext& run, Activation& act) {
    const StepResult keys = KeysWhileHeld(run, act);
    if (keys.flow != Flow::Next) return keys;
    const std::int32_t point = act.clickables[static_cast<std::size_t>(act.grabbed)].point;
    const MouseInfo mouse = run.stage.Mouse();
    if (mouse.buttons > 0) {
        const PagePosition at = OnPage(run, mouse.x, mouse.y);
        MoveGrabbed(run, act, at.x, at.y);
    } else {
        act.grabbed = -1;
    }
    PaintOnPage(run, act.entryPicture.get());
    if (act.workingPicture && !IsUndefined(run.objects.PointAt(point))) DrawPoint(act.workingPicture.get(), run.objects.PointAt(point));
    ShowPicture(run, act.workingPicture.get());
    // The next pass follows the mouse again at once; a short sleep keeps a held button from
    // spinning a core, and is far below what an eye can see.
    run.stage.Sleep(DragPollMs);
    return NextStep();
}

StepResult FastDrag(RunContext& run, Activation& act) {
    if (act.grabbed < 0) {
        const StepResult grab = WaitForGrab(run, act);
        if (grab.flow != Flow::Next) return grab;
    }
    return FollowMouse(run, act);
}

// PACE and SLOW: only the point moves while the button is held, over the figure as it
// stood; the statements draw the figure again, paced, after the release.
StepResult PacedDrag(RunContext& run, Activation& act) {
    const StepResult grab = WaitForGrab(run, act);
    if (grab.flow != Flow::Next) return grab;
    const std::int32_t point = act.clickables[static_cast<std::size_t>(act.grabbed)].point;
    for (MouseInfo mouse = run.stage.Mouse(); mouse.buttons > 0; mouse = run.stage.Mouse()) {
        PaintOnPage(run, act.workingPicture.get());
        const PagePosition at = OnPage(run, mouse.x, mouse.y);
        MoveGrabbed(run, act, at.x, at.y);
        if (run.page && !IsUndefined(run.objects.PointAt(point))) DrawPoint(run.page.get(), run.objects.PointAt(point));
        ShowPage(run);
        const StepResult keys = KeysWhileHeld(run, act);
        if (keys.flow != Flow::Next) return keys;
        run.stage.Sleep(DragPollMs);
    }
    act.grabbed = -1;
    return NextStep();
}

}  // namespace

std::int32_t ClickableAt(const RunContext& run, const Activation& act, std::int32_t x, std::int32_t y) {
    for (std::size_t i = 0; i < act.clickables.size(); ++i) {
        const Point& p = run.objects.PointAt(act.clickables[i].point);
        if (IsUndefined(p)) continue;
        if (std::abs(x - p.x) < HitRadius && std::abs(y - p.y) < HitRadius) return static_cast<std::int32_t>(i);
    }
    return -1;
}

void Grab(const RunContext& run, Activation& act, std::int32_t entry, std::int32_t x, std::int32_t y) {
    const Point& p = run.objects.PointAt(act.clickables[static_cast<std::size_t>(entry)].point);
    act.grabbed = entry;
    act.grabMouseX = x;
    act.grabMouseY = y;
    act.grabPointX = static_cast<std::int32_t>(std::lround(p.x));
    act.grabPointY = static_cast<std::int32_t>(std::lround(p.y));
}

void MoveGrabbed(RunContext& run, const Activation& act, std::int32_t x, std::int32_t y) {
    if (act.grabbed < 0 || static_cast<std::size_t>(act.grabbed) >= act.clickables.size()) return;
    const ClickableEntry& entry = act.clickables[static_cast<std::size_t>(act.grabbed)];
    const Point mouse{static_cast<double>(x), static_cast<double>(y), 0, 0, 0};
    Point to{static_cast<double>(act.grabPointX + x - act.grabMouseX),
             static_cast<double>(act.grabPointY + y - act.grabMouseY), 0, 0, 0};
    const auto along = static_cast<std::size_t>(IndexOf(entry.constraint));
    if (KindOf(entry.constraint) == AlongLine) {
        const Line& line = run.objects.lines[along];
        to = VEK_LINECROSS(VEK_MAKERIGHTANGLE(mouse, line), line);
    } else if (KindOf(entry.constraint) == AlongCircle) {
        const Circle& circle = run.objects.circles[along];
        to = IsUndefined(circle) ? UndefinedPoint()
                                 : VEK_ADVANCETOPOINT(Point{circle.x, circle.y, 0, 0, 0}, mouse, circle.r);
    }
    if (IsUndefined(to) || !std::isfinite(to.x) || !std::isfinite(to.y)) return;
    Point& point = run.objects.PointAt(entry.point);
    point.x = to.x;
    point.y = to.y;
}

StepResult InteractionPrologue(RunContext& run, Activation& act) {
    TakeWorkingPicture(run, act);
    if (act.repeatCounter == 0) {
        act.grabbed = -1;
    } else {
        if (!run.stage.ClockRuns()) return ReturnWith(0);  // no viewer can ever end it
        const StepResult drag = act.mode == ModeFast ? FastDrag(run, act) : PacedDrag(run, act);
        if (drag.flow != Flow::Next) return drag;
    }
    PaintOnPage(run, act.entryPicture.get());
    return NextStep();
}

}  // namespace vekora
