// What the frame sequences share. Frame animations add their colour into the scene capture,
// which the show draws back inverted, so each frame is drawn as dark ink on white and stored
// as its negative. The player mirrors frames left to right: no writing on them.
#pragma once

#include <string>

#include "vintra-gen/output_directory.h"
#include "vintra-gen/pictures/canvas.h"

namespace gen {

// The ink the frames are drawn in, and their one accent.
constexpr Color kFrameInk{0.08f, 0.08f, 0.12f};
constexpr Color kFrameRed{0.8f, 0.12f, 0.12f};

// Writes a frame drawn dark on white to `path` as its negative (the canvas is inverted).
void storeFrame(OutputDirectory& out, const std::string& path, Canvas& canvas);

}  // namespace gen
