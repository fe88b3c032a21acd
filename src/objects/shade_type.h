// The drawing modes a scene object or mesh is drawn in. Values are fixed: layers pass them
// as plain numbers too, and values without a drawing are refused by the mesh.
#pragma once

enum class ShadeType : int {
    Flat = 1,
    Smooth = 2,
    Texture = 4,
    Shadow = 6,
    EnvironmentMap = 7,
    BumpMap = 8,
    LightMap = 9,
    DisplayList = 10,
    Radial = 11,
    RadialLight = 12,
};
