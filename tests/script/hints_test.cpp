// Hints: each mistake named with its fix on a lesson that makes it, at the word at fault, and
// silence on every lesson we ship. The numbered report is what it was: the hints live in the
// diagnostics only.
#include <gtest/gtest.h>

#include "draw/math_text.h"
#include "script/diagnostics.h"
#include "script/hints.h"
#include "script/passes.h"
#include "script/argument_roles.h"
#include "script/statement_forms.h"
#include "script/tokens.h"
#include "tests/support/lesson_scripts.h"

namespace vekora {
namespace {

struct Diagnosed {
    ErrorLists errors;  // the numbered report's
    std::vector<Diagnostic> diagnostics;
};

Diagnosed Diagnose(const std::vector<std::string>& lines) {
    InstructionTable table;
    SymbolTable symbols;
    CompileNotes notes;
    Diagnosed diagnosed;
    ParseScript(lines, table, diagnosed.errors, symbols, notes);
    diagnosed.diagnostics = BuildDiagnostics(lines, diagnosed.errors, notes);
    return diagnosed;
}

// One diagnostic as the tests read it: "LINE:COLUMN-END number: text [fix, fix]", in UTF-8.
std::string Shown(const Diagnostic& d) {
    std::string shown = std::to_string(d.line) + ":" + std::to_string(d.column) + "-" + std::to_string(d.endColumn) + " " +
                        std::to_string(d.number) + ": " + MathTextToUtf8(d.text);
    if (!d.fixes.empty()) {
        shown += " [";
        for (std::size_t f = 0; f < d.fixes.size(); ++f) shown += (f > 0 ? ", " : "") + d.fixes[f].replacement;
        shown += "]";
    }
    return shown;
}

// The lesson files are UTF-8; the compiler reads Latin-1.
std::vector<std::string> Latin1(const std::vector<std::string>& lines) {
    std::vector<std::string> converted;
    for (const std::string& line : lines) converted.push_back(ScriptTextToLatin1(line));
    return converted;
}

struct HintCase {
    std::string_view name;
    std::vector<std::string> lines;
    std::vector<std::string> shown;  // every diagnostic of the lesson
};
void PrintTo(const HintCase& c, std::ostream* out) { *out << c.name; }

class HintLessons : public ::testing::TestWithParam<HintCase> {};

TEST_P(HintLessons, NameTheMistakeAndItsFix) {
    std::vector<std::string> shown;
    for (const Diagnostic& d : Diagnose(Latin1(GetParam().lines)).diagnostics) shown.push_back(Shown(d));
    EXPECT_EQ(shown, GetParam().shown);
}

const HintCase HintCases[] = {
    {"SpanishPoint", {"PUNTO A, 1, 2", "END"},
     {"1:1-6 13: Error de síntaxis: no hay palabra clave en la línea. PUNTO no es una palabra clave: las palabras clave "
      "se escriben en inglés. ¿Quisiste decir POINT? [POINT]"}},
    {"SpanishLineAfterItsName", {"POINT A, 1, 2", "POINT B, 3, 4", "AB = RECTA A, B", "END"},
     {"3:6-11 13: Error de síntaxis: no hay palabra clave en la línea. RECTA no es una palabra clave: las palabras "
      "clave se escriben en inglés. ¿Quisiste decir LINE? [LINE]"}},
    {"SpanishCircleWithAccent", {"K = círculo A, B", "END"},
     {"1:5-12 13: Error de síntaxis: no hay palabra clave en la línea. círculo no es una palabra clave: las palabras "
      "clave se escriben en inglés. ¿Quisiste decir CIRCLE? [CIRCLE]"}},
    {"Typo", {"POIN A, 1, 2", "M = MIDLNE A, A", "END"},
     {"1:1-5 13: Error de síntaxis: no hay palabra clave en la línea. ¿Quisiste decir POINT? [POINT]",
      "2:5-11 13: Error de síntaxis: no hay palabra clave en la línea. ¿Quisiste decir MIDLINE? [MIDLINE]"}},
    {"NoWordNearAKeyword", {"A = B", "END"}, {"1:1-2 13: Error de síntaxis: no hay palabra clave en la línea."}},
    {"SpanishEndHidesNothing", {"POINT A, 1", "POINT B, 1, 2", "CIRCLE B, 1, 2, 3", "FIN"},
     {"1:11-11 12: Demasiado pocos argumentos: falta y; la forma es POINT P, x, y [, shape [, colour [, size]]]",
      "3:8-9 10: Tipos no coinciden: Primero definido como Punto, ahora usado como Círculo",
      "4:1-4 13: Error de síntaxis: no hay palabra clave en la línea. FIN no es una palabra clave: las palabras clave "
      "se escriben en inglés. ¿Quisiste decir END? [END]",
      "4:4-4 36: No se encontró END en el módulo principal."}},
    {"TooFewArgumentsOfSeveralForms", {"C = CIRCLE A", "END"},
     {"1:13-13 12: Demasiado pocos argumentos: falta Q; las formas son C = CIRCLE P, Q [, colour [, thickness [, start "
      "[, end]]]] | C = CIRCLE P, L [, colour [, thickness [, start [, end]]]]"}},
    {"DecimalComma", {"POINT C, 10,5, 20", "POINT D,1,2", "END"},
     {"1:10-14 111: \"10,5\" son dos números: la coma separa argumentos. Si es un decimal, escribe \"10.5\" con punto "
      "[10.5]"}},
    {"ClickableInTheMainModule", {"POINT A, 1, 2", "CLICKABLE A", "END"},
     {"2:1-10 31: Expresión ilegal en el modulo principal. CLICKABLE no se admite en el módulo principal: solo va "
      "dentro de una INTERACTION"}},
    {"DefaultsInAConstruction", {"CALL Look", "END", "CONSTRUCTION Look", "DEFAULTS &HFF0000", "REPEAT"},
     {"4:1-9 31: Expresión ilegal en CONSTRUCTION. DEFAULTS no se admite en una CONSTRUCTION: una CONSTRUCTION no "
      "cambia los valores por defecto; escríbelo antes de llamarla"}},
    {"UntypedParameterAndItsCall",
     {"POINT O, 10, 10", "POINT X, 20, 20", "CALL Round O, X", "END", "CONSTRUCTION Round C, Q", "K = CIRCLE C, Q",
      "REPEAT"},
     {"3:15-16 29: Tipos no coinciden en CALL, Parámetro 2: Se esperaba Ninguno: el parámetro 2 de Round (Q) no tiene "
      "tipo: un parámetro toma el tipo de la primera instrucción que lo pide como punto, recta o círculo (POINT, LINE "
      "P1, P2, MIDDLE...); ser el punto por el que pasa un CIRCLE o el de un COPY no le da tipo. Dáselo usándolo "
      "antes en una de ellas",
      "6:15-16 10: Tipos no coinciden: Primero definido como Ninguno, ahora usado como Punto: Q, parámetro de Round, "
      "no tiene tipo: un parámetro toma el tipo de la primera instrucción que lo pide como punto, recta o círculo "
      "(POINT, LINE P1, P2, MIDDLE...); ser el punto por el que pasa un CIRCLE o el de un COPY no le da tipo. Dáselo "
      "usándolo antes en una de ellas"}},
    {"AnimationWithoutCount", {"POINT A, 10, 10", "ANIMATE Go", "ANIMATE Twice", "END", "ANIMATION Go", "STEP A, 1, 0",
                               "REPEAT", "ANIMATION Twice", "STEP A, 1, 0", "REPEAT 2"},
     {"7:1-7 112: REPEAT sin número al final de una ANIMATION: la animación da un solo paso; escribe cuántos, p. ej. "
      "REPEAT 100"}},
};

INSTANTIATE_TEST_SUITE_P(Hints, HintLessons, ::testing::ValuesIn(HintCases),
                         [](const ::testing::TestParamInfo<HintCase>& info) { return std::string(info.param.name); });

TEST(Hints, TheNumberedReportStaysAsItWas) {
    const Diagnosed noEnd = Diagnose(Latin1(HintCases[5].lines));
    ASSERT_EQ(noEnd.errors.codes.size(), 1u) << "a missing END is reported alone";
    EXPECT_EQ(noEnd.errors.codes[0], 36);
    const Diagnosed untyped = Diagnose(Latin1(HintCases[10].lines));
    EXPECT_EQ(untyped.errors.codes, (std::vector<std::int32_t>{29 + 256 * 1, 10 + 256 * 0 + 4096 * 1}));
}

// Every hint that fires on the lessons we ship is a false alarm. Some of the manual's blocks
// are parts of a lesson and do not compile alone: their errors may stand, without hints.
TEST(Hints, SilentOnEveryLesson) {
    for (const testing::LessonScript& script : testing::LessonScripts()) {
        for (const Diagnostic& d : Diagnose(script.lines).diagnostics) {
            const bool hinted = !d.fixes.empty() || d.number > 110;
            EXPECT_FALSE(hinted) << script.name << ":" << d.line << ": " << MathTextToUtf8(d.text);
        }
    }
}

// The forms agree with what the compiler makes of each position: a name where it takes a
// name, a number or colour where it takes one, and no more positions than the form has.
TEST(StatementForms, AgreeWithTheCompilersRoles) {
    for (const StatementForm& form : StatementForms()) {
        // Procedure headers take no row of their own; what a call's arguments are depends on
        // the procedure it calls.
        if (form.opcode == 0 || (form.opcode >= 45 && form.opcode <= 48)) continue;
        const int markLineForm = form.kinds.size() > 2 && form.kinds[2] == 'P' ? 1 : form.kinds.size() > 2 ? 2 : 0;
        const std::string_view roles = RolesOf(form.opcode, markLineForm);
        const bool repeats = !roles.empty() && roles.back() == '*';
        const std::string_view fixed = repeats ? roles.substr(0, roles.size() - 2) : roles;
        const std::string forms(form.text);
        ASSERT_EQ(form.repeats, repeats) << forms;
        EXPECT_EQ(WordsOf(form).words.size(), form.kinds.size()) << forms;
        if (!repeats) {
            EXPECT_LE(form.kinds.size(), roles.size()) << forms;
        }
        for (std::size_t i = 0; i < form.kinds.size(); ++i) {
            const char role = i < fixed.size() ? fixed[i] : roles[roles.size() - 2];
            const char kind = form.kinds[i];
            const bool name = kind == 'P' || kind == 'L' || kind == 'C' || kind == 'R' || kind == 'a';
            const bool nameRole = role == 'o' || role == 'i' || role == 'b' || role == 'r' || role == 'd' || role == 'p';
            EXPECT_EQ(name, nameRole) << forms << " position " << i;
            EXPECT_EQ(kind == 'c', role == 'c') << forms << " position " << i;
            EXPECT_EQ(kind == 'T', role == 't') << forms << " position " << i;
            EXPECT_EQ(kind == 'k', role == 'k') << forms << " position " << i;
        }
    }
}

TEST(StatementForms, CoverEveryKeyword) {
    for (const std::string_view keyword : KeywordNames()) {
        if (keyword == "DEFAULT" || keyword == "ALONG") continue;
        EXPECT_FALSE(FormsOf(keyword).empty()) << keyword;
    }
    EXPECT_EQ(FormText(*FormsOf("imidline").front(), "imidline"), "L = IMIDLINE P1, P2 [, style [, colour [, thickness]]]");
    EXPECT_EQ(FormsOf("BISECTOR").front()->opcode, 14);
}

}  // namespace
}  // namespace vekora
