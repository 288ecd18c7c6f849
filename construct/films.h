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

void FilmSegment(ConstructionCall& call, const SegmentPlan& plan);
void FilmStartLine(ConstructionCall& call, const SegmentPlan& plan);
void FilmPolar(ConstructionCall& call, const PolarPlan& plan);
// Circles, arcs and arcs between lines: the compasses draw the ring.
void FilmCircle(ConstructionCall& call, const Circle& circle);
void FilmCircleTangent(ConstructionCall& call, const CircleTangentPlan& plan);
void FilmMidline(ConstructionCall& call, const MidlinePlan& plan);
void FilmBisector(ConstructionCall& call, const BisectorPlan& plan);
void FilmTangents(ConstructionCall& call, const TangentPlan& plan);

}  // namespace vekora
