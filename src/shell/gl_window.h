// The one GL window and its start-up: createWindow switches the display mode when asked,
// opens the window and context, sets the perspective and runs preInit and worldInit.
#pragma once

#include "shell/main_window.h"

bool createWindow(const char* title, int width, int height, int bits, bool fullscreenFlag);
void killWindow();
void resizeScene(int width, int height);
