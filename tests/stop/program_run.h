// Running the vekora program in a child process, as a user or a script would: its exit status,
// its standard error, its peak memory, and limits put on it.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_path.h"

namespace vekora::testing {

inline const std::string Program = VEKORA_PROGRAM;

inline std::string Temp(const std::string& name) { return TempPath("stop-" + name); }

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct ProgramLimits {
    rlim_t addressSpaceBytes = RLIM_INFINITY;  // RLIMIT_AS of the child
};

struct ProgramExit {
    int status = 0;           // the exit code, or 128 + signal when killed
    long peakRssKb = 0;       // the child's peak resident memory
};

// Starts the program with `args`, its standard error into `errPath`, and calls `whileRunning`
// with the child's pid; then waits for it.
template <typename WhileRunning>
ProgramExit RunProgramWith(std::vector<std::string> args, const std::string& errPath, const ProgramLimits& limits,
                           WhileRunning whileRunning) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen(errPath.c_str(), "w", stderr);
        std::freopen("/dev/null", "r", stdin);
        if (limits.addressSpaceBytes != RLIM_INFINITY) {
            const rlimit limit{limits.addressSpaceBytes, limits.addressSpaceBytes};
            setrlimit(RLIMIT_AS, &limit);
        }
        std::vector<char*> argv{const_cast<char*>(Program.c_str())};
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(Program.c_str(), argv.data());
        _exit(127);
    }
    whileRunning(pid);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss};
}

template <typename WhileRunning>
int RunProgram(std::vector<std::string> args, const std::string& errPath, WhileRunning whileRunning) {
    return RunProgramWith(std::move(args), errPath, ProgramLimits{}, whileRunning).status;
}

inline int RunProgram(std::vector<std::string> args, const std::string& errPath) {
    return RunProgram(std::move(args), errPath, [](pid_t) {});
}

// Whether ImageMagick reads the file as a GIF of at least one frame.
inline bool ValidGif(const std::string& path) {
    const std::string command = "identify -format '%m\\n' '" + path + "' 2>/dev/null | head -1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return false;
    char format[16] = {};
    const bool read = std::fgets(format, sizeof format, pipe) != nullptr;
    pclose(pipe);
    return read && std::string(format).rfind("GIF", 0) == 0;
}

}  // namespace vekora::testing
