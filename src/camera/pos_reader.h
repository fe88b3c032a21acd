// Reads camera position (".pos") text: decimal numbers separated by any white space,
// taken nine at a time as eye, look-at point and up vector. Works on bytes so tests and
// fuzz targets need no files.
#pragma once

#include <string_view>
#include <vector>

#include "objects/vector3.h"

struct CameraPosition {
    Vector3 eye;
    Vector3 target;
    Vector3 up;
};

class PosReader {
public:
    // Every complete group of nine numbers, in order. A trailing incomplete group is
    // ignored. Reading stops at the first thing that is not a number (text, or a value
    // beyond float range), keeping the complete groups before it.
    static std::vector<CameraPosition> parse(std::string_view bytes);
};
