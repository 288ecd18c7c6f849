// Asking the viewer for a script file: a desktop file chooser where one is available,
// otherwise the same title as a console prompt.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "i18n/language.h"
#include "run/console.h"

namespace vekora {

inline constexpr std::string_view ChooserTitle = N_("Escoge un archivo de Vekora para ejecutar:");

struct ChooserAnswer {
    enum class Kind { Chosen, Cancelled, Failed };
    Kind kind = Kind::Cancelled;
    std::string path;        // Chosen: the file
    std::int32_t error = 0;  // Failed: the chooser's own error code
};

// The desktop chooser (zenity) when a display and the program are present; otherwise the
// title on the console and one line read from `input` (an empty line or a closed input
// cancels).
ChooserAnswer ChooseScript(Console& console, std::istream& input);

// Answers of the desktop chooser: its exit status and what it printed.
ChooserAnswer DesktopChooserAnswer(int exitStatus, const std::string& output);

}  // namespace vekora
