// Any bytes as a whole run: a script, and after a line "@events" an event file, compiled and
// played on the headless device until it ends or its virtual clock passes a few seconds.
// Nothing may crash, leak, hang past that bound or allocate without limit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/active_device.h"
#include "platform/event_file.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_text.h"

namespace {

constexpr std::string_view EventsMarker = "\n@events\n";
// Virtual time a run may take; runaway statements are charged to this clock too.
constexpr double RunLimitSeconds = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t marker = bytes.find(EventsMarker);
    const std::string_view script = bytes.substr(0, marker);
    const std::string_view eventText =
        marker == std::string_view::npos ? std::string_view() : bytes.substr(marker + EventsMarker.size());

    // A malformed event file stops the program before the run; here the run goes on without it.
    vekora::EventList events = vekora::ParseEvents(eventText, "events");
    vekora::HeadlessDevice device(events.error.empty() ? std::move(events.events) : std::vector<vekora::InputEvent>{});
    vekora::SetActiveDevice(&device);
    device.StopAt(RunLimitSeconds);
    vekora::ScriptRunSetup setup;
    setup.device = &device;
    setup.options.showLogo = false;
    vekora::ErrorLists errors;
    vekora::RunScript(vekora::SplitScriptText(vekora::ScriptTextToLatin1(script)), errors, setup);
    vekora::SetActiveDevice(nullptr);
    return 0;
}
