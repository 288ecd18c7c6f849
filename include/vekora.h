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

/* ---- Drawing: images, figures, fonts and text, marks (VEKD_) ---- */

/* ---- Animation: instruments and animated drawing (VEKA_) ---- */

/* ---- Scripts: compiling, running, menus and constructions (VEKS_) ---- */

#ifdef __cplusplus
}
#endif

#endif /* VEKORA_H */
