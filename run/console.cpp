// Console lines in the locale's encoding.
#include "run/console.h"

#include <langinfo.h>

#include <cstring>

#include "draw/math_text.h"

namespace vekora {
void Console::PrintLine(std::string_view latin1) { out_ << TerminalText(latin1, utf8_) << '\n'; }

bool LocaleWantsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

}  // namespace vekora
