// Reads a .mo file: a header of 32-bit words, then two tables of (length, offset) pairs, one
// for the source texts and one for their translations, in the same order.
#include "i18n/catalogue.h"

#include <algorithm>

#include "draw/math_text.h"

namespace vekora {
namespace {

constexpr std::uint32_t MagicLittle = 0x950412DE;
constexpr std::uint32_t MagicBig = 0xDE120495;
constexpr std::size_t HeaderWords = 5;  // magic, revision, count, source table, translation table

class MoReader {
public:
    explicit MoReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Open() {
        if (bytes_.size() < HeaderWords * 4) return false;
        const std::uint32_t magic = Word(0, false);
        if (magic != MagicLittle && magic != MagicBig) return false;
        bigEndian_ = magic == MagicBig;
        return (Word(4) >> 16) == 0;  // major revision 0: the only layout there is
    }

    std::uint32_t Count() const { return Word(8); }
    std::uint32_t SourceTable() const { return Word(12); }
    std::uint32_t TranslationTable() const { return Word(16); }

    // The text at entry `index` of the table at `table`; empty when it lies outside the file.
    std::optional<std::string_view> Text(std::uint32_t table, std::uint32_t index) const {
        const std::uint64_t entry = table + std::uint64_t{index} * 8;
        if (entry + 8 > bytes_.size()) return std::nullopt;
        const std::uint32_t length = Word(static_cast<std::size_t>(entry));
        const std::uint32_t offset = Word(static_cast<std::size_t>(entry + 4));
        if (std::uint64_t{offset} + length > bytes_.size()) return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + offset, length);
    }

private:
    std::uint32_t Word(std::size_t at) const { return Word(at, bigEndian_); }
    std::uint32_t Word(std::size_t at, bool bigEndian) const {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t byte = bigEndian ? i : 3 - i;
            word = (word << 8) | bytes_[at + byte];
        }
        return word;
    }

    std::span<const std::uint8_t> bytes_;
    bool bigEndian_ = false;
};

}  // namespace

std::optional<Catalogue> Catalogue::FromMo(std::span<const std::uint8_t> bytes) {
    MoReader reader(bytes);
    if (!reader.Open()) return std::nullopt;
    Catalogue catalogue;
    const std::uint32_t count = reader.Count();
    if (count > bytes.size() / 16) return std::nullopt;  // two 8-byte entries a text at least
    catalogue.texts_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::optional<std::string_view> source = reader.Text(reader.SourceTable(), i);
        const std::optional<std::string_view> translation = reader.Text(reader.TranslationTable(), i);
        if (!source || !translation) return std::nullopt;
        // The empty source is the header; a context or a plural form is nothing we look up.
        if (source->empty() || source->find('\x04') != std::string_view::npos ||
            source->find('\0') != std::string_view::npos) {
            continue;
        }
        catalogue.texts_.emplace_back(Utf8ToMathText(*source), Utf8ToMathText(*translation));
    }
    std::sort(catalogue.texts_.begin(), catalogue.texts_.end());
    return catalogue;
}

std::string_view Catalogue::Find(std::string_view source) const {
    const auto found = std::lower_bound(texts_.begin(), texts_.end(), source,
                                        [](const auto& entry, std::string_view text) { return entry.first < text; });
    if (found == texts_.end() || found->first != source || found->second.empty()) return source;
    return found->second;
}

}  // namespace vekora
