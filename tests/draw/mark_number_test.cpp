// The numbers of measured marks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw/number_format.h"

namespace vekora {
namespace {

TEST(FormatMeasure, PatternOfUpToTwoDecimals) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {12.5, "12.5"},   {12.0, "12"},        {-0.25, "-0.25"}, {0.0, "0"},     {-0.0, "0"},
        {-0.001, "0"},    {0.004, "0"},        {0.5, "0.5"},     {0.25, "0.25"}, {1234.567, "1234.57"},
        {-12.0, "-12"},   {100.0, "100"},      {9.999, "10"},    {-9.999, "-10"}, {1e20, "100000000000000000000"},
        {NAN, "?"},       {INFINITY, "?"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMeasure(c.value), c.text) << c.value;
}

TEST(FormatWhole, RoundsDown) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{99.9, "99"}, {99.0, "99"}, {-2.5, "-3"}, {-0.5, "-1"}, {0.7, "0"}, {-0.0, "0"}};
    for (const Case& c : cases) EXPECT_EQ(FormatWhole(c.value), c.text) << c.value;
    // Lengths from the far point: every digit, no exponent.
    EXPECT_EQ(FormatWhole(1e300).size(), 301u);
    EXPECT_EQ(FormatWhole(NAN), "?");
}

}  // namespace
}  // namespace vekora
