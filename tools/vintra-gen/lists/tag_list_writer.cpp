#include "vintra-gen/lists/tag_list_writer.h"

namespace gen {

void TagListWriter::add(const TagRow& r) {
    std::string line = r.image;
    for (double v :
         {r.start, r.fadeIn, r.hold, r.fadeOut, r.x, r.y, r.z, r.rotation, r.peak, r.drift}) {
        line += '\t';
        line += number(v);
    }
    line += r.beats ? "\t1" : "\t0";
    row(line);
}

}  // namespace gen
