#include "tests/export/figure_of_run.h"

#include "export/svg_figure.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"

namespace vekora {

std::string Svg(const FigureRecord& record) { return SvgOfFigure(record, SvgOptions{}); }

std::string SvgOfRun(const ScriptLines& script, std::int32_t scale) {
    HeadlessDevice device;
    SetActiveDevice(&device);
    device.SetRenderScale(scale);
    device.StopAt(600);
    FigureRecorder recorder;
    ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = false;
    ErrorLists errors;
    RunScript(script, errors, setup);
    SetActiveDevice(nullptr);
    return Svg(recorder.Figure());
}

}  // namespace vekora
