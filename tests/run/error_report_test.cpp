// The compilation error report: its console lines, the exact bytes of "vekerror.txt",
// where it is written, and that a stale one goes away.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "run/error_report.h"
#include "run/script_check.h"

namespace vekora {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(ReportFileName, BothSeparatorsAndTheCurrentDirectory) {
    struct Case {
        std::string script;
        std::string report;
    };
    const Case cases[] = {
        {"x.vek", "vekerror.txt"},
        {"examples/x.vek", "examples/vekerror.txt"},
        {"examples\\x.vek", "examples\\vekerror.txt"},
        {"a\\b/c.vek", "a\\b/vekerror.txt"},
        {"a/b\\c.vek", "a/b\\vekerror.txt"},
        {"\\x.vek", "vekerror.txt"},
        {"/x.vek", "/vekerror.txt"},
        {"/tmp/d/x.vek", "/tmp/d/vekerror.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReportFileName(c.script), c.report) << c.script;
}

TEST(CompilationReportLines, HeaderLineAndMessagePairs) {
    const ErrorLists errors{{11, ErrorCode(28, 2) + 0x10000}, {4, 9}};
    const std::vector<std::string> expected{
        "2 Errores en el Paso 1.",
        "Error 11 en la l\xEDnea 4",
        "        Demasiados argumentos",
        "Error 28 en la l\xEDnea 9",
        "        N\xFAmero equivocado de par\xE1metros en CALL - se esperaban 2",
    };
    EXPECT_EQ(CompilationReportLines(-1, errors), expected);
    EXPECT_EQ(CompilationReportLines(-2, ErrorLists{{36}, {0}}).front(), "1 Errores en el Paso 2.");
}

class ReportFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("vekora-report-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        script_ = (folder_ / "demo.vek").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void WriteScript(const std::string& text) { std::ofstream(script_, std::ios::binary) << text; }
    std::filesystem::path Report() const { return folder_ / "vekerror.txt"; }

    std::filesystem::path folder_;
    std::string script_;
};

TEST_F(ReportFileTest, CheckWritesTheReportBesideTheScript) {
    WriteScript("POINT A, 0, 0\nCIRCLE A, 0, 0, 1\nEND\n");
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(CheckScript(script_, console, diagnostics), ExitCompilationErrors);
    const std::string body =
        "1 Errores en el Paso 1.\r\n"
        "Error 10 en la l\xEDnea 2\r\n"
        "        Tipos no coinciden: Primero definido como Punto, ahora usado como C\xEDrculo\r\n";
    EXPECT_EQ(ReadBytes(Report()), body);
    EXPECT_EQ(out.str(),
              "1 Errores en el Paso 1.\n"
              "Error 10 en la l\xEDnea 2\n"
              "        Tipos no coinciden: Primero definido como Punto, ahora usado como C\xEDrculo\n"
              "Reporte de errores escrito en " + Report().string() + "\n");
}

TEST_F(ReportFileTest, Utf8ConsoleKeepsLatin1File) {
    WriteScript("POINT A 1\nEND");
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, true);
    EXPECT_EQ(CheckScript(script_, console, diagnostics), ExitCompilationErrors);
    EXPECT_NE(out.str().find("l\xC3\xADnea 1"), std::string::npos);
    EXPECT_NE(ReadBytes(Report()).find("l\xEDnea 1\r\n"), std::string::npos);
}

TEST_F(ReportFileTest, CleanCompilationDeletesAStaleReport) {
    std::ofstream(Report()) << "old";
    WriteScript("END\n");
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(CheckScript(script_, console, diagnostics), 0);
    EXPECT_FALSE(std::filesystem::exists(Report()));
    EXPECT_EQ(out.str(), "");
}

// A script that was not read has no folder of its own to write into: the console says why,
// and no report file appears anywhere (nor is an old one touched).
TEST_F(ReportFileTest, MissingScriptReportsNoEndButWritesNoReport) {
    std::ofstream(Report(), std::ios::binary) << "old";
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(CheckScript((folder_ / "absent.vek").string(), console, diagnostics), ExitCompilationErrors);
    EXPECT_NE(diagnostics.str().find("absent.vek"), std::string::npos);
    EXPECT_EQ(ReadBytes(Report()), "old");
    EXPECT_EQ(out.str(),
              "1 Errores en el Paso 1.\nError 36 en la l\xEDnea 0\n        No se encontr\xF3 END en el m\xF3" "dulo principal.\n");
}

// A folder given as the script is refused as a missing file is: the messages of an empty
// script, and no report beside it.
TEST_F(ReportFileTest, AFolderAsScriptIsReadLikeAMissingFile) {
    const std::filesystem::path sub = folder_ / "lesson.vek";
    std::filesystem::create_directories(sub);
    std::ofstream(Report(), std::ios::binary) << "old";
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(CheckScript(sub.string(), console, diagnostics), ExitCompilationErrors);
    EXPECT_NE(diagnostics.str().find("Is a directory"), std::string::npos) << diagnostics.str();
    EXPECT_NE(out.str().find("Error 36 en la l\xEDnea 0"), std::string::npos) << out.str();
    EXPECT_EQ(ReadBytes(Report()), "old");
}

// The console names the report only when it was written; nothing half written is left.
TEST_F(ReportFileTest, AReportThatCannotBeWrittenIsNotNamed) {
    // The report's name is taken by a folder that is not empty, so that nothing removes it.
    std::filesystem::create_directories(Report());
    std::ofstream(Report() / "keep") << "x";
    WriteScript("POINT A 1\nEND");
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(CheckScript(script_, console, diagnostics), ExitCompilationErrors);
    EXPECT_NE(out.str().find("en la l\xEDnea 1"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("Reporte de errores escrito"), std::string::npos) << out.str();
    EXPECT_TRUE(std::filesystem::is_directory(Report()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1) << "only the script";
}

TEST_F(ReportFileTest, DumpTablePrintsSymbolsAndRows) {
    WriteScript("POINT A, 1, 2\nTEXT \"Hola\"\nEND\n");
    std::ostringstream out;
    std::ostringstream diagnostics;
    Console console(out, false);
    EXPECT_EQ(DumpScriptTable(script_, console, diagnostics), 0);
    EXPECT_EQ(out.str(),
              "symbol 1 0 A\n"
              "symbol 8 0 Hola\n"
              "table 1 5\n"
              "0 0 0 4 0 0 0 0 0 0\n"
              "0 1 1 65536 131072 -1 -1 -1 0 0\n"
              "0 2 72 -1 -1 -1 0 0 0 0\n"
              "0 3 255 0 0 0 0 0 0 0\n"
              "0 4 0 0 0 0 0 0 0 0\n");
    WriteScript("POINT A\nEND\n");
    std::ostringstream failed;
    Console failedConsole(failed, false);
    EXPECT_EQ(DumpScriptTable(script_, failedConsole, diagnostics), ExitCompilationErrors);
    EXPECT_EQ(failed.str().find("symbol"), std::string::npos);
}

}  // namespace
}  // namespace vekora
