// The geometry routines of vekora.h: pointers in, the kernel's references inside. A null
// record counts as undefined, a null number as 0, and a null output is discarded.
#include "vekora.h"

#include "api/c_arguments.h"
#include "geom/kernel.h"
#include "settings/settings.h"

namespace {

using namespace vekora;
using namespace vekora::capi;

// The look new lines take from the program settings.
LineLook SettingsLook() {
    return DefaultLineLook(ProgramSettings());
}

}  // namespace

extern "C" {

VEK_API Line VEK_MAKELINE(const Point* a, const Point* b) {
    return vekora::VEK_MAKELINE(In(a), In(b), SettingsLook());
}
VEK_API Line VEK_MAKELINEPOLAR(const Point* p, const double* angle) {
    return vekora::VEK_MAKELINEPOLAR(In(p), In(angle), SettingsLook());
}
VEK_API Line VEK_MAKERIGHTANGLE(const Point* p, const Line* l) {
    return vekora::VEK_MAKERIGHTANGLE(In(p), In(l));
}
VEK_API double VEK_DISTANCE(const Point* a, const Point* b) {
    return vekora::VEK_DISTANCE(In(a), In(b));
}
VEK_API double VEK_LINEDISTANCE(const Point* p, const Line* l) {
    return vekora::VEK_LINEDISTANCE(In(p), In(l));
}
VEK_API Point VEK_ADVANCEONLINE(const Point* p, const Line* l, const double* distance) {
    return vekora::VEK_ADVANCEONLINE(In(p), In(l), In(distance));
}
VEK_API Point VEK_ADVANCETOPOINT(const Point* a, const Point* b, const double* distance) {
    return vekora::VEK_ADVANCETOPOINT(In(a), In(b), In(distance));
}
VEK_API int32_t VEK_ISBETWEEN(const Point* x, const Point* y, const Point* z) {
    return vekora::VEK_ISBETWEEN(In(x), In(y), In(z));
}
VEK_API int32_t VEK_RECTOVER(const Point* a, const Point* b, const double* height, Point* outA,
                             Point* outB) {
    Point scratchA{}, scratchB{};
    return vekora::VEK_RECTOVER(In(a), In(b), In(height), Out(outA, scratchA),
                                Out(outB, scratchB));
}
VEK_API LineEquation VEK_VECTORIALTOEQUAT(const Line* l) {
    return vekora::VEK_VECTORIALTOEQUAT(In(l));
}
VEK_API Line VEK_EQUATTOVECTORIAL(const LineEquation* e) {
    return vekora::VEK_EQUATTOVECTORIAL(In(e));
}
VEK_API double VEK_LINEDISTANCEEQUAT(const Point* p, const LineEquation* e) {
    return vekora::VEK_LINEDISTANCEEQUAT(In(p), In(e));
}

VEK_API Point VEK_LINECROSS(const Line* l1, const Line* l2) {
    return vekora::VEK_LINECROSS(In(l1), In(l2));
}
VEK_API int32_t VEK_LINECIRCLECROSS(const Line* l, const Circle* c, Point* out1, Point* out2) {
    Point scratch1{}, scratch2{};
    return vekora::VEK_LINECIRCLECROSS(In(l), In(c), Out(out1, scratch1), Out(out2, scratch2));
}
VEK_API int32_t VEK_CIRCLECROSS(const Circle* c1, const Circle* c2, Point* out1, Point* out2) {
    Point scratch1{}, scratch2{};
    return vekora::VEK_CIRCLECROSS(In(c1), In(c2), Out(out1, scratch1), Out(out2, scratch2));
}
VEK_API int32_t VEK_SOLVEEQUATION2(const double* a, const double* b, const double* c,
                                   double* out1, double* out2) {
    double scratch1 = 0, scratch2 = 0;
    return vekora::VEK_SOLVEEQUATION2(In(a), In(b), In(c), Out(out1, scratch1),
                                      Out(out2, scratch2));
}
VEK_API int32_t VEK_LINEISBETWEEN(const Line* l, const Point* a, const Point* b) {
    return vekora::VEK_LINEISBETWEEN(In(l), In(a), In(b));
}

VEK_API double VEK_ABSANGLE(const Line* l) { return vekora::VEK_ABSANGLE(In(l)); }
VEK_API double VEK_ANGLE(const Line* l1, const Line* l2) {
    return vekora::VEK_ANGLE(In(l1), In(l2));
}
VEK_API Line VEK_MAKEANGLE(const Point* p, const Line* l, const double* angle) {
    return vekora::VEK_MAKEANGLE(In(p), In(l), In(angle), SettingsLook());
}
VEK_API Point VEK_ROTATEPOINT(const Point* p, const Point* centre, const double* angle) {
    return vekora::VEK_ROTATEPOINT(In(p), In(centre), In(angle));
}
VEK_API Circle VEK_MAKEARC(const Point* centre, const Point* p, const double* opening) {
    return vekora::VEK_MAKEARC(In(centre), In(p), In(opening));
}

// A missing record to order counts as undefined, so the other one comes first.
VEK_API int32_t VEK_SETFIRST(Point* a, Point* b, const Line* l) {
    Point scratchA = UndefinedPoint(), scratchB = UndefinedPoint();
    return vekora::VEK_SETFIRST(Out(a, scratchA), Out(b, scratchB), In(l));
}
VEK_API int32_t VEK_SETFIRSTANGLE(Point* a, Point* b, const Line* l) {
    Point scratchA = UndefinedPoint(), scratchB = UndefinedPoint();
    return vekora::VEK_SETFIRSTANGLE(Out(a, scratchA), Out(b, scratchB), In(l));
}
VEK_API int32_t VEK_SETSMALLERANGLE(Line* l1, Line* l2) {
    Line scratch1 = UndefinedLine(), scratch2 = UndefinedLine();
    return vekora::VEK_SETSMALLERANGLE(Out(l1, scratch1), Out(l2, scratch2));
}

}  // extern "C"
