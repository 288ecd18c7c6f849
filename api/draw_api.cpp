// The figure, fill and mark routines of vekora.h, and the images callers draw into. A null
// record counts as undefined, a null number as 0, a null text as "", a null font as empty,
// a null target (or a null image in it) as the screen; a null output is discarded.
#include <cstdint>
#include <exception>
#include <string_view>

#include "api/c_arguments.h"
#include "draw/figures.h"
#include "draw/fills.h"
#include "draw/font.h"
#include "draw/image.h"
#include "draw/image_surface.h"
#include "draw/marks.h"
#include "draw/points.h"
#include "platform/png_writer.h"
#include "vekora.h"

namespace {

using namespace vekora;
using namespace vekora::capi;

// Nothing may leave a C routine as an exception: running out of memory for a scratch image or
// a label is reported as a refusal.
template <typename Draw>
std::int32_t Refusable(Draw draw) noexcept {
    return Guarded<std::int32_t>(-1, draw);
}

}  // namespace

extern "C" {

VEK_API VekImage VEKD_NEWIMAGE(int32_t width, int32_t height, int32_t bytesPerPixel) {
    return ImageNewOfDepth(width, height, bytesPerPixel, NO_COLOUR);
}

VEK_API int32_t VEKD_FREEIMAGE(VekImage image) {
    if (image != nullptr) ImageFree(image);
    return 0;
}

VEK_API uint8_t* VEKD_IMAGEBUFFER(VekImage image, int64_t* bytes) {
    if (bytes == nullptr) return image;
    *bytes = 0;
    if (image != nullptr) {
        const Surface size = ResolveSurface(image);
        *bytes = ImageHeaderBytes + std::int64_t{size.width} * size.height * size.bytesPerPixel;
    }
    return image;
}

VEK_API int32_t VEKD_SAVEPNG(const VekImage* target, const char* fileName) {
    if (fileName == nullptr || SurfaceInfo(Target(target)).width <= 0) return -1;
    return Refusable([&] { return WritePng(Target(target), fileName).empty() ? 0 : -2; });
}

VEK_API int32_t VEKD_LINE(const VekImage* target, const Line* line) {
    if (line == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return DrawLine(Target(target), *line); });
}

VEK_API int32_t VEKD_LINEP(const VekImage* target, const Point* p1, const Point* p2, const Line* line) {
    if (p1 == nullptr || p2 == nullptr) return UNDEFINED_CODE;
    if (line == nullptr) return 0;  // no look: no thickness, nothing to draw
    return Refusable([&] { return DrawLineP(Target(target), *p1, *p2, *line); });
}

VEK_API int32_t VEKD_CIRCLE(const VekImage* target, const Circle* circle) {
    if (circle == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return DrawCircle(Target(target), *circle); });
}

VEK_API int32_t VEKD_POINT(const VekImage* target, const Point* point) {
    if (point == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return DrawPoint(Target(target), *point); });
}

VEK_API int32_t VEKD_RECT(const VekImage* target, const Point* p1, const Point* p2, const double* height,
                          const Line* line) {
    if (p1 == nullptr || p2 == nullptr) return UNDEFINED_CODE;
    if (line == nullptr) return 0;
    return Refusable([&] { return DrawRect(Target(target), *p1, *p2, In(height), *line); });
}

VEK_API int32_t VEKD_FILLTRIANGLE(const VekImage* target, const Point* a, const Point* b, const Point* c,
                                  const int32_t* colour, int32_t* alpha) {
    if (a == nullptr || b == nullptr || c == nullptr) return UNDEFINED_CODE;
    std::int32_t scratch = 0;
    std::int32_t& opacity = alpha ? *alpha : scratch;
    return Refusable([&] { return FillTriangle(Target(target), *a, *b, *c, Colour(colour), opacity); });
}

VEK_API int32_t VEKD_FILLCIRCLE(const VekImage* target, Circle* circle, const int32_t* colour, const int32_t* alpha) {
    if (circle == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return FillCircle(Target(target), *circle, Colour(colour), In(alpha)); });
}

VEK_API int32_t VEKD_FILLRECT(const VekImage* target, const Point* p1, const Point* p2, const double* height,
                              const int32_t* colour, const int32_t* alpha) {
    if (p1 == nullptr || p2 == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return FillRect(Target(target), *p1, *p2, In(height), Colour(colour), In(alpha)); });
}

VEK_API int32_t VEKD_MARKPOINT(const VekImage* target, const Point* point, const char* text, const VekFont* font,
                               const int32_t* flags) {
    if (point == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return MarkPoint(Target(target), *point, Text(text), View(font), In(flags)); });
}

VEK_API int32_t VEKD_MARKLINE(const VekImage* target, const Point* p1, const Point* p2, const char* text,
                              const VekFont* font, const int32_t* side) {
    if (p1 == nullptr || p2 == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return MarkLine(Target(target), *p1, *p2, Text(text), View(font), In(side)); });
}

VEK_API int32_t VEKD_MARKANDNUMBERLINE(const VekImage* target, const Point* p1, const Point* p2, const char* text,
                                       const VekFont* font, const int32_t* flags, const int32_t* unit) {
    if (p1 == nullptr || p2 == nullptr) return UNDEFINED_CODE;
    return Refusable(
        [&] { return MarkAndNumberLine(Target(target), *p1, *p2, Text(text), View(font), In(flags), In(unit)); });
}

VEK_API int32_t VEKD_MARKRIGHTANGLE(const VekImage* target, const Line* line1, const Line* line2,
                                    const int32_t* flags, const double* size) {
    if (line1 == nullptr || line2 == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return MarkRightAngle(Target(target), *line1, *line2, In(flags), In(size)); });
}

VEK_API int32_t VEKD_MARKRIGHTANGLEPT(const VekImage* target, const Point* a, const Point* v, const Point* b,
                                      const int32_t* flags, const double* size) {
    if (a == nullptr || v == nullptr || b == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return MarkRightAnglePt(Target(target), *a, *v, *b, In(flags), In(size)); });
}

VEK_API int32_t VEKD_MARKANGLE(const VekImage* target, const Line* line1, const Line* line2, const char* text,
                               const VekFont* font, const int32_t* variant, const double* radius) {
    if (line1 == nullptr || line2 == nullptr) return UNDEFINED_CODE;
    return Refusable([&] {
        return MarkAngle(Target(target), *line1, *line2, Text(text), View(font), In(variant), In(radius));
    });
}

VEK_API int32_t VEKD_MARKANGLEPT(const VekImage* target, const Point* a, const Point* v, const Point* b,
                                 const char* text, const VekFont* font, const double* radius) {
    if (a == nullptr || v == nullptr || b == nullptr) return UNDEFINED_CODE;
    return Refusable([&] { return MarkAnglePt(Target(target), *a, *v, *b, Text(text), View(font), In(radius)); });
}

VEK_API int32_t VEKD_MARKANDNUMBERANGLE(const VekImage* target, const Line* line1, const Line* line2,
                                        const char* text, const VekFont* font, const int32_t* variant,
                                        const double* radius) {
    if (line1 == nullptr || line2 == nullptr) return UNDEFINED_CODE;
    return Refusable([&] {
        return MarkAndNumberAngle(Target(target), *line1, *line2, Text(text), View(font), In(variant), In(radius));
    });
}

VEK_API int32_t VEKD_MARKANDNUMBERANGLEPT(const VekImage* target, const Point* a, const Point* v, const Point* b,
                                          const char* text, const VekFont* font, const double* radius) {
    if (a == nullptr || v == nullptr || b == nullptr) return UNDEFINED_CODE;
    return Refusable(
        [&] { return MarkAndNumberAnglePt(Target(target), *a, *v, *b, Text(text), View(font), In(radius)); });
}

}  // extern "C"
