// The GIF file format and its LZW compression, written to memory.
#include "web/src/gif_stream.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "draw/image_surface.h"

namespace vekora {
namespace {

// The longest delay one GIF frame can carry; longer frames are repeated.
constexpr std::int64_t MaxDelayCentiseconds = 0xFFFF;
constexpr int MaxCodeBits = 12;

std::int64_t Centiseconds(double seconds) { return std::llround(seconds * 100.0); }

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// Codes of growing width, least significant bit first, cut into sub-blocks of 255 bytes.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(std::uint32_t code, int bits) {
        buffer_ |= code << filled_;
        filled_ += bits;
        while (filled_ >= 8) {
            Byte(static_cast<std::uint8_t>(buffer_ & 0xFF));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }
    void Finish() {
        if (filled_ > 0) Byte(static_cast<std::uint8_t>(buffer_ & 0xFF));
        if (!block_.empty()) Flush();
        out_.push_back(0);  // block terminator
    }

private:
    void Byte(std::uint8_t value) {
        block_.push_back(value);
        if (block_.size() == 255) Flush();
    }
    void Flush() {
        out_.push_back(static_cast<std::uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }
    std::vector<std::uint8_t>& out_;
    std::vector<std::uint8_t> block_;
    std::uint32_t buffer_ = 0;
    int filled_ = 0;
};

// The image data of one frame: the minimum code size, then the LZW codes of `pixels`.
void WriteLzw(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& pixels) {
    constexpr int MinCodeBits = 8;
    constexpr std::uint32_t Clear = 1u << MinCodeBits, EndOfInformation = Clear + 1;
    out.push_back(MinCodeBits);
    CodeWriter writer(out);
    std::unordered_map<std::uint32_t, std::uint32_t> table;  // prefix code << 8 | byte -> code
    int bits = MinCodeBits + 1;
    std::uint32_t next = EndOfInformation + 1;
    writer.Put(Clear, bits);
    if (pixels.empty()) {
        writer.Put(EndOfInformation, bits);
        writer.Finish();
        return;
    }
    std::uint32_t prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = prefix << 8 | pixels[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Put(prefix, bits);
        if (next < (1u << MaxCodeBits)) {
            table.emplace(key, next);
            // The decoder widens its codes one code later than the encoder assigns it.
            if (next == (1u << bits) && bits < MaxCodeBits) ++bits;
            ++next;
        } else {
            writer.Put(Clear, bits);
            table.clear();
            bits = MinCodeBits + 1;
            next = EndOfInformation + 1;
        }
        prefix = pixels[i];
    }
    writer.Put(prefix, bits);
    writer.Put(EndOfInformation, bits);
    writer.Finish();
}

}  // namespace

void GifStream::WriteHeader() {
    const char signature[] = "GIF89a";
    bytes_.insert(bytes_.end(), signature, signature + 6);
    PutWord(bytes_, static_cast<std::uint32_t>(width_));
    PutWord(bytes_, static_cast<std::uint32_t>(height_));
    bytes_.insert(bytes_.end(), {0x00, 0x00, 0x00});  // no global colour table
    // Loop forever.
    const char loop[] = "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00";
    bytes_.insert(bytes_.end(), loop, loop + 19);
}

void GifStream::WriteFrame(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::uint16_t delay) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04, 0x00});  // graphic control: no disposal, no transparency
    PutWord(bytes_, delay);
    bytes_.insert(bytes_.end(), {0x00, 0x00});
    bytes_.push_back(0x2C);
    PutWord(bytes_, static_cast<std::uint32_t>(x0));
    PutWord(bytes_, static_cast<std::uint32_t>(y0));
    PutWord(bytes_, static_cast<std::uint32_t>(x1 - x0 + 1));
    PutWord(bytes_, static_cast<std::uint32_t>(y1 - y0 + 1));
    // A local colour table of 2^(n+1) entries, the palette padded with black.
    int sizeBits = 0;
    while ((2u << sizeBits) < paletteBytes_.size() / 3) ++sizeBits;
    bytes_.push_back(static_cast<std::uint8_t>(0x80 | sizeBits));
    std::vector<std::uint8_t> table = paletteBytes_;
    table.resize((2u << sizeBits) * 3, 0);
    bytes_.insert(bytes_.end(), table.begin(), table.end());
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(x1 - x0 + 1) * (y1 - y0 + 1));
    for (std::int32_t y = y0; y <= y1; ++y) {
        const auto row = indices_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        pixels.insert(pixels.end(), row + x0, row + x1 + 1);
    }
    WriteLzw(bytes_, pixels);
}

void GifStream::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    const Surface surface = ResolveSurface(frame);
    if (bytes_.empty()) {
        width_ = surface.width;
        height_ = surface.height;
        WriteHeader();
    }
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(width_) * height_, 0);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(surface.width));
    for (std::int32_t y = 0; y < std::min(height_, surface.height); ++y) {
        RowRgb(surface, y, row.data());
        std::copy_n(row.begin(), std::min(width_, surface.width), colours.begin() + static_cast<std::ptrdiff_t>(y) * width_);
    }
    const bool sameIndices = palette_.Map(colours, indices_) && previous_.size() == indices_.size();
    paletteBytes_ = palette_.Bytes();
    // The rectangle that changed; a frame that changed nothing keeps one pixel for its delay.
    std::int32_t x0 = 0, y0 = 0, x1 = width_ - 1, y1 = height_ - 1;
    if (sameIndices) {
        x0 = width_, y0 = height_, x1 = -1, y1 = -1;
        for (std::int32_t y = 0; y < height_; ++y) {
            for (std::int32_t x = 0; x < width_; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
                if (indices_[at] == previous_[at]) continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        }
        if (x1 < 0) x0 = x1 = y0 = y1 = 0;
    }
    // Delays are rounded on the clock, not frame by frame, so the total time stays right;
    // a frame is shown for at least one hundredth of a second.
    std::int64_t delay = std::max<std::int64_t>(1, Centiseconds(endSeconds) - Centiseconds(startSeconds));
    for (bool first = true; delay > 0; first = false) {
        const auto part = static_cast<std::uint16_t>(std::min(delay, MaxDelayCentiseconds));
        if (first) WriteFrame(x0, y0, x1, y1, part);
        else WriteFrame(0, 0, 0, 0, part);
        delay -= part;
    }
    previous_ = indices_;
}

std::vector<std::uint8_t> GifStream::Close(double endSeconds) {
    Finish(endSeconds);
    if (bytes_.empty()) return {};
    bytes_.push_back(0x3B);
    return std::move(bytes_);
}

}  // namespace vekora
