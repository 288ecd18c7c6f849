// The editor files and the browser's tables list the keywords the compiler knows and the keys'
// bytes: regenerate them with tools/editorgen when this fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "tools/editorgen/editor_files.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(EditorFiles, MatchTheCompilersKeywordTable) {
    for (const auto& [path, text] : editors::GeneratedFiles()) {
        EXPECT_EQ(ReadFile(fs::path(VEKORA_SOURCE_DIR) / path), text)
            << path << " differs from the tables: run tools/editorgen";
    }
}

// Every keyword the compiler accepts is in exactly one group, and each group's rule in the
// grammar names it.
TEST(EditorFiles, EveryKeywordIsColoured) {
    const std::string grammar = editors::Grammar();
    std::size_t listed = 0;
    for (const editors::KeywordGroup group :
         {editors::KeywordGroup::Statement, editors::KeywordGroup::Flow, editors::KeywordGroup::Constant}) {
        listed += editors::KeywordsOf(group).size();
    }
    EXPECT_EQ(listed, KeywordNames().size());
    for (const std::string_view keyword : KeywordNames()) {
        const std::regex whole("[:|]" + std::string(keyword) + "[|)]");
        EXPECT_TRUE(std::regex_search(grammar, whole)) << keyword;
    }
}

}  // namespace
}  // namespace vekora
