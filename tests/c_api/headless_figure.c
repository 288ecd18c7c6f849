/* VEKS_RUNHEADLESSFIGURE from C: a lesson's figure written as SVG, PDF (on its own page and on
 * A4) and TikZ, each file of its form and holding the lesson's drawing; names and papers it
 * does not know are refused before anything runs, and a script that does not compile writes
 * nothing.
 * Usage: c_api_headless_figure FOLDER (where the script and the figures are written). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "vekora.h"

static int failures = 0;

static void Check(int holds, const char* what, const char* file) {
    if (!holds) {
        fprintf(stderr, "c_api_headless_figure: %s: %s\n", file, what);
        ++failures;
    }
}

/* The file's first bytes (up to size - 1), or "" when it cannot be read. */
static const char* Start(const char* path, char* start, size_t size) {
    start[0] = '\0';
    FILE* file = fopen(path, "rb");
    if (file == NULL) return start;
    const size_t read = fread(start, 1, size - 1, file);
    start[read] = '\0';
    fclose(file);
    return start;
}

static void WriteScript(const char* path, const char* text) {
    FILE* file = fopen(path, "wb");
    if (file == NULL) exit(2);
    fputs(text, file);
    fclose(file);
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    char script[4096], broken[4096];
    snprintf(script, sizeof script, "%s/headless_figure.vek", argv[1]);
    snprintf(broken, sizeof broken, "%s/headless_figure_broken.vek", argv[1]);
    WriteScript(script,
                "SCREEN 200, 150\nPOINT A, 20, 130\nPOINT B, 180, 130\nAB = LINE A, B, DEFAULT, &HC00000, 2\n"
                "K = CIRCLE A, B, &H008000\nEND\n");
    WriteScript(broken, "SCREEN 200, 150\nPOINT A, 20\nEND\n");

    static const struct {
        const char* name;
        int32_t paper;
        const char* begins; /* the form's signature */
        const char* holds;  /* a trace of the line AB in it */
    } forms[] = {
        {"figure.svg", VEKS_PAPER_FIGURE, "<?xml", "stroke=\"#c00000\""},
        {"figure.pdf", VEKS_PAPER_FIGURE, "%PDF-", NULL},
        {"figure-a4.pdf", VEKS_PAPER_A4, "%PDF-", NULL},
        {"figure.tex", VEKS_PAPER_FIGURE, "\\RequirePackage", "{HTML}{C00000}"},
    };
    for (size_t i = 0; i < sizeof forms / sizeof forms[0]; ++i) {
        char path[4200], start[65536];
        snprintf(path, sizeof path, "%s/%s", argv[1], forms[i].name);
        remove(path);
        VEKS_IntList codes = {0}, lines = {0};
        Check(VEKS_RUNHEADLESSFIGURE(script, NULL, path, forms[i].paper, &codes, &lines) == 255, "the run ends with END",
              forms[i].name);
        Start(path, start, sizeof start);
        Check(strncmp(start, forms[i].begins, strlen(forms[i].begins)) == 0, "written in its form", forms[i].name);
        if (forms[i].holds != NULL) Check(strstr(start, forms[i].holds) != NULL, "the red line in it", forms[i].name);
        free(codes.items);
        free(lines.items);
    }

    /* A4 is a sheet of 595 x 842 points whatever the figure's size. */
    {
        char path[4200], start[65536];
        snprintf(path, sizeof path, "%s/figure-a4.pdf", argv[1]);
        Start(path, start, sizeof start);
        Check(strstr(start, "595.") != NULL && strstr(start, "841.") != NULL, "an A4 page", "figure-a4.pdf");
    }

    static const struct {
        const char* name;
        int32_t paper;
    } refused[] = {{"figure.doc", VEKS_PAPER_FIGURE}, {"figure.pdf", 3}, {"figure.pdf", -1}, {NULL, VEKS_PAPER_FIGURE}};
    for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
        char path[4200] = "";
        if (refused[i].name != NULL) snprintf(path, sizeof path, "%s/refused-%s", argv[1], refused[i].name);
        VEKS_IntList codes = {0}, lines = {0};
        Check(VEKS_RUNHEADLESSFIGURE(script, NULL, refused[i].name != NULL ? path : NULL, refused[i].paper, &codes, &lines) == -3,
              "refused", refused[i].name != NULL ? refused[i].name : "(null)");
        char start[16];
        Check(refused[i].name == NULL || Start(path, start, sizeof start)[0] == '\0', "nothing written", path);
    }

    {
        char path[4200], start[16];
        snprintf(path, sizeof path, "%s/broken.svg", argv[1]);
        remove(path);
        VEKS_IntList codes = {0}, lines = {0};
        const int32_t result = VEKS_RUNHEADLESSFIGURE(broken, NULL, path, VEKS_PAPER_FIGURE, &codes, &lines);
        Check(result == -1 || result == -2, "a compilation error", "broken.svg");
        Check(codes.count > 0 && lines.count > 0 && lines.items[0] == 2, "the error on line 2", "broken.svg");
        Check(Start(path, start, sizeof start)[0] == '\0', "nothing written", "broken.svg");
        free(codes.items);
        free(lines.items);
    }
    return failures == 0 ? 0 : 1;
}
