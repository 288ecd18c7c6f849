// The console as the program's reports use it: Latin-1 text in, UTF-8 out when the
// locale asks for it.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "draw/math_text.h"

namespace vekora {

// The errors and warnings a terminal is shown of one compilation; a count stands for the rest
// (a script of a million wrong lines would otherwise scroll millions of lines past).
constexpr std::size_t MostDiagnosticsShown = 100;

// Every line goes through TerminalText (draw/math_text.h).
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
