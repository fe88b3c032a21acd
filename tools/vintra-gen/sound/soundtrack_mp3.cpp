// The soundtrack producer: the synthesised track, encoded, as the show's music file.
#include "base/data_file.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/sound/soundtrack.h"

namespace gen {

void produceSoundtrack(OutputDirectory& out) {
    std::vector<uint8_t> mp3 = makeSoundtrack();
    if (mp3.empty()) {
        out.fail("the soundtrack could not be encoded");
        return;
    }
    out.write(data::kMusic.inDataSet(), mp3);
}

}  // namespace gen
