/* The circumscribed circle of a triangle with the geometry kernel of libvekora: the
 * perpendicular bisectors of two sides meet at the centre, equally far from the corners.
 *
 *   cc circumcircle.c $(pkg-config --cflags --libs vekora) -o circumcircle && ./circumcircle */
#include <stdio.h>

#include <vekora.h>

/* The perpendicular bisector of the segment ab: the right angle to ab at its middle. */
static Line Midline(const Point* a, const Point* b) {
    const Line side = VEK_MAKELINE(a, b);
    const double half = VEK_DISTANCE(a, b) / 2;
    const Point middle = VEK_ADVANCETOPOINT(a, b, &half);
    return VEK_MAKERIGHTANGLE(&middle, &side);
}

int main(void) {
    const Point a = {140, 360, 0xC00000, 2, 0};
    const Point b = {500, 380, 0xC00000, 2, 0};
    const Point c = {300, 110, 0xC00000, 2, 0};
    const Line m1 = Midline(&a, &b);
    const Line m2 = Midline(&b, &c);
    const Point centre = VEK_LINECROSS(&m1, &m2);
    if (centre.x == VEK_UNDEFINED) {
        printf("the corners lie on one line: no circumcircle\n");
        return 1;
    }
    printf("circumcentre %.6f %.6f\n", centre.x, centre.y);
    printf("radius %.6f %.6f %.6f\n", VEK_DISTANCE(&centre, &a), VEK_DISTANCE(&centre, &b), VEK_DISTANCE(&centre, &c));
    return 0;
}
