#include "vintra-gen/lists/camera_path_writer.h"

#include <cstdio>

namespace gen {

void CameraPathWriter::add(Vec3 eye, Vec3 target, Vec3 up) {
    char line[256];
    std::snprintf(line, sizeof line, "%.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f %.2f\n", eye.x, eye.y,
                  eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
    text_ += line;
    ++positions_;
}

}  // namespace gen
