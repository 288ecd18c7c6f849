// The catalogue mechanism: reading .mo files (also broken ones), choosing a language from the
// option and the environment as gettext does, filling in patterns, and the console's encoding.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <map>

#include "i18n/catalogue.h"
#include "i18n/language.h"
#include "resources/embedded.h"
#include "run/console.h"

namespace vekora {
namespace {

std::span<const std::uint8_t> EmbeddedCatalogue(std::string_view code) {
    const EmbeddedResource* resource = FindEmbeddedResource("catalogue", code);
    return resource != nullptr ? resource->bytes : std::span<const std::uint8_t>{};
}

TEST(Catalogue, FindsLatin1SourcesAndGivesLatin1Translations) {
    const std::optional<Catalogue> english = Catalogue::FromMo(EmbeddedCatalogue("en"));
    ASSERT_TRUE(english);
    EXPECT_EQ(english->Find("Pausa"), "Pause");
    // The source is Latin-1 in the program and UTF-8 in the file.
    EXPECT_EQ(english->Find("C\xEDrculo"), "Circle");
    // A text the catalogue lacks reads as itself, as does the empty text (the file's header).
    EXPECT_EQ(english->Find("Pausa "), "Pausa ");
    EXPECT_EQ(english->Find(""), "");
    // The pseudo-language keeps its accents as Latin-1.
    const std::optional<Catalogue> pseudo = Catalogue::FromMo(EmbeddedCatalogue("qps"));
    ASSERT_TRUE(pseudo);
    EXPECT_EQ(pseudo->Find("Salir"), "[S\xE1l\xEDr~~~]");
}

TEST(Catalogue, RefusesBytesThatAreNotAWholeMoFile) {
    const std::span<const std::uint8_t> good = EmbeddedCatalogue("en");
    ASSERT_GT(good.size(), 28u);
    std::vector<std::uint8_t> badMagic(good.begin(), good.end());
    badMagic[0] ^= 0xFF;
    std::vector<std::uint8_t> laterRevision(good.begin(), good.end());
    laterRevision[6] = 1;  // major revision 1 of a little-endian file
    std::vector<std::uint8_t> hugeCount(good.begin(), good.end());
    hugeCount[11] = 0x7F;
    const std::vector<std::uint8_t> truncated(good.begin(), good.end() - 40);
    const std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + 19);
    struct Case {
        std::string_view what;
        std::span<const std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"no bytes", {}},
        {"a header cut short", headerOnly},
        {"another magic number", badMagic},
        {"a later major revision", laterRevision},
        {"more texts than bytes", hugeCount},
        {"texts beyond the end", truncated},
    };
    for (const Case& c : cases) EXPECT_FALSE(Catalogue::FromMo(c.bytes)) << c.what;
}

TEST(FormatText, FillsPlainAndNumberedDirectives) {
    struct Case {
        std::string_view pattern;
        std::string_view expected;
    };
    const Case cases[] = {
        {"Error %s en la l\xEDnea %s", "Error 12 en la l\xEDnea 4"},
        {"%2$s, line %1$s", "4, line 12"},  // a translation that reorders
        {"100%% of %s", "100% of 12"},
        {"%s %s %s", "12 4 "},              // more directives than arguments
        {"trailing %", "trailing %"},
        {"%d is not ours", "%d is not ours"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatText(c.pattern, {"12", "4"}), c.expected) << c.pattern;
}

TEST(LanguageCandidates, FollowTheOptionThenTheEnvironmentAsGettextDoes) {
    using Environment = std::map<std::string, std::string>;
    struct Case {
        std::string_view what;
        std::string_view option;
        Environment environment;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"nothing set", "", {}, {}},
        {"C", "", {{"LANG", "C"}}, {}},
        {"POSIX", "", {{"LANG", "POSIX"}}, {}},
        {"C.UTF-8", "", {{"LANG", "C.UTF-8"}}, {}},
        {"a locale with codeset and modifier", "", {{"LANG", "en_US.UTF-8@euro"}}, {"en_US", "en"}},
        {"LC_ALL before LC_MESSAGES before LANG", "",
         {{"LC_ALL", "de_DE"}, {"LC_MESSAGES", "fr_FR"}, {"LANG", "en_US"}}, {"de_DE", "de"}},
        {"LC_MESSAGES before LANG", "", {{"LC_MESSAGES", "fr"}, {"LANG", "en_US"}}, {"fr"}},
        {"LANGUAGE first, in its order", "", {{"LANGUAGE", "fr_CA:en"}, {"LANG", "es_ES.UTF-8"}},
         {"fr_CA", "fr", "en", "es_ES", "es"}},
        {"LANGUAGE is ignored in the C locale", "", {{"LANGUAGE", "en"}, {"LANG", "C"}}, {}},
        {"LANGUAGE is ignored with no locale set", "", {{"LANGUAGE", "en"}}, {}},
        {"the option wins", "en", {{"LANGUAGE", "fr"}, {"LANG", "de_DE"}}, {"en"}},
        {"the option C", "C", {{"LANG", "en_US.UTF-8"}}, {}},
        {"a tag with a hyphen", "pt-BR", {}, {"pt-BR", "pt"}},
    };
    for (const Case& c : cases) {
        const auto environment = [&c](const char* name) {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(LanguageCandidates(c.option, environment), c.expected) << c.what;
    }
}

TEST(SelectLanguage, ChoosesABuiltInCatalogueOrKeepsTheSpanish) {
    EXPECT_EQ(SelectLanguage("en_GB.UTF-8"), "en");
    EXPECT_EQ(Tr("Repetir"), "Repeat");
    EXPECT_EQ(SelectLanguage("xx"), "");  // no catalogue: the program's own texts
    EXPECT_EQ(Tr("Repetir"), "Repetir");
    EXPECT_EQ(SelectLanguage("C"), "");
    EXPECT_EQ(ActiveCatalogue().size(), 0u);
    const std::vector<std::string> languages = BuiltInLanguages();
    EXPECT_NE(std::find(languages.begin(), languages.end(), "en"), languages.end());
    EXPECT_NE(std::find(languages.begin(), languages.end(), "qps"), languages.end());
}

}  // namespace
}  // namespace vekora

namespace vekora {
namespace {

// The console speaks UTF-8 when the environment names a UTF-8 locale, also one this machine
// has not installed (setlocale then keeps C): a translation's accents must not reach a UTF-8
// terminal as Latin-1 bytes.
TEST(LocaleWantsUtf8, FollowsTheEnvironmentWhereTheLocaleIsMissing) {
    struct Case {
        const char* lang;
        bool utf8;
    };
    const Case cases[] = {
        {"xx_YY.UTF-8", true},
        {"xx_YY.utf8", true},
        {"xx_YY.ISO-8859-1", false},
        {"xx_YY", false},
        {"C", false},
    };
    for (const Case& c : cases) {
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_CTYPE");
        ::setenv("LANG", c.lang, 1);
        std::setlocale(LC_CTYPE, "");
        EXPECT_EQ(LocaleWantsUtf8(), c.utf8) << c.lang;
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace vekora
