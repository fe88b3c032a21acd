// A light of a 3DS model: position, colour and spot parameters. Kept for completeness;
// nothing in the show reads lights.
#pragma once

#include "objects/model_item.h"
#include "objects/model_types.h"

class ModelLight : public ModelItem {
public:
    Vec3f position;
    Color3f color;
    Vec3f target;
    float hotspot = 0.0f;
    float falloff = 0.0f;
};
