// The undefined value and the look lines take from the settings.
#include <gtest/gtest.h>

#include "tests/support/geom_support.h"
#include "settings/settings.h"

namespace vekora {
namespace {

using test::P;

TEST(Records, OnlyTheFirstCoordinateMarksAFigureUndefined) {
    struct Case {
        Point point;
        bool undefined;
    };
    const Case cases[] = {
        {P(UNDEFINED, 5), true},
        {P(5, UNDEFINED), false},
        {P(9.99e307, 0), false},
        {P(-UNDEFINED, 0), false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsUndefined(c.point), c.undefined) << c.point.x;

    EXPECT_TRUE(IsUndefined(Line{UNDEFINED, 0, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(IsUndefined(Line{0, UNDEFINED, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(IsUndefined(Circle{UNDEFINED, 0, 1, 0, 0, 0, 0}));
    // A LineEquation is marked by b, its second field; a vertical line has m = UNDEFINED.
    EXPECT_TRUE(IsUndefined(LineEquation{0, UNDEFINED, 0, 0, 0}));
    EXPECT_FALSE(IsUndefined(LineEquation{UNDEFINED, 3, 0, 0, 0}));
}

TEST(Records, NewLinesLookSolidAndOnePixelWideAtStart) {
    const Settings start;
    const LineLook look = DefaultLineLook(start);
    EXPECT_EQ(look.style, -1);
    EXPECT_EQ(look.thickness, 1);
}

}  // namespace
}  // namespace vekora
