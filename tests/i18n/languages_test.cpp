// The program in other languages, played as the command line plays it: the pseudo-language
// over every example and every script of the manual shows no text that escaped the catalogue
// and no caption too wide for its place; English reads English; C, no language and a language
// without a catalogue give the Spanish bytes of old; the report file is Spanish in all of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <sstream>

#include "draw/text.h"
#include "i18n/language.h"
#include "interp/control_bar.h"
#include "interp/resident.h"
#include "run/console.h"
#include "shell/help_box.h"
#include "shell/play.h"
#include "tests/support/temp_path.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

const fs::path Source = VEKORA_SOURCE_DIR;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Every test leaves the process speaking the program's own Spanish, as the other tests expect.
class Languages : public ::testing::Test {
protected:
    void TearDown() override { SelectLanguage("C"); }
};

struct Played {
    std::string console;      // standard output
    std::string diagnostics;  // standard error
};

// Plays the script headless as `vekora --headless --no-logo --lang CODE` does, with the
// options `more` adds.
Played Play(std::string_view language, const fs::path& script, const fs::path& events = {},
            const std::function<void(CommandLine&)>& more = {}) {
    SelectLanguage(language);
    CommandLine line;
    line.script = script.string();
    line.headless = true;
    line.noLogo = true;
    line.untilMs = 60000;
    if (!events.empty()) line.eventsFile = events.string();
    if (more) more(line);
    std::ostringstream out, err;
    std::istringstream input;
    Console console(out, false);
    PlayScript(line, console, input, err);
    return {out.str(), err.str()};
}

fs::path WriteScript(const std::string& name, const std::string& text) {
    const fs::path folder = vekora::testing::TempPath(name + ".d");
    fs::create_directories(folder);
    const fs::path script = folder / (name + ".vek");
    std::ofstream(script, std::ios::binary) << text;
    return script;
}

// One mistake of each pass and a warning: a missing argument, a wrong type, a name used
// before it is given.
const std::string BrokenScript = "POINT A, 10\nPOINT B, 10, 10\nCIRCLE B, 5, 5, 3\nL = LINE A, Q\nEND\n";
const std::string PassTwoScript = "POINT A, 10, 10\nCALL NOWHERE\nEND\n";

// What is left of the output once every pseudo-translated text (nested ones too) is taken out,
// and the lines that quote the script or underline it, and the script's path, are dropped.
std::vector<std::string> Untranslated(const std::string& output, const std::string& scriptText, const std::string& path) {
    static const std::regex pseudo(R"(\[[^\[\]]*~\])");
    // Brackets that are not the pseudo-language's: "error[12]", a statement's form "[, size]".
    static const std::regex bracketed(R"(\[[^\[\]~]*\])");
    static const std::regex words(R"([A-Za-z\x80-\xFF]{2,})");
    std::vector<std::string> left;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const bool quotesTheScript = !line.empty() && scriptText.find(line + "\n") != std::string::npos;
        const bool underlines = line.find_first_not_of(" \t^~") == std::string::npos;
        if (quotesTheScript || underlines) continue;
        for (std::size_t at; (at = line.find(path)) != std::string::npos;) line.erase(at, path.size());
        for (std::string before; before != line;) {
            before = line;
            line = std::regex_replace(std::regex_replace(line, bracketed, ""), pseudo, "");
        }
        if (std::regex_search(line, words)) left.push_back(line);
    }
    return left;
}

// The scripts of the manual: every ```vek block of its pages, in both languages.
std::vector<std::string> ManualScripts() {
    std::vector<std::string> scripts;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Source / "docs")) {
        if (entry.path().extension() != ".md") continue;
        const std::string page = ReadBytes(entry.path());
        for (std::size_t at = 0; (at = page.find("```vek", at)) != std::string::npos;) {
            const std::size_t start = page.find('\n', at) + 1;
            const std::size_t end = page.find("```", start);
            if (end == std::string::npos) break;
            scripts.push_back(page.substr(start, end - start));
            at = end + 3;
        }
    }
    return scripts;
}

TEST_F(Languages, ThePseudoLanguageLeavesNoTextOutsideTheCatalogue) {
    int played = 0;
    const auto check = [&played](const fs::path& script, const fs::path& events, const std::string& what) {
        const std::string text = ReadBytes(script);
        const Played run = Play("qps", script, events);
        EXPECT_EQ(Untranslated(run.console, text, script.string()), std::vector<std::string>{}) << what;
        EXPECT_EQ(Untranslated(run.diagnostics, text, script.string()), std::vector<std::string>{}) << what;
        ++played;
    };
    for (const fs::directory_entry& entry : fs::directory_iterator(Source / "examples")) {
        if (entry.path().extension() != ".vek") continue;
        fs::path events = entry.path();
        events.replace_extension(".events");
        check(entry.path(), fs::exists(events) ? events : fs::path(), entry.path().filename().string());
    }
    int block = 0;
    for (const std::string& text : ManualScripts()) {
        check(WriteScript("manual-" + std::to_string(block), text), {}, "manual script " + std::to_string(block));
        ++block;
    }
    check(WriteScript("broken", BrokenScript), {}, "pass 1 errors");
    check(WriteScript("pass-two", PassTwoScript), {}, "pass 2 errors");
    EXPECT_GT(block, 20);
    EXPECT_GT(played, block + 5);
}

// The words of `output` with a plain vowel, once the texts it may quote are taken out. The pseudo-language
// accents every vowel, so a text of the program's that escaped the catalogue shows here even
// when it was put inside a translated one (which hides it from Untranslated).
std::vector<std::string> PlainWords(std::string output, const std::vector<std::string>& quoted) {
    for (const std::string& named : quoted) {
        for (std::size_t at; (at = output.find(named)) != std::string::npos;) output.erase(at, named.size());
    }
    static const std::regex plain(R"([A-Za-z\x80-\xFF]*[aeiouAEIOU][A-Za-z\x80-\xFF]*)");
    std::vector<std::string> found;
    for (auto word = std::sregex_iterator(output.begin(), output.end(), plain); word != std::sregex_iterator(); ++word) {
        if (word->length() >= 2) found.push_back(word->str());
    }
    return found;
}

// What the program says of its own inputs and outputs: an event file it cannot use, a picture
// it cannot write. What a message quotes (the file's name, a word of the line) is left out and
// the lines' other words have no vowels, so every vowel left must be accented. The system's
// own reasons (strerror) are not the program's texts and are not provoked here.
TEST_F(Languages, ThePseudoLanguageCoversEventFilesAndOutputs) {
    const fs::path script = WriteScript("outputs", "POINT A, 10, 10\nEND\n");
    const fs::path folder = script.parent_path();
    struct Case {
        std::string what;
        std::string eventLines;  // empty: no event file
        std::function<void(CommandLine&)> more;
        std::vector<std::string> quoted;  // the file the message names, the words it repeats
    };
    const fs::path events = folder / "bad.events";
    const fs::path picture = folder / "a-folder.png";
    fs::create_directories(picture);
    const Case cases[] = {
        {"an unknown key", "100 key XYZ\n", {}, {events.string()}},
        {"an unknown event", "100 jmp 1 2\n", {}, {events.string()}},
        {"a press without its place", "100 press 5\n", {}, {events.string(), "press"}},
        {"times that go back", "200 key Enter\n100 key Enter\n", {}, {events.string()}},
        {"a time that is not one", "zzz key Enter\n", {}, {events.string()}},
        {"a line without its event", "100\n", {}, {events.string()}},
        {"a picture that is a folder", "", [&](CommandLine& line) { line.screenshot = picture.string(); }, {picture.string()}},
    };
    for (const Case& c : cases) {
        if (!c.eventLines.empty()) std::ofstream(events, std::ios::binary) << c.eventLines;
        const Played run = Play("qps", script, c.eventLines.empty() ? fs::path() : events, c.more);
        EXPECT_FALSE(run.diagnostics.empty()) << c.what;
        EXPECT_EQ(PlainWords(run.diagnostics, c.quoted), std::vector<std::string>{}) << c.what;
        EXPECT_EQ(PlainWords(run.console, c.quoted), std::vector<std::string>{}) << c.what;
    }
}

TEST_F(Languages, CaptionsAndTheHelpFitWhereTheyAreShown) {
    const FontView font = ResidentFont(FontFamily::Sans, 16);
    for (const std::string_view language : {"C", "en", "qps"}) {
        SelectLanguage(language);
        const BarLayout layout = ControlBarLayout(font);
        for (const bool paused : {false, true}) {
            for (const BarAnswer button : {BarPause, BarRepeat, BarExit}) {
                const std::string_view caption = BarCaption(button, paused);
                EXPECT_LE(layout.captionInset + StringWidth(caption, font), layout.buttonWidth - 8)
                    << language << ": " << caption;
            }
        }
        if (language == "C") {
            // The program's own Spanish keeps the bar as it has always been.
            EXPECT_EQ(layout.buttonWidth, 128);
            EXPECT_EQ(layout.captionInset, 40);
        }
    }
    // The help box grows to hold the whole help of a longer language.
    SelectLanguage("C");
    const OwnedImage spanish = HelpBoxPicture();
    SelectLanguage("qps");
    const OwnedImage pseudo = HelpBoxPicture();
    ASSERT_TRUE(spanish && pseudo);
    EXPECT_EQ(SurfaceInfo(spanish.get()).height, 360);
    EXPECT_GT(SurfaceInfo(pseudo.get()).height, 360);
    // The last line of the help, "press any key", is drawn, below where the Spanish box ends
    // and above the margin of the grown one.
    const SurfaceSize size = SurfaceInfo(pseudo.get());
    const std::uint32_t paper = PixelValue(pseudo.get(), 5, 5);
    std::int32_t lastInk = 0;
    for (std::int32_t y = 3; y < size.height - 3; ++y)
        for (std::int32_t x = 12; x < size.width - 12; ++x)
            if (PixelValue(pseudo.get(), x, y) != paper) lastInk = y;
    EXPECT_GT(lastInk, 360);
    EXPECT_LT(lastInk, size.height - 12);
}

TEST_F(Languages, EnglishReadsEnglishAndTheReportFileStaysSpanish) {
    const fs::path script = WriteScript("english", BrokenScript);
    const fs::path report = script.parent_path() / "vekerror.txt";
    const Played english = Play("en_US.UTF-8", script);
    const std::string englishReport = ReadBytes(report);
    EXPECT_EQ(english.console,
              "Errors in pass 1: 2\n"
              "Error 12 on line 1\n"
              "        Too few arguments\n"
              "Error 10 on line 3\n"
              "        Types do not match: first defined as Point, now used as Circle\n"
              "Error report written to " + report.string() + "\n"
              "Press Enter to continue.\n");
    EXPECT_NE(english.diagnostics.find(script.string() + ":3:8: error[10]: Types do not match"), std::string::npos)
        << english.diagnostics;

    const Played spanish = Play("C", script);
    EXPECT_EQ(ReadBytes(report), englishReport);
    EXPECT_EQ(englishReport,
              "2 Errores en el Paso 1.\r\n"
              "Error 12 en la l\xEDnea 1\r\n"
              "        Demasiado pocos argumentos\r\n"
              "Error 10 en la l\xEDnea 3\r\n"
              "        Tipos no coinciden: Primero definido como Punto, ahora usado como C\xEDrculo\r\n");
}

TEST_F(Languages, CNoLanguageAndALanguageWithoutCatalogueGiveTheSpanishBytes) {
    const fs::path script = WriteScript("spanish", BrokenScript);
    const Played reference = Play("C", script);
    EXPECT_EQ(reference.console.substr(0, reference.console.find('\n')), "2 Errores en el Paso 1.");
    // Spanish has a catalogue, but only for the texts whose source is English: a lesson's
    // texts are its source, so a run reads as it does without one.
    for (const std::string_view language : {"", "POSIX", "C.UTF-8", "fr_FR.UTF-8", "es_ES"}) {
        // "" follows this process's environment, which the test run leaves without a catalogue
        // of ours unless it speaks English or Spanish; then it is skipped.
        if (language.empty() && !SelectLanguage("").empty()) continue;
        const Played run = Play(language, script);
        EXPECT_EQ(run.console, reference.console) << language;
        EXPECT_EQ(run.diagnostics, reference.diagnostics) << language;
    }
}

}  // namespace
}  // namespace vekora
