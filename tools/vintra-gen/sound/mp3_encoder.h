// MP3 encoding with LAME for the generated soundtrack and for tests that need a real MP3:
// 16-bit stereo in, constant bit rate bytes out, the same bytes on every run.
#pragma once

#include <cstdint>
#include <vector>

namespace gen {

// Encodes interleaved stereo `pcm` at `rate` Hz to CBR MP3 at `kbps`, with an Info tag so
// decoders can drop the encoder's delay and padding. Empty on failure.
std::vector<uint8_t> encodeMp3(const std::vector<int16_t>& pcm, int rate, int kbps = 192,
                               int quality = 7);

}  // namespace gen
