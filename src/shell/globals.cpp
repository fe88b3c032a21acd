#include "shell/globals.h"

bool active = true;
bool fullscreen = true;
bool modeSwitch = false;
bool frozen = false;

Text* text = nullptr;
Light* light = nullptr;
Show* show = nullptr;
