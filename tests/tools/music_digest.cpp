// Prints the fingerprint of what an MP3 file decodes to in this build (frames:hash), for the
// web test to compare with the page's.
#include <cstdio>

#include "platform/sound/decoded_digest.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: music_digest FILE.mp3\n", stderr);
        return 2;
    }
    const std::string digest = platform::sound::decodedDigest(argv[1], 44100);
    if (digest.empty()) {
        std::fprintf(stderr, "music_digest: %s: does not decode\n", argv[1]);
        return 1;
    }
    std::puts(digest.c_str());
    return 0;
}
