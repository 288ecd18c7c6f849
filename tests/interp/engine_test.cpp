// Whole scripts through the engine on the headless device: what the viewer sees of points,
// lines, circles, fills, marks and the I variants, and how undefined figures pass on.
#include <gtest/gtest.h>

#include "tests/support/script_run_support.h"

namespace vekora {
namespace {

using testing::PlayHeadless;
using testing::ScriptOutcome;

using namespace testing::colours;

TEST(Engine, FiguresAppearWhereTheScriptPutsThem) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "POINT A, 40, 30, DEFAULT, &HFF0000\n"
        "POINT B, 160, 30, DEFAULT, &HFF0000\n"
        "S = LINE A, B, DEFAULT, &H0000FF\n"
        "POINT M, 100, 70, DEFAULT, &H00FF00\n"
        "CIRCLE C, 100, 70, 20, &HFF0000\n"
        "CIRCLE D, 30, 80, 10, &H0000FF\n"
        "FILLCIRCLE D\n"
        "END\n");
    ASSERT_EQ(run.result, 255);
    ASSERT_EQ(run.width, 200);
    ASSERT_EQ(run.height, 120);
    EXPECT_EQ(run.At(40, 26), Red);      // the point's marker, its upper arm
    EXPECT_EQ(run.At(100, 30), Blue);    // the segment between them
    EXPECT_EQ(run.At(100, 40), White);
    EXPECT_EQ(run.At(100, 70), Green);   // the centre point
    EXPECT_EQ(run.Count(118, 69, 121, 71, Red), 3);  // on the ring, one pixel wide
    EXPECT_EQ(run.Count(99, 49, 101, 52, Red), 3);
    EXPECT_EQ(run.At(110, 70), White);   // inside the ring, not filled
    EXPECT_EQ(run.At(30, 80), Blue);     // the filled disc
    EXPECT_EQ(run.At(35, 83), Blue);
    EXPECT_EQ(run.At(45, 80), White);
}

TEST(Engine, HiddenVariantsComputeWithoutDrawing) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "IPOINT A, 20, 20, DEFAULT, &HFF0000\n"
        "IPOINT B, 180, 20, DEFAULT, &HFF0000\n"
        "M = MIDDLE A, B, DEFAULT, &H0000FF\n"
        "S = ILINE A, B\n"
        "END\n");
    ASSERT_EQ(run.result, 255);
    EXPECT_EQ(run.At(20, 20), White);
    EXPECT_EQ(run.At(180, 20), White);
    EXPECT_EQ(run.At(60, 20), White);   // the hidden line
    EXPECT_EQ(run.At(100, 20), Blue);   // computed from the hidden points
}

TEST(Engine, UndefinedFiguresAreNotDrawnAndPassOn) {
    // Two circles far apart have no crossing: both points and the line through them are
    // undefined, and the midpoint of an undefined point too.
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "CIRCLE C1, 40, 50, 10\n"
        "CIRCLE C2, 160, 50, 10\n"
        "P Q = CROSS C1, C2\n"
        "POINT Z, 100, 50\n"
        "M = MIDDLE P, Z, DEFAULT, &HFF0000\n"
        "S = LINE P, Z, DEFAULT, &HFF0000\n"
        "END\n");
    ASSERT_EQ(run.result, 255);
    EXPECT_EQ(run.Count(0, 0, 199, 99, Red), 0);
}

TEST(Engine, DrawingWithoutScreenOpensTheDefaultWindowWithTheLogo) {
    const ScriptOutcome quiet = PlayHeadless("POINT A, 10, 10\nEND\n");
    EXPECT_EQ(quiet.width, 640);
    EXPECT_EQ(quiet.height, 480);
    const ScriptOutcome withLogo = PlayHeadless("POINT A, 10, 10\nEND\n", "", true);
    // The logo stays 2000 ms, then the point's step of 2000 ms.
    EXPECT_GE(withLogo.ms - quiet.ms, 2000);
    EXPECT_LT(withLogo.ms - quiet.ms, 2100);
}

TEST(Engine, ScriptWithoutDrawingOpensNoWindow) {
    const ScriptOutcome run = PlayHeadless("SPEED 100\nEND\n");
    EXPECT_EQ(run.result, 255);
    EXPECT_EQ(run.width, 0);
}

TEST(Engine, RunsPastTheLastRowWithZero) {
    const ScriptOutcome run = PlayHeadless("POINT A, 10, 10\nEND\nCONSTRUCTION K\nREPEAT\n");
    EXPECT_EQ(run.result, 255);
    // The main module's END comes first; without END nothing compiles.
    const ScriptOutcome none = PlayHeadless("POINT A, 10, 10\n");
    EXPECT_EQ(none.result, -1);
}

TEST(Engine, DefaultsOfMinusOneOrFfffHalvesKeepTheSetting) {
    // One argument changes only the background: later lines keep their thickness and colour.
    const ScriptOutcome run = PlayHeadless(
        "DEFAULTS &H00FF00\n"
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "LINE L, 20, 50, 180, 50\n"
        "END\n");
    EXPECT_EQ(run.At(5, 5), Green);
    EXPECT_EQ(run.At(100, 50), Black);
}

TEST(Engine, ClsClearsToItsColourOrTheBackground) {
    const ScriptOutcome red = PlayHeadless("SCREEN 200, 120\nPOINT A, 10, 10\nCLS &HFF0000\nEND\n");
    EXPECT_EQ(red.At(10, 10), Red);
    EXPECT_EQ(red.At(199, 99), Red);
    EXPECT_NE(red.At(199, 100), Red);  // the control bar is not the page
    const ScriptOutcome background =
        PlayHeadless("SCREEN 200, 120\nCLS &HFF0000\nDEFAULTS &H0000FF\nCLS\nEND\n");
    EXPECT_EQ(background.At(50, 50), Blue);
}

TEST(Engine, HorizontalReferenceOfLinePolarTakesTheDefaultColour) {
    // At 90 degrees a right-angle mark is drawn against the reference line, in its colour.
    const ScriptOutcome run = PlayHeadless(
        "DEFAULTS DEFAULT, &H00FF00\n"
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "LINEPOLAR L, 100, 60, 90, DEFAULT, &HFF0000\n"
        "END\n");
    ASSERT_EQ(run.result, 255);
    EXPECT_GT(run.Count(85, 45, 115, 75, Green), 4);
}

TEST(Engine, MarksLabelPointsWithTheirNames) {
    const ScriptOutcome plain = PlayHeadless("SCREEN 200, 120\nSPEED 0\nPOINT A, 100, 60\nEND\n");
    const ScriptOutcome marked = PlayHeadless("SCREEN 200, 120\nSPEED 0\nPOINT A, 100, 60\nMARKPOINT A\nEND\n");
    // The label goes above the point (flags 1 by default).
    EXPECT_EQ(plain.Count(90, 30, 110, 55, Black), 0);
    EXPECT_GT(marked.Count(90, 30, 110, 55, Black), 5);
}

TEST(Engine, CircleByCoordinatesFarBelowThePageStillReachesIt) {
    // Centre and radius each fit a fixed-point word; their sum does not. The ring's top
    // passes through (100, 50).
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 200, 120\n"
        "SPEED 0\n"
        "CIRCLE C, 100, 20000, 19950, &HFF0000\n"
        "END\n");
    ASSERT_EQ(run.result, 255);
    EXPECT_GT(run.Count(90, 48, 110, 52, Red), 10);
    EXPECT_EQ(run.Count(0, 0, 199, 40, Red), 0);
}

TEST(Engine, PageThatCannotBeMadeLeavesTheRunGoingWithoutDrawing) {
    const ScriptOutcome run = PlayHeadless(
        "SCREEN 9000, 100\n"
        "POINT A, 10, 10\n"
        "L = LINE A, A\n"
        "CIRCLE C, 10, 10, 5\n"
        "FILLCIRCLE C\n"
        "MARKPOINT A\n"
        "TEXTWINDOW 0, 0, 50, 20\n"
        "TEXT \"hola\"\n"
        "CLS\n"
        "WINDOW 100, 100\n"
        "END\n");
    EXPECT_EQ(run.result, 255);
}

}  // namespace
}  // namespace vekora
