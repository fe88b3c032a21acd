// Readable failure messages for vectors in tests.
#pragma once

#include <ostream>

#include "objects/vector3.h"

inline void PrintTo(const Vector3& v, std::ostream* os) {
    *os << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}
