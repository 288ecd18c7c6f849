// Console lines in the locale's encoding.
#include "run/console.h"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "draw/math_text.h"

namespace vekora {
void Console::PrintLine(std::string_view latin1) { out_ << TerminalText(latin1, utf8_) << '\n'; }

bool LocaleWantsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    if (codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0)) return true;
    // setlocale keeps C when the named locale is missing; the terminal still speaks UTF-8.
    if (std::setlocale(LC_CTYPE, nullptr) == nullptr || std::strcmp(std::setlocale(LC_CTYPE, nullptr), "C") != 0) {
        return false;
    }
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        const std::string_view locale(value);
        const std::size_t dot = locale.find('.');
        if (dot == std::string_view::npos) return false;
        const std::string_view charset = locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
        return charset == "UTF-8" || charset == "utf8" || charset == "UTF8" || charset == "utf-8";
    }
    return false;
}

std::string ConsoleText(std::string_view latin1) {
    return LocaleWantsUtf8() ? MathTextToUtf8(latin1) : std::string(latin1);
}

}  // namespace vekora
