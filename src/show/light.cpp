#include "show/light.h"

Light::Light() {
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_SPECULAR, specular);
    applyPosition();
}

void Light::setPosition(float x, float y, float z) {
    position[0] = x;
    position[1] = y;
    position[2] = z;
    applyPosition();
}

// w = 0: a directional light, as the show was lit.
void Light::applyPosition() const {
    const float homogeneous[4] = {position[0], position[1], position[2], 0.0f};
    glLightfv(light, GL_POSITION, homogeneous);
}
