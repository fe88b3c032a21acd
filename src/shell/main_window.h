// The one window of the running show, and how the next one is to be opened: offscreen for
// the offline modes, waiting for the display's refresh for the interactive show, with the
// samples a pixel the show draws its picture with.
#pragma once

#include "platform/window.h"

platform::Window& mainWindow();

void setOffscreen(bool offscreen);
bool offscreenRequested();
// Stepped and offline runs do not wait for the refresh.
void setVerticalSync(bool on);
bool verticalSyncRequested();
// Draw through our GL layer on an OpenGL ES 3.0 context instead of the system's GL.
void setGlesRenderer(bool on);
bool glesRendererRequested();
// Samples a pixel for the next window's picture (0: none); `chosen` when the user asked
// for them, which a software rasteriser then gets too.
void setPictureSamples(int samples, bool chosen);
int pictureSamplesRequested();
bool pictureSamplesWereChosen();
