// Reads the options of the vekora program. Each option is one row of the table below;
// a new option needs a row and, when it takes a value, a field in CommandLine.
#include "shell/command_line.h"

#include <string_view>

namespace vekora {
namespace {

using Action = CommandLine::Action;

struct Option {
    std::string_view name;
    std::string_view alias;      // empty: none
    std::string_view valueName;  // empty: the option takes no value
    std::string_view help;
    // Returns what is wrong, or an empty text.
    std::string (*apply)(CommandLine& line, const std::string& value);
};

// Compile-only modes exclude each other.
std::string SetMode(CommandLine& line, Action mode, std::string_view name) {
    if (line.action != Action::Run && line.action != mode) return std::string(name) + " cannot be combined with another mode";
    line.action = mode;
    return {};
}

constexpr Option Options[] = {
    {"--check", "", "", "compile only: report errors (console and vekerror.txt); exit 0 when clean, 1 with errors",
     [](CommandLine& line, const std::string&) { return SetMode(line, Action::Check, "--check"); }},
    {"--dump-table", "", "", "compile, then print the symbol lists and the instruction table; exit 1 with errors",
     [](CommandLine& line, const std::string&) { return SetMode(line, Action::DumpTable, "--dump-table"); }},
    {"--help", "-h", "", "show this help and exit",
     [](CommandLine& line, const std::string&) { line.action = Action::Help; return std::string(); }},
    {"--version", "", "", "show the version and exit",
     [](CommandLine& line, const std::string&) { line.action = Action::Version; return std::string(); }},
};

const Option* FindOption(std::string_view argument) {
    for (const Option& option : Options) {
        if (argument == option.name || (!option.alias.empty() && argument == option.alias)) return &option;
    }
    return nullptr;
}

CommandLine UsageError(CommandLine line, std::string error) {
    line.action = Action::UsageError;
    line.error = std::move(error);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > 1 && argument[0] == '-') {
            const Option* option = FindOption(argument);
            if (option == nullptr) return UsageError(line, "unknown option '" + argument + "'");
            std::string value;
            if (!option->valueName.empty()) {
                if (i + 1 >= arguments.size()) return UsageError(line, argument + " needs " + std::string(option->valueName));
                value = arguments[++i];
            }
            const std::string error = option->apply(line, value);
            if (!error.empty()) return UsageError(line, error);
            if (line.action == Action::Help || line.action == Action::Version) return line;
            continue;
        }
        if (!line.script.empty()) {
            return UsageError(line, "only one script can be played at a time ('" + line.script + "' and '" + argument + "')");
        }
        line.script = argument;
    }
    if ((line.action == Action::Check || line.action == Action::DumpTable) && line.script.empty()) {
        return UsageError(line, "no script given");
    }
    // FIXME: playing a script comes with the interpreter; until then a script is a usage error.
    if (line.action == Action::Run) {
        return UsageError(line, line.script.empty() ? "no script given" : "this build cannot play scripts yet");
    }
    return line;
}

std::string UsageText() {
    std::string text = "Usage: vekora [OPTIONS] [SCRIPT]\nPlays a Vekora geometry script.\n\nOptions:\n";
    for (const Option& option : Options) {
        std::string names(option.name);
        if (!option.alias.empty()) names += ", " + std::string(option.alias);
        if (!option.valueName.empty()) names += " " + std::string(option.valueName);
        if (names.size() < 16) names.resize(16, ' ');
        text += "  " + names + " " + std::string(option.help) + "\n";
    }
    return text;
}

std::string VersionText() { return "vekora 0.1.0\n"; }

}  // namespace vekora
