// The window, the drawing page and text on the screen: SCREEN, WINDOW, CLS, TEXTWINDOW, TEXT
// and TITLE, the default window a drawing statement opens, and the logo.
#pragma once

#include "interp/run_context.h"
#include "interp/statement_row.h"

namespace vekora {

constexpr std::int32_t DefaultWindowWidth = 640;
constexpr std::int32_t DefaultWindowHeight = 480;
constexpr std::int32_t LogoMs = 2000;
inline constexpr std::string_view TitleSuffix = " - Vekora";

// Opens the default 640 x 480 window, as SCREEN 640, 480 does, when no window is open yet.
void EnsureWindow(RunContext& run, Activation& activation);

// The logo centred on the screen for 2000 ms (a key ends it early), then the keyboard
// emptied. Nothing when the options skip the logo or there is no logo or screen.
void ShowLogo(const Stage& stage, const RunOptions& options);

void RunScreen(RunContext& run, Activation& activation, const StatementRow& row);
void RunWindow(RunContext& run, Activation& activation, const StatementRow& row);
void RunCls(RunContext& run, Activation& activation, const StatementRow& row);
void RunTextWindow(RunContext& run, const StatementRow& row);
void RunText(RunContext& run, Activation& activation, const StatementRow& row);
void RunTitle(const RunContext& run, const StatementRow& row);

// Redraws the control bar for the activation (paused or not) when a window is open.
void RedrawControlBar(RunContext& run, const Activation& activation);

}  // namespace vekora
