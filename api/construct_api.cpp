// The constructions (VEKS_MAKE...) of vekora.h. A null record counts as undefined, a null style
// word as -1 (the setting), any other null number as 0, a null target (or a null image in it)
// as the screen, and a null event or output record as a discarded one. The constructions read
// the program settings at every call.
#include <cstdint>

#include "platform/active_device.h"
#include "api/c_arguments.h"
#include "construct/constructions.h"
#include "geom/records.h"
#include "settings/settings.h"
#include "vekora.h"

namespace {

using namespace vekora;
using namespace vekora::capi;

StyleWords Style(const std::int32_t* style, const std::int32_t* colour, const std::int32_t* thickness) {
    return StyleWords{Word(style), Word(colour), Word(thickness)};
}
RingWords Ring(const std::int32_t* colour, const std::int32_t* thickness) {
    return RingWords{Word(colour), Word(thickness)};
}

// Runs a construction on the stage the C arguments describe: their target at their origin,
// the active device, the program settings. The input code that cut a pause short goes to
// `event`. Memory refused on the way gives the undefined record.
template <typename Result, typename Build>
Result Construct(const VekImage* target, const std::int32_t* originX, const std::int32_t* originY,
                 const std::int32_t* mode, std::int32_t* event, Result undefined, Build build) noexcept {
    return Guarded(undefined, [&] {
        Stage stage(ActiveDevice(), ProgramSettings());
        stage.page = Target(target);
        stage.originX = In(originX);
        stage.originY = In(originY);
        const Shown<Result> result = build(stage, static_cast<CallMode>(In(mode)));
        if (event != nullptr) *event = result.input;
        return result.figure;
    });
}

template <typename Build>
Line ConstructLine(const VekImage* target, const std::int32_t* originX, const std::int32_t* originY,
                   const std::int32_t* mode, std::int32_t* event, Build build) noexcept {
    return Construct(target, originX, originY, mode, event, UndefinedLine(), build);
}

template <typename Build>
Circle ConstructCircle(const VekImage* target, const std::int32_t* originX, const std::int32_t* originY,
                       const std::int32_t* mode, std::int32_t* event, Build build) noexcept {
    return Construct(target, originX, originY, mode, event, UndefinedCircle(), build);
}

}  // namespace

extern "C" {

VEK_API Line VEKS_MAKELINE(const VekImage* target, const int32_t* originX, const int32_t* originY, const Point* a,
                           const Point* b, const int32_t* style, const int32_t* colour, const int32_t* thickness,
                           const int32_t* mode, int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKELINE(stage, callMode, In(a), In(b), Style(style, colour, thickness));
    });
}

VEK_API Line VEKS_MAKELINEPOLAR(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const Point* p, const Line* reference, const int32_t* angle, const int32_t* style,
                                const int32_t* colour, const int32_t* thickness, const int32_t* mode,
                                int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKELINEPOLAR(stage, callMode, In(p), In(reference), In(angle), Style(style, colour, thickness));
    });
}

VEK_API Line VEKS_MAKESTARTLINE(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const Point* p, Point* endOut, const int32_t* angle, const int32_t* length,
                                const int32_t* style, const int32_t* colour, const int32_t* thickness,
                                const int32_t* mode, int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        Point discarded{};
        return vekora::VEKS_MAKESTARTLINE(stage, callMode, In(p), endOut ? *endOut : discarded, In(angle), In(length),
                                          Style(style, colour, thickness));
    });
}

VEK_API Circle VEKS_MAKECIRCLEP(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const Point* centre, const Point* p, const int32_t* colour, const int32_t* thickness,
                                const int32_t* start, const int32_t* end, const int32_t* mode, int32_t* event) {
    return ConstructCircle(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKECIRCLEP(stage, callMode, In(centre), In(p), Ring(colour, thickness),
                                        ArcAngles{Word(start), In(end)});
    });
}

VEK_API Circle VEKS_MAKECIRCLETANGENT(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                      const Point* centre, const Line* l, const int32_t* colour,
                                      const int32_t* thickness, const int32_t* start, const int32_t* end,
                                      const int32_t* mode, int32_t* event) {
    return ConstructCircle(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKECIRCLETANGENT(stage, callMode, In(centre), In(l), Ring(colour, thickness),
                                              ArcAngles{Word(start), In(end)});
    });
}

VEK_API Circle VEKS_MAKEARC(const VekImage* target, const int32_t* originX, const int32_t* originY,
                            const Point* centre, const Point* p, const int32_t* colour, const int32_t* thickness,
                            const int32_t* opening, const int32_t* mode, int32_t* event) {
    return ConstructCircle(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKEARC(stage, callMode, In(centre), In(p), Ring(colour, thickness), In(opening));
    });
}

VEK_API Circle VEKS_MAKEARCLINES(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                 const Line* l1, const Line* l2, const int32_t* radius, const int32_t* colour,
                                 const int32_t* thickness, const int32_t* mode, int32_t* event) {
    return ConstructCircle(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKEARCLINES(stage, callMode, In(l1), In(l2), In(radius), Ring(colour, thickness));
    });
}

VEK_API Line VEKS_MAKEMIDLINE(const VekImage* target, const int32_t* originX, const int32_t* originY,
                              const Point* a, const Point* b, const int32_t* style, const int32_t* colour,
                              const int32_t* thickness, const int32_t* mode, int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKEMIDLINE(stage, callMode, In(a), In(b), Style(style, colour, thickness));
    });
}

VEK_API Line VEKS_MAKEBISECTOR(const VekImage* target, const int32_t* originX, const int32_t* originY,
                               const Line* l1, const Line* l2, const int32_t* style, const int32_t* colour,
                               const int32_t* thickness, const int32_t* mode, int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        return vekora::VEKS_MAKEBISECTOR(stage, callMode, In(l1), In(l2), Style(style, colour, thickness));
    });
}

VEK_API Line VEKS_MAKETANGENT(const VekImage* target, const int32_t* originX, const int32_t* originY,
                              const Point* p, const Circle* c, Line* secondOut, const int32_t* style,
                              const int32_t* colour, const int32_t* thickness, const int32_t* mode,
                              int32_t* event) {
    return ConstructLine(target, originX, originY, mode, event, [&](Stage& stage, CallMode callMode) {
        Line discarded{};
        return vekora::VEKS_MAKETANGENT(stage, callMode, In(p), In(c), secondOut ? *secondOut : discarded,
                                        Style(style, colour, thickness));
    });
}

}  // extern "C"
