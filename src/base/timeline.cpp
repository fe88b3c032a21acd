#include "base/timeline.h"

void Timeline::add(double start, double end, Layer* layer) {
    entries_.push_back({start, end, layer});
}

void Timeline::draw(const Frame& frame) {
    const double t = frame.showTime;
    // By index: a layer may add to the timeline it is drawn from.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry entry = entries_[i];
        if (entry.start <= t && t <= entry.end && entry.layer) {
            if (check_)
                check_->before(*entry.layer);
            entry.layer->draw(frame.since(entry.start));
            if (check_)
                check_->after(*entry.layer, t);
        }
    }
}

void Timeline::clear() {
    entries_.clear();
}
