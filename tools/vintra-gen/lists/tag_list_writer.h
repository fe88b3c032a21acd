// Writes tag lists: twelve tab-separated columns per sprite (image, start, fade-in, hold,
// fade-out, x, y, z, rotation, peak, z drift, time unit).
#pragma once

#include <string>

#include "vintra-gen/lists/list_writer.h"

namespace gen {

// The value the show's list readers replace by a random one.
inline constexpr double kRandom = 666.0;

struct TagRow {
    std::string image = {};
    double start = 0.0;
    double fadeIn = 0.0;
    double hold = 0.0;
    double fadeOut = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = -2.5;
    double rotation = 0.0;
    double peak = 1.0;
    double drift = 0.0;
    // Times in beats of 0.48 s (written as 1) or in seconds (0).
    bool beats = true;
};

class TagListWriter : public ListWriter {
public:
    void add(const TagRow& row);
};

}  // namespace gen
