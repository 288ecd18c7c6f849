// Console lines in the locale's encoding.
#include "run/console.h"

#include <langinfo.h>

#include <cstring>

#include "draw/math_text.h"

namespace vekora {
namespace {

bool IsShownControl(unsigned char byte) {
    const unsigned char low = byte & 0x7F;
    return (low < 0x20 || low == 0x7F) && byte != '\t' && byte != '\n';
}

}  // namespace

std::size_t TerminalColumns(unsigned char byte) {
    if (!IsShownControl(byte)) return 1;
    return byte >= 0x80 ? 4 : 2;
}

std::string TerminalText(std::string_view latin1, bool utf8) {
    std::string shown;
    shown.reserve(latin1.size());
    for (std::size_t i = 0; i < latin1.size(); ++i) {
        const auto byte = static_cast<unsigned char>(latin1[i]);
        if (latin1[i] == MathSignEscape && i + 1 < latin1.size()) {
            shown.append(latin1.substr(i, 2));
            ++i;
        } else if (IsShownControl(byte)) {
            if (byte >= 0x80) shown += "M-";
            shown.push_back('^');
            shown.push_back(static_cast<char>((byte & 0x7F) ^ 0x40));
        } else {
            shown.push_back(static_cast<char>(byte));
        }
    }
    return utf8 ? MathTextToUtf8(shown) : shown;
}

void Console::PrintLine(std::string_view latin1) { out_ << TerminalText(latin1, utf8_) << '\n'; }

bool LocaleWantsUtf8() {
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

}  // namespace vekora
