// The parts of the data set, each written by one producer into the output directory.
// Producers are independent of each other (own random streams, own files), so they may
// run in any order or on several threads and still write the same bytes.
#pragma once

#include "vintra-gen/output_directory.h"

namespace gen {

using Produce = void (*)(OutputDirectory&);

struct Producer {
    const char* name;
    Produce produce;
};

void produceLoadingScreens(OutputDirectory& out);
void produceFlashes(OutputDirectory& out);
void produceInfoTexts(OutputDirectory& out);
void produceBackTags(OutputDirectory& out);
void produceFrontTags(OutputDirectory& out);
void produceGraffiti(OutputDirectory& out);
void produceCrew(OutputDirectory& out);
void produceNickFrames(OutputDirectory& out);
void produceScratchFrames(OutputDirectory& out);
void produceNoiseTextures(OutputDirectory& out);
void produceModelTextures(OutputDirectory& out);
void produceCameras(OutputDirectory& out);
void produceSoundtrack(OutputDirectory& out);
void produceAllModels(OutputDirectory& out);

}  // namespace gen
