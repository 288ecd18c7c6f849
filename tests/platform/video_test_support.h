// Reading videos back in tests with FFmpeg's libraries: the stream's description and every
// frame as 0xRRGGBB pixels, converted with the matrix the stream is tagged with.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace vekora::testing {

struct VideoFrame {
    std::int32_t width = 0, height = 0;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB, top row first
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

struct VideoInfo {
    bool decoded = false;
    std::string codec;
    std::string pixelFormat;
    double framesPerSecond = 0;
    double durationSeconds = 0;  // of the container
    std::int64_t frames = 0;     // decoded
    VideoFrame last;
};

// Decodes the whole video; `onFrame` (when given) sees every frame with its index.
inline VideoInfo DecodeVideo(const std::string& path, const std::function<void(std::int64_t, const VideoFrame&)>& onFrame = {}) {
    VideoInfo info;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return info;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    SwsContext* convert = nullptr;
    const int streamIndex = avformat_find_stream_info(format, nullptr) >= 0
                                ? av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0)
                                : -1;
    if (streamIndex >= 0) {
        const AVStream* stream = format->streams[streamIndex];
        const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
        codec = avcodec_alloc_context3(decoder);
        avcodec_parameters_to_context(codec, stream->codecpar);
        if (decoder != nullptr && avcodec_open2(codec, decoder, nullptr) >= 0) {
            info.codec = decoder->name;
            info.pixelFormat = av_get_pix_fmt_name(codec->pix_fmt) ? av_get_pix_fmt_name(codec->pix_fmt) : "";
            info.framesPerSecond = av_q2d(stream->avg_frame_rate);
            info.durationSeconds = format->duration / static_cast<double>(AV_TIME_BASE);
            const auto receive = [&] {
                while (avcodec_receive_frame(codec, frame) >= 0) {
                    VideoFrame& out = info.last;
                    out.width = frame->width;
                    out.height = frame->height;
                    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frame->width) * frame->height * 3);
                    convert = sws_getCachedContext(convert, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                                   frame->width, frame->height, AV_PIX_FMT_RGB24,
                                                   SWS_POINT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
                    const int matrix = frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
                    sws_setColorspaceDetails(convert, sws_getCoefficients(matrix), 0, sws_getCoefficients(matrix), 1, 0,
                                             1 << 16, 1 << 16);
                    std::uint8_t* target[1] = {bytes.data()};
                    const int stride[1] = {frame->width * 3};
                    sws_scale(convert, frame->data, frame->linesize, 0, frame->height, target, stride);
                    out.rgb.resize(static_cast<std::size_t>(frame->width) * frame->height);
                    for (std::size_t i = 0; i < out.rgb.size(); ++i) {
                        out.rgb[i] = static_cast<std::uint32_t>(bytes[i * 3]) << 16 | bytes[i * 3 + 1] << 8 | bytes[i * 3 + 2];
                    }
                    if (onFrame) onFrame(info.frames, out);
                    ++info.frames;
                }
            };
            while (av_read_frame(format, packet) >= 0) {
                if (packet->stream_index == streamIndex) avcodec_send_packet(codec, packet);
                av_packet_unref(packet);
                receive();
            }
            avcodec_send_packet(codec, nullptr);
            receive();
            info.decoded = true;
        }
    }
    sws_freeContext(convert);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return info;
}

// How far two colours are apart: the largest difference of a channel.
inline int ColourDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (const int shift : {16, 8, 0}) {
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return largest;
}

}  // namespace vekora::testing
