// Reads a script file whole, converts it as its encoding asks and cuts it into lines.
#include "shell/script_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "shell/script_text.h"

namespace vekora {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::vector<std::string>> ReadScriptFile(const std::string& path, std::ostream& diagnostics) {
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    std::string content;
    bool failed = !file;
    if (file) {
        char buffer[65536];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, got);
        failed = std::ferror(file.get()) != 0;
    }
    if (failed) {
        const char* reason = errno != 0 ? std::strerror(errno) : "unknown error";
        diagnostics << "vekora: cannot read the script '" << path << "': " << reason << '\n';
        return std::nullopt;
    }
    return SplitScriptText(ScriptTextToLatin1(content));
}

}  // namespace vekora
