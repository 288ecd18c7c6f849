// A library run whose memory runs out part way returns an error code to the C caller; the
// exception never reaches C, and the library still runs the next script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "vekora.h"

namespace {

// Allocations left before operator new refuses one; negative: never refuse.
long allocationsLeft = -1;

}  // namespace

void* operator new(std::size_t size) {
    if (allocationsLeft == 0) throw std::bad_alloc();
    if (allocationsLeft > 0) --allocationsLeft;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

std::vector<std::string> ExampleLines(const std::string& name) {
    std::ifstream in(std::string(VEKORA_SOURCE_DIR) + "/examples/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Runs the lines through the C library, refusing memory after `allowed` allocations inside
// the call (never when negative). `ranOut` tells whether a refusal happened.
std::int32_t RunLesson(std::vector<std::string> lines, long allowed = -1, bool* ranOut = nullptr) {
    std::vector<VEKS_String> items;
    for (std::string& line : lines) items.push_back(VEKS_String{line.data(), static_cast<std::int32_t>(line.size())});
    const VEKS_StringList list{items.data(), static_cast<std::int32_t>(items.size())};
    VEKS_IntList codes{nullptr, 0}, errorLines{nullptr, 0};
    allocationsLeft = allowed;
    const std::int32_t result = VEKS_RUNSCRIPT(&list, &codes, &errorLines);
    if (ranOut != nullptr) *ranOut = allocationsLeft == 0;
    allocationsLeft = -1;
    std::free(codes.items);
    std::free(errorLines.items);
    return result;
}

TEST(LibraryFaults, MemoryRefusedAnywhereInARunIsAnErrorCodeNotAnAbort) {
    ASSERT_EQ(VEKS_USEDEVICE(VEKS_DEVICE_HEADLESS, nullptr), 0);
    const std::vector<std::string> lines = ExampleLines("circumcircle.vek");
    ASSERT_FALSE(lines.empty());
    const std::int32_t whole = RunLesson(lines);
    int refused = 0;
    for (long after : {0L, 1L, 3L, 10L, 30L, 100L, 300L, 1000L, 3000L}) {
        bool ranOut = false;
        const std::int32_t result = RunLesson(lines, after, &ranOut);
        if (ranOut) {
            // Where a glyph's picture could not be had the text is left out and the run goes on.
            EXPECT_TRUE(result == -3 || result == whole) << "memory refused after " << after << ": " << result;
            refused += result == -3 ? 1 : 0;
        } else {
            EXPECT_EQ(result, whole) << "after " << after;
        }
    }
    EXPECT_GE(refused, 3) << "the refusals must fall inside runs and be reported";
    EXPECT_EQ(RunLesson(lines), whole) << "the library runs again after a refused run";
}

}  // namespace
