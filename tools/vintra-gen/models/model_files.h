// Producers of the show's 3DS models: the turntable, the title words, the morphing creature
// and the tower scene (tower, credits, texts), each a material with its texture named.
#pragma once

#include "vintra-gen/output_directory.h"

namespace gen {

// Every model below; returns false when a model could not be made or written.
bool produceModels(OutputDirectory& out);

bool produceTurntableModels(OutputDirectory& out);
bool produceTitleModels(OutputDirectory& out);
bool produceMorphModels(OutputDirectory& out);
bool produceTowerModels(OutputDirectory& out);

}  // namespace gen
