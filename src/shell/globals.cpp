#include "shell/globals.h"

uint8_t keys[256] = {};
bool active = true;
bool fullscreen = true;
bool frozen = false;
int screenWidth = 800;
int screenHeight = 600;
int framesDrawn = 0;

World* world = nullptr;
LoadingScreen* loadingScreen = nullptr;
Camera* camera = nullptr;
Music* music = nullptr;
Text* text = nullptr;
Light* light = nullptr;
Show* show = nullptr;
