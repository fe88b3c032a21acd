#include "vintra-gen/lists/camera_list_writer.h"

namespace gen {

void CameraListWriter::add(const CameraRow& r) {
    std::string line = r.file;
    for (double v : {r.start, r.end, r.moveTime}) {
        line += '\t';
        line += number(v);
    }
    line += r.beats ? "\t1" : "\t0";
    row(line);
}

}  // namespace gen
