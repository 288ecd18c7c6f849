/* Reads PNG pictures with libpng and checks them, for the tests of the example programs:
 *   png_check same A.png B.png              the two pictures have the same size and pixels
 *   png_check pixel FILE.png X Y RRGGBB [R]  a pixel of that colour within R pixels of (X, Y)
 *   png_check only FILE.png RRGGBB X0 Y0 X1 Y1   every pixel outside the box has that colour
 * Exits 0 when the check holds, 1 (with the reason on stderr) when not, 2 on bad usage. */
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct Picture {
    png_image image;
    unsigned char* rgb;
} Picture;

static int Load(const char* path, Picture* picture) {
    memset(picture, 0, sizeof *picture);
    picture->image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&picture->image, path)) {
        fprintf(stderr, "png_check: %s: %s\n", path, picture->image.message);
        return 0;
    }
    picture->image.format = PNG_FORMAT_RGB;
    picture->rgb = malloc(PNG_IMAGE_SIZE(picture->image));
    if (picture->rgb == NULL || !png_image_finish_read(&picture->image, NULL, picture->rgb, 0, NULL)) {
        fprintf(stderr, "png_check: %s: cannot decode\n", path);
        return 0;
    }
    return 1;
}

static void Release(Picture* picture) {
    png_image_free(&picture->image);
    free(picture->rgb);
    picture->rgb = NULL;
}

static unsigned long ColourAt(const Picture* picture, long x, long y) {
    const unsigned char* p = picture->rgb + ((size_t)y * picture->image.width + (size_t)x) * 3;
    return (unsigned long)p[0] << 16 | (unsigned long)p[1] << 8 | p[2];
}

static int Compare(const char* a, const Picture* first, const char* b, const Picture* second) {
    if (first->image.width != second->image.width || first->image.height != second->image.height) {
        fprintf(stderr, "png_check: %s is %ux%u, %s is %ux%u\n", a, first->image.width, first->image.height, b,
                second->image.width, second->image.height);
        return 1;
    }
    for (long y = 0; y < (long)first->image.height; ++y) {
        for (long x = 0; x < (long)first->image.width; ++x) {
            if (ColourAt(first, x, y) != ColourAt(second, x, y)) {
                fprintf(stderr, "png_check: first difference at (%ld, %ld): %06lX and %06lX\n", x, y,
                        ColourAt(first, x, y), ColourAt(second, x, y));
                return 1;
            }
        }
    }
    return 0;
}

static int Same(const char* a, const char* b) {
    Picture first, second;
    memset(&second, 0, sizeof second);
    const int result = Load(a, &first) && Load(b, &second) ? Compare(a, &first, b, &second) : 1;
    Release(&first);
    Release(&second);
    return result;
}

static int PixelNear(const char* path, long cx, long cy, unsigned long colour, long radius) {
    Picture picture;
    if (!Load(path, &picture)) return 1;
    int found = 0;
    for (long y = cy - radius; y <= cy + radius; ++y) {
        for (long x = cx - radius; x <= cx + radius; ++x) {
            found |= x >= 0 && y >= 0 && x < (long)picture.image.width && y < (long)picture.image.height &&
                     ColourAt(&picture, x, y) == colour;
        }
    }
    Release(&picture);
    if (found) return 0;
    fprintf(stderr, "png_check: %s: no %06lX within %ld of (%ld, %ld)\n", path, colour, radius, cx, cy);
    return 1;
}

static int OnlyOutside(const char* path, unsigned long colour, long x0, long y0, long x1, long y1) {
    Picture picture;
    if (!Load(path, &picture)) return 1;
    int result = 0;
    for (long y = 0; y < (long)picture.image.height && result == 0; ++y) {
        for (long x = 0; x < (long)picture.image.width && result == 0; ++x) {
            if ((x < x0 || x > x1 || y < y0 || y > y1) && ColourAt(&picture, x, y) != colour) {
                fprintf(stderr, "png_check: %s: (%ld, %ld) is %06lX, not %06lX\n", path, x, y, ColourAt(&picture, x, y),
                        colour);
                result = 1;
            }
        }
    }
    Release(&picture);
    return result;
}

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "same") == 0) return Same(argv[2], argv[3]);
    if ((argc == 6 || argc == 7) && strcmp(argv[1], "pixel") == 0)
        return PixelNear(argv[2], atol(argv[3]), atol(argv[4]), strtoul(argv[5], NULL, 16), argc == 7 ? atol(argv[6]) : 0);
    if (argc == 8 && strcmp(argv[1], "only") == 0)
        return OnlyOutside(argv[2], strtoul(argv[3], NULL, 16), atol(argv[4]), atol(argv[5]), atol(argv[6]), atol(argv[7]));
    fprintf(stderr, "usage: png_check same A B | pixel FILE X Y RRGGBB [R] | only FILE RRGGBB X0 Y0 X1 Y1\n");
    return 2;
}
