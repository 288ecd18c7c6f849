// A handout advances the lesson through its waits: one panel at each WAIT and one at the end,
// in order, each the figure of a run of the lesson stopped at that wait.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "export/figure_outputs.h"
#include "export/svg_figure.h"
#include "tests/export/figure_of_run.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_text.h"
#include "tests/support/picture_support.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

constexpr double TimeLimitSeconds = 600;

// A lesson of four waits, each after a step that changes the figure, one of them a wait with
// a time and one inside a procedure.
const std::vector<std::string> Lesson = {
    "TITLE \"Cuatro pasos\"",
    "SCREEN 400, 300",
    "POINT A, 60, 250",
    "POINT B, 340, 250",
    "WAIT",
    "AB = LINE A, B, DEFAULT, &HC00000, 2",
    "WAIT 3000",
    "POINT C, 200, 60",
    "TEXTWINDOW 10, 10, 200, 40",
    "TEXT \"Un punto C\"",
    "WAIT",
    "BC = LINE B, C",
    "FILLTRIANGLE A, B, C, &H80C0FF, 96",
    "WAIT",
    "CA = LINE C, A",
    "END",
};

// The figure of the lesson's lines up to `lines`, ended there; its earlier waits, which draw
// nothing, left out so that the run reaches the end without a viewer.
std::string FigureOfFirstLines(std::size_t lines) {
    std::vector<std::string> script;
    for (std::size_t i = 0; i < lines; ++i)
        if (Lesson[i].rfind("WAIT", 0) != 0) script.push_back(Lesson[i]);
    script.push_back("END");
    return SvgOfRun(script);
}

TEST(Handout, APanelAtEveryWaitAndAtTheEndEachAsARunStoppedThere) {
    const std::string pdf = testing::TempPath("handout.pdf");
    // The viewer's waits answered at once, as a handout's run answers them.
    HeadlessDevice device({}, ViewerAnswers(0, {}));
    SetActiveDevice(&device);
    device.StopAt(TimeLimitSeconds);
    FigureRequest request;
    request.handoutFile = pdf;
    FigureOutputs outputs(request);
    ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = false;
    ErrorLists errors;
    std::ostringstream diagnostics;
    std::string problems;
    setup.beforeClosingLogo = [&] { problems = outputs.Finish(diagnostics); };
    RunScript(Lesson, errors, setup);
    // Every wait was answered: the lesson ran to its end long before the limit.
    EXPECT_FALSE(device.Stopped());
    EXPECT_LT(device.ClockSeconds(), 30.0);
    SetActiveDevice(nullptr);
    EXPECT_EQ(problems, "");

    const std::vector<FigureRecord>& panels = outputs.Panels();
    ASSERT_EQ(panels.size(), 5u);
    // The lines of the four WAITs (1-based 5, 7, 11, 14): a run ended just before each.
    const std::size_t waits[] = {4, 6, 10, 13};
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("panel " + std::to_string(i + 1));
        EXPECT_EQ(Svg(panels[i]), FigureOfFirstLines(waits[i]));
    }
    EXPECT_EQ(Svg(panels[4]), FigureOfFirstLines(Lesson.size() - 1));
    // Each panel differs from the one before: the steps are in order.
    for (std::size_t i = 1; i < panels.size(); ++i) EXPECT_NE(Svg(panels[i]), Svg(panels[i - 1]));

    // Five panels fit one A4 sheet, the title heading it, the panels numbered in order.
    const std::string text = testing::CommandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null");
    if (!text.empty()) {
        EXPECT_NE(text.find("Cuatro pasos"), std::string::npos) << text;
        std::size_t at = 0;
        for (const char* number : {"1", "2", "3", "4", "5"}) {
            at = text.find(number, at);
            EXPECT_NE(at, std::string::npos) << number << " in " << text;
        }
        EXPECT_EQ(testing::CommandOutput("pdfinfo '" + pdf + "' | grep '^Pages:' | tr -s ' '"), "Pages: 1\n");
    }
    std::remove(pdf.c_str());
}

}  // namespace
}  // namespace vekora
