// The one Settings instance of the process.
#include "settings/settings.h"

namespace vekora {

Settings& ProgramSettings() {
    static Settings settings;
    return settings;
}

void ResetSettings() { ProgramSettings() = Settings{}; }

}  // namespace vekora
