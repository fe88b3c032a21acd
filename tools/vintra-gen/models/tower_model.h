// The tower of the credits scene: about 100 units tall on the origin (the scene shows it at
// 0.1), z up, built from closed solids that cast clear stencil shadows: a battered base,
// a shaft with window recesses, stepped corner buttresses, a gallery on corbels, a parapet
// with merlons and a roofed turret.
#pragma once

#include <vector>

#include "vintra-gen/models/model_builder.h"

namespace gen {

class TowerModel {
public:
    static ModelBuilder build();

private:
    static void shaft(ModelBuilder& model);
    static void shaftWall(ModelBuilder& model, int side);
    static void buttresses(ModelBuilder& model);
    static void top(ModelBuilder& model);
};

}  // namespace gen
