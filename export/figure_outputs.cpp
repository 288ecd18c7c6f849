// Recording a run for its figure and handout, and writing them at its end.
#include "export/figure_outputs.h"

#include "export/figure_export.h"
#include "export/handout.h"
#include "interp/menu.h"

namespace vekora {
namespace {

Paper PaperOf(const std::string& name, Paper otherwise) {
    if (name == "a4") return Paper::A4;
    if (name == "letter") return Paper::Letter;
    return otherwise;
}

}  // namespace

std::string AnsweringDevice::KeyRead() {
    if (answer_) {
        answer_ = false;
        return std::string(KeyEnter);
    }
    return HeadlessDevice::KeyRead();
}

FigureOutputs::FigureOutputs(const FigureRequest& request, AnsweringDevice* device) : request_(request) {
    if (request_.handoutFile.empty()) return;
    recorder_.onMoment = [this, device](bool wait, bool answered) {
        if (wait || request_.everyStep) panels_.push_back(recorder_.Figure());
        // A wait with a time ends by itself; a key there would reach the control bar as a pause.
        if (answered && device != nullptr) device->AnswerNextWait();
    };
}

std::string FigureOutputs::Finish(std::ostream& diagnostics) {
    std::string problems;
    const FigureRecord end = recorder_.Figure();
    if (!request_.exportFile.empty()) {
        FigureExportOptions options;
        options.paper = PaperOf(request_.paper, Paper::Figure);
        options.transparent = request_.transparent;
        const std::string error = WriteFigure(end, request_.exportFile, options);
        if (!error.empty()) problems += "vekora: --export: " + request_.exportFile + ": " + error + "\n";
    }
    if (!request_.handoutFile.empty()) {
        panels_.push_back(end);
        const HandoutLayout layout{PaperOf(request_.paper, Paper::A4), request_.panels};
        const std::string error = WriteHandout(panels_, recorder_.Title(), request_.handoutFile, layout);
        if (!error.empty()) problems += "vekora: --handout: " + request_.handoutFile + ": " + error + "\n";
    }
    for (const std::string& warning : recorder_.Warnings()) diagnostics << "vekora: warning: " << warning << "\n";
    return problems;
}

}  // namespace vekora
