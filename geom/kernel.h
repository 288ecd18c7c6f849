// The whole geometry kernel: records, lines, intersections, angles and ordering.
#pragma once

#include "geom/angles.h"
#include "geom/intersections.h"
#include "geom/lines.h"
#include "geom/ordering.h"
#include "geom/records.h"
