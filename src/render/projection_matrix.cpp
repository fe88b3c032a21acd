#include "render/projection_matrix.h"

#include <cmath>

void ProjectionMatrix::clear() {
    for (float& entry : m) {
        entry = 0.0f;
    }
}

void ProjectionMatrix::setFrustum(float left, float right, float bottom, float top, float nearPlane,
                                  float farPlane) {
    clear();
    if (left == right || top == bottom || nearPlane == farPlane) {
        return;
    }
    m[0] = 2 * nearPlane / (right - left);
    m[5] = 2 * nearPlane / (top - bottom);
    m[8] = (right + left) / (right - left);
    m[9] = (top + bottom) / (top - bottom);
    m[11] = -1.0f;
    if (farPlane == kInfiniteFar) {
        // Just inside infinity, so points far away still pass the depth range.
        m[10] = -0.999f;
        m[14] = -2 * nearPlane * 0.999f;
    } else {
        m[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
        m[14] = -2 * farPlane * nearPlane / (farPlane - nearPlane);
    }
}

void ProjectionMatrix::setPerspective(float fieldOfView, float aspect, float nearPlane,
                                      float farPlane) {
    const float degreesToRadians = 3.1415f / 180.0f;
    const float top = std::tan(fieldOfView * degreesToRadians / 2) * nearPlane;
    const float bottom = -top;
    setFrustum(aspect * bottom, aspect * top, bottom, top, nearPlane, farPlane);
}
