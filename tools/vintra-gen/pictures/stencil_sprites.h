// What the front tags and the crew's sprites share: shapes roughened into sprayed paint, and
// their storage. The main scene is painted into a capture that the show draws back inverted,
// so the screen reads as dark ink on white paper; these sprites add their colour into the
// capture, so they are stored as the negative of their look: light on pure black (black adds
// nothing).
#pragma once

#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/rng.h"

namespace gen {

// Roughens a clean shape into sprayed paint: soft edge, grain and a few speckles.
void sprayed(Plane& shape, Rng& rng);

// Light-on-black storage of a sprite whose look is `ink` on white.
void storeNegative(Canvas& canvas, const Plane& shape, Color ink);

}  // namespace gen
