#include "show/music.h"

#include "shell/log_window.h"

Music::Music() { logWindow->printBanner("Fmod"); }

void Music::open(const char* path) { logWindow->print("Opening mp3 file: %s", path); }

void Music::setVolume(int) {}

void Music::play() { logWindow->print("Playing stream mp3..."); }

void Music::stop() {}

void Music::setPosition(int) {}

void Music::readScope(int[256], int[256]) {}
