/* A C11 program calling the geometry routines of libvekora.so through vekora.h.
 * Prints each failed check and exits 1 when any failed. */
#include <math.h>
#include <stddef.h>
#include <stdio.h>

#include "vekora.h"

_Static_assert(sizeof(Point) == 24 && offsetof(Point, shape) == 22, "Point layout");
_Static_assert(sizeof(Line) == 40 && offsetof(Line, thickness) == 38, "Line layout");
_Static_assert(sizeof(Circle) == 48 && offsetof(Circle, thickness) == 44, "Circle layout");
_Static_assert(sizeof(LineEquation) == 24 && offsetof(LineEquation, style) == 22,
               "LineEquation layout");

static int failures = 0;

static void Check(int ok, const char* what) {
    if (!ok) {
        printf("failed: %s\n", what);
        ++failures;
    }
}

static int Near(double actual, double expected) { return fabs(actual - expected) < 1e-9; }

static Point MakePoint(double x, double y) {
    Point p = {x, y, 0x123456, 2, 0};
    return p;
}

static void CheckLines(void) {
    const Point a = MakePoint(3, 4);
    const Line self = VEK_MAKELINE(&a, &a);
    Check(self.dx == 1e-6 && self.dy == 0 && self.colour == 0x123456, "MAKELINE of one point");
    Check(self.style == -1 && self.thickness == 1, "MAKELINE takes the start look");

    const Point origin = MakePoint(0, 0), right = MakePoint(10, 0);
    const double height = 5;
    Point outA = MakePoint(0, 0), outB = MakePoint(0, 0);
    Check(VEK_RECTOVER(&origin, &right, &height, &outA, &outB) == 0, "RECTOVER returns 0");
    Check(outA.x == 0 && outA.y == 5 && outB.x == 10 && outB.y == 5, "RECTOVER corners");

    const Point x = MakePoint(0, 0), y = MakePoint(30, 50), z = MakePoint(0.5, 100);
    Check(VEK_ISBETWEEN(&x, &y, &z) == -1, "ISBETWEEN, nearly vertical pair");
    Check(VEK_ISBETWEEN(&x, &x, &z) == 0, "ISBETWEEN is strict");

    const Point undefined = MakePoint(VEK_UNDEFINED, 7);
    Check(VEK_DISTANCE(&a, &undefined) == 0.0, "DISTANCE of an undefined point");
    Check(VEK_ISBETWEEN(&x, &undefined, &z) == VEK_UNDEFINED_CODE, "ISBETWEEN undefined");
    Check(VEK_MAKELINE(&a, NULL).x0 == VEK_UNDEFINED, "a null point counts as undefined");
}

static void CheckIntersections(void) {
    const Line horizontal = {0, 0, 100, 0, 0xC0, -1, 3};
    const Line vertical = {50, -50, 0, 100, 0xD0, -1, 5};
    const Point p = VEK_LINECROSS(&horizontal, &vertical);
    Check(Near(p.x, 50) && Near(p.y, 0) && p.colour == 0xC0 && p.size == 3, "LINECROSS");

    const Circle circle = {0, 0, 10, 0, 0, 0, 1};
    Point out1, out2;
    Check(VEK_LINECIRCLECROSS(&horizontal, &circle, &out1, &out2) == 2, "LINECIRCLECROSS count");
    Check(Near(out1.x, -10) && Near(out2.x, 10), "LINECIRCLECROSS order along the line");

    const Circle other = {10, 0, 10, 0, 0, 0, 1};
    Check(VEK_CIRCLECROSS(&circle, &other, &out1, &out2) == 2, "CIRCLECROSS count");
    Check(Near(out1.x, 5) && out1.y > 8.66 && out2.y < -8.66, "CIRCLECROSS lower point first");
    Check(VEK_CIRCLECROSS(&circle, &circle, &out1, NULL) == 0 && out1.x == VEK_UNDEFINED,
          "concentric circles do not cross");

    const double a = 1, b = -3, c = 2;
    double root1 = 0, root2 = 0;
    Check(VEK_SOLVEEQUATION2(&a, &b, &c, &root1, &root2) == 2 && root1 == 2 && root2 == 1,
          "SOLVEEQUATION2");
}

static void CheckAngles(void) {
    const double pi = 3.14159265358979;
    const Line downRight = {0, 0, 1, 1, 0, -1, 1};
    Check(Near(VEK_ABSANGLE(&downRight), 7 * pi / 4), "ABSANGLE of (1, 1)");

    const Point centre = MakePoint(0, 0), above = MakePoint(0, -10);
    const double quarter = pi / 2;
    const Circle arc = VEK_MAKEARC(&centre, &above, &quarter);
    Check(Near(arc.start, pi / 4) && Near(arc.end, 3 * pi / 4) && Near(arc.r, 10), "MAKEARC");

    const Point turned = VEK_ROTATEPOINT(&(Point){10, 0, 0, 0, 0}, &centre, &quarter);
    Check(Near(turned.x, 0) && Near(turned.y, -10), "ROTATEPOINT");

    Line first = {0, 0, 100, 0, 0, -1, 1}, second = {1, 1, -100, 0, 0, -1, 1};
    Check(VEK_SETSMALLERANGLE(&first, &second) == 0 && first.x0 == 1,
          "SETSMALLERANGLE exchanges opposite lines");
    Point pa = MakePoint(10, 0), pb = MakePoint(0, 0);
    const Line up = {0, 0, 0, -100, 0, -1, 1};
    Check(VEK_SETFIRST(&pa, &pb, &up) == 0 && pa.x == 0, "SETFIRST exchanges on zero products");
}

int main(void) {
    Check(VEK_INIT() == 0, "INIT");
    CheckLines();
    CheckIntersections();
    CheckAngles();
    if (failures != 0) {
        printf("%d checks failed\n", failures);
        return 1;
    }
    puts("all geometry checks passed");
    return 0;
}
