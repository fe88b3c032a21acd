#include "objects/model_material.h"

float ModelMaterial::clampUnit(float value) {
    if (!(value >= 0.0f)) {
        return 0.0f;
    }
    return value > 1.0f ? 1.0f : value;
}
