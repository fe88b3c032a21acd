#include "vintra-gen/lists/camera_path_writer.h"

#include "lists/position_row.h"

namespace gen {

void CameraPathWriter::add(Vec3 eye, Vec3 target, Vec3 up) {
    PositionRow row{{eye.x, eye.y, eye.z}, {target.x, target.y, target.z}, {up.x, up.y, up.z}};
    text_ += row.write();
    text_ += '\n';
    ++positions_;
}

}  // namespace gen
