// The one GL window and its start-up: createWindow switches the display mode when asked,
// opens the window and context, sets the perspective and runs preInit and worldInit.
#pragma once

#include "platform/window.h"

bool createWindow(const char* title, int width, int height, int bits, bool fullscreenFlag);
void killWindow();
void resizeScene(int width, int height);

// The window of the running show; offscreen for the offline modes.
platform::Window& mainWindow();
void setOffscreen(bool offscreen);
// The interactive show waits for the display's refresh; stepped and offline runs do not.
void setVerticalSync(bool on);
