// The manual against the program: every script in its pages compiles, every keyword of the
// compiler is used by an example of the reference in each language, every picture a page shows
// exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "script/messages.h"
#include "script/passes.h"
#include "script/tokens.h"
#include "shell/script_text.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

const fs::path Docs = fs::path(VEKORA_SOURCE_DIR) / "docs";

// The two languages of the manual: the pages of each, and where its reference lives.
struct Language {
    std::string name;
    fs::path pages;      // its own pages; other languages' folders below it are not its own
    fs::path reference;
};

const std::vector<Language>& Languages() {
    static const std::vector<Language> languages = {
        {"English", Docs, Docs / "reference"},
        {"Spanish", Docs / "es", Docs / "es" / "reference"},
    };
    return languages;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The Markdown pages of one language: its folder and its reference folder.
std::vector<fs::path> PagesOf(const Language& language) {
    std::vector<fs::path> pages;
    for (const fs::path& folder : {language.pages, language.reference}) {
        if (!fs::is_directory(folder)) continue;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().extension() == ".md") pages.push_back(entry.path());
        }
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

// A fenced block: its info string's first word, its text, and the page line of its fence.
struct Block {
    std::string kind;
    std::string text;
    int line = 0;
};

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<Block> BlocksOf(const std::string& page) {
    std::vector<Block> blocks;
    const std::vector<std::string> lines = LinesOf(page);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("```", 0) != 0) continue;
        Block block;
        block.kind = lines[i].substr(3, lines[i].find(' ') == std::string::npos ? std::string::npos : lines[i].find(' ') - 3);
        block.line = static_cast<int>(i) + 1;
        for (++i; i < lines.size() && lines[i].rfind("```", 0) != 0; ++i) block.text += lines[i] + "\n";
        blocks.push_back(block);
    }
    return blocks;
}

// The page without its fenced blocks: the prose, where the pictures are shown.
std::string ProseOf(const std::string& page) {
    std::string prose;
    bool inside = false;
    for (const std::string& line : LinesOf(page)) {
        if (line.rfind("```", 0) == 0) {
            inside = !inside;
            continue;
        }
        if (!inside) prose += line + "\n";
    }
    return prose;
}

// Words of ASCII letters in a text (keywords are written upper case in the manual).
void AddWords(const std::string& text, std::set<std::string>& words) {
    std::string word;
    for (char byte : text + " ") {
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
            word += byte;
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
}

// The words of the scripts of a page: a keyword counts as shown where an example uses it.
std::set<std::string> ScriptWordsOf(const std::string& page) {
    std::set<std::string> words;
    for (const Block& block : BlocksOf(page)) {
        if (block.kind == "vek") AddWords(block.text, words);
    }
    return words;
}

std::string Utf8Message(std::int32_t code) { return Latin1ToUtf8(ErrorMessage(code)); }

TEST(Manual, EveryScriptOfEveryPageCompiles) {
    for (const Language& language : Languages()) {
        int scripts = 0;
        for (const fs::path& page : PagesOf(language)) {
            for (const Block& block : BlocksOf(ReadFile(page))) {
                if (block.kind != "vek") continue;
                ++scripts;
                const ScriptLines lines = SplitScriptText(ScriptTextToLatin1(block.text));
                InstructionTable table;
                ErrorLists errors;
                SymbolTable symbols;
                if (ParseScript(lines, table, errors, symbols) == 0) continue;
                std::string report;
                for (std::size_t i = 0; i < errors.codes.size(); ++i) {
                    report += "\n  script line " + std::to_string(errors.lines[i]) + ": error " +
                              std::to_string(errors.codes[i] & 255) + " " + Utf8Message(errors.codes[i]);
                }
                ADD_FAILURE() << fs::relative(page, Docs).string() << ":" << block.line
                              << ": the script of this block does not compile:" << report;
            }
        }
        EXPECT_GT(scripts, 0) << "no ```vek script found in the " << language.name << " pages";
    }
}

TEST(Manual, EveryKeywordAppearsInTheReferenceOfEachLanguage) {
    for (const Language& language : Languages()) {
        std::set<std::string> shown;
        for (const fs::path& page : PagesOf(language)) {
            // The index lists every keyword; a keyword counts only where a statement page shows it.
            if (page.parent_path() != language.reference || page.filename() == "README.md") continue;
            const std::set<std::string> words = ScriptWordsOf(ReadFile(page));
            shown.insert(words.begin(), words.end());
        }
        for (std::string_view keyword : KeywordNames()) {
            EXPECT_TRUE(shown.count(std::string(keyword)))
                << keyword << " is used by no example of the " << language.name << " reference pages ("
                << fs::relative(language.reference, Docs).string() << ")";
        }
    }
}

TEST(Manual, EveryPictureAPageShowsExists) {
    for (const Language& language : Languages()) {
        for (const fs::path& page : PagesOf(language)) {
            const std::string prose = ProseOf(ReadFile(page));
            for (std::size_t at = prose.find("]("); at != std::string::npos; at = prose.find("](", at + 2)) {
                const std::size_t end = prose.find(')', at);
                const std::string target = prose.substr(at + 2, end - at - 2);
                const std::string extension = fs::path(target).extension().string();
                if (extension != ".png" && extension != ".gif") continue;
                EXPECT_TRUE(fs::exists(page.parent_path() / target))
                    << fs::relative(page, Docs).string() << " shows " << target << ", which does not exist";
            }
        }
    }
}

}  // namespace
}  // namespace vekora
