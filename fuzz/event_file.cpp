// Any bytes as an event file: either a list of events whose clock times never go back or an
// error naming a line, never both, and nothing may crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/event_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vekora::EventList list = vekora::ParseEvents(text, "events");
    if (!list.error.empty() && (!list.events.empty() || list.error.rfind("events:", 0) != 0)) std::abort();
    // Times of the clock never go back; a "wait" line and the lines timed from it come when the
    // lesson gets there, so only the lines with a time of the clock are compared.
    std::int64_t last = 0;
    for (const vekora::InputEvent& event : list.events) {
        if (event.timing != vekora::InputEvent::Timing::At) continue;
        if (event.timeMs < last) std::abort();
        last = event.timeMs;
    }
    return 0;
}
