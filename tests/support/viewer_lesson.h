// A lesson that waits for its viewer in every way: WAITs, a menu shown twice, an INTERACTION
// that drags B. Tests of scripted answers and of going back a WAIT play it.
#pragma once

#include <string>
#include <string_view>

namespace vekora::testing {

// At `speed`: a WAIT, the menu, the drag, a WAIT, a circle about A through B, then `ending`
// (more statements before END).
inline std::string ViewerLesson(int speed, std::string_view ending = "") {
    return "SCREEN 320, 240\n"
           "SPEED " + std::to_string(speed) + "\n"
           "POINT A, 60, 150\n"
           "POINT B, 260, 150\n"
           "WAIT\n"
           "S = LINE A, B\n"
           "MENU\n"
           "MENUITEM \"Medio\"\n"
           "  M = MIDDLE A, B, 2, &H008000, 6\n"
           "MENUITEM \"Fin\"\n"
           "  EXITMENU\n"
           "REPEATMENU\n"
           "INTERACT Drag\n"
           "WAIT\n"
           "K = CIRCLE A, B, &H0000FF\n" +
           std::string(ending) +
           "END\n"
           "INTERACTION Drag\n"
           "CLICKABLE B\n"
           "T = LINE A, B, DEFAULT, &HFF0000\n"
           "REPEAT\n";
}

}  // namespace vekora::testing
