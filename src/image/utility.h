// Texture loading: reads a BMP or JPEG file and turns its pixels into a GL texture.
// Layers keep only the texture name; a failed load leaves the caller's name unchanged.
#pragma once

#include "render/gl/gl.h"

class Utility {
public:
    // How a failed load is shown: every time, or once per log (for a file that many objects
    // share, such as the light picture).
    enum class FailureReport { EveryTime, Once };

    bool loadBMPTexture(const char* path, GLuint* textureName,
                        FailureReport report = FailureReport::EveryTime);
    bool loadJPGTexture(const char* path, GLuint* textureName,
                        FailureReport report = FailureReport::EveryTime);
};

// Creates a texture from packed RGB rows (linear filters, repeat wrap, one level) and
// leaves it bound to GL_TEXTURE_2D. A grey picture (each pixel's three channels equal) is kept
// as luminance, which draws exactly as the three equal channels do, in a quarter of the memory.
void uploadTexture(GLuint* textureName, const unsigned char* pixels, int width, int height);
