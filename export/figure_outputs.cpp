// Recording a run for its figure and handout, and writing them at its end.
#include "export/figure_outputs.h"

#include "export/figure_export.h"
#include "export/handout.h"
#include "i18n/language.h"
#include "run/console.h"

namespace vekora {
namespace {

Paper PaperOf(const std::string& name, Paper otherwise) {
    if (name == "a4") return Paper::A4;
    if (name == "letter") return Paper::Letter;
    return otherwise;
}

}  // namespace

FigureOutputs::FigureOutputs(const FigureRequest& request) : request_(request) {
    if (request_.handoutFile.empty()) return;
    recorder_.onMoment = [this](bool wait) {
        if (wait || request_.everyStep) panels_.push_back(recorder_.Figure());
    };
}

std::string FigureOutputs::Finish(std::ostream& diagnostics) {
    std::string problems;
    const FigureRecord end = recorder_.Figure();
    if (!request_.exportFile.empty()) {
        FigureExportOptions options;
        options.paper = PaperOf(request_.paper, Paper::Figure);
        options.transparent = request_.transparent;
        options.tikzPicture = request_.tikzPicture;
        const std::string error = WriteFigure(end, request_.exportFile, options);
        if (!error.empty()) problems += ConsoleText(TrFormat(N_("vekora: --export: %s"), {request_.exportFile + ": " + error})) + "\n";
    }
    if (!request_.handoutFile.empty()) {
        panels_.push_back(end);
        const HandoutLayout layout{PaperOf(request_.paper, Paper::A4), request_.panels};
        const std::string error = WriteHandout(panels_, recorder_.Title(), request_.handoutFile, layout);
        if (!error.empty()) problems += ConsoleText(TrFormat(N_("vekora: --handout: %s"), {request_.handoutFile + ": " + error})) + "\n";
    }
    for (const std::string& warning : recorder_.Warnings())
        diagnostics << ConsoleText(TrFormat(N_("vekora: warning: %s"), {warning})) << "\n";
    return problems;
}

}  // namespace vekora
