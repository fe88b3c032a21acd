// The morphing creature: a subdivided sphere and, with the very same face list and texture
// coordinates, a spiky eight-legged deformation of it.
#pragma once

#include "vintra-gen/model_builder.h"

namespace gen {

class MorphModels {
public:
    static constexpr float kRadius = 1.6f;

    // Both shapes; `spiky` false gives the plain sphere.
    static ModelBuilder shape(bool spiky);

private:
    struct Sphere {
        std::vector<Pos> directions;  // unit vectors
        std::vector<std::array<uint16_t, 3>> faces;
    };

    static Sphere icosphere(int levels);
    static Pos deformed(const Pos& direction, size_t index);
};

}  // namespace gen
