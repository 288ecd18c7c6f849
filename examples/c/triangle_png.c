/* A triangle and its inscribed circle drawn into an image with libvekora, saved as a PNG.
 * The incentre is the mean of the corners weighted by the opposite sides' lengths; the
 * radius is its distance to any side.
 *
 *   cc triangle_png.c $(pkg-config --cflags --libs vekora) -o triangle_png && ./triangle_png out.png */
#include <stdio.h>

#include <vekora.h>

enum { Width = 320, Height = 240 };

static int Fail(const char* what, VekImage image) {
    fprintf(stderr, "triangle_png: %s\n", what);
    VEKD_FREEIMAGE(image);
    return 1;
}

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "triangle.png";
    VekImage image = VEKD_NEWIMAGE(Width, Height, 4);
    if (image == NULL) return Fail("no image", image);

    /* A new image is all "never drawn" (transparent magenta): make it a white page first. */
    const Point topLeft = {0, 0, 0, 1, 0}, topRight = {Width, 0, 0, 1, 0};
    const double pageHeight = Height;
    const int32_t white = 0xFFFFFF, opaque = 255;
    VEKD_FILLRECT(&image, &topLeft, &topRight, &pageHeight, &white, &opaque);

    const Point a = {40, 200, 0x000000, 4, 2};
    const Point b = {290, 210, 0x000000, 4, 2};
    const Point c = {120, 30, 0x000000, 4, 2};
    const Line side = {0, 0, 0, 0, 0x000000, -1, 2}; /* black, solid, 2 pixels */
    VEKD_LINEP(&image, &a, &b, &side);
    VEKD_LINEP(&image, &b, &c, &side);
    VEKD_LINEP(&image, &c, &a, &side);
    VEKD_POINT(&image, &a);
    VEKD_POINT(&image, &b);
    VEKD_POINT(&image, &c);

    const double la = VEK_DISTANCE(&b, &c), lb = VEK_DISTANCE(&c, &a), lc = VEK_DISTANCE(&a, &b);
    const double sum = la + lb + lc;
    const Point centre = {(la * a.x + lb * b.x + lc * c.x) / sum, (la * a.y + lb * b.y + lc * c.y) / sum, 0xC00000, 4, 2};
    const Line ab = VEK_MAKELINE(&a, &b);
    const Circle incircle = {centre.x, centre.y, VEK_LINEDISTANCE(&centre, &ab), 0, 0, 0xC00000, 2};
    VEKD_CIRCLE(&image, &incircle);
    VEKD_POINT(&image, &centre);

    printf("incentre %.3f %.3f radius %.3f\n", incircle.x, incircle.y, incircle.r);
    if (VEKD_SAVEPNG(&image, path) != 0) return Fail("cannot write the PNG", image);
    VEKD_FREEIMAGE(image);
    return 0;
}
