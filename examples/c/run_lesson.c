/* Plays a lesson headless with libvekora and saves its last picture as a PNG (and, when a
 * third name is given, the whole lesson as an animated GIF). A lesson of minutes takes a
 * fraction of a second: the run's clock is virtual.
 *
 *   cc run_lesson.c $(pkg-config --cflags --libs vekora) -o run_lesson
 *   ./run_lesson /usr/share/doc/vekora/examples/circumcircle.vek last.png [lesson.gif] */
#include <stdio.h>
#include <stdlib.h>

#include <vekora.h>

static void PrintErrors(const VEKS_IntList* codes, const VEKS_IntList* lines) {
    for (int32_t i = 0; i < codes->count; ++i) {
        VEKS_String message = VEKS_ERRORMSG(&codes->items[i]);
        printf("line %d: %s\n", lines->items[i], message.bytes != NULL ? message.bytes : "");
        free(message.bytes);
    }
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: run_lesson LESSON.vek LAST.png [LESSON.gif]\n");
        return 2;
    }
    VEKS_HeadlessRun options = {0};
    options.recordFile = argc > 3 ? argv[3] : NULL;
    VekImage last = NULL;
    VEKS_IntList codes = {0}, lines = {0};
    const int32_t result = VEKS_RUNHEADLESS(argv[1], &options, &last, &codes, &lines);
    PrintErrors(&codes, &lines);
    free(codes.items);
    free(lines.items);
    printf("result %d\n", result);
    if (last == NULL) {
        fprintf(stderr, "run_lesson: the lesson showed nothing\n");
        return 1;
    }
    const int32_t saved = VEKD_SAVEPNG(&last, argv[2]);
    VEKD_FREEIMAGE(last);
    if (saved != 0) {
        fprintf(stderr, "run_lesson: cannot write %s\n", argv[2]);
        return 1;
    }
    return result == 0 || result == 255 ? 0 : 1;
}
