// The lessons we ship, for the tests that must stay silent on them: the example scripts and
// the manual's (.vek files and the ```vek blocks of its pages).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "run/script_text.h"

namespace vekora::testing {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct LessonScript {
    std::string name;  // file, and block number in a page of the manual
    std::vector<std::string> lines;
};

// The example scripts, and the manual's: .vek files and the ```vek blocks of its pages.
inline std::vector<LessonScript> LessonScripts() {
    std::vector<LessonScript> scripts;
    const auto add = [&](std::string name, std::string_view text) {
        scripts.push_back(LessonScript{std::move(name), SplitScriptText(ScriptTextToLatin1(text))});
    };
    for (const char* folder : {"examples", "docs"}) {
        const fs::path root = fs::path(VEKORA_SOURCE_DIR) / folder;
        if (!fs::exists(root)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (entry.path().extension() == ".vek") add(entry.path().string(), ReadText(entry.path()));
            if (entry.path().extension() != ".md") continue;
            const std::string page = ReadText(entry.path());
            int block = 0;
            for (std::size_t at = page.find("```vek"); at != std::string::npos; at = page.find("```vek", at)) {
                const std::size_t start = page.find('\n', at);
                const std::size_t end = start == std::string::npos ? start : page.find("```", start);
                if (end == std::string::npos) break;
                add(entry.path().string() + " block " + std::to_string(++block), std::string_view(page).substr(start + 1, end - start - 1));
                at = end + 3;
            }
        }
    }
    return scripts;
}

}  // namespace vekora::testing
