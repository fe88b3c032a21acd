// Bitmap-font text over the picture: a bold "Courier New" (or its stand-in) turned into 96
// display lists, drawn as half-transparent additive white at a raster position in eye space.
#pragma once

#include "render/gl/gl.h"

class Text {
public:
    Text();

    void setPosition(double x, double y);
    void printText(const char* string);
    void printFormatted(const char* format, ...) __attribute__((format(printf, 2, 3)));

    float lineOffset() const { return lineOffset_; }

private:
    void buildFont();
    void setRasterPosition() const;

    GLuint listBase_ = 0;
    float lineOffset_ = 0;
    int pixelHeight_ = 0;  // of the glyphs in the lists
    float x_ = 0;
    float y_ = -0.018f;
};
