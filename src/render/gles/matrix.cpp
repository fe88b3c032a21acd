#include "render/gles/matrix.h"

#include <cmath>
#include <cstring>

namespace render::gles {

namespace {

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// product = a × b, row by row, as Mesa's matmul4 sums.
void multiplyInto(float product[16], const float a[16], const float b[16]) {
    float result[16];
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a[i], ai1 = a[4 + i], ai2 = a[8 + i], ai3 = a[12 + i];
        for (int j = 0; j < 4; ++j) {
            result[j * 4 + i] =
                ai0 * b[j * 4 + 0] + ai1 * b[j * 4 + 1] + ai2 * b[j * 4 + 2] + ai3 * b[j * 4 + 3];
        }
    }
    std::memcpy(product, result, sizeof result);
}

}  // namespace

bool Matrix::isIdentity() const {
    return std::memcmp(m, kIdentity, sizeof m) == 0;
}

void Matrix::multiply(const float other[16]) {
    multiplyInto(m, m, other);
}

void Matrix::translate(float x, float y, float z) {
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void Matrix::rotate(float degrees, float x, float y, float z) {
    const float s = std::sin(static_cast<float>(degrees * M_PI / 180.0));
    const float c = std::cos(static_cast<float>(degrees * M_PI / 180.0));
    float r[16];
    std::memcpy(r, kIdentity, sizeof r);
    auto at = [&r](int row, int column) -> float& { return r[column * 4 + row]; };
    // Rotations about one axis are written out exactly, as GL implementations do.
    if (x == 0 && y == 0 && z != 0) {
        at(0, 0) = c;
        at(1, 1) = c;
        at(0, 1) = z < 0 ? s : -s;
        at(1, 0) = z < 0 ? -s : s;
    } else if (x == 0 && z == 0 && y != 0) {
        at(0, 0) = c;
        at(2, 2) = c;
        at(0, 2) = y < 0 ? -s : s;
        at(2, 0) = y < 0 ? s : -s;
    } else if (y == 0 && z == 0 && x != 0) {
        at(1, 1) = c;
        at(2, 2) = c;
        at(1, 2) = x < 0 ? s : -s;
        at(2, 1) = x < 0 ? -s : s;
    } else {
        const float length = std::sqrt(x * x + y * y + z * z);
        if (length <= 1.0e-4f) {
            return;
        }
        x /= length;
        y /= length;
        z /= length;
        const float oneMinusC = 1.0f - c;
        at(0, 0) = (oneMinusC * x * x) + c;
        at(0, 1) = (oneMinusC * x * y) - z * s;
        at(0, 2) = (oneMinusC * z * x) + y * s;
        at(1, 0) = (oneMinusC * x * y) + z * s;
        at(1, 1) = (oneMinusC * y * y) + c;
        at(1, 2) = (oneMinusC * y * z) - x * s;
        at(2, 0) = (oneMinusC * z * x) - y * s;
        at(2, 1) = (oneMinusC * y * z) + x * s;
        at(2, 2) = (oneMinusC * z * z) + c;
    }
    multiply(r);
}

void Matrix::ortho(float left, float right, float bottom, float top, float zNear, float zFar) {
    float o[16] = {};
    o[0] = 2.0f / (right - left);
    o[12] = -(right + left) / (right - left);
    o[5] = 2.0f / (top - bottom);
    o[13] = -(top + bottom) / (top - bottom);
    o[10] = -2.0f / (zFar - zNear);
    o[14] = -(zFar + zNear) / (zFar - zNear);
    o[15] = 1.0f;
    multiply(o);
}

Matrix Matrix::product(const Matrix& a, const Matrix& b) {
    Matrix result;
    multiplyInto(result.m, a.m, b.m);
    return result;
}

Matrix Matrix::inverse() const {
    // Cofactors, in double for a matrix near singular.
    const float* a = m;
    double inv[16];
    inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] +
             a[9] * a[7] * a[14] + a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] -
             a[8] * a[7] * a[14] - a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] +
             a[8] * a[7] * a[13] + a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] -
              a[8] * a[6] * a[13] - a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] -
             a[9] * a[3] * a[14] - a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] +
             a[8] * a[3] * a[14] + a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] -
             a[8] * a[3] * a[13] - a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] +
              a[8] * a[2] * a[13] + a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
             a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] -
             a[4] * a[3] * a[14] - a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] +
              a[4] * a[3] * a[13] + a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] -
              a[4] * a[2] * a[13] - a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] -
             a[5] * a[3] * a[10] - a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
             a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
              a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
              a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
    const double determinant = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
    Matrix result;
    if (determinant == 0) {
        return result;
    }
    for (int i = 0; i < 16; ++i) {
        result.m[i] = static_cast<float>(inv[i] / determinant);
    }
    return result;
}

void Matrix::transform(const float in[4], float out[4]) const {
    float result[4];
    for (int i = 0; i < 4; ++i) {
        result[i] = m[i] * in[0] + m[4 + i] * in[1] + m[8 + i] * in[2] + m[12 + i] * in[3];
    }
    std::memcpy(out, result, sizeof result);
}

}  // namespace render::gles
