/* A host program with records of its own named Point and Line includes vekora.h with
 * VEKORA_NO_SHORT_NAMES and uses the library under the Vek names. Built as C11 and as C++. */
#include <stdio.h>

struct Point {
    int column, row;
};
typedef struct Point Point;
typedef int Line;

#define VEKORA_NO_SHORT_NAMES
#include "vekora.h"

int main(void) {
    const Point host = {3, 4};
    const Line hostLine = 7;
    const VekPoint origin = {0, 0, 0, 1, 0};
    const VekPoint corner = {(double)host.column, (double)host.row, 0, 1, 0};
    const double distance = VEK_DISTANCE(&origin, &corner);
    if (distance != 5.0 || hostLine != 7) {
        printf("failed: distance %g\n", distance);
        return 1;
    }
    return 0;
}
