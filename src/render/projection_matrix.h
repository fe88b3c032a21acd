// A projection of a layer's own, as the 16 column-major floats glLoadMatrixf takes: a
// frustum from its clipping planes or from a vertical field of view, optionally endless.
#pragma once

class ProjectionMatrix {
public:
    // Far plane value that puts the far plane at infinity.
    static constexpr float kInfiniteFar = -1.0f;

    void clear();
    // Leaves the matrix all zero when a pair of opposite planes coincides.
    void setFrustum(float left, float right, float bottom, float top, float nearPlane,
                    float farPlane);
    // fieldOfView: vertical, degrees.
    void setPerspective(float fieldOfView, float aspect, float nearPlane, float farPlane);

    float m[16] = {};
};
