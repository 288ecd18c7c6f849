// Writing sampled frames as numbered PNG files.
#include "platform/frames_writer.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/png_writer.h"

namespace vekora {

FramesWriter::FramesWriter(std::string folder, double framesPerSecond)
    : ScreenSampler(framesPerSecond), folder_(std::move(folder)) {
    std::error_code failure;
    std::filesystem::create_directories(folder_, failure);
    if (failure) error_ = folder_ + ": cannot create the folder (" + failure.message() + ")";
}

void FramesWriter::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    (void)startSeconds;
    (void)endSeconds;
    if (!error_.empty()) return;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", written_);
    error_ = WritePng(frame, (std::filesystem::path(folder_) / name).string());
    ++written_;
}

std::string FramesWriter::Close(double endSeconds) {
    Finish(endSeconds);
    return error_;
}

}  // namespace vekora
