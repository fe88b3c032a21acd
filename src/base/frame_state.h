// What every folder may read of the current frame: the show time, the screen (the 4:3
// picture's size and its corner in the window, past any bars), the viewport the world last
// set, and the frames drawn so far. One struct; the names the layers use are references to
// its fields.
#pragma once

struct FrameState {
    double showTime = 0;  // the show time of the current frame
    int screenWidth = 800;
    int screenHeight = 600;
    int screenLeft = 0;  // pixels from the window's left edge to the picture
    int screenBottom = 0;
    // The viewport of the last World::initView: the screen, past any bars.
    int viewportLeft = 0;
    int viewportBottom = 0;
    int viewportWidth = 0;
    int viewportHeight = 0;
    int framesDrawn = 0;
};

extern FrameState frameState;

inline double& showTime = frameState.showTime;
inline int& screenWidth = frameState.screenWidth;
inline int& screenHeight = frameState.screenHeight;
inline int& screenLeft = frameState.screenLeft;
inline int& screenBottom = frameState.screenBottom;
inline int& viewportLeft = frameState.viewportLeft;
inline int& viewportBottom = frameState.viewportBottom;
inline int& viewportWidth = frameState.viewportWidth;
inline int& viewportHeight = frameState.viewportHeight;
inline int& framesDrawn = frameState.framesDrawn;
