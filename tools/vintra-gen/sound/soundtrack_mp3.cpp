// The soundtrack producer: the synthesised track, encoded, as "Ostrel.mp3".
#include "vintra-gen/producers.h"
#include "vintra-gen/sound/soundtrack.h"

namespace gen {

void produceSoundtrack(OutputDirectory& out) {
    std::vector<uint8_t> mp3 = makeSoundtrack();
    if (mp3.empty()) {
        out.fail("the soundtrack could not be encoded");
        return;
    }
    out.write("Ostrel.mp3", mp3);
}

}  // namespace gen
