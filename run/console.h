// The console as the program's reports use it: Latin-1 text in, UTF-8 out when the
// locale asks for it.
#pragma once

#include <ostream>
#include <string_view>

namespace vekora {

class Console {
public:
    Console(std::ostream& out, bool utf8) : out_(out), utf8_(utf8) {}

    void PrintLine(std::string_view latin1);

private:
    std::ostream& out_;
    bool utf8_;
};

// True when the C library's character type locale (as main sets it from the
// environment) uses UTF-8.
bool LocaleWantsUtf8();

}  // namespace vekora
