// The show's light 0 after start-up: grey ambient, light-grey diffuse, white specular, and
// a position that makes it shine from a direction rather than from a point.
#pragma once

#include "render/gl/gl.h"

class Light {
public:
    Light();

    // Light 0 shines from the direction of (x, y, z).
    void setPosition(float x, float y, float z);

    float ambient[4] = {0.3f, 0.3f, 0.3f, 1.0f};
    float diffuse[4] = {0.7f, 0.7f, 0.7f, 1.0f};
    float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float position[3] = {0.0f, 0.0f, 0.0f};
    GLenum light = GL_LIGHT0;

private:
    void applyPosition() const;
};
