// VEK_INIT: resets the program settings to their start values and loads the resident resources.
#include "vekora.h"

#include "run/run_script.h"

extern "C" VEK_API int32_t VEK_INIT(void) {
    // The settings on every call; the fonts, the logo and the icon once per process.
    vekora::InitProgram();
    return 0;
}
