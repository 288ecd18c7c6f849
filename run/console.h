// The console as the program's reports use it: Latin-1 text in, UTF-8 out when the
// locale asks for it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace vekora {

// The Latin-1 text as a terminal is given it: in UTF-8 when `utf8`, with every control byte
// but TAB and LF shown in caret notation (ESC as "^[", DEL as "^?", the 8-bit controls as
// "M-^["), so that bytes from a script never reach the terminal as escape sequences. A math
// sign (its escape and the byte after it) is kept whole.
std::string TerminalText(std::string_view latin1, bool utf8);
// How many columns TerminalText gives the byte: 2 or 4 for a control shown in caret notation.
std::size_t TerminalColumns(unsigned char byte);

// The errors and warnings a terminal is shown of one compilation; a count stands for the rest
// (a script of a million wrong lines would otherwise scroll millions of lines past).
constexpr std::size_t MostDiagnosticsShown = 100;

// Every line goes through TerminalText.
class Console {
public:
    Console(std::ostream& out, bool utf8) : out_(out), utf8_(utf8) {}

    void PrintLine(std::string_view latin1);

private:
    std::ostream& out_;
    bool utf8_;
};

// True when the C library's character type locale (as main sets it from the
// environment) uses UTF-8, or, where that locale is not installed (a container with C.UTF-8
// only), when the environment names a UTF-8 locale all the same.
bool LocaleWantsUtf8();

// A Latin-1 text as the console wants it: UTF-8 when the locale asks for it.
std::string ConsoleText(std::string_view latin1);

}  // namespace vekora
