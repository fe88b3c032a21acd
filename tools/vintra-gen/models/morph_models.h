// The morphing creature: an eight-legged beast at rest and, with the very same face list and
// texture coordinates, the same beast swollen, its legs and spines thrust out (the kick).
#pragma once

#include "vintra-gen/models/model_builder.h"

namespace gen {

class MorphModels {
public:
    static constexpr float kRadius = 1.6f;

    // Both shapes; `spiky` false gives the beast at rest.
    static ModelBuilder shape(bool spiky);

private:
    struct Sphere {
        std::vector<Pos> directions;  // unit vectors
        std::vector<std::array<uint16_t, 3>> faces;
    };

    static Sphere icosphere(int levels);
    // A point of the beast; `swell` 0 at rest, 1 swollen.
    static Pos deformed(const Pos& direction, size_t index, float swell);
};

}  // namespace gen
