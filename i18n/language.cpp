// Choosing the process's catalogue, looking texts up in it, and filling in patterns.
#include "i18n/language.h"

#include <cstdlib>

#include "resources/embedded.h"

namespace vekora {
namespace {

constexpr std::string_view CatalogueType = "catalogue";

Catalogue& Active() {
    static Catalogue active;
    return active;
}

// "C", "POSIX" and "C.UTF-8" speak the program's own language.
bool IsCLocale(std::string_view locale) {
    return locale == "C" || locale == "POSIX" || locale.starts_with("C.") || locale.starts_with("C@");
}

// "en_US.UTF-8@euro" gives "en_US" and "en"; "de" gives "de".
void AddCodes(std::string_view locale, std::vector<std::string>& codes) {
    if (locale.empty() || IsCLocale(locale)) return;
    const std::string_view withoutExtras = locale.substr(0, locale.find_first_of(".@"));
    if (withoutExtras.empty()) return;
    codes.emplace_back(withoutExtras);
    const std::size_t territory = withoutExtras.find_first_of("_-");
    if (territory != std::string_view::npos && territory > 0) codes.emplace_back(withoutExtras.substr(0, territory));
}

}  // namespace

std::string_view Tr(std::string_view source) { return Active().Find(source); }

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
    std::string text;
    text.reserve(pattern.size() + 16);
    std::size_t next = 0;  // the argument a plain "%s" takes
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            text.push_back(pattern[i]);
            continue;
        }
        if (pattern[i + 1] == '%') {
            text.push_back('%');
            ++i;
            continue;
        }
        std::size_t index = next;
        std::size_t end = i + 1;
        if (pattern[end] >= '1' && pattern[end] <= '9' && end + 2 < pattern.size() && pattern[end + 1] == '$' &&
            pattern[end + 2] == 's') {
            index = static_cast<std::size_t>(pattern[end] - '1');
            end += 2;
        } else if (pattern[end] == 's') {
            ++next;
        } else {
            text.push_back('%');  // not a directive of ours: kept as written
            continue;
        }
        if (index < arguments.size()) text += arguments.begin()[index];
        i = end;
    }
    return text;
}

std::string TrFormat(std::string_view source, std::initializer_list<std::string_view> arguments) {
    return FormatText(Tr(source), arguments);
}

std::string TrFormat(const Catalogue& language, std::string_view source,
                     std::initializer_list<std::string_view> arguments) {
    return FormatText(language.Find(source), arguments);
}

std::vector<std::string> LanguageCandidates(std::string_view requested,
                                            const std::function<std::string(const char*)>& environment) {
    std::vector<std::string> codes;
    if (!requested.empty()) {
        AddCodes(requested, codes);
        return codes;
    }
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = environment(name);
        if (!locale.empty()) break;
    }
    // gettext reads LANGUAGE only when a locale other than C is set.
    if (locale.empty() || IsCLocale(locale)) return codes;
    const std::string languages = environment("LANGUAGE");
    for (std::size_t start = 0; start < languages.size();) {
        const std::size_t colon = std::min(languages.find(':', start), languages.size());
        AddCodes(std::string_view(languages).substr(start, colon - start), codes);
        start = colon + 1;
    }
    AddCodes(locale, codes);
    return codes;
}

std::string SelectLanguage(std::string_view requested) {
    const auto environment = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    for (const std::string& code : LanguageCandidates(requested, environment)) {
        const EmbeddedResource* resource = FindEmbeddedResource(CatalogueType, code);
        if (resource == nullptr) continue;
        std::optional<Catalogue> catalogue = Catalogue::FromMo(resource->bytes);
        if (!catalogue) continue;
        Active() = std::move(*catalogue);
        return code;
    }
    Active() = Catalogue();
    return {};
}

const Catalogue& ActiveCatalogue() { return Active(); }

const Catalogue& SourceTexts() {
    static const Catalogue none;
    return none;
}

std::vector<std::string> BuiltInLanguages() {
    std::vector<std::string> codes;
    for (const EmbeddedResource& resource : EmbeddedResources())
        if (resource.type == CatalogueType) codes.emplace_back(resource.name);
    return codes;
}

}  // namespace vekora
