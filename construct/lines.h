// The line constructions: the segment through two points, the line at an angle to a
// reference line, and the start line from a point at an absolute angle and length.
//
// Every construction returns the undefined record of its kind (drawing nothing, input code 0)
// when a figure it needs is undefined, and otherwise draws as the call mode says
// (construct/construction_call.h) and returns the new figure with its resolved style and the
// input code that cut its pauses or its film short.
// Each has a plan (its inputs and its result) that its three showings share: the result at
// once (FAST), its stages with pauses (PACE) and its instrument film (SLOW).
#pragma once

#include <cstdint>

#include "construct/construction_call.h"
#include "construct/style_words.h"
#include "geom/records.h"

namespace vekora {

// The segment A-B as a Line: base A, direction B - A.
Shown<Line> VEKS_MAKELINE(const Stage& stage, CallMode mode, const Point& a, const Point& b, const StyleWords& words);

// The line through P at `angle` (1/256 degree, counterclockwise) to the reference line. At 90
// and 270 degrees exactly, a right-angle mark joins it (in the reference line's colour).
Shown<Line> VEKS_MAKELINEPOLAR(const Stage& stage, CallMode mode, const Point& p, const Line& reference, std::int32_t angle,
                        const StyleWords& words);

// The segment from P at the absolute `angle` (1/256 degree) and `length` (16 fraction bits;
// negative lengths go behind P). endOut becomes its end point, with P's colour, size and
// shape; it is left alone when P is undefined.
Shown<Line> VEKS_MAKESTARTLINE(const Stage& stage, CallMode mode, const Point& p, Point& endOut, std::int32_t angle,
                        std::int32_t length, const StyleWords& words);

// A segment from `a` to `b` drawn with `line`'s look (VEKS_MAKELINE, VEKS_MAKESTARTLINE).
struct SegmentPlan {
    Point a;
    Point b;
    Line line;
};

// A line through `p` at `angle` (1/256 degree, as given) to `reference`.
struct PolarPlan {
    Point p;
    Line reference;
    Line result;
    std::int32_t angle;
};

// The plans of VEKS_MAKELINE and VEKS_MAKELINEPOLAR for defined inputs: the figure with the
// words' style resolved against the settings.
SegmentPlan PlanSegment(const Point& a, const Point& b, const StyleWords& words, const Settings& settings);
PolarPlan PlanPolar(const Point& p, const Line& reference, std::int32_t angle, const StyleWords& words,
                    const Settings& settings);

// Whether the script angle is exactly 90 or 270 degrees.
bool IsRightScriptAngle(std::int32_t angle);

// SLOW, also for the other families' segments and perpendiculars: the pencil draws the
// segment along the ruler; the set square or the protractor draws the line at its angle.
// Each returns the input code that cut the film or its closing pause short, or 0.
std::int32_t FilmSegment(const Stage& stage, const SegmentPlan& plan);
std::int32_t FilmPolar(const Stage& stage, const PolarPlan& plan);

}  // namespace vekora
