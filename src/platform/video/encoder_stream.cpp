#include "platform/video/encoder_stream.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace platform::video {

std::string ffmpegError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

EncoderStream::~EncoderStream() {
    av_packet_free(&packet_);
    avcodec_free_context(&context_);
}

bool EncoderStream::create(AVFormatContext* format, const char* const* names, const char* kind,
                           std::string& error) {
    for (; *names && !codec_; ++names) {
        codec_ = avcodec_find_encoder_by_name(*names);
    }
    if (!codec_) {
        error = std::string("this FFmpeg has no ") + kind + " encoder";
        return false;
    }
    format_ = format;
    context_ = avcodec_alloc_context3(codec_);
    stream_ = avformat_new_stream(format, nullptr);
    packet_ = av_packet_alloc();
    if (!context_ || !stream_ || !packet_) {
        error = "out of memory";
        return false;
    }
    if (format->oformat->flags & AVFMT_GLOBALHEADER) {
        context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    return true;
}

bool EncoderStream::open(AVDictionary** options, std::string& error) {
    int status = avcodec_open2(context_, codec_, options);
    if (status >= 0) {
        status = avcodec_parameters_from_context(stream_->codecpar, context_);
    }
    if (status < 0) {
        error =
            std::string("cannot start the ") + codec_->name + " encoder: " + ffmpegError(status);
        return false;
    }
    stream_->time_base = context_->time_base;
    return true;
}

bool EncoderStream::encode(AVFrame* frame, std::string& error) {
    int status = avcodec_send_frame(context_, frame);
    while (status >= 0) {
        status = avcodec_receive_packet(context_, packet_);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) {
            return true;
        }
        if (status < 0) {
            break;
        }
        // A picture lasts one frame: so the last one counts in the stream's duration, and a
        // recording made of parts joins to the length of one made whole.
        if (packet_->duration == 0 && context_->codec_type == AVMEDIA_TYPE_VIDEO) {
            packet_->duration = 1;
        }
        av_packet_rescale_ts(packet_, context_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        status = av_interleaved_write_frame(format_, packet_);
        if (status < 0) {
            error = "cannot write: " + ffmpegError(status);
            return false;
        }
    }
    error = std::string(codec_->name) + " failed: " + ffmpegError(status);
    return false;
}

}  // namespace platform::video
