#include "image/utility.h"

bool Utility::loadBMPTexture(const char*, GLuint*) { return false; }

bool Utility::loadJPGTexture(const char*, GLuint*) { return false; }

void uploadTexture(GLuint*, const unsigned char*, int, int) {}
