// LZW for GIF frames. The string table is an open-addressed hash of (prefix code, index)
// pairs, cleared when the codes run out, so that no frame allocates per pixel.
#include "platform/gif_lzw.h"

#include <algorithm>

namespace vekora {
namespace {

constexpr int MaxCodeBits = 12;
// Codes go up to 4094: the table is cleared before 4095 would be given, for decoders that
// mishandle a table filled to its last code.
constexpr std::uint32_t LastCode = (1u << MaxCodeBits) - 2;
// Twice the codes a table holds, a power of two: probes stay short.
constexpr std::uint32_t HashSlots = 1u << (MaxCodeBits + 1);
constexpr std::uint32_t EmptySlot = 0xFFFFFFFFu;  // prefix 4095 never takes a code: no pair packs to this

// Codes of growing width, least significant bit first, cut into sub-blocks of 255 bytes.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(std::uint32_t code, int bits) {
        buffer_ |= static_cast<std::uint64_t>(code) << filled_;
        filled_ += bits;
        while (filled_ >= 8) {
            Byte(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }
    void Finish() {
        if (filled_ > 0) Byte(static_cast<std::uint8_t>(buffer_));
        if (blockStart_ != NoBlock) out_[blockStart_] = static_cast<std::uint8_t>(out_.size() - blockStart_ - 1);
        out_.push_back(0);  // the block terminator
    }

private:
    static constexpr std::size_t NoBlock = static_cast<std::size_t>(-1);
    // Bytes go straight into `out`, behind a count byte filled in when the block is full.
    void Byte(std::uint8_t value) {
        if (blockStart_ == NoBlock) {
            blockStart_ = out_.size();
            out_.push_back(0);
        }
        out_.push_back(value);
        if (out_.size() - blockStart_ == 256) {
            out_[blockStart_] = 255;
            blockStart_ = NoBlock;
        }
    }
    std::vector<std::uint8_t>& out_;
    std::size_t blockStart_ = NoBlock;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

// Slots hold prefix << 20 | index << 12 | code; the pair (prefix, index) is the key.
class StringTable {
public:
    StringTable() : slots_(HashSlots, EmptySlot) {}
    void Clear() { std::fill(slots_.begin(), slots_.end(), EmptySlot); }
    // The slot of the pair: where it is, or the empty slot where it goes.
    std::uint32_t& Slot(std::uint32_t key) {
        std::uint32_t at = (key * 2654435761u) >> (32 - (MaxCodeBits + 1));
        while (slots_[at] != EmptySlot && slots_[at] >> MaxCodeBits != key) at = (at + 1) & (HashSlots - 1);
        return slots_[at];
    }

private:
    std::vector<std::uint32_t> slots_;
};

}  // namespace

void AppendLzwImageData(std::vector<std::uint8_t>& out, int codeSizeBits, const IndexRows& rows) {
    const std::uint32_t clear = 1u << codeSizeBits, endOfInformation = clear + 1;
    out.push_back(static_cast<std::uint8_t>(codeSizeBits));
    CodeWriter writer(out);
    StringTable table;
    int bits = codeSizeBits + 1;
    std::uint32_t next = endOfInformation + 1;
    writer.Put(clear, bits);
    std::uint32_t prefix = EmptySlot;  // no string yet
    for (std::size_t y = 0; y < rows.height; ++y) {
        const std::uint8_t* row = rows.first + y * rows.stride;
        for (std::size_t x = 0; x < rows.width; ++x) {
            const std::uint32_t index = row[x];
            if (prefix == EmptySlot) {
                prefix = index;
                continue;
            }
            const std::uint32_t key = prefix << 8 | index;
            std::uint32_t& slot = table.Slot(key);
            if (slot != EmptySlot) {
                prefix = slot & ((1u << MaxCodeBits) - 1);
                continue;
            }
            writer.Put(prefix, bits);
            if (next <= LastCode) {
                slot = key << MaxCodeBits | next;
                // The decoder widens its codes one code later than the encoder gives them.
                if (next == (1u << bits)) ++bits;
                ++next;
            } else {
                writer.Put(clear, bits);
                table.Clear();
                bits = codeSizeBits + 1;
                next = endOfInformation + 1;
            }
            prefix = index;
        }
    }
    if (prefix != EmptySlot) writer.Put(prefix, bits);
    // The decoder gives a code for this last one too, and may widen before the end code.
    if (next == (1u << bits)) ++bits;
    writer.Put(endOfInformation, bits);
    writer.Finish();
}

}  // namespace vekora
