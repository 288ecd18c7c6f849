// Writing sampled frames as numbered PNG files.
#include "platform/frames_writer.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <filesystem>
#include <system_error>
#include <utility>

#include "i18n/language.h"
#include "platform/png_writer.h"
#include "platform/whole_file.h"

namespace vekora {

FramesWriter::FramesWriter(std::string folder, double framesPerSecond)
    : ScreenSampler(framesPerSecond), folder_(std::move(folder)) {
    std::error_code failure;
    std::filesystem::create_directories(folder_, failure);
    if (failure) error_ = TrFormat(N_("%s: cannot create the folder (%s)"), {folder_, failure.message()});
}

namespace {

constexpr std::string_view IndexName = "frames.tsv";
constexpr std::string_view IndexHeader = "file\tappears_ms\tstays_ms\n";

// Times sampled at a whole number of frames a second are whole milliseconds but for the
// rounding of the division; a GIF's delays are rounded on the same clock.
std::int64_t Milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

std::string WriteText(const std::string& path, const std::string& text) {
    AtomicFile out(path);
    if (!out.Ready()) return out.Error();
    std::ofstream stream(out.TempPath(), std::ios::binary);
    stream << text;
    stream.close();
    if (!stream) return TrFormat(N_("%s: cannot be written"), {path});
    return out.Commit();
}

}  // namespace

void FramesWriter::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    if (!error_.empty()) return;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", written_);
    error_ = WritePng(frame, (std::filesystem::path(folder_) / name).string());
    ++written_;
    const std::int64_t appears = Milliseconds(startSeconds);
    index_ += std::string(name) + "\t" + std::to_string(appears) + "\t" +
              std::to_string(Milliseconds(endSeconds) - appears) + "\n";
}

std::string FramesWriter::Close(double endSeconds) {
    Finish(endSeconds);
    if (!error_.empty()) return error_;
    return WriteText((std::filesystem::path(folder_) / IndexName).string(), std::string(IndexHeader) + index_);
}

}  // namespace vekora
