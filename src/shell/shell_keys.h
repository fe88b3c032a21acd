// The shell's keys of the idle pass: Space freezes, the camera's handler, H shakes, C logs
// and records the camera, V rewinds its paths.
#pragma once

void handleShellKeys();
