// Writes the flash list: seven tab-separated columns per flash (start, fade-in, hold,
// fade-out, peak, kind 1 = black / 0 = white, time unit).
#pragma once

#include "vintra-gen/lists/list_writer.h"

namespace gen {

struct FlashRow {
    double start = 0.0;
    double fadeIn = 0.0;
    double hold = 0.0;
    double fadeOut = 1.0;
    double peak = 1.0;
    bool black = false;
    bool beats = true;
};

class FlashListWriter : public ListWriter {
public:
    void add(const FlashRow& row);
};

}  // namespace gen
