// What the page can ask about the music: how much of it has been decoded (the page shows
// the show without decoding the whole track first), and the fingerprint of a file's
// decoded samples, which the web test compares with the desktop's.
#include <emscripten/emscripten.h>

#include <string>

#include "platform/sound/decoded_digest.h"
#include "platform/sound/mp3_stream.h"

namespace {

constexpr int kMixRate = 44100;  // the show's mixer rate

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE double tarvel_music_decoded_seconds() {
    return static_cast<double>(platform::sound::Mp3Stream::decodedFrames()) / kMixRate;
}

// "FRAMES:HASH", or "" when the file does not open; valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tarvel_music_digest(const char* path) {
    static std::string digest;
    digest = platform::sound::decodedDigest(path, kMixRate);
    return digest.c_str();
}
