/* Vekora: the C interface of libvekora.so.
 *
 * Compiles as C11 and as C++. Truth values are -1 (true) and 0 (false); routines that
 * report a status return 0 when done, UNDEFINED_CODE when an input figure is undefined
 * and -1 for a refusal. Records come back by value; arguments the original routines take
 * by reference are pointers here (const where the routine does not write through them).
 *
 * Threads. VEKS_RUNHEADLESS may be called from any number of threads at once, and while
 * other calls run: each of its runs has a screen, clock and settings of its own and never
 * touches the library's device or settings. Every other call shares the library's state
 * (the active device chosen with VEKS_USEDEVICE, the program settings, the screen that a
 * null target means): make those calls from one thread at a time. A device never outlives
 * its use: the active device is either the one the caller chose or none. */
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

/* The records are packed: no padding, field offsets as listed. They are named VekPoint,
 * VekLine, VekCircle and VekLineEquation, and also Point, Line, Circle and LineEquation
 * (typedefs of the same types). A program with records of its own by those short names
 * defines VEKORA_NO_SHORT_NAMES before including this header, and only the Vek names are
 * declared. */
#pragma pack(push, 1)
typedef struct VekPoint {
    double x, y;        /* offsets 0, 8 */
    uint32_t colour;    /* 16: 0xRRGGBB */
    int16_t size;       /* 20: marker size in pixels */
    int16_t shape;      /* 22: marker style code */
} VekPoint;             /* 24 bytes */

typedef struct VekLine { /* the points base + t * direction */
    double x0, y0;      /* 0, 8: base point (first point of a segment) */
    double dx, dy;      /* 16, 24: direction (base + direction is the segment's end) */
    uint32_t colour;    /* 32 */
    int16_t style;      /* 36: dash mask, -1 solid */
    int16_t thickness;  /* 38: width in pixels */
} VekLine;              /* 40 bytes */

typedef struct VekCircle { /* a full circle when start = end = 0, else the arc start to end */
    double x, y;        /* 0, 8: centre */
    double r;           /* 16 */
    double start, end;  /* 24, 32: radians */
    uint32_t colour;    /* 40 */
    int32_t thickness;  /* 44: ring width in pixels */
} VekCircle;            /* 48 bytes */

typedef struct VekLineEquation { /* y = m * x + b */
    double m;           /* 0: slope; VEK_UNDEFINED for a vertical line */
    double b;           /* 8: y at x = 0; for a vertical line its x */
    uint32_t colour;    /* 16 */
    int16_t thickness;  /* 20 (before style, unlike Line) */
    int16_t style;      /* 22 */
} VekLineEquation;      /* 24 bytes */
#pragma pack(pop)

#ifndef VEKORA_NO_SHORT_NAMES
typedef VekPoint Point;
typedef VekLine Line;
typedef VekCircle Circle;
typedef VekLineEquation LineEquation;
#endif

/* Lines, points and distances. New lines take their dash mask and width from the program
 * settings; distances of undefined figures are 0.0. */
VEK_API VekLine VEK_MAKELINE(const VekPoint* a, const VekPoint* b);
VEK_API VekLine VEK_MAKELINEPOLAR(const VekPoint* p, const double* angle);
VEK_API VekLine VEK_MAKERIGHTANGLE(const VekPoint* p, const VekLine* l);
VEK_API double VEK_DISTANCE(const VekPoint* a, const VekPoint* b);
VEK_API double VEK_LINEDISTANCE(const VekPoint* p, const VekLine* l);
VEK_API VekPoint VEK_ADVANCEONLINE(const VekPoint* p, const VekLine* l, const double* distance);
VEK_API VekPoint VEK_ADVANCETOPOINT(const VekPoint* a, const VekPoint* b, const double* distance);
/* -1 when y lies between x and z, else 0. */
VEK_API int32_t VEK_ISBETWEEN(const VekPoint* x, const VekPoint* y, const VekPoint* z);
/* The side of a rectangle opposite the segment ab, height away; returns 0. */
VEK_API int32_t VEK_RECTOVER(const VekPoint* a, const VekPoint* b, const double* height, VekPoint* outA,
                             VekPoint* outB);
VEK_API VekLineEquation VEK_VECTORIALTOEQUAT(const VekLine* l);
VEK_API VekLine VEK_EQUATTOVECTORIAL(const VekLineEquation* e);
VEK_API double VEK_LINEDISTANCEEQUAT(const VekPoint* p, const VekLineEquation* e);

/* Intersections. Parallel lines meet in a far point (1e280 along l1, colour 0x00FF00FF).
 * The crossing routines return how many points they found (0 to 2); of two points, out1
 * is the one met first along l, or the one on the right of the line from c1's centre to
 * c2's centre. */
VEK_API VekPoint VEK_LINECROSS(const VekLine* l1, const VekLine* l2);
VEK_API int32_t VEK_LINECIRCLECROSS(const VekLine* l, const VekCircle* c, VekPoint* out1, VekPoint* out2);
VEK_API int32_t VEK_CIRCLECROSS(const VekCircle* c1, const VekCircle* c2, VekPoint* out1, VekPoint* out2);
/* Real roots of a*x*x + b*x + c = 0 (the larger first for a > 0); returns their number. */
VEK_API int32_t VEK_SOLVEEQUATION2(const double* a, const double* b, const double* c,
                                   double* out1, double* out2);
/* -1 when l crosses the segment ab, 0 when not; 1, 2 or 3 when a, b or both lie on l. */
VEK_API int32_t VEK_LINEISBETWEEN(const VekLine* l, const VekPoint* a, const VekPoint* b);

/* Angles, arcs and rotation. Direction angles lie in [0, 2*pi). */
VEK_API double VEK_ABSANGLE(const VekLine* l);
VEK_API double VEK_ANGLE(const VekLine* l1, const VekLine* l2);
VEK_API VekLine VEK_MAKEANGLE(const VekPoint* p, const VekLine* l, const double* angle);
VEK_API VekPoint VEK_ROTATEPOINT(const VekPoint* p, const VekPoint* centre, const double* angle);
VEK_API VekCircle VEK_MAKEARC(const VekPoint* centre, const VekPoint* p, const double* opening);

/* Ordering: exchange the two records in place when the rule asks it. Return -2 when both
 * are undefined, -1 when one is (the defined one is then first), 0 otherwise. */
VEK_API int32_t VEK_SETFIRST(VekPoint* a, VekPoint* b, const VekLine* l);
VEK_API int32_t VEK_SETFIRSTANGLE(VekPoint* a, VekPoint* b, const VekLine* l);
VEK_API int32_t VEK_SETSMALLERANGLE(VekLine* l1, VekLine* l2);

/* ---- Drawing: images, figures, fonts and text, marks (VEKD_) ---- */

/* An image: its image buffer (uint16 (width << 3) | bytes per pixel, uint16 height, then the
 * pixels row by row). A target is a pointer to one; a null target or null image is the screen.
 * (Repeated identically where the images are declared, which C11 and C++ both allow.) */
typedef uint8_t* VekImage;

/* Fonts and text. A font is a set of 256 one-bit glyphs of one height, kept as the glyph
 * bytes and a table of offsets into them. A glyph is: uint16 (width << 3) | 1, uint16 height,
 * then height rows of (width + 7) / 8 bytes, most significant bit leftmost, a set bit ink;
 * width is the advance in pixels. Character code c (text is Latin-1 bytes) has its glyph at
 * data + 0 for c = 0 and at data + index[c - 1] otherwise.
 *
 * Start from a zeroed font (VekFont font = {0};). Loading fills it, replacing (and freeing)
 * what it held; VEKD_FREEFONT releases it. A font that could not be loaded has data NULL and
 * size 0, and text drawn with it draws nothing. Fonts a caller fills itself are only read
 * within data[0 .. size - 1]. */
typedef struct VekFont {
    uint8_t* data;         /* the glyphs: a font file from its byte 1024 on */
    int32_t size;          /* bytes in data */
    int32_t index[256];    /* index[i]: offset in data of the glyph of character i + 1 */
} VekFont;

/* Reads a font file: 256 little-endian uint32 end offsets counted from the start of the file
 * (end[255] is the file's size), then the glyphs. A missing, truncated or inconsistent file,
 * or one over 16 MB, leaves the font empty. Returns 0 either way. */
VEK_API int32_t VEKD_LOADFONT(const char* fileName, VekFont* font);
/* One of the twelve resident fonts: "sans12", "sans16", "sans24", "sans32", "sans40",
 * "sans64" (Latin-1) and "greek12" ... "greek64" (Greek letters at the Latin letters' codes,
 * mathematical signs above 160). Returns 0, or -1 for another name (the font is untouched). */
VEK_API int32_t VEKD_LOADFONTRESOURCE(const char* name, VekFont* font);
VEK_API int32_t VEKD_FREEFONT(VekFont* font);

/* The colours are 0xRRGGBB (on 8-bit images a palette index); a background equal to the
 * target's transparent colour (0xFF00FF, or 0 on 8-bit images) leaves it unchanged. */
/* One glyph with its top-left corner at (x, y). Returns 0. */
VEK_API int32_t VEKD_PUTBN(const VekImage* target, const uint8_t* glyph, const int32_t* x, const int32_t* y,
                           const int32_t* foreground, const int32_t* background);
/* The text on one line from (x, y): every byte its glyph, no kerning, no line breaks. Returns 0. */
VEK_API int32_t VEKD_PRINT(const VekImage* target, const char* text, const VekFont* font, const int32_t* x,
                           const int32_t* y, const int32_t* foreground, const int32_t* background);
/* The width of the text in pixels. */
VEK_API int32_t VEKD_STRINGW(const char* text, const VekFont* font);
/* The text wrapped into the box (x, y, width, height): the box filled with the background
 * first, lines as high as glyph 0, broken at the last space or control byte that fits (a
 * word wider than the box is cut), a carriage return ends a line, lines below the box are
 * left out (the first is always drawn). Returns 0. */
VEK_API int32_t VEKD_LINEWRAP(const VekImage* target, const char* text, const VekFont* font, const int32_t* x,
                              const int32_t* y, const int32_t* width, const int32_t* height,
                              const int32_t* foreground, const int32_t* background);

/* Images for callers, to draw into and read pixels from. A new image of width x height
 * pixels of 1, 2 or 4 bytes (a palette index, 5:6:5, or
 * 0xAARRGGBB, little-endian), every pixel TRANSPARENT (0xFF00FF; 0 at 1 byte). NULL when
 * the size or depth cannot be represented (width 1 to 8191, height 1 to 65535).
 *
 * What a new image holds: every pixel is the transparent colour, stored as 0xF81F at 2
 * bytes, 0xFFFF00FF at 4 bytes (magenta with an opaque alpha byte: the drawing routines
 * write alpha 0xFF and compare colours without it) and 0 at 1 byte. It is not a blank page
 * but "never drawn": copying the image onto another in transparent or blend mode (what the
 * films and constructions do with their pages) skips those pixels, and a picture saved
 * with VEKD_SAVEPNG shows them magenta. To start from a page of one colour, fill the whole
 * image first: with corners p1 = (0, 0), p2 = (width, 0) and height = height,
 * VEKD_FILLRECT(&image, &p1, &p2, &height, &colour, &alpha) with alpha 255 covers every
 * pixel; or write the pixels through VEKD_IMAGEBUFFER. */
VEK_API VekImage VEKD_NEWIMAGE(int32_t width, int32_t height, int32_t bytesPerPixel);
/* Releases an image made by VEKD_NEWIMAGE; NULL is ignored. Returns 0. */
VEK_API int32_t VEKD_FREEIMAGE(VekImage image);
/* The image buffer: the 4-byte header, then the rows of pixels, top row first; its size in
 * bytes goes to *bytes (0 for NULL). */
VEK_API uint8_t* VEKD_IMAGEBUFFER(VekImage image, int64_t* bytes);
/* Writes the image (a null target or null image: the screen) to the file as an 8-bit RGB
 * PNG, the picture a viewer sees: 5:6:5 pixels widened by bit replication (white stays 255,
 * 255, 255), palette indices in the fixed palette (bits RRRGGGBB), the alpha byte of 4-byte
 * pixels left out. Returns 0 when written, -1 when there is nothing to write (no screen
 * open for a null target, or a null file name) or memory ran out, and -2 when the file
 * cannot be written. */
VEK_API int32_t VEKD_SAVEPNG(const VekImage* target, const char* fileName);

/* Figures. Each returns 0 when drawn (a thickness of 0 or less draws nothing) and
 * VEK_UNDEFINED_CODE, drawing nothing, when a figure it needs is undefined or NULL. A Line's
 * style is its dash mask; it applies to VEKD_LINE and VEKD_LINEP only. Thick lines are
 * `thickness` one-pixel strokes stacked across the minor axis; a circle of thickness t is
 * 2t - 1 rings half a pixel apart. */
VEK_API int32_t VEKD_LINE(const VekImage* target, const VekLine* line);
/* The segment p1-p2 with the colour, style and thickness of line. */
VEK_API int32_t VEKD_LINEP(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const VekLine* line);
VEK_API int32_t VEKD_CIRCLE(const VekImage* target, const VekCircle* circle);
/* The point's marker by its shape: 0 cross, 2 disc, 3 circle, 4 filled square, 5 square,
 * 8 to 11 arrow heads pointing left, right, up, down, any other a single pixel. -1 (nothing
 * drawn) for a point off the target. */
VEK_API int32_t VEKD_POINT(const VekImage* target, const VekPoint* point);
/* The rectangle standing on p1-p2, height to the side clockwise of p1->p2. */
VEK_API int32_t VEKD_RECT(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const double* height,
                          const VekLine* line);

/* Fills, blended with an alpha (0 nothing, 255 opaque). An alpha of -1 is opaque for a
 * triangle and is written back as 255. A sector's negative angles are written back plus 2 pi. */
VEK_API int32_t VEKD_FILLTRIANGLE(const VekImage* target, const VekPoint* a, const VekPoint* b, const VekPoint* c,
                                  const int32_t* colour, int32_t* alpha);
VEK_API int32_t VEKD_FILLCIRCLE(const VekImage* target, VekCircle* circle, const int32_t* colour,
                                const int32_t* alpha);
VEK_API int32_t VEKD_FILLRECT(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const double* height,
                              const int32_t* colour, const int32_t* alpha);

/* Marks: labels in the font, without background, in the marked figure's colour. Each returns
 * 0, or VEK_UNDEFINED_CODE (nothing drawn) for an undefined figure.
 * VEKD_MARKPOINT flags: 1 above, 2 below, 4 left, 8 right (centred without). */
VEK_API int32_t VEKD_MARKPOINT(const VekImage* target, const VekPoint* point, const char* text, const VekFont* font,
                               const int32_t* flags);
/* A label beside the middle of p1-p2: side != 0 right of a steep segment or below another. */
VEK_API int32_t VEKD_MARKLINE(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const char* text,
                              const VekFont* font, const int32_t* side);
/* "text=length": pixels rounded down for a unit of 0 or 1, else length / unit with up to two
 * decimals; any flag puts the label on the second side, flag 0x100 also negates the length. */
VEK_API int32_t VEKD_MARKANDNUMBERLINE(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const char* text,
                                       const VekFont* font, const int32_t* flags, const int32_t* unit);
/* A square of side size between the lines; flag 1 turns it to line1's other ray, 2 to line2's. */
VEK_API int32_t VEKD_MARKRIGHTANGLE(const VekImage* target, const VekLine* line1, const VekLine* line2,
                                    const int32_t* flags, const double* size);
VEK_API int32_t VEKD_MARKRIGHTANGLEPT(const VekImage* target, const VekPoint* a, const VekPoint* v, const VekPoint* b,
                                      const int32_t* flags, const double* size);
/* An arc of radius about the vertex and the label inside the angle; variants 0 to 3 choose one
 * of the four angles between the lines (the smaller first), 4 marks line1 to line2 as given.
 * The PT forms mark the angle a-v-b as variant 4. */
VEK_API int32_t VEKD_MARKANGLE(const VekImage* target, const VekLine* line1, const VekLine* line2, const char* text,
                               const VekFont* font, const int32_t* variant, const double* radius);
VEK_API int32_t VEKD_MARKANGLEPT(const VekImage* target, const VekPoint* a, const VekPoint* v, const VekPoint* b,
                                 const char* text, const VekFont* font, const double* radius);
/* As VEKD_MARKANGLE with the label "text=n" and the degree sign (0xB0), n whole degrees. */
VEK_API int32_t VEKD_MARKANDNUMBERANGLE(const VekImage* target, const VekLine* line1, const VekLine* line2,
                                        const char* text, const VekFont* font, const int32_t* variant,
                                        const double* radius);
VEK_API int32_t VEKD_MARKANDNUMBERANGLEPT(const VekImage* target, const VekPoint* a, const VekPoint* v, const VekPoint* b,
                                          const char* text, const VekFont* font, const double* radius);

/* Drawing instruments: one-colour line drawings placed by figures, which the films (VEKA_)
 * redraw every frame. Each returns 0, VEK_UNDEFINED_CODE (nothing drawn) for an undefined
 * figure, or -1 (nothing drawn) where stated. */
/* A set square in the corner of the two lines, its right angle 2 pixels off both, legs size
 * long; flags bit 0 turns it to line1's other ray, bit 1 to line2's. Parallel lines put it at
 * the far point, out of sight. */
VEK_API int32_t VEKD_SQUARETOOL(const VekImage* target, const VekLine* line1, const VekLine* line2, const int32_t* flags,
                                const double* size, const int32_t* colour);
/* A ruler along p1-p2, width wide and width longer at each end, its edge 2 pixels off the
 * segment; its body on the side of the normal (-uy, ux) of p1->p2, or the other for side != 0;
 * a tick every spacing pixels when spacing > 0. -1 when p1 = p2. */
VEK_API int32_t VEKD_RULERTOOL(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const int32_t* side,
                               const double* width, const int32_t* colour, const int32_t* spacing);
/* Compasses with the needle at pivot and the lead at tip, the hinge to the right of
 * pivot->tip on the screen, legs at least 0.55 times the opening. -1 when pivot and tip are
 * closer than half a pixel. */
VEK_API int32_t VEKD_COMPASSTOOL(const VekImage* target, const VekPoint* pivot, const VekPoint* tip, double leg,
                                 const int32_t* colour);
/* A half-disc protractor of diameter size about centre, its diameter along base; the base
 * strip lies below a base pointing right, above it for flip != 0. */
VEK_API int32_t VEKD_PROTRACTORTOOL(const VekImage* target, const VekPoint* centre, const VekLine* base,
                                    const int32_t* flip, const double* size, const int32_t* colour);
/* A pencil length long, its point at tip, its body along the direction angle (radians). */
VEK_API int32_t VEKD_PENCILTOOL(const VekImage* target, const VekPoint* tip, double angle, double length,
                                const int32_t* colour);

/* ---- Animation: instruments and animated drawing (VEKA_) ---- */

/* Films draw on a page (an image; null or a null image: the screen) and show it on the
 * screen at (originX, originY) after every frame. Frames last the program setting's frame
 * time (FRAMESPEED); a film of duration seconds has round(duration / frame time) frames, and
 * none when the frame time is 0 or less. A key or click ends a film early; the film returns
 * (or writes to code) that input code, else 0. After a film the page holds exactly what it
 * held before plus the finished figure, however the film ended.
 *
 * Animation flags: bits 0-23 the colour of the pencil or compasses, 0x1000000 shows them,
 * 0x2000000 shows a ruler under a segment, bits 26-31 its tick spacing in pixels. */
/* Frame *step of steps of a segment (the pencil at its growing end), then ++*step. -1 when
 * *step > steps. */
VEK_API int32_t VEKA_PARTIALLINE(const VekImage* target, const VekPoint* p1, const VekPoint* p2, const VekLine* line,
                                 int32_t* step, const int32_t* steps, const double* pencilLength,
                                 const int32_t* flags);
VEK_API int32_t VEKA_ANIMATELINE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                 const VekPoint* p1, const VekPoint* p2, const VekLine* line, const float* duration,
                                 const double* pencilLength, const int32_t* flags);
/* As VEKA_ANIMATELINE, then a pause of the step time (SPEED) on the last frame; p2's marker
 * is drawn with the segment. */
VEK_API int32_t VEKA_STARTLINE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                               const VekPoint* p1, const VekPoint* p2, const VekLine* line, const float* duration,
                               const double* pencilLength, const int32_t* flags);
/* Frame *step of steps of an arc (the compasses on its moving end); arcs under a third of a
 * radian advance *step faster. -1 when *step > steps. */
VEK_API int32_t VEKA_PARTIALARC(const VekImage* target, const VekCircle* arc, int32_t* step, const int32_t* steps,
                                const double* legLength, const int32_t* flags);
VEK_API int32_t VEKA_ANIMATEARC(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                const VekCircle* arc, const float* duration, const double* legLength,
                                const int32_t* flags);
/* The set square slides along a ruler until a leg passes through point (the right angle) or
 * its long side does (the parallel). Returns the perpendicular or the parallel to line
 * through point; the page keeps the instruments. */
VEK_API VekLine VEKA_ANIMATERIGHTANGLE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                    const VekLine* line, const VekPoint* point, const float* duration, double size,
                                    double rulerWidth, const int32_t* squareColour, const int32_t* rulerColour,
                                    int32_t* code);
VEK_API VekLine VEKA_ANIMATEPARALLEL(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                  const VekLine* line, const VekPoint* point, const float* duration, double size,
                                  double rulerWidth, const int32_t* squareColour, const int32_t* rulerColour,
                                  int32_t* code);
/* The same films, then the pencil draws the segment (with style's colour, dash mask and
 * width); the page is left with that segment only. */
VEK_API VekLine VEKA_ANIMATEDRAWRIGHTANGLE(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                        const VekLine* line, const VekPoint* point, const float* duration,
                                        const VekLine* style, double size, double rulerWidth,
                                        const int32_t* squareColour, const int32_t* rulerColour,
                                        const int32_t* flags, int32_t* code);
VEK_API VekLine VEKA_ANIMATEDRAWPARALLEL(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                      const VekLine* line, const VekPoint* point, const float* duration,
                                      const VekLine* style, double size, double rulerWidth,
                                      const int32_t* squareColour, const int32_t* rulerColour,
                                      const int32_t* flags, int32_t* code);
/* Lays off angle (radians) from line at the foot of point with a protractor and a ruler, then
 * draws the ray from the foot; flags 0 shows no instruments. Returns the ray. */
VEK_API VekLine VEKA_ANIMATEPROTRACTOR(const VekImage* page, const int32_t* originX, const int32_t* originY,
                                    const VekLine* line, const VekPoint* point, const double* angle,
                                    const float* duration, double size, const VekLine* style, const int32_t* flags,
                                    int32_t* code);

/* ---- Scripts: compiling, running, menus and constructions (VEKS_) ---- */

/* Lists of the script routines. Memory: a list that a routine fills or re-dimensions must
 * start zeroed (or hold what an earlier call of the library left in it); the routine
 * releases the old contents with free() and allocates the new ones with malloc(), so the
 * caller releases them with free() too: for a string list, each item's bytes, then the
 * items; for the symbols, each of the nine lists so; for a table, its words. Lists given
 * only for reading may point to any memory. */

/* A byte string: `length` bytes (Latin-1) at `bytes`, not necessarily ending in NUL.
 * Strings the library makes end in a NUL byte that `length` does not count. */
typedef struct VEKS_String {
    char* bytes;
    int32_t length;
} VEKS_String;

/* A zero-based list of signed 32-bit integers (error codes, error lines, symbol counts). */
typedef struct VEKS_IntList {
    int32_t* items;
    int32_t count;
} VEKS_IntList;

/* A zero-based list of strings: the lines of a script (without line ends), or names. */
typedef struct VEKS_StringList {
    VEKS_String* items;
    int32_t count;
} VEKS_StringList;

/* The instruction table: `modules` modules of `rows` rows of 8 words; word w of row r of
 * module m is words[((size_t)m * rows + r) * 8 + w]. Module 0 is the main module. */
typedef struct VEKS_Table {
    int32_t* words;
    int32_t modules;
    int32_t rows;
} VEKS_Table;

/* The symbol table: lists[t] holds the names of type t in the order of definition
 * (1 points, 2 lines, 3 circles, 7 procedures, 8 texts without quotes; 0, 4, 5, 6 empty). */
typedef struct VEKS_Symbols {
    VEKS_StringList lists[9];
} VEKS_Symbols;

/* Compiles a script: `lines` in, the other five filled. Returns 0 when it compiled, -1 for
 * errors in pass 1, -2 for errors in pass 2, and -3 when a pointer is null, memory ran
 * out or the table would pass 2^28 words (then nothing is changed). With errors the two
 * error lists hold exactly them: codes (message number in bits 0-7, parameters in bits
 * 8-15, see VEKS_ERRORMSG) and 1-based
 * line numbers (0 for a missing END); without errors they are left as given. A script
 * without END before its first procedure header leaves table, symbols and counts as given.
 * counts gets 9 items: the number of entries of each symbol list. */
VEK_API int32_t VEKS_PARSESCRIPT(const VEKS_StringList* lines, VEKS_Table* table, VEKS_IntList* errorCodes,
                                 VEKS_IntList* errorLines, VEKS_Symbols* symbols, VEKS_IntList* counts);

/* The Spanish message (Latin-1) of an error code; bits above 15 are ignored and every code
 * yields a text. A null code reads as 0. The string is new: release it with free() (its
 * bytes are null when memory ran out). */
VEK_API VEKS_String VEKS_ERRORMSG(const int32_t* code);

/* Pop-up menu: shows the `count` texts of `items` (Latin-1, NUL-terminated; a null entry
 * counts as empty) in a box at the top-left corner of the screen, in the 16-pixel sans font
 * and the menu colours of the program settings, and lets the viewer choose with Up, Down and
 * Enter or a click. The screen under the box is put back. Returns the zero-based index of
 * the chosen text, or -1 for Escape, a click outside the box, an empty list, or no screen. */
VEK_API int32_t VEKS_MENU(const char* const* items, int32_t count);

/* Constructions: each computes its figure with the geometry routines and shows it being
 * constructed on the page `target` (null, or a null image: the screen itself), which it puts
 * on the screen at (originX, originY) whenever it shows it. By *mode: 0 draws the result on
 * the page at once, nothing shown, no pause; 1 draws stage by stage, showing the page and
 * pausing the step time (SPEED) after each stage; 2 animates the instruments; any other
 * value draws nothing. The figure is computed and returned in every mode.
 *
 * *event is set to 0 on entry, then to the input code (a key or click) that cut a pause short;
 * once one has, the later pauses are skipped, but every stage is still drawn and shown. An
 * undefined input figure gives an undefined result, draws nothing and takes no time.
 *
 * Style words (style: dash mask, colour: 0xRRGGBB, thickness: pixels) of -1 take the program
 * settings; a null style word reads as -1 too. Angles are in 1/256 degree; lengths and radii
 * have 16 fraction bits (pixels * 65536). Other null numbers read as 0, null records as
 * undefined, and a null event or output record is discarded. Lines keep 16 bits of style and
 * thickness; circles keep a 32-bit thickness. */
VEK_API VekLine VEKS_MAKELINE(const VekImage* target, const int32_t* originX, const int32_t* originY,
                           const VekPoint* a, const VekPoint* b, const int32_t* style, const int32_t* colour,
                           const int32_t* thickness, const int32_t* mode, int32_t* event);
/* The line through p at *angle (counterclockwise) to reference; at exactly 90 or 270 degrees
 * it gets a right-angle mark in the reference's colour. */
VEK_API VekLine VEKS_MAKELINEPOLAR(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const VekPoint* p, const VekLine* reference, const int32_t* angle, const int32_t* style,
                                const int32_t* colour, const int32_t* thickness, const int32_t* mode,
                                int32_t* event);
/* The segment from p at the absolute *angle and *length; *endOut becomes its end point (with
 * p's colour, size and shape), unless p is undefined. */
VEK_API VekLine VEKS_MAKESTARTLINE(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const VekPoint* p, VekPoint* endOut, const int32_t* angle, const int32_t* length,
                                const int32_t* style, const int32_t* colour, const int32_t* thickness,
                                const int32_t* mode, int32_t* event);
/* The circle about centre through p. A *start of -1 (or a null start) makes a full circle;
 * otherwise the arc runs from *start to *end. */
VEK_API VekCircle VEKS_MAKECIRCLEP(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                const VekPoint* centre, const VekPoint* p, const int32_t* colour,
                                const int32_t* thickness, const int32_t* start, const int32_t* end,
                                const int32_t* mode, int32_t* event);
/* The circle about centre touching l (its radius reaches the foot of the perpendicular). */
VEK_API VekCircle VEKS_MAKECIRCLETANGENT(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                      const VekPoint* centre, const VekLine* l, const int32_t* colour,
                                      const int32_t* thickness, const int32_t* start, const int32_t* end,
                                      const int32_t* mode, int32_t* event);
/* The arc about centre, *opening wide and centred on the direction to p. */
VEK_API VekCircle VEKS_MAKEARC(const VekImage* target, const int32_t* originX, const int32_t* originY,
                            const VekPoint* centre, const VekPoint* p, const int32_t* colour, const int32_t* thickness,
                            const int32_t* opening, const int32_t* mode, int32_t* event);
/* The arc of *radius about the crossing of l1 and l2, from l1's direction to l2's. */
VEK_API VekCircle VEKS_MAKEARCLINES(const VekImage* target, const int32_t* originX, const int32_t* originY,
                                 const VekLine* l1, const VekLine* l2, const int32_t* radius, const int32_t* colour,
                                 const int32_t* thickness, const int32_t* mode, int32_t* event);
/* The midline (perpendicular bisector) of ab. Its default colour is the construction colour
 * (DEFAULTS), or the default colour when that setting is -1. */
VEK_API VekLine VEKS_MAKEMIDLINE(const VekImage* target, const int32_t* originX, const int32_t* originY,
                              const VekPoint* a, const VekPoint* b, const int32_t* style, const int32_t* colour,
                              const int32_t* thickness, const int32_t* mode, int32_t* event);
/* The bisector of the counterclockwise angle from l1 to l2, from their crossing. */
VEK_API VekLine VEKS_MAKEBISECTOR(const VekImage* target, const int32_t* originX, const int32_t* originY,
                               const VekLine* l1, const VekLine* l2, const int32_t* style, const int32_t* colour,
                               const int32_t* thickness, const int32_t* mode, int32_t* event);
/* The tangents from p to c. From outside: returns the one touching c on the left of the line
 * from c's centre towards p (as seen on the screen) and writes the other to *secondOut. From
 * within 0.5 pixel of the circle: the one tangent goes to *secondOut, the result is
 * undefined. From inside: both undefined. secondOut's base is made undefined first. */
VEK_API VekLine VEKS_MAKETANGENT(const VekImage* target, const int32_t* originX, const int32_t* originY,
                              const VekPoint* p, const VekCircle* c, VekLine* secondOut, const int32_t* style,
                              const int32_t* colour, const int32_t* thickness, const int32_t* mode,
                              int32_t* event);

/* Running scripts. A run plays on the active device, which the caller chooses once with
 * VEKS_USEDEVICE before the first run:
 *   VEKS_DEVICE_WINDOW    an SDL window, opened by the script's first screen or drawing
 *                         statement; returns 1 and runs headless when no display can be opened;
 *   VEKS_DEVICE_HEADLESS  a screen in memory with a virtual clock that moves only while the
 *                         program sleeps or polls; input comes from the event file `eventFile`
 *                         (the format of the command line's --events; null: no input);
 *                         a run stops, as if it had ended, after 600000 ms of that clock
 *                         (a lesson that loops without pausing too: past 1000 repetitions
 *                         (a REPEAT, a call, a jump back) without the clock moving, each
 *                         further one moves it 10 ms; straight-line statements cost nothing).
 * Returns 0, 1 (see above), or -1 for an unknown kind or an event file that cannot be used
 * (the device is then left as it was). Without any call the first run takes the window.
 * Closing the window ends the process with exit code 0.
 * Runs are independent: every VEKS_RUNSCRIPT and VEKS_RUNSCRIPTFILE starts the device as if it
 * were new, so the same script with the same events gives the same result every time: the
 * headless clock back at 0, the event list from its first event, no mouse button held and no
 * key waiting (the window drops the keys typed before the run). Add VEKS_DEVICE_CONTINUE to
 * the kind (VEKS_DEVICE_HEADLESS | VEKS_DEVICE_CONTINUE) for runs that go on from where the
 * last one left the device: its clock, the events not yet taken, the input state. */
#define VEKS_DEVICE_WINDOW 0
#define VEKS_DEVICE_HEADLESS 1
#define VEKS_DEVICE_CONTINUE 0x100
VEK_API int32_t VEKS_USEDEVICE(int32_t kind, const char* eventFile);

/* Compiles the lines and plays the main module, then shows the logo for 2000 ms. Returns 0
 * (ran to its end, or the viewer chose Salir), 255 (END), -1 or -2 (compilation errors, in
 * the error lists as VEKS_PARSESCRIPT gives them), -3 for a null pointer or when memory ran
 * out during the run (nothing escapes to the caller as an exception), or a run-time
 * error: the procedure number in the high 16 bits, the error code (VEKS_ERRORMSG) in the low
 * 16 bits. The program settings are reset (VEK_INIT) before every run. */
VEK_API int32_t VEKS_RUNSCRIPT(const VEKS_StringList* lines, VEKS_IntList* errorCodes, VEKS_IntList* errorLines);

/* How VEKS_RUNHEADLESS plays a script. A zeroed record asks for the defaults. */
typedef struct VEKS_HeadlessRun {
    const char* eventFile;    /* input events (the format of the command line's --events); NULL: none */
    int32_t untilMs;          /* the run stops, as if it had ended, when the virtual clock passes
                                 this many ms; 0 or less: 600000 */
    const char* recordFile;   /* an animated GIF of the run; NULL: none */
    int32_t framesPerSecond;  /* frames a second of the virtual clock sampled for recordFile
                                 (each shown as long as the screen stayed unchanged); 0 or less: 25 */
} VEKS_HeadlessRun;

/* Plays the script file headless and hands back its last picture: on a screen in memory of
 * its own, with the virtual clock of VEKS_DEVICE_HEADLESS (a lesson of minutes takes a
 * fraction of a second), without the logo, printing nothing and waiting for no Enter. The
 * device chosen with VEKS_USEDEVICE and the program settings are left as they were; any
 * number of threads may run scripts this way at once. `options` may be NULL (the defaults).
 *
 * *finalScreen (when finalScreen is not NULL) gets a new image, the screen as the run left
 * it before the closing logo (what the command line's --screenshot writes), or NULL when the
 * script opened no screen; release it with VEKD_FREEIMAGE. Compilation errors fill the error
 * lists as VEKS_PARSESCRIPT does (and the report file is not written).
 *
 * Returns what VEKS_RUNSCRIPT returns: 0 (ran to its end, Salir, or stopped at untilMs), 255
 * (END), -1 or -2 (compilation errors), a run-time error (procedure << 16 | code); or -3 for
 * a null file name or error list, -4 for an event file that cannot be read or parsed (nothing
 * is run), -5 when the run played to its end but recordFile could not be written, -6 when
 * memory ran out (no exception ever leaves the library). */
VEK_API int32_t VEKS_RUNHEADLESS(const char* fileName, const VEKS_HeadlessRun* options, VekImage* finalScreen,
                                 VEKS_IntList* errorCodes, VEKS_IntList* errorLines);

/* As VEKS_RUNHEADLESS, drawing at a render scale: the screen, *finalScreen and the recording
 * hold scale x scale pixels for each page unit, every line, circle, mark and text drawn that
 * many times finer, while the script's coordinates, VEKD_IMAGESIZE's sizes and the event
 * file's mouse positions stay page units. `scale` is 1 to 8 (1 is VEKS_RUNHEADLESS); any
 * other value is refused with -3 and nothing is run. */
VEK_API int32_t VEKS_RUNHEADLESSSCALED(const char* fileName, const VEKS_HeadlessRun* options, int32_t scale,
                                       VekImage* finalScreen, VEKS_IntList* errorCodes, VEKS_IntList* errorLines);

/* The sheet VEKS_RUNHEADLESSFIGURE puts a PDF figure on. */
#define VEKS_PAPER_FIGURE 0 /* a page the figure's size, a page pixel 1/96 inch */
#define VEKS_PAPER_A4 1     /* fitted within 15 mm margins and centred on an A4 sheet */
#define VEKS_PAPER_LETTER 2 /* the same on US Letter */

/* Plays the script file as VEKS_RUNHEADLESS does and writes its figure to figureFile: the page
 * as the run left it (before the closing logo), everything drawn on it and the lesson's texts,
 * without the control bar, menus or instruments; what no line, circle, fill or text describes
 * (an animation's trace, a picture) is kept as pixels in its place. The file's name chooses
 * the form: ".svg" (text as text, one group a statement with its line as id "line-N"), ".pdf"
 * (fonts embedded, on the sheet `paper` names), ".png" or ".tex" (a LaTeX document with TikZ
 * that pdflatex compiles). `paper` is one of VEKS_PAPER_; forms other than PDF ignore it.
 *
 * Returns what VEKS_RUNHEADLESS returns; -3 also for a null figureFile, a name ending in none
 * of the four or a paper not listed (nothing is run), and -5 when the run played to its end
 * but the figure could not be written (the script opened no screen, or the file could not be
 * created). */
VEK_API int32_t VEKS_RUNHEADLESSFIGURE(const char* fileName, const VEKS_HeadlessRun* options, const char* figureFile,
                                       int32_t paper, VEKS_IntList* errorCodes, VEKS_IntList* errorLines);

/* Reads the script file (lines ended by CR, LF or CR LF; UTF-8 is taken to Latin-1), sets the
 * window title to the name followed by " - Vekora", and runs it as VEKS_RUNSCRIPT does. Errors
 * are reported on the standard output (compilation errors also in "vekerror.txt" beside the
 * script), followed by "Presiona Enter para continuar." and a line read from the standard
 * input. Returns 0 when the run ended normally (0 or 255), otherwise as VEKS_RUNSCRIPT. */
VEK_API int32_t VEKS_RUNSCRIPTFILE(const VEKS_String* fileName, VEKS_IntList* errorCodes, VEKS_IntList* errorLines);

#ifdef __cplusplus
}
#endif

#endif /* VEKORA_H */
