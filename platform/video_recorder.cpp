// Encoding the sampled screen with FFmpeg's libraries: each changed frame is enlarged to the
// video's size (whole-factor, nearest pixel, padded to even sides), converted to yuv420p with
// the BT.709 matrix and tagged so, then handed to the encoder once per video frame it lasts.
#include "platform/video_recorder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <utility>
#include <vector>

#include "draw/image_surface.h"
#include "platform/whole_file.h"

namespace vekora {
namespace {

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Memory refused inside the libraries ends the program as memory refused anywhere else does
// (exit 5, the video left absent), not as a file that could not be written.
int MemoryChecked(int status) {
    if (status == AVERROR(ENOMEM)) throw std::bad_alloc();
    return status;
}

struct Container {
    const char* muxer;
    const char* encoders[2];  // by preference
    // Encoder options: fast enough to encode a lesson in less time than it plays, at a
    // quality that keeps one-pixel lines sharp.
    std::vector<std::pair<const char*, const char*>> options;
    // The index at the front: a slide deck or a web page starts playing before the end arrives.
    bool indexFirst;
};

const Container Mp4 = {"mp4", {"libx264", "h264"}, {{"preset", "veryfast"}, {"tune", "animation"}, {"crf", "18"}}, true};
const Container WebM = {"webm",
                        {"libvpx-vp9", "vp9"},
                        {{"deadline", "realtime"}, {"cpu-used", "8"}, {"crf", "30"}, {"b", "0"}, {"row-mt", "1"}},
                        false};

}  // namespace

// The FFmpeg side: output file, encoder, colour conversion, and the picture of the frame
// being shown, sent again for every video frame it lasts.
struct VideoRecorder::Encoder {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    SwsContext* convert = nullptr;
    AVFrame* picture = nullptr;
    AVPacket* packet = nullptr;
    std::vector<std::uint8_t> rgb;  // the enlarged, padded frame, 3 bytes a pixel
    std::int32_t width = 0, height = 0;  // of the video
    std::uint32_t pad = 0;               // the colour beyond the enlarged frame
    bool headerWritten = false;

    ~Encoder() {
        sws_freeContext(convert);
        av_frame_free(&picture);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format != nullptr) {
            if (format->pb != nullptr) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    // Opens the encoder and the file for frames of `width` x `height` at `fps`; "" or what failed.
    std::string Open(const Container& container, const std::string& file, std::int32_t w, std::int32_t h, int fps) {
        width = w;
        height = h;
        // The encoders report every file on the standard error at the default level; a run's
        // own messages are the only ones its viewer should see. A level the host program
        // chose is left alone.
        if (av_log_get_level() == AV_LOG_INFO) av_log_set_level(AV_LOG_ERROR);
        if (avformat_alloc_output_context2(&format, nullptr, container.muxer, file.c_str()) < 0) return "no muxer";
        const AVCodec* encoder = nullptr;
        for (const char* name : container.encoders) {
            if (encoder == nullptr) encoder = avcodec_find_encoder_by_name(name);
        }
        if (encoder == nullptr) return std::string("no encoder ") + container.encoders[0] + " in this FFmpeg";
        stream = avformat_new_stream(format, nullptr);
        codec = avcodec_alloc_context3(encoder);
        picture = av_frame_alloc();
        packet = av_packet_alloc();
        if (stream == nullptr || codec == nullptr || picture == nullptr || packet == nullptr) throw std::bad_alloc();
        codec->width = width;
        codec->height = height;
        codec->pix_fmt = AV_PIX_FMT_YUV420P;
        codec->time_base = AVRational{1, fps};
        codec->framerate = AVRational{fps, 1};
        codec->gop_size = fps * 10;  // a key frame every 10 s, so players can seek
        codec->color_range = AVCOL_RANGE_MPEG;
        codec->colorspace = AVCOL_SPC_BT709;
        codec->color_primaries = AVCOL_PRI_BT709;
        codec->color_trc = AVCOL_TRC_BT709;
        if ((format->oformat->flags & AVFMT_GLOBALHEADER) != 0) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary* options = nullptr;
        for (const auto& [key, value] : container.options) av_dict_set(&options, key, value, 0);
        int status = MemoryChecked(avcodec_open2(codec, encoder, &options));
        av_dict_free(&options);
        if (status < 0) return "cannot open the encoder (" + AvError(status) + ")";
        if (avcodec_parameters_from_context(stream->codecpar, codec) < 0) return "cannot describe the stream";
        stream->time_base = codec->time_base;
        stream->avg_frame_rate = codec->framerate;

        convert = sws_getContext(width, height, AV_PIX_FMT_RGB24, width, height, AV_PIX_FMT_YUV420P,
                                 SWS_POINT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr);
        if (convert == nullptr) return "no colour conversion";
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(convert, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        rgb.resize(static_cast<std::size_t>(width) * height * 3);

        if ((status = avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE)) < 0) return "cannot create it (" + AvError(status) + ")";
        AVDictionary* muxing = nullptr;
        if (container.indexFirst) av_dict_set(&muxing, "movflags", "+faststart", 0);
        status = avformat_write_header(format, &muxing);
        av_dict_free(&muxing);
        if (status < 0) return "cannot write its header (" + AvError(status) + ")";
        headerWritten = true;
        return "";
    }

    // The frame enlarged `scale` times into rgb, padded with `pad`, then into a new picture.
    std::string SetPicture(ImageHandle frame, std::int32_t scale) {
        const Surface surface = ResolveSurface(frame);
        const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
        std::vector<std::uint32_t> colours(static_cast<std::size_t>(surface.width));
        for (std::int32_t y = 0; y < height; ++y) {
            std::uint8_t* row = rgb.data() + y * rowBytes;
            const std::int32_t sourceY = y / scale;
            if (y % scale != 0 && sourceY < surface.height) {
                std::copy_n(row - rowBytes, rowBytes, row);  // the row above, repeated
                continue;
            }
            if (sourceY < surface.height) RowRgb(surface, sourceY, colours.data());
            for (std::int32_t x = 0; x < width; ++x) {
                const std::int32_t sourceX = x / scale;
                const std::uint32_t colour =
                    sourceY < surface.height && sourceX < surface.width ? colours[static_cast<std::size_t>(sourceX)] : pad;
                row[x * 3] = static_cast<std::uint8_t>(colour >> 16);
                row[x * 3 + 1] = static_cast<std::uint8_t>(colour >> 8);
                row[x * 3 + 2] = static_cast<std::uint8_t>(colour);
            }
        }
        // The encoder may still hold the previous picture's buffers; they are released with it.
        av_frame_unref(picture);
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = width;
        picture->height = height;
        if (av_frame_get_buffer(picture, 0) < 0) throw std::bad_alloc();
        const std::uint8_t* source[1] = {rgb.data()};
        const int sourceStride[1] = {static_cast<int>(rowBytes)};
        sws_scale(convert, source, sourceStride, 0, height, picture->data, picture->linesize);
        return "";
    }

    // Sends the picture (or, for null, the end of the stream) and writes what comes out.
    std::string Send(const AVFrame* frame) {
        int status = MemoryChecked(avcodec_send_frame(codec, frame));
        if (status < 0) return "cannot encode a frame (" + AvError(status) + ")";
        while ((status = MemoryChecked(avcodec_receive_packet(codec, packet))) >= 0) {
            packet->duration = 1;  // one frame of the constant rate, in the codec's time base
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            status = MemoryChecked(av_interleaved_write_frame(format, packet));
            if (status < 0) return "cannot write a frame (" + AvError(status) + ")";
        }
        return status == AVERROR(EAGAIN) || status == AVERROR_EOF ? "" : "the encoder failed (" + AvError(status) + ")";
    }

    std::string SendPicture(std::int64_t index) {
        AVFrame* copy = av_frame_clone(picture);  // shares the buffers
        if (copy == nullptr) throw std::bad_alloc();
        copy->pts = index;
        std::string error = Send(copy);
        av_frame_free(&copy);
        return error;
    }

    std::string Finish() {
        std::string error = Send(nullptr);
        const int status = av_write_trailer(format);
        if (error.empty() && status < 0) error = "cannot finish the file (" + AvError(status) + ")";
        if (avio_closep(&format->pb) < 0 && error.empty()) error = "cannot finish the file";
        return error;
    }
};

VideoRecorder::VideoRecorder(std::string path, double framesPerSecond, std::int32_t scale,
                             std::function<std::uint32_t()> padColour)
    : VideoOutput(framesPerSecond),
      path_(std::move(path)),
      framesPerSecond_(std::max<double>(1, std::lround(framesPerSecond))),
      scale_(std::clamp(scale, 1, 8)),
      padColour_(std::move(padColour)) {}

// The encoder closes its file before the unfinished file goes.
VideoRecorder::~VideoRecorder() { encoder_.reset(); }

void VideoRecorder::FrameShown(ImageHandle frame, double startSeconds, double endSeconds) {
    if (closed_ || !error_.empty()) return;
    if (encoder_ == nullptr) {
        const Surface size = ResolveSurface(frame);  // pixels, at the run's render scale
        // yuv420p halves both sides of the colour planes: the video's sides must be even.
        const std::int32_t width = (size.width * scale_ + 1) & ~1, height = (size.height * scale_ + 1) & ~1;
        encoder_ = std::make_unique<Encoder>();
        encoder_->pad = padColour_ ? padColour_() & 0xFFFFFF : 0xFFFFFF;
        const Container& container = VideoKindOf(path_) == VideoKind::WebM ? WebM : Mp4;
        file_ = std::make_unique<AtomicFile>(path_);
        if (!file_->Ready()) {
            error_ = file_->Error();
            return;
        }
        error_ = encoder_->Open(container, file_->TempPath(), width, height, static_cast<int>(framesPerSecond_));
        if (!error_.empty()) {
            error_ = path_ + ": " + error_;
            return;
        }
    }
    // Frame indices are counted on the clock, so the video's time stays the run's time.
    const std::int64_t first = std::max<std::int64_t>(nextFrame_, std::llround(startSeconds * framesPerSecond_));
    const std::int64_t end = std::llround(endSeconds * framesPerSecond_);
    if (end <= first) return;
    std::string error = encoder_->SetPicture(frame, scale_);
    for (std::int64_t index = first; index < end && error.empty(); ++index) error = encoder_->SendPicture(index);
    nextFrame_ = end;
    if (!error.empty()) error_ = path_ + ": " + error;
}

std::string VideoRecorder::Close(double endSeconds) {
    if (closed_) return error_;
    Finish(endSeconds);
    closed_ = true;
    if (encoder_ == nullptr) return error_.empty() ? path_ + ": nothing was shown on the screen to record" : error_;
    if (error_.empty() && !encoder_->headerWritten) error_ = path_ + ": the video was never started";
    if (error_.empty()) {
        const std::string error = encoder_->Finish();
        if (!error.empty()) error_ = path_ + ": " + error;
    }
    encoder_.reset();
    if (error_.empty()) error_ = file_->Commit();
    file_.reset();
    return error_;
}

}  // namespace vekora
