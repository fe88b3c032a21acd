// The show's music track, synthesised in code: 125 BPM house with sections that follow the
// show's schedule (quiet titles, the beat coming in, a peak, a breakdown, the drop, a fade),
// encoded with LAME. Deterministic: the same bytes on every run.
#pragma once

#include <cstdint>
#include <vector>

#include "base/beat.h"

namespace gen {

constexpr int kSoundtrackRate = 44100;
constexpr double kSoundtrackSeconds = 186.0;

// Interleaved 16-bit stereo of the first `seconds` of the track (a prefix of the whole).
std::vector<int16_t> synthesiseSoundtrack(double seconds = kSoundtrackSeconds);

// The whole track as MP3 bytes (192 kbit/s CBR): "Ostrel.mp3".
std::vector<uint8_t> makeSoundtrack();

// The first `seconds` of the track as MP3 bytes, for tests.
std::vector<uint8_t> makeSoundtrackClip(double seconds);

}  // namespace gen
