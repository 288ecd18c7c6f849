// The figures a command line asks of a run: it records the run's figure while it plays and, at
// its end, writes the figure (--export) and the handout of its moments (--handout). For a
// handout the run plays on a headless device that answers every wait for the viewer at once,
// so that the lesson advances through its waits on its own.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "export/figure_record.h"
#include "export/figure_request.h"
#include "platform/headless_device.h"

namespace vekora {

// A headless device that, once asked to, answers the next wait for a key with Enter.
class AnsweringDevice final : public HeadlessDevice {
public:
    explicit AnsweringDevice(std::vector<InputEvent> events) : HeadlessDevice(std::move(events)) {}
    void AnswerNextWait() { answer_ = true; }
    bool KeyWaiting() override { return answer_ || HeadlessDevice::KeyWaiting(); }
    std::string KeyRead() override;

private:
    bool answer_ = false;
};

class FigureOutputs {
public:
    // `device` answers the lesson's waits for a handout; null: the waits are left as they come.
    FigureOutputs(const FigureRequest& request, AnsweringDevice* device);

    void StatementLines(std::map<std::int32_t, std::int32_t> lines) { recorder_.SetStatementLines(std::move(lines)); }
    // Writes what was asked, once the run has ended; returns the problems, one a line, and
    // tells the warnings of what was kept as pictures on `diagnostics`.
    std::string Finish(std::ostream& diagnostics);

    // The panels taken so far (the end's panel is added by Finish).
    const std::vector<FigureRecord>& Panels() const { return panels_; }

private:
    FigureRequest request_;
    FigureRecorder recorder_;
    std::vector<FigureRecord> panels_;
};

}  // namespace vekora
