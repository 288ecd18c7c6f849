// Content-Length framing.
#include "lsp/transport.h"

#include <cstdlib>

namespace vekora::lsp {
namespace {

constexpr std::size_t LargestMessage = std::size_t{256} << 20;  // a 100,000-line lesson is ~3 MB

bool StartsWithNoCase(const std::string& line, std::string_view prefix) {
    if (line.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char a = line[i] >= 'A' && line[i] <= 'Z' ? static_cast<char>(line[i] - 'A' + 'a') : line[i];
        if (a != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadMessage(std::istream& in) {
    std::size_t length = 0;
    bool haveLength = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) {
            if (!haveLength) continue;  // stray blank lines between messages
            if (length > LargestMessage) return std::nullopt;
            std::string body(length, '\0');
            if (!in.read(body.data(), static_cast<std::streamsize>(length))) return std::nullopt;
            return body;
        }
        if (StartsWithNoCase(line, "content-length:")) {
            char* end = nullptr;
            const unsigned long long value = std::strtoull(line.c_str() + 15, &end, 10);
            haveLength = end != line.c_str() + 15;
            length = static_cast<std::size_t>(value);
        }
    }
    return std::nullopt;
}

void WriteMessage(std::ostream& out, const std::string& body) {
    out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
    out.flush();
}

}  // namespace vekora::lsp
