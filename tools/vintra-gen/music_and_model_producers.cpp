// The producers for the soundtrack and the 3DS models, adapted to the producer list.
#include "vintra-gen/models/model_files.h"
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

void produceAllModels(OutputDirectory& out) {
    if (!produceModels(out)) {
        out.fail("the 3DS models could not be made (is a sans-serif font installed?)");
    }
}

}  // namespace gen
