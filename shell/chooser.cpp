// The file chooser: zenity in the current folder, or a console prompt.
#include "shell/chooser.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "draw/math_text.h"
#include "i18n/language.h"

namespace vekora {
namespace {

constexpr int ZenityCancelled = 1;

bool HasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x != nullptr && *x != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The path of an executable found on PATH, or "".
std::string FindProgram(std::string_view name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + std::string(name);
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

// Single quotes keep every byte of the argument as it is.
std::string ShellQuoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ChooserAnswer RunZenity(const std::string& zenity) {
    std::error_code ignored;
    const std::string folder = std::filesystem::current_path(ignored).string() + "/";
    const std::string command = ShellQuoted(zenity) + " --file-selection --title=" +
                                ShellQuoted(MathTextToUtf8(Tr(ChooserTitle))) + " --filename=" + ShellQuoted(folder) +
                                " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return {ChooserAnswer::Kind::Failed, {}, -1};
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = ::pclose(pipe);
    const int exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return DesktopChooserAnswer(exitStatus, output);
}

std::string TrimLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

ChooserAnswer DesktopChooserAnswer(int exitStatus, const std::string& output) {
    if (exitStatus == ZenityCancelled) return {ChooserAnswer::Kind::Cancelled, {}, 0};
    if (exitStatus != 0) return {ChooserAnswer::Kind::Failed, {}, exitStatus};
    const std::string path = TrimLineEnd(output);
    if (path.empty()) return {ChooserAnswer::Kind::Cancelled, {}, 0};
    return {ChooserAnswer::Kind::Chosen, path, 0};
}

ChooserAnswer ChooseScript(Console& console, std::istream& input) {
    if (HasDisplay()) {
        const std::string zenity = FindProgram("zenity");
        if (!zenity.empty()) return RunZenity(zenity);
    }
    console.PrintLine(Tr(ChooserTitle));
    std::string line;
    if (!std::getline(input, line)) return {ChooserAnswer::Kind::Cancelled, {}, 0};
    line = TrimLineEnd(line);
    if (line.empty()) return {ChooserAnswer::Kind::Cancelled, {}, 0};
    return {ChooserAnswer::Kind::Chosen, line, 0};
}

}  // namespace vekora
