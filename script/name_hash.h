// The hash of names: a few bytes each, read a word at a time (the last word overlapping the
// one before it, the shortest names byte by byte) and mixed so that every bit of the result,
// the low bits an index places by and the high bits it marks with, depends on every byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vekora {

namespace name_hash_detail {

inline std::uint64_t Load64(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

inline std::uint64_t Load32(const char* bytes) {
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// A bijection of 64-bit words in which each output bit depends on every input bit.
inline std::uint64_t Avalanche(std::uint64_t word) {
    word ^= word >> 33;
    word *= 0xFF51AFD7ED558CCDull;
    word ^= word >> 33;
    word *= 0xC4CEB9FE1A85EC53ull;
    return word ^ (word >> 33);
}

}  // namespace name_hash_detail

inline std::uint64_t NameHash(std::string_view text) {
    using namespace name_hash_detail;
    const char* bytes = text.data();
    const std::size_t size = text.size();
    std::uint64_t hash = size * 0x9E3779B97F4A7C15ull;
    if (size >= 8) {
        std::size_t i = 0;
        for (; i + 8 < size; i += 8) hash = (hash ^ Load64(bytes + i)) * 0xD6E8FEB86659FD93ull;
        return Avalanche(hash ^ Load64(bytes + size - 8));
    }
    std::uint64_t word = 0;
    if (size >= 4) {
        word = Load32(bytes) | (Load32(bytes + size - 4) << 32);
    } else if (size > 0) {
        const auto byte = [&](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])); };
        word = byte(0) | (byte(size / 2) << 8) | (byte(size - 1) << 16);
    }
    return Avalanche(hash ^ word);
}

}  // namespace vekora
