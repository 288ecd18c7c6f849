// SPEED, FRAMESPEED, DEFAULTS and TOOLDEFAULTS: statements that change the program settings
// for the rest of the run, across procedures.
#pragma once

#include "interp/statement_row.h"
#include "settings/settings.h"

namespace vekora {

// SPEED n: step time and animation time, in ms.
void RunSpeed(Settings& settings, const StatementRow& row);
// FRAMESPEED n: frame time in ms, and in seconds.
void RunFrameSpeed(Settings& settings, const StatementRow& row);
// DEFAULTS: words 1 to 7, unpacked into the named settings here and nowhere else. A word of
// -1, or a half of 0xFFFF in a packed word, keeps that setting, as -1 keeps the setting
// everywhere else in the language.
void RunDefaults(Settings& settings, const StatementRow& row);
// TOOLDEFAULTS: instrument defaults 1 to n - 1 from words 1 to n - 1, n the argument count
// kept within 2 to 8.
void RunToolDefaults(Settings& settings, const StatementRow& row);

}  // namespace vekora
