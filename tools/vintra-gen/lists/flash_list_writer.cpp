#include "vintra-gen/lists/flash_list_writer.h"

#include <string>

namespace gen {

void FlashListWriter::add(const FlashRow& r) {
    std::string line = number(r.start);
    for (double v : {r.fadeIn, r.hold, r.fadeOut, r.peak}) {
        line += '\t';
        line += number(v);
    }
    line += r.black ? "\t1" : "\t0";
    line += r.beats ? "\t1" : "\t0";
    row(line);
}

}  // namespace gen
