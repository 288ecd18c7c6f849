// Writing the animated GIF. The frame before is kept as raw pixels and as palette indices:
// a frame is compared with it row by row and word by word, and only the rectangle that
// changed is mapped to the palette and encoded.
#include "platform/gif_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <utility>

#include "i18n/language.h"
#include "platform/gif_lzw.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

// The longest delay one GIF frame can carry; longer frames are repeated.
constexpr std::int64_t MaxDelayCentiseconds = 0xFFFF;

std::int64_t Centiseconds(double seconds) { return std::llround(seconds * 100.0); }

// The first and one past the last byte where two rows differ, compared 8 bytes at a time;
// {n, n} when they are equal.
std::pair<std::size_t, std::size_t> DifferingBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    const auto word = [](const std::uint8_t* at) {
        std::uint64_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    };
    std::size_t first = 0;
    while (first + 8 <= n && word(a + first) == word(b + first)) first += 8;
    while (first < n && a[first] == b[first]) ++first;
    if (first == n) return {n, n};
    std::size_t end = n;
    while (end >= first + 8 && word(a + end - 8) == word(b + end - 8)) end -= 8;
    while (end > first && a[end - 1] == b[end - 1]) --end;
    return {first, end};
}

// The bits of a colour table's size: 2^bits entries (at least two) hold `bytes` / 3 colours.
int ColourTableBits(std::size_t bytes) {
    int bits = 1;
    while ((std::size_t{3} << bits) < bytes) ++bits;
    return bits;
}

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

GifRecorder::GifRecorder(std::string path, double framesPerSecond)
    : ScreenSampler(framesPerSecond), path_(std::move(path)) {}

GifRecorder::GifRecorder(double framesPerSecond) : ScreenSampler(framesPerSecond) {}

GifRecorder::~GifRecorder() {
    if (stream_ != nullptr) std::fclose(stream_);
}

bool GifRecorder::Open(ImageHandle frame) {
    const Surface size = ResolveSurface(frame);  // pixels, at the run's render scale
    width_ = std::min(size.width, 0xFFFF);
    height_ = std::min(size.height, 0xFFFF);
    if (!path_.empty()) {
        file_ = std::make_unique<AtomicFile>(path_);
        if (!file_->Ready()) {
            error_ = file_->Error();
            return false;
        }
        stream_ = std::fopen(file_->TempPath().c_str(), "wb");
        if (stream_ == nullptr) {
            error_ = TrFormat(N_("%s: cannot create the GIF (%s)"), {path_, std::strerror(errno)});
            return false;
        }
    }
    opened_ = true;
    WriteHeader();
    indices_.assign(static_cast<std::size_t>(width_) * height_, 0);
    return true;
}

void GifRecorder::WriteHeader() {
    const char signature[] = "GIF89a";
    bytes_.insert(bytes_.end(), signature, signature + 6);
    PutWord(bytes_, static_cast<std::uint32_t>(width_));
    PutWord(bytes_, static_cast<std::uint32_t>(height_));
    // No global colour table (each frame brings its own), 8 bits a colour and the unused
    // table size at 256 entries; background 0, square pixels.
    bytes_.insert(bytes_.end(), {0x77, 0x00, 0x00});
    // Loops forever: the NETSCAPE2.0 application block, 0 repeats meaning without end.
    const char loopForever[] = "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00";
    bytes_.insert(bytes_.end(), loopForever, loopForever + 19);
    Flush();
}

void GifRecorder::Flush() {
    if (stream_ == nullptr || bytes_.empty()) return;
    if (std::fwrite(bytes_.data(), 1, bytes_.size(), stream_) != bytes_.size() && error_.empty()) {
        error_ = TrFormat(N_("%s: cannot write a frame of the GIF"), {path_});
    }
    bytes_.clear();
}

bool GifRecorder::MapChangedPixels(const Surface& surface, Window& changed) {
    if (surface.bytesPerPixel != 2 || surface.width != width_ || surface.height != height_ ||
        pixelsDepth_ != 2 || pixelsWidth_ != width_ || pixelsHeight_ != height_ || !palette_.Exact()) {
        return false;
    }
    const std::size_t stride = surface.Stride();
    std::int32_t top = -1, bottom = -1;
    std::size_t firstByte = stride, endByte = 0;
    for (std::int32_t y = 0; y < height_; ++y) {
        const auto [first, end] = DifferingBytes(surface.At(0, y), pixels_.data() + y * stride, stride);
        if (first == end) continue;
        if (top < 0) top = y;
        bottom = y;
        firstByte = std::min(firstByte, first);
        endByte = std::max(endByte, end);
    }
    if (top < 0) {
        changed = {};
        return true;
    }
    changed = {static_cast<std::int32_t>(firstByte / 2), top, static_cast<std::int32_t>((endByte + 1) / 2 - firstByte / 2),
               bottom - top + 1};
    // Colours not yet in the palette, once each in the order they appear.
    std::vector<std::uint32_t> added;
    std::vector<std::uint16_t> addedPixels;
    for (std::int32_t y = changed.top; y < changed.top + changed.height; ++y) {
        const std::uint8_t* row = surface.At(changed.left, y);
        for (std::int32_t x = 0; x < changed.width; ++x) {
            std::uint16_t pixel;
            std::memcpy(&pixel, row + 2 * x, 2);
            if (entryOf16_[pixel] >= 0) continue;
            const std::uint32_t colour = PixelRgb(surface, changed.left + x, y);
            const int entry = palette_.IndexOf(colour);
            if (entry >= 0) {
                entryOf16_[pixel] = static_cast<std::int16_t>(entry);
                continue;
            }
            if (std::find(addedPixels.begin(), addedPixels.end(), pixel) != addedPixels.end()) continue;
            addedPixels.push_back(pixel);
            added.push_back(colour);
        }
    }
    if (!palette_.Extend(added)) return false;
    for (std::size_t i = 0; i < added.size(); ++i) entryOf16_[addedPixels[i]] = static_cast<std::int16_t>(palette_.IndexOf(added[i]));
    for (std::int32_t y = changed.top; y < changed.top + changed.height; ++y) {
        const std::uint8_t* row = surface.At(changed.left, y);
        std::uint8_t* out = indices_.data() + static_cast<std::size_t>(y) * width_ + changed.left;
        for (std::int32_t x = 0; x < changed.width; ++x) {
            std::uint16_t pixel;
            std::memcpy(&pixel, row + 2 * x, 2);
            out[x] = static_cast<std::uint8_t>(entryOf16_[pixel]);
        }
        std::memcpy(pixels_.data() + y * stride + 2 * changed.left, row, 2 * static_cast<std::size_t>(changed.width));
    }
    return true;
}

GifRecorder::Window GifRecorder::MapWholeFrame(const Surface& surface) {
    std::vector<std::uint32_t> colours(static_cast<std::size_t>(width_) * height_, 0);
    const std::int32_t w = std::min(width_, surface.width), h = std::min(height_, surface.height);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(surface.width));
    for (std::int32_t y = 0; y < h; ++y) {
        RowRgb(surface, y, row.data());
        std::copy_n(row.begin(), w, colours.begin() + static_cast<std::ptrdiff_t>(y) * width_);
    }
    const std::vector<std::uint8_t> before = indices_;
    palette_.Map(colours, indices_);
    // The rectangle of the pixels whose colour shows differently (the whole picture at first).
    const auto entryColours = [](const std::vector<std::uint8_t>& bytes) {
        std::vector<std::uint32_t> entries(GifPaletteSize, 0xFF000000u);  // no colour: unused entries differ
        for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) entries[i / 3] = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        return entries;
    };
    const std::vector<std::uint32_t> shown = entryColours(shownPalette_), now = entryColours(palette_.Bytes());
    Window changed{width_, height_, 0, 0};
    std::int32_t right = -1, bottom = -1;
    for (std::int32_t y = 0; y < height_; ++y) {
        for (std::int32_t x = 0; x < width_; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
            if (shown[before[i]] == now[indices_[i]]) continue;
            changed.left = std::min(changed.left, x);
            changed.top = std::min(changed.top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    changed.width = right < 0 ? 0 : right - changed.left + 1;
    changed.height = bottom < 0 ? 0 : bottom - changed.top + 1;
    // The raw pixels, for the next frame's comparison; the look-up table starts afresh.
    const std::size_t bytes = surface.Stride() * static_cast<std::size_t>(surface.height);
    pixels_.assign(surface.pixels, surface.pixels + bytes);
    pixelsWidth_ = surface.width;
    pixelsHeight_ = surface.height;
    pixelsDepth_ = surface.bytesPerPixel;
    entryOf16_.assign(surface.bytesPerPixel == 2 ? 0x10000 : 0, -1);
    return changed;
}

void GifRecorder::WriteFrame(const Window& window, std::int64_t delayCentiseconds) {
    const std::vector<std::uint8_t> palette = palette_.Bytes();
    const int tableBits = ColourTableBits(palette.size());
    // A frame that shows nothing new, and the repeats of a frame longer than a GIF delay, are
    // the picture's top-left pixel drawn again.
    Window drawn = window.Empty() ? Window{0, 0, 1, 1} : window;
    while (delayCentiseconds > 0 && error_.empty()) {
        const auto delay = static_cast<std::uint32_t>(std::min(delayCentiseconds, MaxDelayCentiseconds));
        delayCentiseconds -= delay;
        // Graphic control: drawn over the frame before (disposal 1), the delay, no transparency.
        bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04, 1 << 2});
        PutWord(bytes_, delay);
        bytes_.insert(bytes_.end(), {0x00, 0x00});
        // The image: its place, a local colour table of 2^tableBits entries padded with black,
        // not interlaced.
        bytes_.push_back(0x2C);
        for (const std::int32_t value : {drawn.left, drawn.top, drawn.width, drawn.height}) {
            PutWord(bytes_, static_cast<std::uint32_t>(value));
        }
        bytes_.push_back(static_cast<std::uint8_t>(0x80 | (tableBits - 1)));
        bytes_.insert(bytes_.end(), palette.begin(), palette.end());
        bytes_.resize(bytes_.size() + (std::size_t{3} << tableBits) - palette.size(), 0);
        const IndexRows rows{indices_.data() + static_cast<std::size_t>(drawn.top) * width_ + drawn.left,
                             static_cast<std::size_t>(drawn.width), static_cast<std::size_t>(drawn.height),
                             static_cast<std::size_t>(width_)};
        AppendLzwImageData(bytes_, std::max(2, tableBits), rows);
        Flush();
        drawn = {0, 0, 1, 1};
    }
    shownPalette_ = palette;
}

void GifRecorder::AddFrame(const Surface& surface, std::int64_t delayCentiseconds) {
    Window changed;
    if (!MapChangedPixels(surface, changed)) changed = MapWholeFrame(surface);
    WriteFrame(changed, delayCentiseconds);
}

void GifRecorder::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    if (closed_ || !error_.empty() || (!opened_ && !Open(frame))) return;
    // Delays are rounded on the clock, not frame by frame, so the total time stays right;
    // a frame is shown for at least one hundredth of a second.
    AddFrame(ResolveSurface(frame), std::max<std::int64_t>(1, Centiseconds(endSeconds) - Centiseconds(startSeconds)));
}

std::string GifRecorder::Close(double endSeconds) {
    if (closed_) return error_;
    Finish(endSeconds);
    closed_ = true;
    const std::string name = path_.empty() ? std::string("the GIF") : path_;
    if (!opened_) return error_.empty() ? TrFormat(N_("%s: nothing was shown on the screen to record"), {name}) : error_;
    bytes_.push_back(0x3B);  // the trailer
    Flush();
    if (stream_ != nullptr) {
        if (std::fclose(stream_) != 0 && error_.empty()) error_ = TrFormat(N_("%s: cannot finish writing the GIF"), {path_});
        stream_ = nullptr;
        if (error_.empty()) error_ = file_->Commit();
        file_.reset();
    }
    if (!error_.empty()) bytes_.clear();
    return error_;
}

std::vector<std::uint8_t> GifRecorder::TakeBytes() { return std::move(bytes_); }

}  // namespace vekora
