// All the construction routines the engine calls for its line and circle statements.
#pragma once

#include "construct/circles.h"
#include "construct/construction_call.h"
#include "construct/lines.h"
#include "construct/midline_bisector.h"
#include "construct/style_words.h"
#include "construct/tangents.h"
