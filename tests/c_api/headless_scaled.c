/* VEKS_RUNHEADLESSSCALED from C, with the VEKS_HeadlessRun record as programs built against
 * earlier headers fill it: the screen comes back in page units holding scale x scale pixels
 * for each, scale 1 is VEKS_RUNHEADLESS, and scales outside 1 to 8 are refused.
 * Usage: c_api_headless_scaled FOLDER (where the script is written). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vekora.h"

static int failures = 0;

static void Check(int holds, const char* what, int scale) {
    if (!holds) {
        fprintf(stderr, "c_api_headless_scaled: scale %d: %s\n", scale, what);
        ++failures;
    }
}

/* Whether every pixel of the buffer shows red: 5:6:5 (0xF800) at 2 bytes a pixel, 0xFFRRGGBB
 * at 4, little-endian. */
static int AllRed(const uint8_t* pixels, int64_t count, int64_t bytesPerPixel) {
    static const uint8_t red16[] = {0x00, 0xF8}, red32[] = {0x00, 0x00, 0xFF};
    const uint8_t* red = bytesPerPixel == 2 ? red16 : red32;
    const size_t compared = bytesPerPixel == 2 ? 2 : 3;
    for (int64_t i = 0; i < count; ++i) {
        if (memcmp(pixels + i * bytesPerPixel, red, compared) != 0) return 0;
    }
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    char script[4096];
    snprintf(script, sizeof script, "%s/headless_scaled.vek", argv[1]);
    FILE* file = fopen(script, "wb");
    if (file == NULL) return 2;
    fputs("SCREEN 30, 20, 16, &HFF0000\nEND\n", file);
    fclose(file);

    /* The record as it always was: four fields, nothing after them. */
    VEKS_HeadlessRun options;
    memset(&options, 0, sizeof options);
    options.untilMs = 1000;
    for (int scale = 1; scale <= 8; scale *= 2) {
        VekImage screen = NULL;
        VEKS_IntList codes = {0}, lines = {0};
        const int32_t result = VEKS_RUNHEADLESSSCALED(script, &options, scale, &screen, &codes, &lines);
        Check(result == 255, "the run ends with END", scale);
        int64_t bytes = 0;
        const uint8_t* buffer = VEKD_IMAGEBUFFER(screen, &bytes);
        const int64_t pixels = (int64_t)30 * scale * 20 * scale;
        /* The screen's depth is the program's to choose: 2 or 4 bytes a pixel. */
        const int64_t bytesPerPixel = bytes == 4 + pixels * 2 ? 2 : 4;
        Check(bytes == 4 + pixels * bytesPerPixel, "scale x scale pixels for each page unit", scale);
        Check(buffer != NULL && bytes == 4 + pixels * bytesPerPixel && AllRed(buffer + 4, pixels, bytesPerPixel),
              "every pixel red", scale);
        VEKD_FREEIMAGE(screen);
        free(codes.items);
        free(lines.items);
    }
    const int32_t refused[] = {0, -1, 9};
    for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
        VekImage screen = NULL;
        VEKS_IntList codes = {0}, lines = {0};
        Check(VEKS_RUNHEADLESSSCALED(script, NULL, refused[i], &screen, &codes, &lines) == -3, "refused", refused[i]);
        Check(screen == NULL, "no picture when refused", refused[i]);
    }
    return failures == 0 ? 0 : 1;
}
