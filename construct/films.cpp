// The SLOW showings of the constructions.
//
// FIXME: the instrument animations do not exist yet; until they do, every film shows its
// construction's PACE stages, so that SLOW looks and lasts as PACE.
#include "construct/films.h"

namespace vekora {

void FilmSegment(ConstructionCall& call, const SegmentPlan& plan) { PaceSegment(call, plan); }

void FilmStartLine(ConstructionCall& call, const SegmentPlan& plan) { PaceStartLine(call, plan); }

void FilmPolar(ConstructionCall& call, const PolarPlan& plan) { PacePolar(call, plan); }

void FilmCircle(ConstructionCall& call, const Circle& circle) { PaceCircle(call, circle); }

void FilmCircleTangent(ConstructionCall& call, const CircleTangentPlan& plan) { PaceCircleTangent(call, plan); }

void FilmMidline(ConstructionCall& call, const MidlinePlan& plan) { PaceMidline(call, plan); }

void FilmBisector(ConstructionCall& call, const BisectorPlan& plan) { PaceBisector(call, plan); }

void FilmTangents(ConstructionCall& call, const TangentPlan& plan) { PaceTangents(call, plan); }

}  // namespace vekora
