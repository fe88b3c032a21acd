#include "base/picture_keeping.h"

#include <algorithm>
#include <vector>

bool keepPicturesAround(std::span<const Timeline> lines, double t, double lead, bool mayLoad) {
    std::vector<const Timeline::Entry*> soon;
    std::vector<Layer*> idle;
    for (const Timeline& line : lines) {
        for (const Timeline::Entry& entry : line.entries()) {
            if (entry.start - lead <= t && t <= entry.end) {
                soon.push_back(&entry);
            } else {
                idle.push_back(entry.layer);
            }
        }
    }
    std::stable_sort(
        soon.begin(), soon.end(),
        [](const Timeline::Entry* a, const Timeline::Entry* b) { return a->start < b->start; });
    bool letGo = false;
    for (Layer* layer : idle) {
        const bool neededSoon = std::any_of(
            soon.begin(), soon.end(), [layer](const auto* entry) { return entry->layer == layer; });
        if (!neededSoon) {
            letGo = layer->unload() || letGo;
        }
    }
    if (mayLoad) {
        for (const Timeline::Entry* entry : soon) {
            if (entry->layer->loadNext()) {
                break;
            }
        }
    }
    return letGo;
}
