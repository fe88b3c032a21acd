// A tag list row made ready for its tag: the 666 markers replaced by random values, beats
// turned into seconds, the image joined to the list's directory. Needs no GL.
#pragma once

#include <optional>
#include <string>

#include "base/random.h"
#include "lists/tag_row.h"

struct TagPlacement {
    std::string imagePath;  // directory + image
    double start = 0, fadeIn = 0, hold = 0, fadeOut = 0;
    double x = 0, y = 0, z = 0, rotation = 0, peak = 0, zDrift = 0;

    // Null when directory + image pass the 1023 characters an image path may have; then no
    // random value is drawn. Works in single precision, as the row is held. The markers draw
    // from `random`, the list's own sequence.
    static std::optional<TagPlacement> resolve(const TagRow& row, const char* directory,
                                               Random& random);
};
