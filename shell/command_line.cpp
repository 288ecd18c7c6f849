// Reads the options of the vekora program. Each option is one row of the table below;
// a new option needs a row and, when it takes a value, a field in CommandLine.
#include "shell/command_line.h"

#include <cctype>
#include <exception>
#include <string_view>

#include "i18n/language.h"
#include "platform/viewer_answers.h"

namespace vekora {
namespace {

using Action = CommandLine::Action;

struct Option {
    std::string_view name;
    std::string_view alias;      // empty: none
    // Empty: the option takes no value. A word that stands for the value (FILE) is translated;
    // one that lists the values the program reads (A4|LETTER) is not.
    std::string_view valueName;
    std::string_view help;
    // Returns what is wrong, or an empty text.
    std::string (*apply)(CommandLine& line, const std::string& value);
};

// Compile-only modes exclude each other.
std::string SetMode(CommandLine& line, Action mode, std::string_view name) {
    if (line.action != Action::Run && line.action != mode) return TrFormat(N_("%s cannot be combined with another mode"), {name});
    line.action = mode;
    return {};
}

// A whole number from min to max, for the option `name`.
std::string ReadNumber(const std::string& value, std::string_view name, std::int64_t min, std::int64_t max,
                       std::int64_t& out) {
    std::size_t used = 0;
    long long number = 0;
    try {
        number = std::stoll(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != value.size() || number < min || number > max) {
        return TrFormat(N_("%s needs a whole number from %s to %s, not '%s'"),
                        {name, std::to_string(min), std::to_string(max), value});
    }
    out = number;
    return {};
}

std::string FactorText(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

template <typename T>
std::string ReadInto(const std::string& value, std::string_view name, std::int64_t min, std::int64_t max, T& out) {
    std::int64_t number = 0;
    std::string error = ReadNumber(value, name, min, max, number);
    if (error.empty()) out = static_cast<T>(number);
    return error;
}

// A number from min to max, fractions allowed, for the option `name`.
std::string ReadFactor(const std::string& value, std::string_view name, double min, double max, double& out) {
    std::size_t used = 0;
    double number = 0;
    try {
        number = std::stod(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    // Not a number fails both comparisons, so it is refused with the rest.
    if (used == 0 || used != value.size() || !(number >= min && number <= max)) {
        return TrFormat(N_("%s needs a number from %s to %s, not '%s'"), {name, FactorText(min), FactorText(max), value});
    }
    out = number;
    return {};
}

// --advance: seconds (fractions allowed) or "off".
std::string ReadAdvance(const std::string& value, CommandLine& line) {
    if (value == "off") {
        line.advanceMs = -1;
        return {};
    }
    double seconds = 0;
    std::string error = ReadFactor(value, "--advance", 0, 3600, seconds);
    if (!error.empty()) return TrFormat(N_("%s (or 'off')"), {error});
    line.advanceMs = static_cast<std::int64_t>(seconds * 1000.0 + 0.5);
    return {};
}

// --choose: item numbers from 1, separated by commas.
std::string ReadChoices(const std::string& value, CommandLine& line) {
    const std::optional<std::vector<std::int32_t>> choices = ParseChoices(value);
    if (!choices) return TrFormat(N_("--choose needs menu item numbers from 1 to 127 separated by commas, not '%s'"), {value});
    line.choices = *choices;
    return {};
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ReadPaper(CommandLine& line, const std::string& value) {
    const std::string paper = Lower(value);
    if (paper != "a4" && paper != "letter") return TrFormat(N_("--paper needs a4 or letter, not '%s'"), {value});
    line.figures.paper = paper;
    return {};
}

// Whether the --export file is a TeX file, whatever the case of its ending.
bool ExportsTex(const CommandLine& line) {
    const std::string& file = line.figures.exportFile;
    if (file.size() < 4) return false;
    std::string ending = file.substr(file.size() - 4);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending == ".tex";
}

std::string ReadHandoutEvery(CommandLine& line, const std::string& value) {
    const std::string every = Lower(value);
    if (every != "wait" && every != "step") return TrFormat(N_("--handout-every needs wait or step, not '%s'"), {value});
    line.figures.everyStep = every == "step";
    return {};
}

constexpr Option Options[] = {
    {"--headless", "", "", N_("run on the headless device with a virtual clock (also chosen when no display is available)"),
     [](CommandLine& line, const std::string&) { line.headless = true; return std::string(); }},
    {"--events", "", N_("FILE"), N_("input events for a headless run"),
     [](CommandLine& line, const std::string& value) { line.eventsFile = value; return std::string(); }},
    {"--until", "", N_("MS"), N_("stop a headless run when the virtual clock passes MS (default 600000)"),
     [](CommandLine& line, const std::string& value) { return ReadInto(value, "--until", 0, 2000000000, line.untilMs); }},
    {"--advance", "", N_("SECONDS"),
     N_("answer every wait for the viewer after SECONDS of the run's clock, as Continuar does (an INTERACTION as "
     "Escape does); 'off' waits. Default: 3 for --record or --frames without --events, else off"),
     [](CommandLine& line, const std::string& value) { return ReadAdvance(value, line); }},
    {"--choose", "", "N,N,...", N_("answer the menus with these items (numbered from 1), in turn; after them, and by "
     "default, each menu offers its items in order and then its last"),
     [](CommandLine& line, const std::string& value) { return ReadChoices(value, line); }},
    {"--screenshot", "", N_("FILE.png"), N_("write the screen as the run left it, before the closing logo"),
     [](CommandLine& line, const std::string& value) { line.screenshot = value; return std::string(); }},
    {"--record", "", N_("FILE"), N_("write the run as an animated GIF (FILE.gif) or a video (FILE.mp4: H.264, FILE.webm: VP9)"),
     [](CommandLine& line, const std::string& value) { line.record = value; return std::string(); }},
    {"--fps", "", "N", N_("frames a second sampled for --record and --frames (default 25)"),
     [](CommandLine& line, const std::string& value) { return ReadInto(value, "--fps", 1, 100, line.fps); }},
    {"--scale", "", "N", N_("draw --screenshot, --frames and --record pictures N times finer, 1 to 8 (default 1)"),
     [](CommandLine& line, const std::string& value) {
         line.scaleGiven = true;
         return ReadInto(value, "--scale", 1, 8, line.scale);
     }},
    {"--frames", "", N_("DIR"), N_("write every changed frame as DIR/frame-NNNNN.png, and DIR/frames.tsv: when each appears, how long it stays"),
     [](CommandLine& line, const std::string& value) { line.framesFolder = value; return std::string(); }},
    {"--no-logo", "", "", N_("skip the logo when the window opens and at the end"),
     [](CommandLine& line, const std::string&) { line.noLogo = true; return std::string(); }},
    {"--zoom", "", "N", N_("initial scale of the window, 0.5 to 8, fractions allowed; never larger than the display"),
     [](CommandLine& line, const std::string& value) { return ReadFactor(value, "--zoom", 0.5, 8, line.zoom); }},
    {"--fullscreen", "", "", N_("open the window fullscreen (F11 switches at any time)"),
     [](CommandLine& line, const std::string&) { line.fullscreen = true; return std::string(); }},
    {"--sharp", "", "", N_("show the window's picture as enlarged pixels instead of drawing it at the display's resolution (F2 switches)"),
     [](CommandLine& line, const std::string&) { line.sharp = true; return std::string(); }},
    {"--presenter", "", "", N_("Page Up at a WAIT goes back to the WAIT before, as Left does (for two-button remotes)"),
     [](CommandLine& line, const std::string&) { line.presenter = true; return std::string(); }},
    {"--watch", "", "", N_("play the script again from the start whenever its file is saved"),
     [](CommandLine& line, const std::string&) { line.watch = true; return std::string(); }},
    {"--export", "", N_("FILE"), N_("write the figure as the run left it (or at --until): FILE.svg, FILE.pdf, FILE.png or FILE.tex"),
     [](CommandLine& line, const std::string& value) { line.figures.exportFile = value; return std::string(); }},
    {"--handout", "", N_("FILE.pdf"), N_("write a handout: one numbered panel for each WAIT and one for the end"),
     [](CommandLine& line, const std::string& value) { line.figures.handoutFile = value; return std::string(); }},
    {"--handout-every", "", "WAIT|STEP", N_("a handout panel at every WAIT (default) or at every paced step"),
     [](CommandLine& line, const std::string& value) { return ReadHandoutEvery(line, value); }},
    {"--panels", "", "N", N_("handout panels a sheet, 1 to 12 (default 6)"),
     [](CommandLine& line, const std::string& value) { return ReadInto(value, "--panels", 1, 12, line.figures.panels); }},
    {"--paper", "", "A4|LETTER", N_("a PDF figure fitted on a sheet of this size; the handout's sheets (default A4)"),
     [](CommandLine& line, const std::string& value) { return ReadPaper(line, value); }},
    {"--transparent", "", "", N_("a PNG figure without the page's background"),
     [](CommandLine& line, const std::string&) { line.figures.transparent = true; return std::string(); }},
    {"--tikz-picture", "", "", N_("a FILE.tex figure is the bare tikzpicture, to \\input in a document"),
     [](CommandLine& line, const std::string&) { line.figures.tikzPicture = true; return std::string(); }},
    {"--check", "", "", N_("compile only: print errors and warnings; exit 0 when clean or with warnings, 1 with errors"),
     [](CommandLine& line, const std::string&) { return SetMode(line, Action::Check, "--check"); }},
    {"--json", "", "", N_("with --check: print the errors and warnings as JSON lines"),
     [](CommandLine& line, const std::string&) { line.json = true; return std::string(); }},
    {"--werror", "", "", N_("with --check: warnings count as errors (exit 1)"),
     [](CommandLine& line, const std::string&) { line.werror = true; return std::string(); }},
    {"--dump-table", "", "", N_("compile, then print the symbol lists and the instruction table; exit 1 with errors"),
     [](CommandLine& line, const std::string&) { return SetMode(line, Action::DumpTable, "--dump-table"); }},
    {"--dump-symbols", "", "", N_("as --dump-table, with the rows by opcode names and named operands"),
     [](CommandLine& line, const std::string&) { return SetMode(line, Action::DumpSymbols, "--dump-symbols"); }},
    {"--lang", "", N_("CODE"), N_("speak the language CODE (en, es, ...; C: the program's own Spanish) instead of the environment's"),
     [](CommandLine& line, const std::string& value) { line.language = value; return std::string(); }},
    {"--help", "-h", "", N_("show this help and exit"),
     [](CommandLine& line, const std::string&) { line.action = Action::Help; return std::string(); }},
    {"--version", "", "", N_("show the version and exit"),
     [](CommandLine& line, const std::string&) { line.action = Action::Version; return std::string(); }},
};

const Option* FindOption(std::string_view argument) {
    for (const Option& option : Options) {
        if (argument == option.name || (!option.alias.empty() && argument == option.alias)) return &option;
    }
    return nullptr;
}

CommandLine UsageError(CommandLine line, std::string error) {
    line.action = Action::UsageError;
    line.error = std::move(error);
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    // "vekora lsp": the language server, for editors; it takes no options.
    if (!arguments.empty() && arguments[0] == "lsp") {
        if (arguments.size() > 1) return UsageError(line, std::string(Tr("lsp takes no further arguments")));
        line.action = Action::LanguageServer;
        return line;
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > 1 && argument[0] == '-') {
            const Option* option = FindOption(argument);
            if (option == nullptr) return UsageError(line, TrFormat(N_("unknown option '%s'"), {argument}));
            std::string value;
            if (!option->valueName.empty()) {
                if (i + 1 >= arguments.size()) return UsageError(line, TrFormat(N_("%s needs %s"), {argument, Tr(option->valueName)}));
                value = arguments[++i];
            }
            const std::string error = option->apply(line, value);
            if (!error.empty()) return UsageError(line, error);
            if (line.action == Action::Help || line.action == Action::Version) return line;
            continue;
        }
        if (!line.script.empty()) {
            return UsageError(line, TrFormat(N_("only one script can be played at a time ('%s' and '%s')"),
                                             {line.script, argument}));
        }
        line.script = argument;
    }
    if ((line.action == Action::Check || line.action == Action::DumpTable || line.action == Action::DumpSymbols) &&
        line.script.empty()) {
        return UsageError(line, std::string(Tr("no script given")));
    }
    if (!line.headless && !line.eventsFile.empty()) return UsageError(line, std::string(Tr("--events needs --headless")));
    // A handout plays headless whatever is asked.
    if (!line.headless && line.figures.handoutFile.empty() && (line.advanceMs || !line.choices.empty())) {
        return UsageError(line, std::string(Tr("--advance and --choose need --headless")));
    }
    if ((line.json || line.werror) && line.action != Action::Check) return UsageError(line, std::string(Tr("--json and --werror need --check")));
    if (line.watch && line.action != Action::Run) return UsageError(line, std::string(Tr("--watch plays a script; it cannot be combined with another mode")));
    if (line.watch && line.script.empty()) return UsageError(line, std::string(Tr("--watch needs a script")));
    if (line.figures.Wanted() && line.action != Action::Run) {
        return UsageError(line, std::string(Tr("--export and --handout play a script; they cannot be combined with another mode")));
    }
    if (line.figures.tikzPicture && !ExportsTex(line)) return UsageError(line, std::string(Tr("--tikz-picture needs --export FILE.tex")));
    if (line.watch && line.headless && line.screenshot.empty() && line.record.empty()) {
        return UsageError(line, std::string(Tr("--watch without a window needs --screenshot or --record")));
    }
    return line;
}

std::string LanguageOption(const std::vector<std::string>& arguments) {
    std::string language;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "--lang") language = arguments[++i];
        else if (const Option* option = FindOption(arguments[i]); option != nullptr && !option->valueName.empty()) ++i;
    }
    return language;
}

std::string UsageText() {
    std::string text = std::string(Tr("Usage: vekora [OPTIONS] [SCRIPT]")) + "\n";
    text += std::string(Tr("Plays a Vekora geometry script.")) + "\n\n" + std::string(Tr("Options:")) + "\n";
    for (const Option& option : Options) {
        std::string names(option.name);
        if (!option.alias.empty()) names += ", " + std::string(option.alias);
        if (!option.valueName.empty()) names += " " + std::string(Tr(option.valueName));
        // A name too long for its column puts its note on the next line, in the column.
        constexpr std::size_t NameColumn = 16;
        if (names.size() > NameColumn) names += "\n  " + std::string(NameColumn, ' ');
        else names.resize(NameColumn, ' ');
        text += "  " + names + " " + std::string(Tr(option.help)) + "\n";
    }
    text += "\nvekora lsp       " +
            std::string(Tr("serve the Language Server Protocol on standard input and output, for editors")) + "\n";
    text += "\n" + std::string(Tr("The manual: docs/README.md in the sources (in Spanish: docs/es/README.md).")) + "\n" +
            std::string(Tr("The manual page: man vekora (in the sources: man ./docs/vekora.1).")) + "\n";
    return text;
}

std::string VersionText() { return std::string("vekora ") + VEKORA_VERSION + "\n"; }

}  // namespace vekora
