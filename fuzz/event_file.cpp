// Any bytes as an event file: either a list of events in time order or an error naming a line,
// never both, and nothing may crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/event_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vekora::EventList list = vekora::ParseEvents(text, "events");
    if (!list.error.empty() && (!list.events.empty() || list.error.rfind("events:", 0) != 0)) std::abort();
    for (std::size_t i = 1; i < list.events.size(); ++i)
        if (list.events[i].timeMs < list.events[i - 1].timeMs) std::abort();
    return 0;
}
