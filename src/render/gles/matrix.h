// A 4 × 4 float matrix in GL's column-major order, with the products and transforms GL
// defines, worked in the same order of operations as Mesa so both paths round alike.
#pragma once

namespace render::gles {

struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    bool isIdentity() const;
    bool operator==(const Matrix&) const = default;
    // this = this × other
    void multiply(const float other[16]);
    void translate(float x, float y, float z);
    void rotate(float degrees, float x, float y, float z);
    void ortho(float left, float right, float bottom, float top, float zNear, float zFar);
    // a × b
    static Matrix product(const Matrix& a, const Matrix& b);
    // The inverse, or the identity for a singular matrix.
    Matrix inverse() const;
    // (x, y, z, w) transformed.
    void transform(const float in[4], float out[4]) const;
};

}  // namespace render::gles
