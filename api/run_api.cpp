// VEKS_USEDEVICE, VEKS_RUNSCRIPT and VEKS_RUNSCRIPTFILE: running scripts for C callers on the
// device they choose. Reports go to the standard output and Enter is read from the standard
// input, as the program does.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "api/c_arguments.h"
#include "platform/active_device.h"
#include "platform/event_file.h"
#include "platform/headless_device.h"
#include "platform/plugins.h"
#include "run/console.h"
#include "run/run_script.h"
#include "vekora.h"

namespace {

constexpr std::int32_t RefusedArguments = -3;
// A headless run ends as if it had ended normally after this much virtual time, as the
// command line's does: without a viewer a pause would otherwise last for ever.
constexpr std::int64_t HeadlessRunLimitMs = 600000;

// The device the library's runs play on; the library owns it for the rest of the process.
struct LibraryDevice {
    std::unique_ptr<vekora::Device> device;
    // VEKS_DEVICE_CONTINUE: each run goes on from where the last left the device.
    bool continueRuns = false;
};

LibraryDevice& Library() {
    static LibraryDevice library;
    return library;
}

std::int32_t UseDevice(std::int32_t kindAndFlags, const char* eventFile) {
    const std::int32_t kind = kindAndFlags & ~VEKS_DEVICE_CONTINUE;
    std::unique_ptr<vekora::Device> device;
    std::int32_t result = 0;
    if (kind == VEKS_DEVICE_WINDOW) {
        std::string whyNot;
        device = vekora::OpenWindowDevice({}, nullptr, whyNot);
        if (!device) result = 1;
    } else if (kind != VEKS_DEVICE_HEADLESS) {
        return -1;
    }
    if (!device) {
        vekora::EventList events;
        if (eventFile != nullptr) events = vekora::ReadEventFile(eventFile);
        if (!events.error.empty()) return -1;
        device = std::make_unique<vekora::HeadlessDevice>(std::move(events.events));
    }
    vekora::SetActiveDevice(device.get());
    Library().device = std::move(device);
    Library().continueRuns = (kindAndFlags & VEKS_DEVICE_CONTINUE) != 0;
    return result;
}

void EnsureDevice() {
    if (vekora::ActiveDevice() == nullptr) UseDevice(VEKS_DEVICE_WINDOW, nullptr);
}

vekora::ScriptLines LinesOf(const VEKS_StringList& lines) {
    vekora::ScriptLines read;
    for (std::int32_t i = 0; lines.items != nullptr && i < lines.count; ++i) {
        const VEKS_String& line = lines.items[i];
        read.emplace_back(line.bytes == nullptr || line.length <= 0 ? std::string()
                                                                  : std::string(line.bytes, static_cast<std::size_t>(line.length)));
    }
    return read;
}

template <typename Run>
std::int32_t RunForC(VEKS_IntList& errorCodes, VEKS_IntList& errorLines, Run run) {
    EnsureDevice();
    vekora::Console console(std::cout, vekora::LocaleWantsUtf8());
    vekora::Device* device = vekora::ActiveDevice();
    const bool headless = dynamic_cast<vekora::HeadlessDevice*>(device) != nullptr;
    vekora::ScriptRunSetup setup;
    setup.device = device;
    setup.console = &console;
    // "Presiona Enter" waits only for a person: at a terminal, after a run in a window.
    setup.input = !headless && ::isatty(STDIN_FILENO) ? &std::cin : nullptr;
    setup.diagnostics = &std::cerr;
    vekora::ErrorLists errors;
    // Each run starts on the device as on a new one, unless the caller asked for runs that go
    // on from each other; even then a stop left by an earlier run must not end this one.
    if (Library().continueRuns) device->ClearStop();
    else device->StartAfresh();
    if (headless) device->StopAt(device->ClockSeconds() + HeadlessRunLimitMs / 1000.0);
    const std::int32_t result = run(errors, setup);
    device->StopAt(-1);
    if (!errors.codes.empty()) {
        // The error lists go to the caller only when there are errors, as VEKS_PARSESCRIPT leaves them.
        vekora::capi::HandList(errors.codes, errorCodes);
        vekora::capi::HandList(errors.lines, errorLines);
    }
    std::cout.flush();
    return result;
}

}  // namespace

extern "C" VEK_API int32_t VEKS_USEDEVICE(int32_t kind, const char* eventFile) { return UseDevice(kind, eventFile); }

extern "C" VEK_API int32_t VEKS_RUNSCRIPT(const VEKS_StringList* lines, VEKS_IntList* errorCodes, VEKS_IntList* errorLines) {
    if (lines == nullptr || errorCodes == nullptr || errorLines == nullptr) return RefusedArguments;
    return vekora::capi::Guarded(RefusedArguments, [&] {
        return RunForC(*errorCodes, *errorLines, [&](vekora::ErrorLists& errors, const vekora::ScriptRunSetup& setup) {
            return vekora::RunScript(LinesOf(*lines), errors, setup);
        });
    });
}

extern "C" VEK_API int32_t VEKS_RUNSCRIPTFILE(const VEKS_String* fileName, VEKS_IntList* errorCodes,
                                              VEKS_IntList* errorLines) {
    if (fileName == nullptr || errorCodes == nullptr || errorLines == nullptr) return RefusedArguments;
    return vekora::capi::Guarded(RefusedArguments, [&] {
        const std::string path = fileName->bytes == nullptr || fileName->length <= 0
                                     ? std::string()
                                     : std::string(fileName->bytes, static_cast<std::size_t>(fileName->length));
        return RunForC(*errorCodes, *errorLines, [&](vekora::ErrorLists& errors, const vekora::ScriptRunSetup& setup) {
            return vekora::RunScriptFile(path, errors, setup);
        });
    });
}
