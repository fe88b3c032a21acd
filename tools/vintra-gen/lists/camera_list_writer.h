// Writes the camera cut list: five tab-separated columns per cut (position file, start,
// end, move time, time unit).
#pragma once

#include <string>

#include "vintra-gen/lists/list_writer.h"

namespace gen {

struct CameraRow {
    std::string file = {};
    double start = 0.0;
    double end = 0.0;
    double moveTime = 0.0;
    bool beats = true;
};

class CameraListWriter : public ListWriter {
public:
    void add(const CameraRow& row);
};

}  // namespace gen
