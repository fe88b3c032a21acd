// The one small value type for points, directions, normals and colours: three floats,
// operated on in double precision and rounded back to float when stored. The arithmetic
// is inline: particles and light maps use it millions of times a second.
#pragma once

class Vector3 {
public:
    float x, y, z;

    // Left uncleared on purpose, like any plain three-float struct; see clear().
    Vector3() = default;
    Vector3(double x, double y, double z);

    void clear();
    void set(double x, double y, double z);

    Vector3 operator+(const Vector3& other) const;
    Vector3 operator-(const Vector3& other) const;
    Vector3 operator*(double s) const;
    Vector3 operator/(double s) const;  // no guard against s = 0
    // In-place forms return a copy of the new value.
    Vector3 operator+=(const Vector3& other);
    Vector3 operator-=(const Vector3& other);
    Vector3 operator*=(double s);
    Vector3 operator/=(double s);
    Vector3 addScalar(double s);
    Vector3 subtractScalar(double s);

    Vector3 componentProduct(const Vector3& other) const;
    double dot(const Vector3& other) const;
    Vector3 cross(const Vector3& other) const;
    double length() const;
    // Divides by the length rounded to float; a zero vector gives NaN components.
    Vector3 normalised() const;

    // Exact float equality of all three components.
    bool operator==(const Vector3& other) const;

    // Rotation by three angles in degrees: about x, then y (a positive angle turns +x
    // towards +z), then z. Degrees become radians with 3.14 as a float, not pi.
    Vector3 rotate(double a, double b, double c) const;

    // By a 4x4 GL matrix in column-major order; the point form adds the translation.
    Vector3 transformDirection(const float m[16]) const;
    Vector3 transformPoint(const float m[16]) const;
};

inline Vector3::Vector3(double nx, double ny, double nz) {
    set(nx, ny, nz);
}

inline void Vector3::clear() {
    x = y = z = 0.0f;
}

inline void Vector3::set(double nx, double ny, double nz) {
    x = static_cast<float>(nx);
    y = static_cast<float>(ny);
    z = static_cast<float>(nz);
}

inline Vector3 Vector3::operator+(const Vector3& o) const {
    return Vector3(double(x) + o.x, double(y) + o.y, double(z) + o.z);
}

inline Vector3 Vector3::operator-(const Vector3& o) const {
    return Vector3(double(x) - o.x, double(y) - o.y, double(z) - o.z);
}

inline Vector3 Vector3::operator*(double s) const {
    return Vector3(s * x, s * y, s * z);
}

inline Vector3 Vector3::operator/(double s) const {
    return Vector3(x / s, y / s, z / s);
}

inline Vector3 Vector3::operator+=(const Vector3& o) {
    return *this = *this + o;
}

inline Vector3 Vector3::operator-=(const Vector3& o) {
    return *this = *this - o;
}

inline Vector3 Vector3::operator*=(double s) {
    return *this = *this * s;
}

inline Vector3 Vector3::operator/=(double s) {
    return *this = *this / s;
}

inline Vector3 Vector3::componentProduct(const Vector3& o) const {
    return Vector3(double(x) * o.x, double(y) * o.y, double(z) * o.z);
}

inline double Vector3::dot(const Vector3& o) const {
    return double(x) * o.x + double(y) * o.y + double(z) * o.z;
}
