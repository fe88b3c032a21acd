// The one GL window and its start-up: createWindow switches the display mode when asked,
// opens the window and context, sets the perspective and runs preInit and worldInit.
#pragma once

#include "render/letterbox.h"
#include "shell/main_window.h"

struct Session;

// Opens the window for `session` and runs its start-up; killWindow frees both.
bool createWindow(Session& session, const char* title, int width, int height, int bits,
                  bool fullscreenFlag);
void killWindow(Session& session);
// The window's drawable is width × height pixels: the picture is letterboxed in it and
// keeps the show's projection.
void resizeScene(Session& session, int width, int height);
// Where the picture lies in the window, as the last resizeScene placed it.
const Letterbox& windowLetterbox();
