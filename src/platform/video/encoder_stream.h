// One encoded stream of a video file: an FFmpeg encoder and the container stream that its
// packets are written to.
#pragma once

#include <string>

struct AVCodec;
struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

namespace platform::video {

class EncoderStream {
public:
    EncoderStream() = default;
    EncoderStream(const EncoderStream&) = delete;
    EncoderStream& operator=(const EncoderStream&) = delete;
    ~EncoderStream();

    // The first encoder of `names` (null-terminated list) that this FFmpeg has, with a
    // stream in `format`; false with a message naming `kind` ("H.264") when none is there.
    bool create(AVFormatContext* format, const char* const* names, const char* kind,
                std::string& error);
    // Opens the encoder once the context is set up; `options` are its private options.
    bool open(AVDictionary** options, std::string& error);
    // Sends one frame (null: flush) and writes every packet that is ready.
    bool encode(AVFrame* frame, std::string& error);

    AVCodecContext* context() const { return context_; }
    const AVCodec* codec() const { return codec_; }

private:
    AVFormatContext* format_ = nullptr;
    const AVCodec* codec_ = nullptr;
    AVCodecContext* context_ = nullptr;
    AVStream* stream_ = nullptr;
    AVPacket* packet_ = nullptr;
};

// FFmpeg's text for an error code.
std::string ffmpegError(int code);

}  // namespace platform::video
