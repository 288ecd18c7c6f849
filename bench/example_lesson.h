// An example lesson of examples/ as the benchmarks play it: its lines and its input events
// (none when it has no .events file).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/event_file.h"
#include "run/script_text.h"
#include "script/passes.h"

namespace vekora::bench {

struct ExampleLesson {
    ScriptLines lines;
    EventList events;
};

inline ExampleLesson LoadExampleLesson(const std::string& name) {
    namespace fs = std::filesystem;
    const auto readText = [](const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    // The build names this header by its full path, so the examples are found beside it.
    const fs::path folder = fs::path(__FILE__).parent_path().parent_path() / "examples";
    const fs::path eventsPath = folder / (name + ".events");
    return {SplitScriptText(ScriptTextToLatin1(readText(folder / (name + ".vek")))),
            ParseEvents(fs::exists(eventsPath) ? readText(eventsPath) : std::string(), eventsPath.string())};
}

}  // namespace vekora::bench
