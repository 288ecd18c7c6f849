/* Vekora: the C interface of libvekora.so.
 *
 * Compiles as C11 and as C++. Truth values are -1 (true) and 0 (false); routines that
 * report a status return 0 when done, UNDEFINED_CODE when an input figure is undefined
 * and -1 for a refusal. Records come back by value; arguments the original routines take
 * by reference are pointers here (const where the routine does not write through them). */
#ifndef VEKORA_H
#define VEKORA_H

#include <stdint.h>

#if defined(__GNUC__)
#define VEK_API __attribute__((visibility("default")))
#else
#define VEK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Resets every program setting to its start value. Safe to call any number of times; returns 0. */
VEK_API int32_t VEK_INIT(void);

/* ---- Geometry: records and the VEK_ routines ---- */

/* Coordinates are pixels of the drawing page, x to the right and y downward; angles are
 * radians, counterclockwise as seen on the screen. A figure is undefined when its first
 * coordinate (x, x0, or b of a LineEquation) equals VEK_UNDEFINED exactly; routines pass
 * undefined figures on instead of failing.
 *
 * Pointers: a null pointer where a record is read counts as an undefined record, a null
 * pointer where a number is read counts as 0, and a null output pointer discards that
 * output. Nothing is kept after a call returns. */
#define VEK_UNDEFINED 1e308
#define VEK_UNDEFINED_CODE (-65536)

/* The records are packed: no padding, field offsets as listed. */
#pragma pack(push, 1)
typedef struct Point {
    double x, y;        /* offsets 0, 8 */
    uint32_t colour;    /* 16: 0xRRGGBB */
    int16_t size;       /* 20: marker size in pixels */
    int16_t shape;      /* 22: marker style code */
} Point;                /* 24 bytes */

typedef struct Line {   /* the points base + t * direction */
    double x0, y0;      /* 0, 8: base point (first point of a segment) */
    double dx, dy;      /* 16, 24: direction (base + direction is the segment's end) */
    uint32_t colour;    /* 32 */
    int16_t style;      /* 36: dash mask, -1 solid */
    int16_t thickness;  /* 38: width in pixels */
} Line;                 /* 40 bytes */

typedef struct Circle { /* a full circle when start = end = 0, else the arc start to end */
    double x, y;        /* 0, 8: centre */
    double r;           /* 16 */
    double start, end;  /* 24, 32: radians */
    uint32_t colour;    /* 40 */
    int32_t thickness;  /* 44: ring width in pixels */
} Circle;               /* 48 bytes */

typedef struct LineEquation { /* y = m * x + b */
    double m;           /* 0: slope; VEK_UNDEFINED for a vertical line */
    double b;           /* 8: y at x = 0; for a vertical line its x */
    uint32_t colour;    /* 16 */
    int16_t thickness;  /* 20 (before style, unlike Line) */
    int16_t style;      /* 22 */
} LineEquation;         /* 24 bytes */
#pragma pack(pop)

/* Lines, points and distances. New lines take their dash mask and width from the program
 * settings; distances of undefined figures are 0.0. */
VEK_API Line VEK_MAKELINE(const Point* a, const Point* b);
VEK_API Line VEK_MAKELINEPOLAR(const Point* p, const double* angle);
VEK_API Line VEK_MAKERIGHTANGLE(const Point* p, const Line* l);
VEK_API double VEK_DISTANCE(const Point* a, const Point* b);
VEK_API double VEK_LINEDISTANCE(const Point* p, const Line* l);
VEK_API Point VEK_ADVANCEONLINE(const Point* p, const Line* l, const double* distance);
VEK_API Point VEK_ADVANCETOPOINT(const Point* a, const Point* b, const double* distance);
/* -1 when y lies between x and z, else 0. */
VEK_API int32_t VEK_ISBETWEEN(const Point* x, const Point* y, const Point* z);
/* The side of a rectangle opposite the segment ab, height away; returns 0. */
VEK_API int32_t VEK_RECTOVER(const Point* a, const Point* b, const double* height, Point* outA,
                             Point* outB);
VEK_API LineEquation VEK_VECTORIALTOEQUAT(const Line* l);
VEK_API Line VEK_EQUATTOVECTORIAL(const LineEquation* e);
VEK_API double VEK_LINEDISTANCEEQUAT(const Point* p, const LineEquation* e);

/* Intersections. Parallel lines meet in a far point (1e280 along l1, colour 0x00FF00FF).
 * The crossing routines return how many points they found (0 to 2); of two points, out1
 * is the one met first along l, or the one on the right of the line from c1's centre to
 * c2's centre. */
VEK_API Point VEK_LINECROSS(const Line* l1, const Line* l2);
VEK_API int32_t VEK_LINECIRCLECROSS(const Line* l, const Circle* c, Point* out1, Point* out2);
VEK_API int32_t VEK_CIRCLECROSS(const Circle* c1, const Circle* c2, Point* out1, Point* out2);
/* Real roots of a*x*x + b*x + c = 0 (the larger first for a > 0); returns their number. */
VEK_API int32_t VEK_SOLVEEQUATION2(const double* a, const double* b, const double* c,
                                   double* out1, double* out2);
/* -1 when l crosses the segment ab, 0 when not; 1, 2 or 3 when a, b or both lie on l. */
VEK_API int32_t VEK_LINEISBETWEEN(const Line* l, const Point* a, const Point* b);

/* Angles, arcs and rotation. Direction angles lie in [0, 2*pi). */
VEK_API double VEK_ABSANGLE(const Line* l);
VEK_API double VEK_ANGLE(const Line* l1, const Line* l2);
VEK_API Line VEK_MAKEANGLE(const Point* p, const Line* l, const double* angle);
VEK_API Point VEK_ROTATEPOINT(const Point* p, const Point* centre, const double* angle);
VEK_API Circle VEK_MAKEARC(const Point* centre, const Point* p, const double* opening);

/* Ordering: exchange the two records in place when the rule asks it. Return -2 when both
 * are undefined, -1 when one is (the defined one is then first), 0 otherwise. */
VEK_API int32_t VEK_SETFIRST(Point* a, Point* b, const Line* l);
VEK_API int32_t VEK_SETFIRSTANGLE(Point* a, Point* b, const Line* l);
VEK_API int32_t VEK_SETSMALLERANGLE(Line* l1, Line* l2);

/* ---- Drawing: images, figures, fonts and text, marks (VEKD_) ---- */

/* ---- Animation: instruments and animated drawing (VEKA_) ---- */

/* ---- Scripts: compiling, running, menus and constructions (VEKS_) ---- */

/* Pop-up menu: shows the `count` texts of `items` (Latin-1, NUL-terminated; a null entry
 * counts as empty) in a box at the top-left corner of the screen, in the 16-pixel sans font
 * and the menu colours of the program settings, and lets the viewer choose with Up, Down and
 * Enter or a click. The screen under the box is put back. Returns the zero-based index of
 * the chosen text, or -1 for Escape, a click outside the box, an empty list, or no screen. */
VEK_API int32_t VEKS_MENU(const char* const* items, int32_t count);

#ifdef __cplusplus
}
#endif

#endif /* VEKORA_H */
