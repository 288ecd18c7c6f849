// The vekora program: reads its command line and plays or compiles a script.
#include <malloc.h>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "run/console.h"
#include "run/script_check.h"
#include "lsp/server.h"
#include "shell/command_line.h"
#include "shell/play.h"

namespace {

int Run(int argc, char** argv) {
    using vekora::CommandLine;
    // Only the character type follows the environment: numbers keep the C locale's decimal point.
    std::setlocale(LC_CTYPE, "");
    const CommandLine line = vekora::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    vekora::Console console(std::cout, vekora::LocaleWantsUtf8());
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(vekora::UsageText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Version:
            std::fputs(vekora::VersionText().c_str(), stdout);
            return 0;
        case CommandLine::Action::Check: {
            vekora::CheckOptions options;
            options.format = line.json ? vekora::DiagnosticFormat::Json : vekora::DiagnosticFormat::Text;
            options.warningsAsErrors = line.werror;
            options.utf8 = vekora::LocaleWantsUtf8();
            return vekora::CheckScript(line.script, console, std::cerr, options, &std::cout);
        }
        case CommandLine::Action::DumpTable:
            return vekora::DumpScriptTable(line.script, console, std::cerr);
        case CommandLine::Action::DumpSymbols:
            return vekora::DumpScriptTable(line.script, console, std::cerr, vekora::TableListing::Symbolic);
        case CommandLine::Action::LanguageServer:
            return vekora::lsp::RunLanguageServer(std::cin, std::cout);
        case CommandLine::Action::Run:
            return vekora::PlayScript(line, console, std::cin, std::cerr);
        case CommandLine::Action::UsageError:
            break;
    }
    std::fprintf(stderr, "vekora: %s\n%s", line.error.c_str(), vekora::UsageText().c_str());
    return vekora::ExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    // A run allocates and frees pictures of a few hundred kB at every step (the page, its
    // snapshots, film frames). Served from the heap and kept there, rather than mapped fresh
    // and unmapped each time, they cost no page faults after the first: a static figure to PNG
    // takes 8 to 10 % less CPU. Pictures beyond 4 MB are still mapped and given back.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
    // Memory can run out anywhere (a huge script, a run's pictures): the run ends with a
    // message, the outputs it was writing are left absent rather than half written.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fputs("vekora: out of memory; the run ends here\n", stderr);
        return vekora::ExitOutOfMemory;
    }
}
