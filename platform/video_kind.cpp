// Which video a file name asks for: shared by the program, which loads the video plugin for
// it, and the plugin, which picks the container by it.
#include <cctype>

#include "platform/plugins.h"

namespace vekora {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i]) return false;
    }
    return true;
}

}  // namespace

VideoKind VideoKindOf(std::string_view path) {
    if (EndsWithIgnoringCase(path, ".mp4")) return VideoKind::Mp4;
    if (EndsWithIgnoringCase(path, ".webm")) return VideoKind::WebM;
    return VideoKind::None;
}

}  // namespace vekora
