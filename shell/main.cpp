// The vekora program: reads its command line and plays a script.
#include <cstdio>
#include <string>
#include <vector>

#include "shell/command_line.h"

int main(int argc, char** argv) {
    using vekora::CommandLine;
    const CommandLine line = vekora::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(vekora::UsageText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::fputs(vekora::VersionText().c_str(), stdout);
            return 0;
        case CommandLine::Action::UsageError:
        case CommandLine::Action::Run:
            break;
    }
    std::fprintf(stderr, "vekora: %s\n%s", line.error.c_str(), vekora::UsageText().c_str());
    return vekora::ExitUsage;
}
