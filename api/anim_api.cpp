// The instruments (VEKD_) and films (VEKA_) of vekora.h. A null record counts as undefined, a
// null number as 0, a null target or page (or a null image in it) as the screen, and a null
// step or code as a discarded one. The films read the program settings at every call.
#include <cstdint>

#include "platform/active_device.h"
#include "api/c_arguments.h"
#include "anim/animated_arc.h"
#include "anim/animated_line.h"
#include "anim/instruments.h"
#include "anim/protractor.h"
#include "anim/set_square.h"
#include "anim/stage.h"
#include "geom/records.h"
#include "settings/settings.h"
#include "vekora.h"

namespace {

using namespace vekora;
using namespace vekora::capi;

// The stage of one film: the caller's page at its origin, on the active device, with the
// program settings' timing.
Stage Film(const VekImage* page, const std::int32_t* originX, const std::int32_t* originY) {
    Stage stage(ActiveDevice(), ProgramSettings());
    stage.page = Target(page);
    stage.originX = In(originX);
    stage.originY = In(originY);
    return stage;
}

SquareKit Kit(double size, double rulerWidth, const std::int32_t* squareColour, const std::int32_t* rulerColour) {
    return SquareKit{size, rulerWidth, Colour(squareColour), Colour(rulerColour)};
}

// The film's line; its input code goes to `code` (null: discarded).
Line Reported(const Shown<Line>& film, std::int32_t* code) {
    if (code != nullptr) *code = film.input;
    return film.figure;
}

}  // namespace

extern "C" {

VEK_API int32_t VEKD_SQUARETOOL(const VekImage* target, const Line* line1, const Line* line2, const int32_t* flags,
                                const double* size, const int32_t* colour) {
    return DrawSquareTool(Target(target), In(line1), In(line2), In(flags), In(size), Colour(colour));
}

VEK_API int32_t VEKD_RULERTOOL(const VekImage* target, const Point* p1, const Point* p2, const int32_t* side,
                               const double* width, const int32_t* colour, const int32_t* spacing) {
    return DrawRulerTool(Target(target), In(p1), In(p2), In(side), In(width), Colour(colour), In(spacing));
}

VEK_API int32_t VEKD_COMPASSTOOL(const VekImage* target, const Point* pivot, const Point* tip, double leg,
                                 const int32_t* colour) {
    return Guarded<std::int32_t>(-1, [&] { return DrawCompassTool(Target(target), In(pivot), In(tip), leg, Colour(colour)); });
}

VEK_API int32_t VEKD_PROTRACTORTOOL(const VekImage* target, const Point* centre, const Line* base, const int32_t* flip,
                                    const double* size, const int32_t* colour) {
    return DrawProtractorTool(Target(target), In(centre), In(base), In(flip), In(size), Colour(colour));
}

VEK_API int32_t VEKD_PENCILTOOL(const VekImage* target, const Point* tip, double angle, double length,
                                const int32_t* colour) {
    return DrawPencilTool(Target(target), In(tip), angle, length, Colour(colour));
}

VEK_API int32_t VEKA_PARTIALLINE(const VekImage* target, const Point* p1, const Point* p2, const Line* line,
                                 int32_t* step, const int32_t* steps, const double* pencilLength,
                                 const int32_t* flags) {
    std::int32_t scratch = 0;
    return PartialLine(Target(target), In(p1), In(p2), In(line), Out(step, scratch), In(steps), In(pencilLength),
                       In(flags));
}

VEK_API int32_t VEKA_ANIMATELINE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                 const Point* p1, const Point* p2, const Line* line, const float* duration,
                                 const double* pencilLength, const int32_t* flags) {
    return Guarded<std::int32_t>(-1, [&] {
        Stage stage = Film(page, originX, originY);
        return AnimateLine(stage, In(p1), In(p2), In(line), In(duration), In(pencilLength), In(flags));
    });
}

VEK_API int32_t VEKA_STARTLINE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                               const Point* p1, const Point* p2, const Line* line, const float* duration,
                               const double* pencilLength, const int32_t* flags) {
    return Guarded<std::int32_t>(-1, [&] {
        Stage stage = Film(page, originX, originY);
        return StartLine(stage, In(p1), In(p2), In(line), In(duration), In(pencilLength), In(flags));
    });
}

VEK_API int32_t VEKA_PARTIALARC(const VekImage* target, const Circle* arc, int32_t* step, const int32_t* steps,
                                const double* legLength, const int32_t* flags) {
    std::int32_t scratch = 0;
    return Guarded<std::int32_t>(-1, [&] {
        return PartialArc(Target(target), In(arc), Out(step, scratch), In(steps), In(legLength), In(flags));
    });
}

VEK_API int32_t VEKA_ANIMATEARC(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                const Circle* arc, const float* duration, const double* legLength,
                                const int32_t* flags) {
    return Guarded<std::int32_t>(-1, [&] {
        Stage stage = Film(page, originX, originY);
        return AnimateArc(stage, In(arc), In(duration), In(legLength), In(flags));
    });
}

VEK_API Line VEKA_ANIMATERIGHTANGLE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                    const Line* line, const Point* point, const float* duration, double size,
                                    double rulerWidth, const int32_t* squareColour, const int32_t* rulerColour,
                                    int32_t* code) {
    return Guarded(UndefinedLine(), [&] {
        Stage stage = Film(page, originX, originY);
        const SquareKit kit = Kit(size, rulerWidth, squareColour, rulerColour);
        return Reported(AnimateRightAngle(stage, In(line), In(point), In(duration), kit), code);
    });
}

VEK_API Line VEKA_ANIMATEPARALLEL(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                  const Line* line, const Point* point, const float* duration, double size,
                                  double rulerWidth, const int32_t* squareColour, const int32_t* rulerColour,
                                  int32_t* code) {
    return Guarded(UndefinedLine(), [&] {
        Stage stage = Film(page, originX, originY);
        const SquareKit kit = Kit(size, rulerWidth, squareColour, rulerColour);
        return Reported(AnimateParallel(stage, In(line), In(point), In(duration), kit), code);
    });
}

VEK_API Line VEKA_ANIMATEDRAWRIGHTANGLE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                        const Line* line, const Point* point, const float* duration,
                                        const Line* style, double size, double rulerWidth,
                                        const int32_t* squareColour, const int32_t* rulerColour,
                                        const int32_t* flags, int32_t* code) {
    return Guarded(UndefinedLine(), [&] {
        Stage stage = Film(page, originX, originY);
        const SquareKit kit = Kit(size, rulerWidth, squareColour, rulerColour);
        return Reported(AnimateDrawRightAngle(stage, In(line), In(point), In(duration), In(style), kit, In(flags)), code);
    });
}

VEK_API Line VEKA_ANIMATEDRAWPARALLEL(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                      const Line* line, const Point* point, const float* duration,
                                      const Line* style, double size, double rulerWidth,
                                      const int32_t* squareColour, const int32_t* rulerColour,
                                      const int32_t* flags, int32_t* code) {
    return Guarded(UndefinedLine(), [&] {
        Stage stage = Film(page, originX, originY);
        const SquareKit kit = Kit(size, rulerWidth, squareColour, rulerColour);
        return Reported(AnimateDrawParallel(stage, In(line), In(point), In(duration), In(style), kit, In(flags)), code);
    });
}

VEK_API Line VEKA_ANIMATEPROTRACTOR(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                    const Line* line, const Point* point, const double* angle,
                                    const float* duration, double size, const Line* style, const int32_t* flags,
                                    int32_t* code) {
    return Guarded(UndefinedLine(), [&] {
        Stage stage = Film(page, originX, originY);
        return Reported(AnimateProtractor(stage, In(line), In(point), In(angle), In(duration), size, In(style), In(flags)),
                        code);
    });
}

}  // extern "C"
