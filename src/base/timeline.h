// An ordered list of {start, end, layer}: draws each layer whose interval holds the frame's
// show time (both ends inclusive), in insertion order, handing it the frame with the time
// since its entry started. It neither sorts nor owns its layers.
#pragma once

#include <cstddef>
#include <vector>

#include "base/frame.h"
#include "base/layer.h"
#include "base/layer_check.h"

class Timeline {
public:
    struct Entry {
        double start;
        double end;
        Layer* layer;
    };

    void add(double start, double end, Layer* layer);
    void draw(const Frame& frame);
    void clear();
    // Called around every layer drawn; none by default.
    void setCheck(LayerCheck* check) { check_ = check; }

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    LayerCheck* check_ = nullptr;
};
