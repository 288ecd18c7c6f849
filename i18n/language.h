// The language the program speaks: the catalogue chosen once for the process, and the lookup
// every text a person reads goes through. Without a choice, or when the choice has no
// catalogue, every text is its source: the Spanish (Latin-1) the program has always spoken.
//
// One choice for the whole process, made before the first text is shown, as gettext's is:
// texts are looked up deep inside the compiler and the interpreter, where no run context
// reaches, and a lesson never changes language half-way.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/catalogue.h"

namespace vekora {

// Marks a source text for the catalogue's template without translating it, for a table of
// texts that are translated where they are shown.
constexpr std::string_view N_(std::string_view source) { return source; }

// The translation of a source text in the process's language (Latin-1).
std::string_view Tr(std::string_view source);

// A translated pattern with its "%s" (or "%1$s", "%2$s" for a translation that reorders)
// replaced by the arguments, in order; "%%" is a percent sign.
std::string TrFormat(std::string_view source, std::initializer_list<std::string_view> arguments);

// The same in the language of `language` rather than the process's.
std::string TrFormat(const Catalogue& language, std::string_view source,
                     std::initializer_list<std::string_view> arguments);

// The same replacement without translation (for a pattern already looked up).
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> arguments);

// The codes to try for a language request, best first: "en_US.UTF-8@euro" gives "en_US",
// "en". `requested` is the --lang option; when it is empty the environment decides as gettext
// lets it: LANGUAGE (a list separated by colons) unless the locale is C, then the first set of
// LC_ALL, LC_MESSAGES and LANG. C, POSIX and nothing set give no codes. `environment` reads
// one variable (empty when unset).
std::vector<std::string> LanguageCandidates(std::string_view requested,
                                            const std::function<std::string(const char*)>& environment);

// Chooses the catalogue of the first candidate that has one among the catalogues built into
// the program, and returns its code ("" when the program keeps its Spanish). Reads the process
// environment; call it once, before any text is shown.
std::string SelectLanguage(std::string_view requested);

// The catalogue in use; the empty one until a language with a catalogue is selected.
const Catalogue& ActiveCatalogue();

// No catalogue: the specified Spanish, for what keeps it in every language (the report file).
const Catalogue& SourceTexts();

// The codes of the catalogues built into the program, as their PO files are named.
std::vector<std::string> BuiltInLanguages();

}  // namespace vekora
