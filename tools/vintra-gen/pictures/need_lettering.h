// A producer's check that its lettering found a font: without one the producer fails with
// the reason and writes nothing.
#pragma once

#include "vintra-gen/output_directory.h"
#include "vintra-gen/pictures/lettering.h"

namespace gen {

// False (and the output failed with the reason) when the lettering has no font.
bool needLettering(OutputDirectory& out, const Lettering& lettering);

}  // namespace gen
