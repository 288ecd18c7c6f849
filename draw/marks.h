// Marks annotate a construction: a point with its name, a segment with a label or its
// length, an angle with an arc and a label or its measure, a right angle with a small
// square. Labels are drawn without background in the colour of the marked figure.
//
// Each returns 0 when drawn and UNDEFINED_CODE (nothing drawn) when a figure is undefined.
#pragma once

#include <cstdint>
#include <string_view>

#include "draw/font.h"
#include "draw/image.h"
#include "geom/records.h"

namespace vekora {

// Bits of the flags of MarkPoint: where the label goes (centred on the point without them).
enum MarkPointFlag : std::int32_t {
    LabelAbove = 1,
    LabelBelow = 2,
    LabelLeft = 4,
    LabelRight = 8,
};

// The flags of MarkAndNumberLine: any bit puts the label on the second side; this one also
// negates the length.
constexpr std::int32_t NegateLength = 0x100;

// Variant of the angle marks that marks the angle from line1's ray to line2's as it is.
constexpr std::int32_t AngleAsGiven = 4;

// VEKD_MARKPOINT: the point's marker and its label 3 pixels away on the sides the flags name.
std::int32_t MarkPoint(ImageHandle target, const Point& point, std::string_view text, const FontView& font,
                       std::int32_t flags);
// VEKD_MARKLINE: a label beside the middle of p1-p2: right (side != 0) or left of a steep
// segment, below (side != 0) or above any other.
std::int32_t MarkLine(ImageHandle target, const Point& p1, const Point& p2, std::string_view text,
                      const FontView& font, std::int32_t side);
// VEKD_MARKANDNUMBERLINE: as MarkLine with "text=length"; the length in pixels rounded down
// for a unit of 0 or 1, else divided by the unit with up to two decimals.
std::int32_t MarkAndNumberLine(ImageHandle target, const Point& p1, const Point& p2, std::string_view text,
                               const FontView& font, std::int32_t flags, std::int32_t unit);
// VEKD_MARKRIGHTANGLE: a square of side `size` in the corner between the lines; flag bit 0
// turns it to line1's other ray, bit 1 to line2's.
std::int32_t MarkRightAngle(ImageHandle target, const Line& line1, const Line& line2, std::int32_t flags,
                            double size);
std::int32_t MarkRightAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b, std::int32_t flags,
                              double size);
// VEKD_MARKANGLE: an arc of `radius` about the vertex and the label inside the angle. Variants
// 0 to 3 choose one of the four angles between the lines, the smaller one first; 4 and above
// mark the turn from line1 to line2 as given. A right angle also gets its square.
std::int32_t MarkAngle(ImageHandle target, const Line& line1, const Line& line2, std::string_view text,
                       const FontView& font, std::int32_t variant, double radius);
std::int32_t MarkAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b, std::string_view text,
                         const FontView& font, double radius);
// VEKD_MARKANDNUMBERANGLE: as MarkAngle with "text=n°", n the whole degrees of the arc.
std::int32_t MarkAndNumberAngle(ImageHandle target, const Line& line1, const Line& line2, std::string_view text,
                                const FontView& font, std::int32_t variant, double radius);
std::int32_t MarkAndNumberAnglePt(ImageHandle target, const Point& a, const Point& v, const Point& b,
                                  std::string_view text, const FontView& font, double radius);

}  // namespace vekora
