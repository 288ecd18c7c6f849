// The hash of names and keywords: a few bytes each, hashed a byte at a time (FNV-1a) and
// mixed so that the low bits an index uses depend on every byte. Cheaper for such short texts
// than the library's general string hash, which the compiler calls for every token.
#pragma once

#include <cstdint>
#include <string_view>

namespace vekora {

inline std::uint64_t NameHash(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char byte : text) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001B3ull;
    }
    hash ^= hash >> 32;
    hash *= 0xD6E8FEB86659FD93ull;
    return hash ^ (hash >> 32);
}

}  // namespace vekora
