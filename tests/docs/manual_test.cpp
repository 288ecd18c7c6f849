// The manual against the program: every script in its pages compiles, every keyword of the
// compiler is used by an example of the reference in each language, every picture, file and
// heading a page links to exists, every option of the program and every warning is described in each
// language. (Examples that raise warnings are ```text blocks: the ```vek blocks must compile
// without any, which the warnings tests check.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "draw/math_text.h"
#include "run/script_text.h"
#include "script/diagnostics.h"
#include "script/messages.h"
#include "script/passes.h"
#include "script/tokens.h"
#include "shell/command_line.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

const fs::path Docs = fs::path(VEKORA_SOURCE_DIR) / "docs";

// The two languages of the manual: the pages of each, and where its reference lives.
struct Language {
    std::string name;
    fs::path pages;      // its own pages; other languages' folders below it are not its own
    fs::path reference;
    std::string warningHeading;  // "## <this> 101" heads a warning's section of messages.md
};

const std::vector<Language>& Languages() {
    static const std::vector<Language> languages = {
        {"English", Docs, Docs / "reference", "Warning"},
        {"Spanish", Docs / "es", Docs / "es" / "reference", "Aviso"},
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

std::string Utf8Message(std::int32_t code) { return MathTextToUtf8(ErrorMessage(code)); }

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

// The anchor a Markdown viewer gives a heading: lower case, blanks as '-', punctuation left
// out. Accented capitals of Latin-1 (UTF-8 C3 80 to C3 9E) are lowered too.
std::string AnchorOf(std::string_view heading) {
    std::string anchor;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        const auto byte = static_cast<unsigned char>(heading[i]);
        const bool sign = byte == 0xC2 || (byte == 0xC3 && i + 1 < heading.size() &&
                                           (heading[i + 1] == '\x97' || heading[i + 1] == '\xB7'));
        if (sign) {
            ++i;  // a Latin-1 sign or punctuation mark: C2 A0 to C2 BF, C3 97 (times), C3 B7 (divided by)
        } else if (byte == 0xC3 && i + 1 < heading.size()) {
            const auto next = static_cast<unsigned char>(heading[++i]);
            anchor += static_cast<char>(byte);
            anchor += static_cast<char>(next >= 0x80 && next <= 0x9E ? next + 0x20 : next);
        } else if (byte >= 0x80 || std::isalnum(byte) || byte == '-' || byte == '_') {
            anchor += static_cast<char>(byte >= 0x80 ? byte : std::tolower(byte));
        } else if (byte == ' ') {
            anchor += '-';
        }
    }
    return anchor;
}

std::set<std::string> AnchorsOf(const fs::path& page) {
    std::set<std::string> anchors;
    for (const std::string& line : LinesOf(ProseOf(ReadFile(page)))) {
        const std::size_t text = line.find_first_not_of('#');
        if (text == 0 || text == std::string::npos) continue;
        anchors.insert(AnchorOf(std::string_view(line).substr(text + 1)));
    }
    return anchors;
}

// Pictures, other pages, examples and source files: every relative link of the prose must
// lead to something, and a link to a heading of a page to a heading that page has.
TEST(Manual, EveryPictureFileAndHeadingAPageLinksToExists) {
    for (const Language& language : Languages()) {
        for (const fs::path& page : PagesOf(language)) {
            const std::string prose = ProseOf(ReadFile(page));
            for (std::size_t at = prose.find("]("); at != std::string::npos; at = prose.find("](", at + 2)) {
                const std::size_t end = prose.find(')', at);
                const std::string link = prose.substr(at + 2, end - at - 2);
                if (link.find("://") != std::string::npos) continue;
                const std::size_t hash = link.find('#');
                const std::string file = link.substr(0, hash);
                const fs::path target = file.empty() ? page : page.parent_path() / file;
                const std::string where = fs::relative(page, Docs).string() + " links to " + link;
                if (!fs::exists(target)) {
                    ADD_FAILURE() << where << ", which does not exist";
                    continue;
                }
                if (hash == std::string::npos || target.extension() != ".md") continue;
                EXPECT_TRUE(AnchorsOf(target).count(link.substr(hash + 1))) << where << ", a heading that page does not have";
            }
        }
    }
}

// The long options the program lists in its help.
std::vector<std::string> ProgramOptions() {
    std::vector<std::string> options;
    std::istringstream help(UsageText());
    for (std::string line; std::getline(help, line);) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start != 2 || line.compare(start, 2, "--") != 0) continue;
        options.push_back(line.substr(start, line.find_first_of(" ,", start) - start));
    }
    return options;
}

TEST(Manual, EveryOptionIsDescribedInEachLanguageAndInTheManualPage) {
    const std::vector<std::string> options = ProgramOptions();
    ASSERT_GE(options.size(), 10u) << UsageText();
    std::string manualPage = ReadFile(Docs / "vekora.1");
    for (std::size_t at = manualPage.find("\\-"); at != std::string::npos; at = manualPage.find("\\-", at)) {
        manualPage.erase(at, 1);  // roff writes a minus as \-
    }
    for (const std::string& option : options) {
        for (const Language& language : Languages()) {
            EXPECT_NE(ReadFile(language.pages / "command-line.md").find("`" + option), std::string::npos)
                << option << " is not described in the " << language.name << " command-line.md";
        }
        // An entry of the options list: a tagged paragraph whose tag is the option.
        const bool entry = manualPage.find(".TP\n.B " + option + "\n") != std::string::npos ||
                           manualPage.find(".TP\n.BI " + option + " ") != std::string::npos ||
                           manualPage.find(".TP\n.BR " + option + " ") != std::string::npos;
        EXPECT_TRUE(entry) << option << " has no entry in vekora.1";
    }
}

TEST(Manual, EveryWarningHasItsSectionInEachLanguage) {
    const auto first = static_cast<int>(WarningId::UsedBeforeGiven);
    const auto last = static_cast<int>(WarningId::TextDoesNotFit);
    for (const Language& language : Languages()) {
        const std::string page = ReadFile(language.pages / "messages.md");
        for (int number = first; number <= last; ++number) {
            const std::string heading = "## " + language.warningHeading + " " + std::to_string(number) + "\n";
            EXPECT_NE(page.find(heading), std::string::npos)
                << "the " << language.name << " messages.md has no section " << heading;
        }
    }
}

}  // namespace
}  // namespace vekora
