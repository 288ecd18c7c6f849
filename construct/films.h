// The SLOW showing of each construction: the instruments (ruler, set square, protractor,
// compasses, pencil) draw its stages on the page, as a person would at the blackboard. Each
// construction calls exactly one of these for SLOW, with the plan its other showings use.
#pragma once

#include "construct/circles.h"
#include "construct/construction_call.h"
#include "construct/lines.h"
#include "construct/midline_bisector.h"
#include "construct/tangents.h"

namespace vekora {

void FilmSegment(Stage& stage, const SegmentPlan& plan);
void FilmStartLine(Stage& stage, const SegmentPlan& plan);
void FilmPolar(Stage& stage, const PolarPlan& plan);
// Circles, arcs and arcs between lines: the compasses draw the ring.
void FilmCircle(Stage& stage, const Circle& circle);
void FilmCircleTangent(Stage& stage, const CircleTangentPlan& plan);
void FilmMidline(Stage& stage, const MidlinePlan& plan);
void FilmBisector(Stage& stage, const BisectorPlan& plan);
void FilmTangents(Stage& stage, const TangentPlan& plan);

}  // namespace vekora
