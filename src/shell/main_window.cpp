#include "shell/main_window.h"

namespace {

platform::Window window;
bool offscreenWindow = false;
bool verticalSync = false;
bool glesRenderer = false;
int pictureSamples = 0;
bool pictureSamplesChosen = false;

}  // namespace

platform::Window& mainWindow() {
    return window;
}

void setOffscreen(bool offscreen) {
    offscreenWindow = offscreen;
}

bool offscreenRequested() {
    return offscreenWindow;
}

void setVerticalSync(bool on) {
    verticalSync = on;
}

bool verticalSyncRequested() {
    return verticalSync;
}

void setGlesRenderer(bool on) {
    glesRenderer = on;
}

bool glesRendererRequested() {
    return glesRenderer;
}

void setPictureSamples(int samples, bool chosen) {
    pictureSamples = samples;
    pictureSamplesChosen = chosen;
}

int pictureSamplesRequested() {
    return pictureSamples;
}

bool pictureSamplesWereChosen() {
    return pictureSamplesChosen;
}
