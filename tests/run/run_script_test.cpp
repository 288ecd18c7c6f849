// Running script files as the program does: the console report of compilation and run-time
// errors, the report file, Enter, the command line's exit codes and pictures, VEK_INIT.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "draw/math_text.h"
#include "interp/resident.h"
#include "platform/active_device.h"
#include "platform/headless_device.h"
#include "run/run_script.h"
#include "run/script_text.h"
#include "settings/settings.h"
#include "shell/chooser.h"
#include "shell/play.h"
#include "tests/support/picture_support.h"
#include "vekora.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

class ScriptFolder : public ::testing::Test {
protected:
    ScriptFolder() : folder(fs::temp_directory_path() / ("vekora-run-" + std::to_string(::getpid()))) {
        fs::create_directories(folder);
    }
    ~ScriptFolder() override { fs::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    static std::string Read(const fs::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    // RunScriptFile on the headless device; the console and its Enter are strings.
    std::int32_t RunFile(const std::string& path, const std::string& typed = "\n") {
        HeadlessDevice device;
        SetActiveDevice(&device);
        std::istringstream input(typed);
        ScriptRunSetup setup;
        setup.options.showLogo = false;
        setup.console = &console;
        setup.input = &input;
        setup.diagnostics = &diagnostics;
        ErrorLists errors;
        const std::int32_t result = RunScriptFile(path, errors, setup);
        caption = device.Caption();
        SetActiveDevice(nullptr);
        return result;
    }

    fs::path folder;
    std::string caption;  // the window title the last run left
    std::ostringstream printed;
    std::ostringstream diagnostics;
    Console console{printed, false};
};

TEST_F(ScriptFolder, CompilationErrorsArePrintedAndWrittenBesideTheScript) {
    const std::string script = Write("bad.vek", "POINT A, 1\nSCREEN 100, 100\nREVERT L M\nEND\n");
    EXPECT_EQ(RunFile(script), -1);
    const std::string report = Read(folder / "vekerror.txt");
    EXPECT_EQ(report.substr(0, report.find("\r\n")), "2 Errores en el Paso 1.");
    EXPECT_NE(report.find("\r\nError 12 en la l\xEDnea 1\r\n        "), std::string::npos);
    EXPECT_NE(report.find("\r\nError 11 en la l\xEDnea 3\r\n"), std::string::npos);
    const std::string console = printed.str();
    EXPECT_NE(console.find("2 Errores en el Paso 1.\n"), std::string::npos);
    EXPECT_NE(console.find("Reporte de errores escrito en " + (folder / "vekerror.txt").string() + "\n"),
              std::string::npos);
    EXPECT_EQ(console.substr(console.size() - 31), "Presiona Enter para continuar.\n");
}

TEST_F(ScriptFolder, CleanRunReturnsZeroPrintsNothingAndDeletesAnOldReport) {
    Write("vekerror.txt", "old");
    EXPECT_EQ(RunFile(Write("good.vek", "SCREEN 100, 100\nEND\n")), 0);
    EXPECT_FALSE(fs::exists(folder / "vekerror.txt"));
    EXPECT_EQ(printed.str(), "");
}

TEST_F(ScriptFolder, TheWindowTitleShowsTheLessonsTitleAndItsFileName) {
    EXPECT_EQ(RunFile(Write("plain.vek", "SCREEN 100, 100\nEND\n")), 0);
    EXPECT_EQ(caption, "plain.vek - Vekora");
    EXPECT_EQ(RunFile(Write("\xC3\xA1ngulos.vek", "SCREEN 100, 100\nTITLE \"Tri\xC3\xA1ngulo \xCE\xB1\"\nEND\n")), 0);
    EXPECT_EQ(caption, "Tri\xE1ngulo \x1A" "a - \xE1ngulos.vek - Vekora") << "Latin-1, with alpha as a sign pair";
    EXPECT_EQ(MathTextToUtf8(caption), "Tri\xC3\xA1ngulo \xCE\xB1 - \xC3\xA1ngulos.vek - Vekora");
}

TEST_F(ScriptFolder, RunTimeErrorNamesTheProcedure) {
    const std::string script = Write("deep.vek", "SCREEN 100, 100\nCALL R\nEND\nCONSTRUCTION R\nCALL R\nREPEAT\n");
    const std::int32_t result = RunFile(script);
    EXPECT_EQ(result >> 16, 1);
    EXPECT_EQ(result & 0xFFFF, 20);
    EXPECT_EQ(printed.str(),
              "Error de ejecuci\xF3n en el procedimiento 1: Procedimientos anidados.\nPresiona Enter para continuar.\n");
    EXPECT_FALSE(fs::exists(folder / "vekerror.txt"));
}

// A procedure's TEXT is not measured by the check; the run says once that one does not show whole.
TEST_F(ScriptFolder, AProceduresTextThatDoesNotShowWholeIsNotedOnce) {
    const std::string script = Write("say.vek", "SCREEN 200, 100\nTEXTWINDOW 10, 10, 120, 20\nCALL Say\nCALL Say\nEND\n"
                                                "CONSTRUCTION Say\nTEXT \"uno dos tres cuatro cinco seis siete\"\nREPEAT\n");
    EXPECT_EQ(RunFile(script), 0);
    EXPECT_EQ(diagnostics.str(), "vekora: TEXT: El texto no cabe en su ventana de texto (120 \xC3\x97 20): no se ve "
                                 "\"cuatro cinco seis siete\"; agranda la ventana con TEXTWINDOW o acorta el texto\n");
}

TEST_F(ScriptFolder, MissingFileIsReportedAsAnEmptyScript) {
    EXPECT_EQ(RunFile((folder / "none.vek").string(), ""), -1);
    EXPECT_NE(printed.str().find("1 Errores en el Paso 1."), std::string::npos);
}

TEST_F(ScriptFolder, CommandLineExitCodesAndPictures) {
    const std::string script = Write("pic.vek", "SCREEN 120, 100\nCLS &HFF0000\nEND\n");
    CommandLine line = ParseCommandLine({"--headless", "--no-logo", "--screenshot", (folder / "s.png").string(),
                                         "--record", (folder / "r.gif").string(), script});
    ASSERT_EQ(line.action, CommandLine::Action::Run);
    std::istringstream input("");
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), 0);
    const testing::RgbPicture picture = testing::ReadPng((folder / "s.png").string());
    ASSERT_EQ(picture.width, 120u);
    EXPECT_EQ(picture.At(60, 40), 0xFF0000u);
    EXPECT_GT(fs::file_size(folder / "r.gif"), 100u);

    // A script with errors exits 1; a bad event file stops before the run with 2.
    line.script = Write("bad.vek", "POINT\nEND\n");
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), ExitCompilationErrors);
    line.eventsFile = Write("bad.events", "10 key\n");
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), 2);
    EXPECT_NE(diagnostics.str().find("bad.events"), std::string::npos);
}

TEST_F(ScriptFolder, UntilStopsAHeadlessRunAsIfItEnded) {
    const std::string script = Write("wait.vek", "SCREEN 120, 100\nWAIT\nCLS &HFF0000\nEND\n");
    const CommandLine line =
        ParseCommandLine({"--headless", "--no-logo", "--until", "3000", "--screenshot", (folder / "u.png").string(), script});
    std::istringstream input("");
    EXPECT_EQ(PlayScript(line, console, input, diagnostics), 0);
    EXPECT_NE(diagnostics.str().find("--until"), std::string::npos);
    EXPECT_EQ(printed.str(), "");
    EXPECT_NE(testing::ReadPng((folder / "u.png").string()).At(60, 40), 0xFF0000u);
}

TEST_F(ScriptFolder, ConsoleChooserCancelsOnAnEmptyAnswer) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    std::istringstream nothing("");
    EXPECT_EQ(PlayScript(ParseCommandLine({"--headless"}), console, nothing, diagnostics), ExitCancelled);
    EXPECT_EQ(printed.str(), "Escoge un archivo de Vekora para ejecutar:\n");

    const std::string script = Write("chosen.vek", "SCREEN 100, 100\nEND\n");
    std::istringstream typed(script + "\n");
    EXPECT_EQ(ChooseScript(console, typed).path, script);
}

TEST(Chooser, DesktopAnswers) {
    EXPECT_EQ(DesktopChooserAnswer(0, "/a/b.vek\n").kind, ChooserAnswer::Kind::Chosen);
    EXPECT_EQ(DesktopChooserAnswer(0, "/a/b.vek\n").path, "/a/b.vek");
    EXPECT_EQ(DesktopChooserAnswer(1, "").kind, ChooserAnswer::Kind::Cancelled);
    const ChooserAnswer failed = DesktopChooserAnswer(5, "");
    EXPECT_EQ(failed.kind, ChooserAnswer::Kind::Failed);
    EXPECT_EQ(failed.error, 5);
}

TEST(VekInit, ResetsSettingsEveryTimeAndLoadsResourcesOnce) {
    InitProgram();
    const ResidentResources* first = &Resident();
    ProgramSettings().stepMs = 500;
    InitProgram();
    EXPECT_EQ(ProgramSettings().stepMs, 2000);
    EXPECT_EQ(&Resident(), first);
    EXPECT_FALSE(Resident().fonts.fonts[0].Empty());
    ASSERT_NE(Resident().logo, nullptr);
    EXPECT_EQ(SurfaceInfo(Resident().logo).width, LogoWidth);
    EXPECT_EQ(SurfaceInfo(Resident().logo).height, LogoHeight);
    EXPECT_EQ(SurfaceInfo(Resident().logo).bytesPerPixel, 2);
}

}  // namespace
}  // namespace vekora

namespace vekora {
namespace {

VEKS_String CString(const char* text) { return VEKS_String{const_cast<char*>(text), static_cast<int32_t>(std::strlen(text))}; }

TEST(RunScriptC, RunsLinesOnTheChosenDeviceAndHandsBackErrors) {
    ASSERT_EQ(VEKS_USEDEVICE(VEKS_DEVICE_HEADLESS, nullptr), 0);
    EXPECT_EQ(VEKS_USEDEVICE(7, nullptr), -1);
    VEKS_String good[] = {CString("SCREEN 100, 80"), CString("CLS &HFF0000"), CString("END")};
    VEKS_StringList lines{good, 3};
    VEKS_IntList codes{};
    VEKS_IntList errorLines{};
    EXPECT_EQ(VEKS_RUNSCRIPT(&lines, &codes, &errorLines), 255);
    EXPECT_EQ(codes.count, 0);
    EXPECT_EQ(ScreenQuery().width, 100);

    VEKS_String bad[] = {CString("POINT A, 1"), CString("END")};
    lines = VEKS_StringList{bad, 2};
    EXPECT_EQ(VEKS_RUNSCRIPT(&lines, &codes, &errorLines), -1);
    ASSERT_EQ(codes.count, 1);
    EXPECT_EQ(codes.items[0], 12);
    EXPECT_EQ(errorLines.items[0], 1);
    EXPECT_EQ(VEKS_RUNSCRIPT(nullptr, &codes, &errorLines), -3);
    std::free(codes.items);
    std::free(errorLines.items);
}

// A lesson steered by a menu, with its events, as C callers would run it again and again.
struct LessonRun {
    std::int32_t result = 0;
    double clockAtEnd = 0;
};

LessonRun RunMenuLesson() {
    std::ifstream in(std::string(VEKORA_SOURCE_DIR) + "/examples/menu_lesson.vek", std::ios::binary);
    std::vector<std::string> lines =
        SplitScriptText(ScriptTextToLatin1(std::string(std::istreambuf_iterator<char>(in), {})));
    std::vector<VEKS_String> items;
    for (std::string& line : lines) items.push_back(VEKS_String{line.data(), static_cast<int32_t>(line.size())});
    const VEKS_StringList list{items.data(), static_cast<int32_t>(items.size())};
    VEKS_IntList codes{}, errorLines{};
    LessonRun run;
    run.result = VEKS_RUNSCRIPT(&list, &codes, &errorLines);
    run.clockAtEnd = ClockSeconds();
    std::free(codes.items);
    std::free(errorLines.items);
    return run;
}

TEST(RunScriptC, RunsAreIndependentUnlessTheCallerAsksThemToContinue) {
    const std::string events = std::string(VEKORA_SOURCE_DIR) + "/examples/menu_lesson.events";
    ASSERT_EQ(VEKS_USEDEVICE(VEKS_DEVICE_HEADLESS, events.c_str()), 0);
    const LessonRun first = RunMenuLesson();
    const LessonRun second = RunMenuLesson();
    EXPECT_EQ(first.result, 255);
    EXPECT_EQ(second.result, first.result);
    EXPECT_EQ(second.clockAtEnd, first.clockAtEnd);

    // Continued runs share one clock and one list of events: the second starts where the
    // first ended, its events already taken.
    ASSERT_EQ(VEKS_USEDEVICE(VEKS_DEVICE_HEADLESS | VEKS_DEVICE_CONTINUE, events.c_str()), 0);
    EXPECT_EQ(RunMenuLesson().result, first.result);
    EXPECT_GT(RunMenuLesson().clockAtEnd, first.clockAtEnd);
}

}  // namespace
}  // namespace vekora
