// MP3 files of every kind an author might drop in, made here with LAME: any rate, mono or
// stereo, CBR, VBR or ABR, with or without the Xing/LAME header, wrapped in ID3v1, ID3v2
// or APE tags. The signal is a sine of one pitch, then of another from `switchSeconds` on.
#pragma once

#include <lame/lame.h>

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

enum class BitRateMode { Constant, Variable, Average };

struct Mp3Kind {
    int rate;
    int channels;
    BitRateMode mode;
    bool xingHeader = true;
    bool id3v1 = false;
    bool id3v2 = false;
    bool ape = false;
};

inline std::string describe(const Mp3Kind& k) {
    const char* modes[] = {"CBR", "VBR", "ABR"};
    return std::to_string(k.rate) + " Hz " + (k.channels == 1 ? "mono " : "stereo ") +
           modes[static_cast<int>(k.mode)] + (k.xingHeader ? "" : " no-Xing") +
           (k.id3v1 ? " ID3v1" : "") + (k.id3v2 ? " ID3v2" : "") + (k.ape ? " APE" : "");
}

// Interleaved 16-bit samples: `first` Hz until `switchSeconds`, then `second` Hz.
inline std::vector<int16_t> twoTones(int rate, int channels, double seconds, double first,
                                     double second, double switchSeconds) {
    const int frames = static_cast<int>(seconds * rate);
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * channels);
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        double frequency = i < switchSeconds * rate ? first : second;
        phase += 2 * M_PI * frequency / rate;
        auto value = static_cast<int16_t>(12000 * std::sin(phase));
        for (int c = 0; c < channels; ++c)
            pcm[static_cast<size_t>(i) * channels + c] = value;
    }
    return pcm;
}

inline void silentLame(const char*, va_list) {}

inline std::vector<uint8_t> lameEncode(const std::vector<int16_t>& pcm, const Mp3Kind& kind) {
    lame_global_flags* flags = lame_init();
    lame_set_errorf(flags, silentLame);
    lame_set_debugf(flags, silentLame);
    lame_set_msgf(flags, silentLame);
    const int frames = static_cast<int>(pcm.size()) / kind.channels;
    lame_set_num_channels(flags, kind.channels);
    lame_set_mode(flags, kind.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_in_samplerate(flags, kind.rate);
    lame_set_out_samplerate(flags, kind.rate);
    lame_set_num_samples(flags, static_cast<unsigned long>(frames));
    lame_set_bWriteVbrTag(flags, kind.xingHeader ? 1 : 0);
    lame_set_quality(flags, 7);
    switch (kind.mode) {
        case BitRateMode::Constant:
            lame_set_VBR(flags, vbr_off);
            lame_set_brate(flags, kind.rate < 16000 ? 24 : 64);
            break;
        case BitRateMode::Variable:
            lame_set_VBR(flags, vbr_mtrh);
            lame_set_VBR_quality(flags, 4);
            break;
        case BitRateMode::Average:
            lame_set_VBR(flags, vbr_abr);
            lame_set_VBR_mean_bitrate_kbps(flags, kind.rate < 16000 ? 24 : 56);
            break;
    }
    std::vector<uint8_t> out;
    if (lame_init_params(flags) < 0) {
        lame_close(flags);
        return out;
    }
    std::vector<int16_t> left(static_cast<size_t>(frames));
    std::vector<int16_t> right(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        left[i] = pcm[static_cast<size_t>(i) * kind.channels];
        right[i] = pcm[static_cast<size_t>(i) * kind.channels + kind.channels - 1];
    }
    std::vector<unsigned char> buffer(static_cast<size_t>(frames) * 5 / 4 + 7200);
    int bytes = lame_encode_buffer(flags, left.data(), right.data(), frames, buffer.data(),
                                   static_cast<int>(buffer.size()));
    if (bytes > 0)
        out.assign(buffer.begin(), buffer.begin() + bytes);
    bytes = lame_encode_flush(flags, buffer.data(), static_cast<int>(buffer.size()));
    if (bytes > 0)
        out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
    if (kind.xingHeader) {
        size_t tag = lame_get_lametag_frame(flags, buffer.data(), buffer.size());
        if (tag > 0 && tag <= out.size())
            std::copy(buffer.begin(), buffer.begin() + static_cast<long>(tag), out.begin());
    }
    lame_close(flags);
    return out;
}

inline void appendText(std::vector<uint8_t>& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

// Wraps the frames in the tags the kind asks for.
inline std::vector<uint8_t> withTags(std::vector<uint8_t> frames, const Mp3Kind& kind) {
    std::vector<uint8_t> file;
    if (kind.id3v2) {
        // Header, then one title frame; sizes are sync-safe (7 bits a byte).
        std::string title = std::string(1, '\0') + "Ostrel";
        appendText(file, "ID3");
        file.insert(file.end(), {3, 0, 0, 0, 0, 0, static_cast<uint8_t>(10 + title.size())});
        appendText(file, "TIT2");
        file.insert(file.end(), {0, 0, 0, static_cast<uint8_t>(title.size()), 0, 0});
        appendText(file, title);
    }
    file.insert(file.end(), frames.begin(), frames.end());
    if (kind.ape) {
        // An APEv2 footer with no items: 32 bytes.
        appendText(file, "APETAGEX");
        file.insert(file.end(), {0xD0, 0x07, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0});
        file.insert(file.end(), 12, 0);
    }
    if (kind.id3v1) {
        appendText(file, "TAG");
        std::string fields = "Ostrel";
        fields.resize(125, '\0');
        appendText(file, fields);
    }
    return file;
}

}  // namespace testing_support
