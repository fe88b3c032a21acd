// The process-wide state of the shell: the window flags and the global objects created by
// preInit and worldInit that only the shell reaches. Nothing here is ever freed. What the
// lower folders share (keys, frame state, the world, the current camera) lives with them.
#pragma once

#include "base/frame_state.h"
#include "base/keys.h"

class Text;
class Light;
class Show;

extern bool active;      // false while the window is minimised
extern bool fullscreen;  // chosen at start-up, toggled by F1
extern bool modeSwitch;  // fullscreen switches the display mode instead of covering the desktop
extern bool frozen;      // Space: no drawing, time runs on

extern Text* text;
extern Light* light;
extern Show* show;
