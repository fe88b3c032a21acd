// Feeds arbitrary bytes to the sound layer as a music file: open (which scans the whole
// file), play through the non-real-time mixer, seek about, close.
#include <cstdint>

#include "fuzz_file.h"
#include "platform/sound/sound.h"

namespace sound = platform::sound;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = sound::init(44100, 128, sound::OutputKind::NonRealTime);
    if (!ready)
        return 0;
    std::string path = fuzzFile(data, size, "music.mp3");
    sound::Mp3Stream* stream = sound::openStream(path.c_str());
    if (!stream)
        return 0;
    sound::playStream(stream);
    sound::advance(0.05);  // a few blocks: mixing itself is not under test
    for (int milliseconds : {-300, 250, 1000000, 40}) {
        sound::setStreamTime(stream, milliseconds);
        sound::advance(0.025);
    }
    sound::setStreamLooping(stream, true);
    sound::advance(0.05);
    sound::closeStream(stream);
    return 0;
}
