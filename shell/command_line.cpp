// Reads the options of the vekora program.
#include "shell/command_line.h"

namespace vekora {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            line.action = CommandLine::Action::UsageError;
            line.error = "unknown option '" + argument + "'";
            return line;
        }
        if (!line.script.empty()) {
            line.action = CommandLine::Action::UsageError;
            line.error = "only one script can be played at a time ('" + line.script + "' and '" + argument + "')";
            return line;
        }
        line.script = argument;
    }
    // FIXME: playing a script comes with the interpreter; until then a script is a usage error.
    if (line.action == CommandLine::Action::Run) {
        line.action = CommandLine::Action::UsageError;
        line.error = line.script.empty() ? "no script given" : "this build cannot play scripts yet";
    }
    return line;
}

std::string UsageText() {
    return "Usage: vekora [OPTIONS] [SCRIPT]\n"
           "Plays a Vekora geometry script.\n"
           "\n"
           "Options:\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n";
}

std::string VersionText() { return "vekora 0.1.0\n"; }

}  // namespace vekora
