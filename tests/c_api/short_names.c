/* Without VEKORA_NO_SHORT_NAMES the short record names are the very types of the Vek names,
 * so programs written with either mix freely. */
#include "vekora.h"

static VekPoint Identity(Point p) { return p; }

int main(void) {
    const Point a = {1, 2, 0, 1, 0};
    const VekPoint b = Identity(a);
    const Line l = VEK_MAKELINE(&a, &b);
    const VekLine* same = &l;
    const Circle c = {0, 0, 1, 0, 0, 0, 1};
    const VekCircle* sameCircle = &c;
    const LineEquation e = VEK_VECTORIALTOEQUAT(same);
    const VekLineEquation* sameEquation = &e;
    return sameCircle->r == 1 && sameEquation != 0 ? 0 : 1;
}
