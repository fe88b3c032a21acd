#include "layers/tag_placement.h"

#include <cstring>

#include "base/beat.h"
#include "base/random.h"

namespace {

constexpr float kMarker = static_cast<float>(TagRow::kRandom);
constexpr size_t kPathLimit = 1023;

float randomSpread(Random& random) {
    return static_cast<float>(random.next() % 200) / 100.0f - 1.0f;
}

struct Fields {
    float start, fadeIn, hold, fadeOut, x, y, z, rotation, peak, zDrift;
};

Fields singlePrecision(const TagRow& r) {
    auto f = [](double v) { return static_cast<float>(v); };
    return {f(r.start), f(r.fadeIn), f(r.hold),     f(r.fadeOut), f(r.x),
            f(r.y),     f(r.z),      f(r.rotation), f(r.peak),    f(r.drift)};
}

// The markers are replaced in this order, each draw only for a column that holds one.
void replaceMarkers(Fields& f, Random& random) {
    if (f.x == kMarker) {
        f.x = randomSpread(random) * 0.5f;
    }
    if (f.y == kMarker) {
        f.y = randomSpread(random) * 0.5f;
    }
    if (f.z == kMarker) {
        f.z = randomSpread(random) * 0.5f - 1.0f;
    }
    if (f.rotation == kMarker) {
        f.rotation = static_cast<float>(random.next() % 360);
    }
    if (f.peak == kMarker) {
        f.peak = static_cast<float>(random.next() % 100) / 100.0f;
    }
    if (f.zDrift == kMarker) {
        f.zDrift = randomSpread(random);
    }
}

// Rounded back to single precision, as the row's numbers are held.
void convertBeats(Fields& f) {
    f.fadeIn = static_cast<float>(f.fadeIn * kBeatSeconds);
    f.hold = static_cast<float>(f.hold * kBeatSeconds);
    f.fadeOut = static_cast<float>(f.fadeOut * kBeatSeconds);
    f.start = static_cast<float>(f.start * kBeatSeconds);
}

}  // namespace

std::optional<TagPlacement> TagPlacement::resolve(const TagRow& row, const char* directory,
                                                  Random& random) {
    const char* prefix = directory ? directory : "";
    if (std::strlen(prefix) + row.image.size() > kPathLimit) {
        return std::nullopt;
    }
    Fields f = singlePrecision(row);
    replaceMarkers(f, random);
    if (row.beats) {
        convertBeats(f);
    }
    TagPlacement p;
    p.imagePath = std::string(prefix) + row.image;
    p.start = f.start;
    p.fadeIn = f.fadeIn;
    p.hold = f.hold;
    p.fadeOut = f.fadeOut;
    p.x = f.x;
    p.y = f.y;
    p.z = f.z;
    p.rotation = f.rotation;
    p.peak = f.peak;
    p.zDrift = f.zDrift;
    return p;
}
