// The drawing modes a scene object or mesh is drawn in. Callers name them; the values stay
// fixed because the int entry point takes them as numbers and refuses those without a
// drawing.
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
