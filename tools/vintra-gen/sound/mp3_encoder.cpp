#include "vintra-gen/sound/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstdarg>

namespace gen {

namespace {

constexpr int kChunkFrames = 1152 * 16;

void quiet(const char*, va_list) {}

lame_global_flags* makeEncoder(int rate, int kbps, int quality, unsigned long frames) {
    lame_global_flags* flags = lame_init();
    if (!flags)
        return nullptr;
    lame_set_errorf(flags, quiet);
    lame_set_debugf(flags, quiet);
    lame_set_msgf(flags, quiet);
    lame_set_num_channels(flags, 2);
    lame_set_in_samplerate(flags, rate);
    lame_set_out_samplerate(flags, rate);
    lame_set_num_samples(flags, frames);
    lame_set_VBR(flags, vbr_off);
    lame_set_brate(flags, kbps);
    lame_set_quality(flags, quality);
    lame_set_mode(flags, JOINT_STEREO);
    lame_set_bWriteVbrTag(flags, 1);
    lame_set_findReplayGain(flags, 0);
    if (lame_init_params(flags) < 0) {
        lame_close(flags);
        return nullptr;
    }
    return flags;
}

}  // namespace

std::vector<uint8_t> encodeMp3(const std::vector<int16_t>& pcm, int rate, int kbps, int quality) {
    const size_t frames = pcm.size() / 2;
    lame_global_flags* flags = makeEncoder(rate, kbps, quality, frames);
    if (!flags)
        return {};
    std::vector<uint8_t> out;
    std::vector<unsigned char> buffer(kChunkFrames * 5 / 4 + 7200);
    bool ok = true;
    for (size_t done = 0; done < frames && ok; done += kChunkFrames) {
        int count = static_cast<int>(std::min<size_t>(kChunkFrames, frames - done));
        // LAME takes a non-const pointer but only reads the samples.
        short* samples = const_cast<short*>(pcm.data() + done * 2);
        int bytes = lame_encode_buffer_interleaved(flags, samples, count, buffer.data(),
                                                   static_cast<int>(buffer.size()));
        ok = bytes >= 0;
        if (ok)
            out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
    }
    int bytes = ok ? lame_encode_flush(flags, buffer.data(), static_cast<int>(buffer.size())) : -1;
    if (bytes >= 0)
        out.insert(out.end(), buffer.begin(), buffer.begin() + bytes);
    // The first frame was a placeholder; the real Info tag replaces it.
    size_t tagBytes = lame_get_lametag_frame(flags, buffer.data(), buffer.size());
    if (tagBytes > 0 && tagBytes <= out.size()) {
        std::copy(buffer.begin(), buffer.begin() + tagBytes, out.begin());
    }
    lame_close(flags);
    if (!ok || bytes < 0)
        return {};
    return out;
}

}  // namespace gen
