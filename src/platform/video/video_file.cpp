#include "platform/video/video_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "platform/pending_file.h"
#include "platform/video/encoder_stream.h"

namespace platform::video {

namespace {

struct Container {
    const char* extension;
    const char* muxer;
    const char* label;
    const char* const* videoEncoders;
    const char* videoKind;
    const char* const* audioEncoders;
    const char* audioKind;
};

const char* const kH264[] = {"libx264", nullptr};
const char* const kAac[] = {"aac", nullptr};
const char* const kVp9[] = {"libvpx-vp9", nullptr};
const char* const kOpus[] = {"libopus", nullptr};

const Container kContainers[] = {
    {".mp4", "mp4", "MP4", kH264, "H.264", kAac, "AAC"},
    {".mov", "mov", "QuickTime", kH264, "H.264", kAac, "AAC"},
    {".mkv", "matroska", "Matroska", kH264, "H.264", kAac, "AAC"},
    {".webm", "webm", "WebM", kVp9, "VP9", kOpus, "Opus"},
};

const Container* containerFor(const std::string& path, std::string& extension) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        extension.clear();
        return nullptr;
    }
    extension = path.substr(dot);
    std::string lower = extension;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Container& container : kContainers) {
        if (lower == container.extension)
            return &container;
    }
    return nullptr;
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

PixelRect evenArea(const FileSettings& settings) {
    const PixelRect whole{0, 0, settings.width, settings.height};
    const PixelRect& c = settings.changing;
    // Odd sides would put the area's edges between two rows of the colour planes.
    if (c.width <= 0 || c.height <= 0 || settings.width % 2 != 0 || settings.height % 2 != 0) {
        return whole;
    }
    const int left = std::clamp(c.left, 0, settings.width) & ~1;
    const int bottom = std::clamp(c.bottom, 0, settings.height) & ~1;
    const int right = std::min(settings.width, (c.left + c.width + 1) & ~1);
    const int top = std::min(settings.height, (c.bottom + c.height + 1) & ~1);
    if (right <= left || top <= bottom) {
        return whole;
    }
    return {left, bottom, right - left, top - bottom};
}

}  // namespace

struct VideoFile::Impl {
    const Container* container = nullptr;
    FileSettings settings;
    std::string path;
    // Written by FFmpeg under its temporary name, renamed into place when complete.
    std::unique_ptr<PendingFile> pending;
    AVFormatContext* format = nullptr;
    EncoderStream video;
    EncoderStream audio;
    SwsContext* scaler = nullptr;
    SwrContext* resampler = nullptr;
    AVAudioFifo* fifo = nullptr;
    AVFrame* picture = nullptr;
    PixelRect area;
    const uint8_t* blackened = nullptr;  // the picture buffer painted black around the area
    AVFrame* sound = nullptr;
    int soundFrameSize = 1024;
    bool smallLastFrame = false;
    bool headerWritten = false;
    int64_t pictures = 0;
    int64_t soundSamples = 0;

    ~Impl() {
        av_frame_free(&picture);
        av_frame_free(&sound);
        av_audio_fifo_free(fifo);
        swr_free(&resampler);
        sws_freeContext(scaler);
        if (format) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    bool createTemporary(std::string& error);
    // After the encoder let go of the picture buffer or handed a new one.
    void blackenOutsideArea();
    bool setUpVideo(std::string& error);
    bool setUpAudio(std::string& error);
    bool encodeSound(int samples, std::string& error);
    bool drainSound(bool all, std::string& error);
};

// Black in the limited range the encoder is told of: what the converter makes of black.
void VideoFile::Impl::blackenOutsideArea() {
    if (blackened == picture->data[0]) {
        return;
    }
    const int chromaHeight = (settings.height + 1) / 2;
    std::memset(picture->data[0], 16, static_cast<size_t>(picture->linesize[0]) * settings.height);
    std::memset(picture->data[1], 128, static_cast<size_t>(picture->linesize[1]) * chromaHeight);
    std::memset(picture->data[2], 128, static_cast<size_t>(picture->linesize[2]) * chromaHeight);
    blackened = picture->data[0];
}

bool VideoFile::Impl::createTemporary(std::string& error) {
    pending = std::make_unique<PendingFile>(path);
    if (!pending->open(error)) {
        return false;
    }
    pending->closeStream();
    return true;
}

bool VideoFile::Impl::setUpVideo(std::string& error) {
    if (!video.create(format, container->videoEncoders, container->videoKind, error))
        return false;
    AVCodecContext* c = video.context();
    const AVRational rate = av_d2q(settings.framesPerSecond, 1001000);
    c->width = settings.width;
    c->height = settings.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->framerate = rate;
    c->time_base = av_inv_q(rate);
    // The matrix and range swscale converts with: BT.601, limited. Primaries and transfer
    // stay unnamed: the frames are the screen's RGB, and naming SD television's would make
    // colour-managed players shift them.
    c->color_range = AVCOL_RANGE_MPEG;
    c->colorspace = AVCOL_SPC_SMPTE170M;
    AVDictionary* options = nullptr;
    if (container->videoEncoders == kVp9) {
        c->bit_rate = 0;  // constant quality
        av_dict_set(&options, "crf", "32", 0);
        av_dict_set(&options, "deadline", "realtime", 0);
        av_dict_set(&options, "cpu-used", "8", 0);
        av_dict_set(&options, "row-mt", "1", 0);
    } else {
        // A third of the encoding time of "veryfast" for about three times the bytes: on two
        // cores the drawing and the encoder share the processor, and the whole show at 30
        // frames a second has to record in under half its running time.
        av_dict_set(&options, "preset", "ultrafast", 0);
        av_dict_set(&options, "crf", "20", 0);
        // Each frame thread holds pictures of its own (about 20 MB each at 3840 × 2160); the
        // drawing keeps the processor busy, so more than two would only take memory.
        av_dict_set(&options, "threads", "2", 0);
    }
    const bool opened = video.open(&options, error);
    av_dict_free(&options);
    if (!opened)
        return false;
    picture = av_frame_alloc();
    // BGRA is what llvmpipe reads back fastest. swscale's direct BGR converter would be
    // quicker still but shifts the colours visibly (white comes out 251, 253, 251). Only the
    // area that changes is read back and converted; the black around it is painted once.
    area = evenArea(settings);
    scaler = sws_getContext(area.width, area.height, AV_PIX_FMT_BGRA, area.width, area.height,
                            AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!picture || !scaler) {
        error = "cannot set up the colour conversion";
        return false;
    }
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = settings.width;
    picture->height = settings.height;
    if (av_frame_get_buffer(picture, 0) < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

namespace {

int chooseSampleRate(const AVCodec* codec, int wanted) {
    if (!codec->supported_samplerates)
        return wanted;
    int best = codec->supported_samplerates[0];
    for (const int* rate = codec->supported_samplerates; *rate; ++rate) {
        if (*rate == wanted)
            return wanted;
        if (*rate > best)
            best = *rate;
    }
    return best;
}

}  // namespace

bool VideoFile::Impl::setUpAudio(std::string& error) {
    if (!audio.create(format, container->audioEncoders, container->audioKind, error))
        return false;
    AVCodecContext* c = audio.context();
    const AVCodec* codec = audio.codec();
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    c->sample_rate = chooseSampleRate(codec, settings.sampleRate);
    c->time_base = AVRational{1, c->sample_rate};
    c->bit_rate = 192000;
    av_channel_layout_default(&c->ch_layout, 2);
    if (!audio.open(nullptr, error))
        return false;
    smallLastFrame =
        codec->capabilities & (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    if (c->frame_size > 0)
        soundFrameSize = c->frame_size;

    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    int status = swr_alloc_set_opts2(&resampler, &c->ch_layout, c->sample_fmt, c->sample_rate,
                                     &stereo, AV_SAMPLE_FMT_S16, settings.sampleRate, 0, nullptr);
    if (status >= 0)
        status = swr_init(resampler);
    fifo = av_audio_fifo_alloc(c->sample_fmt, 2, soundFrameSize * 4);
    sound = av_frame_alloc();
    if (status < 0 || !fifo || !sound) {
        error = "cannot set up the sound conversion";
        return false;
    }
    sound->format = c->sample_fmt;
    sound->sample_rate = c->sample_rate;
    sound->nb_samples = soundFrameSize;
    av_channel_layout_copy(&sound->ch_layout, &c->ch_layout);
    if (av_frame_get_buffer(sound, 0) < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

// One frame of `samples` from the FIFO, padded with silence where the encoder wants
// whole frames.
bool VideoFile::Impl::encodeSound(int samples, std::string& error) {
    if (av_frame_make_writable(sound) < 0) {
        error = "out of memory";
        return false;
    }
    sound->nb_samples = smallLastFrame ? samples : soundFrameSize;
    av_samples_set_silence(sound->data, 0, soundFrameSize, 2,
                           static_cast<AVSampleFormat>(sound->format));
    av_audio_fifo_read(fifo, reinterpret_cast<void**>(sound->data), samples);
    sound->pts = soundSamples;
    soundSamples += samples;
    return audio.encode(sound, error);
}

bool VideoFile::Impl::drainSound(bool all, std::string& error) {
    while (av_audio_fifo_size(fifo) >= soundFrameSize) {
        if (!encodeSound(soundFrameSize, error))
            return false;
    }
    const int rest = av_audio_fifo_size(fifo);
    return !all || rest == 0 || encodeSound(rest, error);
}

PixelRect VideoFile::handedArea(const FileSettings& settings) const {
    return evenArea(settings);
}

VideoFile::VideoFile() = default;

VideoFile::~VideoFile() {
    discard();
}

bool VideoFile::open(const std::string& path, const FileSettings& settings) {
    discard();
    error_.clear();
    std::string extension;
    const Container* container = containerFor(path, extension);
    if (!container) {
        error_ = extension.empty()
                     ? "no extension to choose the format by (use .mp4, .mkv or .webm)"
                     : "unknown extension \"" + extension + "\" (use .mp4, .mkv or .webm)";
        return false;
    }
    // Encoder statistics and notes would bury the program's own lines; errors stay.
    av_log_set_level(AV_LOG_ERROR);
    auto impl = std::make_unique<Impl>();
    impl->container = container;
    impl->settings = settings;
    impl->path = path;
    bool ok =
        avformat_alloc_output_context2(&impl->format, nullptr, container->muxer, nullptr) >= 0;
    if (!ok) {
        error_ = std::string("this FFmpeg cannot write ") + container->label;
        return false;
    }
    impl_ = std::move(impl);
    description_ = std::string(container->videoKind) + " + " + container->audioKind + " in " +
                   container->label;
    ok = impl_->setUpVideo(error_) && impl_->setUpAudio(error_) && impl_->createTemporary(error_);
    if (ok) {
        // The MP4 muxer reopens the file by this name to move its index to the front.
        av_freep(&impl_->format->url);
        const char* temporary = impl_->pending->temporaryPath().c_str();
        impl_->format->url = av_strdup(temporary);
        const int status = avio_open(&impl_->format->pb, temporary, AVIO_FLAG_WRITE);
        AVDictionary* options = nullptr;
        if (container->videoEncoders == kH264 && container->muxer != std::string("matroska")) {
            // The index goes to the front, so players can start before the whole file is read.
            av_dict_set(&options, "movflags", "+faststart", 0);
        }
        const int header = status < 0 ? status : avformat_write_header(impl_->format, &options);
        av_dict_free(&options);
        if (header < 0) {
            error_ = ffmpegError(header);
            ok = false;
        }
        impl_->headerWritten = ok;
    }
    if (!ok)
        discard();
    return ok;
}

bool VideoFile::writePicture(const uint8_t* bgraBottomUp) {
    if (!impl_)
        return false;
    Impl& f = *impl_;
    auto start = Clock::now();
    if (av_frame_make_writable(f.picture) < 0) {
        error_ = "out of memory";
        return false;
    }
    f.blackenOutsideArea();
    const PixelRect& a = f.area;
    const int stride = a.width * 4;
    // A negative stride reads the rows top row first.
    const uint8_t* top = bgraBottomUp + static_cast<size_t>(a.height - 1) * stride;
    const int strides[] = {-stride};
    const int topRow = f.settings.height - a.bottom - a.height;
    uint8_t* planes[3];
    for (int i = 0; i < 3; ++i) {
        const int shift = i == 0 ? 0 : 1;
        planes[i] = f.picture->data[i] +
                    static_cast<ptrdiff_t>(topRow >> shift) * f.picture->linesize[i] +
                    (a.left >> shift);
    }
    sws_scale(f.scaler, &top, strides, 0, a.height, planes, f.picture->linesize);
    f.picture->pts = f.pictures++;
    times_.conversion += secondsSince(start);
    start = Clock::now();
    const bool ok = f.video.encode(f.picture, error_);
    times_.encoding += secondsSince(start);
    return ok;
}

bool VideoFile::writeSound(const int16_t* frames, int count) {
    if (!impl_ || count < 0)
        return false;
    Impl& f = *impl_;
    auto start = Clock::now();
    const int room = swr_get_out_samples(f.resampler, count);
    uint8_t* planes[2] = {};
    if (room > 0 &&
        av_samples_alloc(planes, nullptr, 2, room, f.audio.context()->sample_fmt, 0) < 0) {
        error_ = "out of memory";
        return false;
    }
    const uint8_t* in = reinterpret_cast<const uint8_t*>(frames);
    // No frames: the resampler's delayed tail.
    const int converted =
        room > 0 ? swr_convert(f.resampler, planes, room, frames ? &in : nullptr, count) : 0;
    if (converted > 0)
        av_audio_fifo_write(f.fifo, reinterpret_cast<void**>(planes), converted);
    av_freep(&planes[0]);
    times_.conversion += secondsSince(start);
    start = Clock::now();
    const bool ok = converted >= 0 && f.drainSound(false, error_);
    times_.encoding += secondsSince(start);
    return ok;
}

bool VideoFile::finish() {
    if (!impl_)
        return false;
    Impl& f = *impl_;
    auto start = Clock::now();
    // The resampler's tail, then every encoder's delayed packets.
    bool ok = writeSound(nullptr, 0) && f.drainSound(true, error_) &&
              f.audio.encode(nullptr, error_) && f.video.encode(nullptr, error_);
    if (ok) {
        const int trailer = av_write_trailer(f.format);
        const int closed = avio_closep(&f.format->pb);
        if (trailer < 0 || closed < 0) {
            error_ = "cannot complete the file: " + ffmpegError(trailer < 0 ? trailer : closed);
            ok = false;
        }
    }
    std::string reason;
    if (ok && !f.pending->commit(reason)) {
        error_ = "cannot rename the finished file: " + reason;
        ok = false;
    }
    times_.encoding += secondsSince(start);
    if (!ok) {
        discard();
        return false;
    }
    impl_.reset();
    return true;
}

void VideoFile::discard() {
    // The pending file goes with the rest, after FFmpeg has closed it.
    impl_.reset();
}

}  // namespace platform::video
