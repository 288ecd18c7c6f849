// INTERACTION procedures: the hit test and the three ways a grabbed point follows the mouse,
// then whole scripts on the headless device where the viewer drags points with the events
// of an events file and leaves with the control bar.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geom/kernel.h"
#include "interp/engine.h"
#include "interp/prologues.h"
#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;
using testing::Shown;

using namespace testing::colours;

// Points 0 (100, 100) and 1 (104, 100) clickable in the order 1, 0; point 2 on line 0 (the
// diagonal y = x); point 3 on circle 0 (centre (300, 300), radius 100).
class DragTest : public ::testing::Test {
protected:
    DragTest() : run(table, symbols, settings, nullptr) {
        MakeObjectLists(run, 4, 1, 1);
        run.objects.points = {Point{100, 100, 0xFF0000, 3, 0}, Point{104, 100, 0, 0, 0}, Point{200, 200, 0, 0, 0},
                              Point{400, 300, 0, 0, 0}};
        run.objects.lines[0] = Line{100, 100, 200, 200, 0, -1, 1};
        run.objects.circles[0] = Circle{300, 300, 100, 0, 0, 0, 1};
        act.clickables = {{1, 0}, {0, 0}, {2, AlongLine | 0}, {3, AlongCircle | 0}};
    }
    const Point& At(int index) const { return run.objects.points[static_cast<std::size_t>(index)]; }
    // Grabs the point at its own position and lets the mouse go to (x, y).
    void Drag(std::int32_t entry, std::int32_t x, std::int32_t y) {
        const Point& p = At(act.clickables[static_cast<std::size_t>(entry)].point);
        Grab(run, act, entry, static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y));
        MoveGrabbed(run, act, x, y);
    }

    InstructionTable table;
    SymbolTable symbols;
    Settings settings;
    RunContext run;
    Activation act;
};

TEST_F(DragTest, APressGrabsTheFirstDeclaredPointWithinSixPixels) {
    struct Case { std::int32_t x, y, entry; };
    const Case cases[] = {
        {102, 100, 0},  // both are near: point 1 was declared first
        {96, 106, 1},   // 4 and 6 from point 0, 8 from point 1
        {93, 100, -1},  // 7 to the left of point 0
        {100, 107, -1}, // 7 below
        {206, 194, 2}, {207, 200, -1}, {400, 293, -1}, {394, 306, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(ClickableAt(run, act, c.x, c.y), c.entry) << c.x << "," << c.y;
    run.objects.points[1] = UndefinedPoint();
    EXPECT_EQ(ClickableAt(run, act, 102, 100), 1) << "an undefined point is never grabbed";
}

TEST_F(DragTest, AFreePointKeepsItsWholePixelOffsetFromTheMouse) {
    run.objects.points[0].x = 100.4;
    Grab(run, act, 1, 104, 97);
    MoveGrabbed(run, act, 154, 147);
    EXPECT_EQ(At(0).x, 150);
    EXPECT_EQ(At(0).y, 150);
    EXPECT_EQ(At(0).colour, 0xFF0000u) << "the style stays";
    EXPECT_EQ(At(0).size, 3);
}

TEST_F(DragTest, APointAlongALineOrCircleStaysOnIt) {
    const std::pair<std::int32_t, std::int32_t> mice[] = {{350, 250}, {0, 600}, {631, 7}, {300, 300}, {-40, 20}};
    for (const auto& [x, y] : mice) {
        Drag(2, x, y);
        EXPECT_NEAR(VEK_LINEDISTANCE(At(2), run.objects.lines[0]), 0.0, 1e-9) << x << "," << y;
        Drag(3, x, y);
        EXPECT_NEAR(std::hypot(At(3).x - 300, At(3).y - 300), 100.0, 1e-9) << x << "," << y;
    }
    Drag(2, 350, 250);
    EXPECT_NEAR(At(2).x, 300, 1e-9);
    EXPECT_NEAR(At(2).y, 300, 1e-9);
    Drag(3, 300, 150);
    EXPECT_NEAR(At(3).x, 300, 1e-9);
    EXPECT_NEAR(At(3).y, 200, 1e-9);
}

TEST_F(DragTest, WhereTheConstraintGivesNoPointThePointStaysPut) {
    Drag(3, 300, 300);  // the mouse on the centre: no direction
    EXPECT_EQ(At(3).x, 400);
    run.objects.circles[0] = UndefinedCircle();
    Drag(3, 300, 150);
    EXPECT_EQ(At(3).x, 400);
    EXPECT_EQ(At(3).y, 300);
}

// Three points clickable in the order B, A, D; the main module draws them where the
// INTERACTION left them: A red, B blue, D green.
constexpr std::string_view ThreePoints =
    "SCREEN 640, 480\nSPEED 0\n"
    "IPOINT A, 100, 100\nIPOINT B, 104, 100\nIPOINT D, 300, 100\n"
    "INTERACT Drag\n"
    "PA = MIDDLE A, A, DEFAULT, &HFF0000, 3\nPB = MIDDLE B, B, DEFAULT, &H0000FF, 3\n"
    "PD = MIDDLE D, D, DEFAULT, &H00FF00, 3\nEND\n"
    "INTERACTION Drag\nCLICKABLE B\nCLICKABLE A, D\nREPEAT\n";

struct Where { std::int32_t x, y; };

TEST(InteractionScript, DraggedPointsKeepWhereTheViewerLeftThem) {
    struct Case { std::string events; Where a, b, d; std::int64_t endsBefore; };
    const Case cases[] = {
        {"1000 press 306 100\n1100 move 356 120\n1200 move 406 150\n1300 release 406 150\n2000 key Escape\n",
         {100, 100}, {104, 100}, {400, 150}, 2200},
        {"1000 press 307 100\n1100 move 407 150\n1200 release 407 150\n2000 key Escape\n",
         {100, 100}, {104, 100}, {300, 100}, 2200},
        // B was declared first; A, 2 pixels further, stays.
        {"1000 press 102 100\n1100 move 202 300\n1200 release 202 300\n2000 key Escape\n",
         {100, 100}, {204, 300}, {300, 100}, 2200},
        // Escape while the button is held ends the drag where it was.
        {"1000 press 300 100\n1100 move 350 100\n1200 key Escape\n1300 move 450 100\n1400 release 450 100\n",
         {100, 100}, {104, 100}, {350, 100}, 1300},
        // Salir on the bar; Pausa (Enter) means nothing and the drag still works.
        {"500 key Enter\n1000 press 300 100\n1100 move 400 150\n1200 release 400 150\n2000 click 300 470\n",
         {100, 100}, {104, 100}, {400, 150}, 2300},
        // Repetir puts the points back where they were when the INTERACTION started.
        {"1000 press 300 100\n1100 move 400 150\n1200 release 400 150\n1500 key r\n2000 key Escape\n",
         {100, 100}, {104, 100}, {300, 100}, 2200},
    };
    for (const Case& c : cases) {
        const ScriptOutcome run = PlayHeadless(ThreePoints, c.events);
        EXPECT_EQ(run.result, 255) << c.events;
        EXPECT_FALSE(run.stopped) << c.events;
        EXPECT_LT(run.ms, c.endsBefore) << c.events;
        EXPECT_EQ(run.At(c.a.x, c.a.y), Red) << c.events;
        EXPECT_EQ(run.At(c.b.x, c.b.y), Blue) << c.events;
        EXPECT_EQ(run.At(c.d.x, c.d.y), Green) << c.events;
        if (c.d.x != 300) {
            EXPECT_EQ(run.At(300, 100), White) << c.events;
        }
    }
}

// A point on a line and one on a circle, dragged far from both; the main module marks them.
TEST(InteractionScript, PointsAlongALineOrCircleStayOnIt) {
    const std::string script =
        "SCREEN 640, 480\nSPEED 0\n"
        "IPOINT P, 200, 200\nIPOINT Q, 400, 300\nILINE L, 100, 100, 300, 300\nICIRCLE K, 300, 300, 100\n"
        "INTERACT Drag\n"
        "PP = MIDDLE P, P, DEFAULT, &HFF0000, 3\nPQ = MIDDLE Q, Q, DEFAULT, &H0000FF, 3\nEND\n"
        "INTERACTION Drag\nCLICKABLE P ALONG L\nCLICKABLE Q ALONG K\nREPEAT\n";
    const ScriptOutcome run = PlayHeadless(script,
                                           "1000 press 200 200\n1100 move 350 250\n1200 release 350 250\n"
                                           "1500 press 400 300\n1600 move 300 150\n1700 release 300 150\n"
                                           "2000 key Escape\n");
    EXPECT_EQ(run.result, 255);
    EXPECT_EQ(run.At(300, 300), Red) << "the foot of the perpendicular from (350, 250)";
    EXPECT_EQ(run.At(300, 200), Blue) << "the circle's point towards (300, 150)";
    EXPECT_EQ(run.At(200, 200), White);
    EXPECT_EQ(run.At(400, 300), White);
}

// The circle about the dragged centre O through R is drawn again at every pass, over the
// page as it was when the INTERACTION started. Without more input the run waits for the
// next grab until the time limit stops it.
TEST(InteractionScript, TheDependentFigureFollowsTheDraggedPoint) {
    for (const std::string_view mode : {"", ", PACE"}) {
        const std::string script = "SCREEN 640, 480\nSPEED 0\nIPOINT O, 200, 200\nIPOINT R, 260, 200\n"
                                   "INTERACT Drag" + std::string(mode) + "\nEND\n"
                                   "INTERACTION Drag\nCLICKABLE O\nK = CIRCLE O, R, &HFF0000\n"
                                   "PO = MIDDLE O, O, DEFAULT, &H0000FF, 3\nREPEAT\n";
        const ScriptOutcome run =
            PlayHeadless(script, "1000 press 200 200\n1100 move 250 200\n1200 move 300 200\n1300 release 300 200\n");
        const std::string what = "INTERACT Drag" + std::string(mode);
        EXPECT_TRUE(run.stopped) << what;
        EXPECT_EQ(run.At(300, 200), Shown(Blue)) << what;
        EXPECT_GT(run.Count(338, 198, 342, 202, Shown(Red)), 0) << what << ": radius 40 now";
        EXPECT_GT(run.Count(258, 198, 262, 202, Shown(Red)), 0) << what << ": still through R";
        EXPECT_EQ(run.Count(136, 190, 144, 210, Shown(Red)), 0) << what << ": the first circle is gone";
        EXPECT_EQ(run.At(200, 200), White) << what;
    }
}

}  // namespace
}  // namespace vekora
