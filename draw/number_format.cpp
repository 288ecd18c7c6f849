// Numbers as the marks write them.
#include "draw/number_format.h"

#include <cmath>
#include <cstdio>

namespace vekora {

namespace {

// The largest double has 309 digits before the point.
constexpr int NumberBufferBytes = 400;

std::string Printed(const char* format, double value) {
    char buffer[NumberBufferBytes];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("?");
}

// "-0", "-0.00" and the like: a negative value too small to show.
bool ShowsZero(const std::string& text) { return text.find_first_not_of("-0.") == std::string::npos; }

}  // namespace

std::string FormatMeasure(double value) {
    if (!std::isfinite(value)) return "?";
    std::string text = Printed("%.2f", value);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (ShowsZero(text)) return "0";
    return text;
}

std::string FormatWhole(double value) {
    if (!std::isfinite(value)) return "?";
    const std::string text = Printed("%.0f", std::floor(value));
    return ShowsZero(text) ? "0" : text;
}

}  // namespace vekora
