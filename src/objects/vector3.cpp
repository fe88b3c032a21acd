#include "objects/vector3.h"

#include <cmath>

namespace {

// The show's degree conversion uses the float 3.14 widened to double, not pi.
constexpr double kPi = static_cast<double>(3.14f);

float toFloat(double v) {
    return static_cast<float>(v);
}

}  // namespace

Vector3 Vector3::addScalar(double s) {
    return *this = Vector3(x + s, y + s, z + s);
}

Vector3 Vector3::subtractScalar(double s) {
    return *this = Vector3(x - s, y - s, z - s);
}

Vector3 Vector3::cross(const Vector3& o) const {
    return Vector3(double(y) * o.z - double(z) * o.y, double(z) * o.x - double(x) * o.z,
                   double(x) * o.y - double(y) * o.x);
}

double Vector3::length() const {
    return std::sqrt(dot(*this));
}

Vector3 Vector3::normalised() const {
    double len = toFloat(length());
    return Vector3(x / len, y / len, z / len);
}

bool Vector3::operator==(const Vector3& o) const {
    return x == o.x && y == o.y && z == o.z;
}

Vector3 Vector3::rotate(double a, double b, double c) const {
    a = a * kPi / 180.0;
    b = b * kPi / 180.0;
    c = c * kPi / 180.0;
    double y1 = std::cos(a) * y - std::sin(a) * z;
    double z1 = std::sin(a) * y + std::cos(a) * z;
    double x2 = std::cos(b) * x - std::sin(b) * z1;
    double z2 = std::sin(b) * x + std::cos(b) * z1;
    double x3 = std::cos(c) * x2 - std::sin(c) * y1;
    double y3 = std::sin(c) * x2 + std::cos(c) * y1;
    return Vector3(x3, y3, z2);
}

Vector3 Vector3::transformDirection(const float m[16]) const {
    Vector3 r;
    float* out[3] = {&r.x, &r.y, &r.z};
    for (int i = 0; i < 3; ++i) {
        *out[i] = toFloat(double(x) * m[i] + double(y) * m[i + 4] + double(z) * m[i + 8]);
    }
    return r;
}

Vector3 Vector3::transformPoint(const float m[16]) const {
    Vector3 r;
    float* out[3] = {&r.x, &r.y, &r.z};
    for (int i = 0; i < 3; ++i) {
        *out[i] =
            toFloat(double(x) * m[i] + double(y) * m[i + 4] + double(z) * m[i + 8] + m[i + 12]);
    }
    return r;
}
