// The models producer: every 3DS model of the show, or a failure naming the likely cause.
#include "vintra-gen/models/model_files.h"
#include "vintra-gen/producers.h"

namespace gen {

void produceAllModels(OutputDirectory& out) {
    if (!produceModels(out)) {
        out.fail("the 3DS models could not be made (is a sans-serif font installed?)");
    }
}

}  // namespace gen
