// Every example script against its committed listing, tests/script/golden/NAME.table: the
// symbol lists and the table by names, as `vekora --dump-symbols` prints them. When a change
// alters a table on purpose, regenerate the listings from the top of the source tree and
// read the diff before committing it:
//   cmake --build build --target vekora && for f in examples/*.vek; do
//     LC_ALL=C.UTF-8 build/vekora --dump-symbols "$f" > "tests/script/golden/$(basename "$f" .vek).table"; done
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "run/console.h"
#include "run/script_check.h"
#include "tests/support/compile_support.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

const fs::path SourceDir = VEKORA_SOURCE_DIR;
const fs::path GoldenDir = SourceDir / "tests" / "script" / "golden";
constexpr const char* Regenerate = "if the table changed on purpose, regenerate the listings as tests/script/golden_test.cpp says";

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<fs::path> FilesEndingIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class GoldenListing : public ::testing::Test {
protected:
    // The compile-only path deletes an error report beside its script, so it reads copies.
    void SetUp() override {
        scratch_ = fs::temp_directory_path() / ("vekora-golden-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
    }
    void TearDown() override { fs::remove_all(scratch_); }

    // What `vekora --dump-symbols SCRIPT` prints under a UTF-8 locale.
    std::string DumpSymbols(const fs::path& script) {
        const fs::path copy = scratch_ / script.filename();
        fs::copy_file(script, copy, fs::copy_options::overwrite_existing);
        std::ostringstream out;
        std::ostringstream diagnostics;
        Console console(out, true);
        EXPECT_EQ(DumpScriptTable(copy.string(), console, diagnostics, TableListing::Symbolic), 0)
            << script << ": " << out.str() << diagnostics.str();
        return out.str();
    }

    fs::path scratch_;
};

TEST_F(GoldenListing, EveryExampleCompilesToItsListing) {
    const std::vector<fs::path> examples = FilesEndingIn(SourceDir / "examples", ".vek");
    ASSERT_FALSE(examples.empty());
    for (const fs::path& example : examples) {
        const fs::path golden = GoldenDir / (example.stem().string() + ".table");
        ASSERT_TRUE(fs::exists(golden)) << golden << " is missing; " << Regenerate;
        EXPECT_EQ(DumpSymbols(example), ReadBytes(golden)) << example.filename() << ": " << Regenerate;
    }
}

TEST_F(GoldenListing, EveryListingHasItsExample) {
    for (const fs::path& golden : FilesEndingIn(GoldenDir, ".table")) {
        EXPECT_TRUE(fs::exists(SourceDir / "examples" / (golden.stem().string() + ".vek")))
            << golden.filename() << " lists an example that is gone";
    }
}

// The scripts of statements_test.cpp by their whole listings, in golden/statements.listing:
// each case is its script's lines, each after "> ", then the listing as Compiled::Listing
// prints it; "#" lines are comments. A listing that changed on purpose is printed here on
// failure: read it, then put it in the file.
struct ListingCase {
    std::vector<std::string> script;
    std::string listing;
};

std::vector<ListingCase> ReadListingCases(const fs::path& path) {
    std::vector<ListingCase> cases;
    std::istringstream text(ReadBytes(path));
    bool inScript = false;
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#') continue;
        const bool scriptLine = line.starts_with("> ");
        if (scriptLine && !inScript) cases.push_back({{}, "\n"});
        if (scriptLine) cases.back().script.push_back(line.substr(2));
        else if (!cases.empty()) cases.back().listing += line + '\n';
        inScript = scriptLine;
    }
    return cases;
}

TEST(GoldenStatementListing, EveryScriptCompilesToItsListing) {
    const std::vector<ListingCase> cases = ReadListingCases(GoldenDir / "statements.listing");
    ASSERT_FALSE(cases.empty());
    for (const ListingCase& c : cases) {
        const testing::Compiled compiled = testing::Compile(c.script);
        EXPECT_EQ(compiled.result, 0) << c.script.front();
        EXPECT_EQ(compiled.Listing(), c.listing) << testing::Joined(c.script, " | ");
    }
}

}  // namespace
}  // namespace vekora
