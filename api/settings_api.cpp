// VEK_INIT: resets the program settings to their start values.
#include "vekora.h"

#include "shell/settings.h"

extern "C" VEK_API int32_t VEK_INIT(void) {
    vekora::ResetSettings();
    // FIXME: the resident fonts, the window icon and the logo join here once they exist.
    return 0;
}
