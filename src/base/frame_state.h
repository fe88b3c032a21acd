// What every folder may read of the current frame: the show time, the screen (the 4:3
// picture's size and its corner in the window, past any bars), the frames drawn so far,
// and the transport requests the authoring keys raise for the show clock to carry out.
#pragma once

extern double showTime;  // the show time of the current frame
extern int screenWidth;
extern int screenHeight;
extern int screenLeft;  // pixels from the window's left edge to the picture
extern int screenBottom;
extern int framesDrawn;

extern bool reloadRequested;
extern bool pauseRequested;
extern bool seekRequested;
extern double seekTarget;  // seconds, always whole
