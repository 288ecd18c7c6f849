// The command line in Spanish, played by the program itself in a child process: what a Spanish
// reader sees of --help, of usage errors, of a bad event file, of an output it cannot write, of
// a run stopped at its limit, and of --check, compared byte for byte with a committed
// transcript; every way of asking for Spanish finds that catalogue, and C, no language and
// English keep the source bytes. After a deliberate change of a text,
// VEKORA_UPDATE_GOLDEN=1 writes the transcript again (then read the difference before
// committing it).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/temp_path.h"

namespace vekora {
namespace {

namespace fs = std::filesystem;

const fs::path Golden = fs::path(VEKORA_SOURCE_DIR) / "tests/i18n/spanish_command_line.golden";

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

// The program run in `folder` (so that the files it names are named as given) with only the
// environment `environment` ("NAME=value ..."): no variable of the test's own run decides.
Outcome RunProgram(const fs::path& folder, const std::string& environment, const std::string& arguments) {
    const std::string out = (folder / "stdout").string(), err = (folder / "stderr").string();
    const std::string command = "cd '" + folder.string() + "' && env -i " + environment + " '" + VEKORA_PROGRAM + "' " +
                                arguments + " >'" + out + "' 2>'" + err + "' </dev/null";
    const int status = std::system(command.c_str());
    return {ReadBytes(out), ReadBytes(err), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The lessons and event files the transcript plays.
fs::path Lessons() {
    const fs::path folder = vekora::testing::TempPath("spanish");
    fs::create_directories(folder / "carpeta.png");  // a picture that cannot be written
    const std::pair<const char*, const char*> files[] = {
        {"leccion.vek", "POINT A, 10, 10\nEND\n"},
        {"espera.vek", "POINT A, 10, 10\nWAIT\nEND\n"},
        {"errores.vek", "POINT A, 10, 10\nL = LINE A, Q\nCALL Lado\nEND\n"},
        {"tecla.events", "100 key XYZ\n"},
        {"atras.events", "200 key Enter\n100 key Enter\n"},
        {"pulsar.events", "100 press 5\n"},
        {"boton.events", "100 click 5 5 side\n"},
    };
    for (const auto& [name, text] : files) std::ofstream(folder / name, std::ios::binary) << text;
    return folder;
}

// A C.UTF-8 terminal: the language comes from --lang alone, the accents as UTF-8.
constexpr const char* Terminal = "LC_ALL=C.UTF-8";

// The usage text a usage error prints after its message is the --help text: the transcript
// shows the message alone.
std::string WithoutUsage(const std::string& err, const std::string& help) {
    if (help.empty() || err.size() < help.size() || err.compare(err.size() - help.size(), help.size(), help) != 0)
        return err;
    return err.substr(0, err.size() - help.size()) + "[the --help text]\n";
}

TEST(SpanishCommandLine, MatchesTheTranscript) {
    const fs::path folder = Lessons();
    const std::string commands[] = {
        "--lang es --help",
        "--lang es --frobnicate leccion.vek",
        "--lang es --headless --events",
        "--lang es --zoom 9 leccion.vek",
        "--lang es --advance never --headless leccion.vek",
        "--lang es --events tecla.events leccion.vek",
        "--lang es --check --dump-table leccion.vek",
        "--lang es --json leccion.vek",
        "lsp --lang es",
        "--lang es leccion.vek otra.vek",
        "--lang es --headless --no-logo --events tecla.events leccion.vek",
        "--lang es --headless --no-logo --events atras.events leccion.vek",
        "--lang es --headless --no-logo --events pulsar.events leccion.vek",
        "--lang es --headless --no-logo --events boton.events leccion.vek",
        "--lang es --headless --no-logo --events falta.events leccion.vek",
        "--lang es --headless --no-logo --screenshot carpeta.png leccion.vek",
        "--lang es --headless --no-logo --export figura.txt leccion.vek",
        "--lang es --paper b5 --export figura.pdf leccion.vek",
        "--lang es --headless --no-logo --until 5000 espera.vek",
        "--lang es --check errores.vek",
        "--lang es --check --json errores.vek",
        "--lang es --headless no-esta.vek",
    };
    const std::string help = RunProgram(folder, Terminal, "--lang es --help").out;
    std::string transcript;
    for (const std::string& arguments : commands) {
        const Outcome run = RunProgram(folder, Terminal, arguments);
        transcript += "$ vekora " + arguments + "\n" + run.out;
        if (!run.err.empty()) transcript += "--- standard error\n" + WithoutUsage(run.err, help);
        transcript += "--- exit " + std::to_string(run.status) + "\n\n";
    }
    if (std::getenv("VEKORA_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(Golden, std::ios::binary) << transcript;
        GTEST_SKIP() << "wrote " << Golden;
    }
    EXPECT_EQ(transcript, ReadBytes(Golden)) << "if a text changed on purpose, write the transcript again as "
                                                "tests/i18n/spanish_command_line_test.cpp says";
}

// Spanish of any territory, asked for by the option or by the environment as gettext reads it,
// gives the same help; C, POSIX, no language and English give the English source, byte for
// byte the same in each.
TEST(SpanishCommandLine, EveryWayOfAskingFindsTheCatalogue) {
    const fs::path folder = Lessons();
    const std::string spanish = RunProgram(folder, Terminal, "--lang es --help").out;
    const std::string source = RunProgram(folder, Terminal, "--lang C --help").out;
    ASSERT_NE(spanish.find("Uso: vekora [OPCIONES] [GUION]\n"), std::string::npos) << spanish;
    ASSERT_EQ(source.substr(0, source.find('\n')), "Usage: vekora [OPTIONS] [SCRIPT]");
    struct Case {
        std::string environment;
        std::string language;  // the --lang option, or empty
        const std::string& expected;
    };
    const Case cases[] = {
        {"LC_ALL=C.UTF-8", "es_ES", spanish},
        {"LC_ALL=C.UTF-8", "es_AR.UTF-8", spanish},
        {"LC_ALL=C.UTF-8", "es-419", spanish},
        {"LANG=es_ES.UTF-8", "", spanish},
        {"LANG=es_MX.UTF-8 LC_MESSAGES=es_CO.UTF-8", "", spanish},
        {"LANG=fr_FR.UTF-8 LANGUAGE=fr:es:en", "", spanish},  // the first language with a catalogue
        {"LC_ALL=es_ES.UTF-8", "C", source},
        {"LANG=es_ES.UTF-8 LC_ALL=C.UTF-8", "", source},  // LC_ALL wins
        {"LANG=C.UTF-8 LANGUAGE=es", "", source},          // LANGUAGE is read only outside C
        {"LANG=C.UTF-8", "", source},
        {"LC_ALL=C.UTF-8", "en", source},
        {"LC_ALL=C.UTF-8", "POSIX", source},
    };
    for (const Case& c : cases) {
        const std::string arguments = c.language.empty() ? "--help" : "--lang " + c.language + " --help";
        EXPECT_EQ(RunProgram(folder, c.environment, arguments).out, c.expected) << c.environment << " " << arguments;
    }
    // With no variable at all the program speaks its source; the console then takes Latin-1,
    // which the English help does not need.
    EXPECT_EQ(RunProgram(folder, "", "--help").out, source);
}

}  // namespace
}  // namespace vekora
