// Choosing GIF palettes.
#include "platform/gif_palette.h"

#include <algorithm>
#include <utility>

namespace vekora {
namespace {

std::int32_t Distance(std::uint32_t a, std::uint32_t b) {
    const std::int32_t dr = static_cast<std::int32_t>((a >> 16) & 0xFF) - static_cast<std::int32_t>((b >> 16) & 0xFF);
    const std::int32_t dg = static_cast<std::int32_t>((a >> 8) & 0xFF) - static_cast<std::int32_t>((b >> 8) & 0xFF);
    const std::int32_t db = static_cast<std::int32_t>(a & 0xFF) - static_cast<std::int32_t>(b & 0xFF);
    // Weights after the eye's sensitivity: green most, blue least.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

void GifPalette::Rebuild(const std::unordered_map<std::uint32_t, std::uint32_t>& counts) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> byCount(counts.begin(), counts.end());
    // Most frequent first; equal counts by colour, so that the palette does not depend on hashing.
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    entries_.clear();
    index_.clear();
    for (const auto& [colour, count] : byCount) {
        if (entries_.size() == GifPaletteSize) break;
        index_[colour] = static_cast<std::uint8_t>(entries_.size());
        entries_.push_back(colour);
    }
}

std::uint8_t GifPalette::Nearest(std::uint32_t colour) const {
    std::size_t best = 0;
    for (std::size_t i = 1; i < entries_.size(); ++i) {
        if (Distance(entries_[i], colour) < Distance(entries_[best], colour)) best = i;
    }
    return static_cast<std::uint8_t>(best);
}

bool GifPalette::Map(const std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices) {
    // Pictures of figures are mostly long runs of one colour: runs are counted, not pixels.
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    for (std::size_t i = 0; i < colours.size();) {
        std::size_t end = i + 1;
        while (end < colours.size() && colours[end] == colours[i]) ++end;
        counts[colours[i]] += static_cast<std::uint32_t>(end - i);
        i = end;
    }
    std::size_t missing = 0;
    for (const auto& entry : counts) missing += index_.count(entry.first) == 0 ? 1 : 0;
    bool stable = !entries_.empty() && entries_.size() + missing <= GifPaletteSize;
    if (stable) {
        for (const auto& entry : counts) {
            if (index_.count(entry.first) != 0) continue;
            index_[entry.first] = static_cast<std::uint8_t>(entries_.size());
            entries_.push_back(entry.first);
        }
    } else {
        Rebuild(counts);
    }
    // Colours the palette could not take are mapped once each to their nearest entry.
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    indices.resize(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (i > 0 && colours[i] == colours[i - 1]) {
            indices[i] = indices[i - 1];
            continue;
        }
        const auto found = index_.find(colours[i]);
        if (found != index_.end()) {
            indices[i] = found->second;
            continue;
        }
        const auto cached = nearest.try_emplace(colours[i], 0);
        if (cached.second) cached.first->second = Nearest(colours[i]);
        indices[i] = cached.first->second;
    }
    exact_ = nearest.empty();
    return stable;
}

bool GifPalette::Extend(const std::vector<std::uint32_t>& colours) {
    if (!exact_ || entries_.size() + colours.size() > GifPaletteSize) return false;
    for (const std::uint32_t colour : colours) {
        index_[colour] = static_cast<std::uint8_t>(entries_.size());
        entries_.push_back(colour);
    }
    return true;
}

int GifPalette::IndexOf(std::uint32_t colour) const {
    const auto found = index_.find(colour);
    return found != index_.end() ? found->second : -1;
}

std::vector<std::uint8_t> GifPalette::Bytes() const {
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t colour : entries_) {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                                   static_cast<std::uint8_t>(colour)});
    }
    while (bytes.size() < 6) bytes.push_back(0);
    return bytes;
}

}  // namespace vekora
