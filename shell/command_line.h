// The command line of the vekora program: options, usage text and exit codes.
#pragma once

#include <string>
#include <vector>

namespace vekora {

constexpr int ExitUsage = 2;  // the command line itself was wrong

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError, Check, DumpTable };
    Action action = Action::Run;
    std::string script;  // empty: ask for one
    std::string error;   // what was wrong, for Action::UsageError
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);
std::string UsageText();
std::string VersionText();

}  // namespace vekora
