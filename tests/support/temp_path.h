// A path in the test's temporary folder that no other test process writes: CTest runs the
// cases of one program side by side, each in its own process, and two cases that named the
// same file would truncate each other's output mid-run.
#pragma once

#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

namespace vekora::testing {

inline std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "vekora-" + std::to_string(getpid()) + "-" + name;
}

}  // namespace vekora::testing
