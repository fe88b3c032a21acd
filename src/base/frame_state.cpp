#include "base/frame_state.h"

double showTime = 0;
int screenWidth = 800;
int screenHeight = 600;
int screenLeft = 0;
int screenBottom = 0;
int framesDrawn = 0;

bool reloadRequested = false;
bool pauseRequested = false;
bool seekRequested = false;
double seekTarget = 0;
