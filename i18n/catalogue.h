// A message catalogue: the texts of one language, found by their source text (the Spanish the
// program speaks without a catalogue, or the English of the command line's help). Read from a
// GNU gettext .mo file, which msgfmt compiles from the language's PO file at build time.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vekora {

class Catalogue {
public:
    // No texts: every text reads as its source.
    Catalogue() = default;

    // The catalogue in the bytes of a .mo file whose texts are UTF-8 (what msgfmt writes for a
    // PO file in UTF-8); texts and sources become Latin-1 as the program holds text, with
    // the Greek font's signs as sign pairs. Empty when the bytes are not such a file.
    static std::optional<Catalogue> FromMo(std::span<const std::uint8_t> bytes);

    // The translation of `source` (Latin-1), or `source` itself when the catalogue has none.
    // The view stays valid while the catalogue and `source` live.
    std::string_view Find(std::string_view source) const;

    std::size_t size() const { return texts_.size(); }

private:
    std::vector<std::pair<std::string, std::string>> texts_;  // sorted by source
};

}  // namespace vekora
