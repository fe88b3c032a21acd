// The morphing creature: a spider at rest (abdomen, thorax, eight jointed legs) and, with the
// very same face list and texture coordinates, the same spider swollen on the kick: abdomen
// blown up, legs thickened, knees thrust up and feet splayed out.
#pragma once

#include "vintra-gen/models/model_builder.h"

namespace gen {

class MorphModels {
public:
    // Radius of the abdomen at rest along its length, in world units.
    static constexpr float kRadius = 0.8f;

    // Both shapes; `spiky` false gives the spider at rest.
    static ModelBuilder shape(bool spiky);
};

}  // namespace gen
