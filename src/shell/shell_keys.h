// The shell's keys of the idle pass: Space freezes, the camera's handler, H shakes, C logs
// and records the camera, V rewinds its paths.
#pragma once

struct Session;

void handleShellKeys(Session& session);
