// What the program tells the author and the shell: FILE:LINE:COLUMN lines with a caret (also
// after multi-byte UTF-8), JSON lines, the exit codes of --check and of a run, no report beside
// a script that was not read, and no waiting for Enter without a person at a terminal.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "run/script_check.h"
#include "shell/command_line.h"
#include "shell/play.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

class Diagnostics : public ::testing::Test {
protected:
    Diagnostics() : folder(fs::temp_directory_path() / ("vekora-diag-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
    }
    ~Diagnostics() override { fs::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    int Check(const std::string& path, CheckOptions options = {}) {
        return CheckScript(path, console, diagnostics, options, &json);
    }
    int Play(const std::vector<std::string>& arguments, const std::string& typed = "") {
        input.str(typed);
        input.clear();
        return PlayScript(ParseCommandLine(arguments), console, input, diagnostics);
    }

    fs::path folder;
    std::ostringstream printed;
    std::ostringstream diagnostics;
    std::ostringstream json;
    std::istringstream input;
    Console console{printed, false};
};

// The file is UTF-8: "é" is two bytes but one column, and the caret still sits under "ten".
TEST_F(Diagnostics, CaretUnderTheTokenAfterMultiByteCharacters) {
    const std::string script = Write("utf8.vek", "TEXTWINDOW 0, 0, 99, 20\nTEXT \"\xC3\xB1\"\nPOINT \xC3\xA9, ten, 1\nEND\n");
    CheckOptions options;
    options.utf8 = true;
    EXPECT_EQ(Check(script, options), 0);
    EXPECT_EQ(diagnostics.str(), script + ":3:10: warning: Se esperaba un n\xC3\xBAmero, no \"ten\" (se toma 0)\n"
                                          "POINT \xC3\xA9, ten, 1\n"
                                          "         ^~~\n");
    EXPECT_EQ(printed.str(), "");
}

TEST_F(Diagnostics, TabsBeforeTheTokenKeepTheCaretInLine) {
    const std::string script = Write("tab.vek", "TEXTWINDOW 0, 0, 9, 9\nTEXT \"a\tb\", red\nEND\n");
    EXPECT_EQ(Check(script), 0);
    EXPECT_EQ(diagnostics.str(), script + ":2:13: warning: \"red\" no es un color; escribe &HRRGGBB o (rojo, verde, azul)\n"
                                          "TEXT \"a\tb\", red\n"
                                          "       \t    ^~~\n");
}

// A lesson's bytes never reach the terminal as control sequences: ESC, BEL and NUL are shown
// in caret notation and the caret still sits under the token. A NUL, which no lesson writes
// on purpose, is said.
TEST_F(Diagnostics, ControlBytesOfTheScriptAreShownNotSentToTheTerminal) {
    const std::string script =
        Write("control.vek", std::string("TEXTWINDOW 0, 0, 9, 9\nTEXT \"\x1B]0;x\x07\", red\nPOINT A, 1, 2, 1") + '\0' + "\nEND\n");
    EXPECT_EQ(Check(script), 0);
    EXPECT_EQ(diagnostics.str(), script + ":2:16: warning: \"red\" no es un color; escribe &HRRGGBB o (rojo, verde, azul)\n"
                                          "TEXT \"^[]0;x^G\", red\n"
                                          "                 ^~~\n" +
                                     script + ":3:16: warning: \"1^@\" no es solo un n\xFAmero: se ignora \"^@\"\n"
                                              "POINT A, 1, 2, 1^@\n"
                                              "               ^~\n" +
                                     script + ":3:17: warning: Un car\xE1" "cter nulo (byte 0) en la l\xEDnea: \xBF" "est\xE1 da\xF1" "ado el archivo?\n"
                                              "POINT A, 1, 2, 1^@\n"
                                              "                ^\n");
}

// A million wrong lines print a hundred errors and a count of the rest, on the terminal; the
// report file has them all.
TEST_F(Diagnostics, TheTerminalShowsTheFirstHundredErrorsAndCountsTheRest) {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "CIRCLE\n";
    const std::string script = Write("many.vek", text + "END\n");
    EXPECT_EQ(Check(script), ExitCompilationErrors);
    const std::string shown = diagnostics.str();
    EXPECT_NE(shown.find(script + ":100:"), std::string::npos);
    EXPECT_EQ(shown.find(script + ":101:"), std::string::npos) << "the 101st is not shown";
    EXPECT_NE(shown.find(script + ": 50 more errors and warnings not shown\n"), std::string::npos) << shown;
    const std::string report = printed.str();
    EXPECT_NE(report.find("Error 12 en la l\xEDnea 100\n"), std::string::npos) << report.substr(0, 200);
    EXPECT_EQ(report.find("l\xEDnea 101\n"), std::string::npos);
    EXPECT_NE(report.find("\n... y 50 errores m\xE1s\nReporte de errores escrito en "), std::string::npos);
    std::ifstream file(folder / "vekerror.txt", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(written.find("l\xEDnea 150\r\n"), std::string::npos) << "the report file keeps every error";
}

// A report that cannot be written (here a folder stands where it goes) is said, not left
// for the author to look for.
TEST_F(Diagnostics, AReportThatCannotBeWrittenIsSaid) {
    const std::string script = Write("unwritable.vek", "CIRCLE\nEND\n");
    fs::create_directories(folder / "vekerror.txt");
    Write("vekerror.txt/kept", "a folder with something in it is not removed as an old report");
    EXPECT_EQ(Check(script), ExitCompilationErrors);
    EXPECT_NE(printed.str().find("No se pudo escribir el reporte de errores en " + (folder / "vekerror.txt").string()),
              std::string::npos)
        << printed.str();
    EXPECT_EQ(printed.str().find("Reporte de errores escrito"), std::string::npos);
}

TEST_F(Diagnostics, ErrorsCarryTheirNumberAndTheNumberedReportStays) {
    const std::string script = Write("bad.vek", "POINT A, 0, 0\nCIRCLE A, 0, 0, 1\nEND\n");
    EXPECT_EQ(Check(script), ExitCompilationErrors);
    EXPECT_EQ(diagnostics.str(), script + ":2:8: error[10]: Tipos no coinciden: Primero definido como Punto, ahora "
                                          "usado como C\xEDrculo\nCIRCLE A, 0, 0, 1\n       ^\n");
    EXPECT_EQ(printed.str(), "1 Errores en el Paso 1.\nError 10 en la l\xEDnea 2\n        Tipos no coinciden: Primero "
                             "definido como Punto, ahora usado como C\xEDrculo\nReporte de errores escrito en " +
                                 (folder / "vekerror.txt").string() + "\n");
}

TEST_F(Diagnostics, JsonLinesForTools) {
    const std::string script = Write("j.vek", "POINT A, 10+5, 1\nREVERT A B\nEND\n");
    CheckOptions options;
    options.format = DiagnosticFormat::Json;
    EXPECT_EQ(Check(script, options), ExitCompilationErrors);
    EXPECT_EQ(json.str(), "{\"file\":\"" + script +
                              "\",\"line\":2,\"column\":10,\"endColumn\":11,\"severity\":\"error\",\"number\":11,"
                              "\"text\":\"Demasiados argumentos\"}\n");
    EXPECT_EQ(printed.str(), "");  // the numbered report goes only into its file
    EXPECT_TRUE(fs::exists(folder / "vekerror.txt"));

    Write("j.vek", "POINT A, 10+5, 1\nEND\n");
    json.str("");
    EXPECT_EQ(Check(script, options), 0);
    EXPECT_EQ(json.str(), "{\"file\":\"" + script +
                              "\",\"line\":1,\"column\":10,\"endColumn\":14,\"severity\":\"warning\",\"number\":103,"
                              "\"text\":\"\\\"10+5\\\" no es solo un n\xC3\xBAmero: se ignora \\\"+5\\\"\"}\n");
}

TEST_F(Diagnostics, CheckExitCodes) {
    const std::string warned = Write("w.vek", "\tPOINT A, 1, 1\nEND\n");
    EXPECT_EQ(Check(warned), 0);
    CheckOptions werror;
    werror.warningsAsErrors = true;
    EXPECT_EQ(Check(warned, werror), ExitCompilationErrors);
    EXPECT_EQ(Check(Write("clean.vek", "END\n"), werror), 0);
    EXPECT_EQ(Check(Write("broken.vek", "POINT\nEND\n")), ExitCompilationErrors);
}

TEST_F(Diagnostics, RunExitCodes) {
    const std::string clean = Write("clean.vek", "SCREEN 100, 100\nEND\n");
    EXPECT_EQ(Play({"--headless", "--no-logo", clean}), ExitRunEnded);
    EXPECT_EQ(Play({"--headless", "--no-logo", Write("broken.vek", "POINT\nEND\n")}), ExitCompilationErrors);
    const std::string deep = Write("deep.vek", "SCREEN 100, 100\nCALL R\nEND\nCONSTRUCTION R\nCALL R\nREPEAT\n");
    EXPECT_EQ(Play({"--headless", "--no-logo", deep}), ExitRunTimeError);
    const std::string unwritable = (folder / "missing-folder" / "s.png").string();
    EXPECT_EQ(Play({"--headless", "--no-logo", "--screenshot", unwritable, clean}), ExitOutputFailed);
    EXPECT_NE(diagnostics.str().find("--screenshot"), std::string::npos);
    EXPECT_EQ(Play({"--headless", "--no-logo", (folder / "absent.vek").string()}), ExitCompilationErrors);
}

// Neither beside the script nor in the current folder: a script that was not read writes no report.
TEST_F(Diagnostics, UnreadableScriptWritesNoReportAnywhere) {
    const fs::path elsewhere = folder / "cwd";
    fs::create_directories(elsewhere);
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    EXPECT_EQ(Play({"--headless", "--no-logo", (folder / "absent.vek").string()}), ExitCompilationErrors);
    EXPECT_EQ(Play({"--headless", "--no-logo", "absent.vek"}), ExitCompilationErrors);
    fs::current_path(before);
    EXPECT_FALSE(fs::exists(folder / "vekerror.txt"));
    EXPECT_FALSE(fs::exists(elsewhere / "vekerror.txt"));
    EXPECT_NE(diagnostics.str().find("cannot read the script"), std::string::npos);
    EXPECT_EQ(diagnostics.str().find(": error["), std::string::npos);  // nothing to point into
}

// A headless run never waits: the viewer's typed line is left unread.
TEST_F(Diagnostics, HeadlessRunDoesNotWaitForEnter) {
    const std::string broken = Write("broken.vek", "POINT\nEND\n");
    EXPECT_EQ(Play({"--headless", "--no-logo", broken}, "typed\n"), ExitCompilationErrors);
    EXPECT_NE(printed.str().find("Presiona Enter para continuar."), std::string::npos);
    EXPECT_EQ(input.tellg(), 0);
}

TEST_F(Diagnostics, ARunPrintsWarningsBeforeItPlays) {
    const std::string script = Write("warn.vek", "SCREEN 100, 100\nAB = LINE A, Z\nEND\n");
    EXPECT_EQ(Play({"--headless", "--no-logo", script}), ExitRunEnded);
    EXPECT_NE(diagnostics.str().find(script + ":2:11: warning: \"A\" se usa antes"), std::string::npos)
        << diagnostics.str();
}

// The VS Code problem matcher reads the message lines as they are printed.
TEST(DiagnosticLines, TheEditorsProblemMatcherReadsThem) {
    std::ifstream file(std::filesystem::path(VEKORA_SOURCE_DIR) / "editors" / "vscode" / "package.json");
    const std::string package(std::istreambuf_iterator<char>(file), {});
    const std::smatch found = [&] {
        std::smatch match;
        std::regex_search(package, match, std::regex("\"regexp\": \"((?:[^\"\\\\]|\\\\.)*)\""));
        return match;
    }();
    ASSERT_TRUE(found.size() > 1) << "no problem matcher in package.json";
    std::string pattern;
    for (std::size_t i = 0; i < static_cast<std::size_t>(found[1].length()); ++i) {  // JSON string: \\ stands for one backslash
        if (found[1].str()[i] == '\\') ++i;
        pattern.push_back(found[1].str()[i]);
    }
    const std::regex matcher(pattern);
    const std::vector<std::string> lines{"POINT A, 1, 1", "CIRCLE A, 0, 0, 1", "END"};
    Diagnostic error;
    error.number = 10;
    error.line = 2;
    error.column = 8;
    error.endColumn = 9;
    error.text = "Tipos no coinciden";
    Diagnostic warning = error;
    warning.severity = Severity::Warning;
    warning.number = 101;
    for (const Diagnostic& d : {error, warning}) {
        const std::string text = DiagnosticText("dir/a b.vek", lines, d);
        std::smatch parts;
        const std::string first = text.substr(0, text.find('\n'));
        ASSERT_TRUE(std::regex_match(first, parts, matcher)) << first;
        EXPECT_EQ(parts[1], "dir/a b.vek");
        EXPECT_EQ(parts[2], "2");
        EXPECT_EQ(parts[3], "8");
        EXPECT_EQ(parts[4], d.severity == Severity::Error ? "error" : "warning");
        EXPECT_EQ(parts[5], d.severity == Severity::Error ? "10" : "");
        EXPECT_EQ(parts[6], "Tipos no coinciden");
    }
}

TEST(DiagnosticOptions, NeedTheirMode) {
    struct Case {
        std::vector<std::string> arguments;
        bool usable;
    };
    const Case cases[] = {
        {{"--check", "--json", "a.vek"}, true},
        {{"--check", "--werror", "a.vek"}, true},
        {{"--json", "a.vek"}, false},
        {{"--werror", "a.vek"}, false},
        {{"--watch", "a.vek"}, true},
        {{"--watch"}, false},
        {{"--watch", "--check", "a.vek"}, false},
        {{"--watch", "--headless", "a.vek"}, false},
        {{"--watch", "--headless", "--screenshot", "s.png", "a.vek"}, true},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.action != CommandLine::Action::UsageError, c.usable) << c.arguments[0] << " " << line.error;
    }
}

}  // namespace
}  // namespace vekora
