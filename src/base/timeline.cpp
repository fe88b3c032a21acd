#include "base/timeline.h"

#include <typeinfo>

#include "base/gl_errors.h"

void Timeline::add(double start, double end, Layer* layer) {
    entries_.push_back({start, end, layer});
}

void Timeline::draw(double t) {
    // By index: a layer may add to the timeline it is drawn from.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry entry = entries_[i];
        if (entry.start <= t && t <= entry.end && entry.layer) {
            markGlState();  // debug builds only, as the two reports
            entry.layer->draw(t - entry.start);
            reportGlErrors(typeid(*entry.layer), t);
            reportGlStateChanges(typeid(*entry.layer), t);
        }
    }
}

void Timeline::clear() {
    entries_.clear();
}
