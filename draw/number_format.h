// Numbers as the marks write them.
#pragma once

#include <string>

namespace vekora {

// The pattern "-###0.##": a minus sign only for a value that is negative once rounded to
// two decimals, at least one digit before the point, at most two after it, and no trailing
// zeros or point (12.5 -> "12.5", 12 -> "12", -0.25 -> "-0.25", -0.001 -> "0").
// A value that is not a finite number is written "?".
std::string FormatMeasure(double value);

// floor(value) in decimal without spaces ("99" for 99.9, "-3" for -2.5); "?" when not finite.
std::string FormatWhole(double value);

}  // namespace vekora
