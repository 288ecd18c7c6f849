// The keys typed for the viewer at each wait for one.
#include "platform/viewer_answers.h"

#include <algorithm>
#include <charconv>

#include "platform/key_table.h"

namespace vekora {
namespace {

constexpr std::string_view EnterKey = KeyBytes(NamedKey::Enter);
constexpr std::string_view EscapeKey = KeyBytes(NamedKey::Escape);
constexpr std::string_view DownKey = KeyBytes(NamedKey::Down);

constexpr std::int32_t MostItems = 127;

}  // namespace

std::optional<std::vector<std::int32_t>> ParseChoices(std::string_view text) {
    std::vector<std::int32_t> choices;
    std::size_t at = 0;
    do {
        const std::size_t comma = std::min(text.find(',', at), text.size());
        const std::string_view number = text.substr(at, comma - at);
        std::int32_t item = 0;
        const auto [end, status] = std::from_chars(number.data(), number.data() + number.size(), item);
        if (number.empty() || status != std::errc() || end != number.data() + number.size() || item < 1 ||
            item > MostItems) {
            return std::nullopt;
        }
        choices.push_back(item);
        at = comma + 1;
    } while (at <= text.size());
    return choices;
}

ViewerAnswers::ViewerAnswers(std::int64_t afterMs, std::vector<std::int32_t> choices)
    : afterMs_(afterMs), choices_(std::move(choices)) {}

std::int32_t ViewerAnswers::ItemFor(const ViewerWait& wait) {
    if (nextChoice_ < choices_.size()) return choices_[nextChoice_++];
    return ++offered_[{wait.procedure, wait.row}];
}

std::vector<std::string> ViewerAnswers::KeysFor(const ViewerWait& wait) {
    if (wait.kind == ViewerWaitKind::Menu) {
        if (afterMs_ < 0 && nextChoice_ >= choices_.size()) return {};
        if (wait.menuItems <= 0) return {std::string(EscapeKey)};
        // The menu opens on its first item; Down past the last stays there.
        const std::int32_t item = std::clamp(ItemFor(wait), 1, wait.menuItems);
        std::vector<std::string> keys(static_cast<std::size_t>(item - 1), std::string(DownKey));
        keys.emplace_back(EnterKey);
        return keys;
    }
    if (afterMs_ < 0) return {};
    return {std::string(wait.kind == ViewerWaitKind::Drag ? EscapeKey : EnterKey)};
}

void ViewerAnswers::Restart() {
    nextChoice_ = 0;
    offered_.clear();
}

}  // namespace vekora
