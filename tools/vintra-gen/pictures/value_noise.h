// Smooth deterministic 2D noise (hashed lattice, smoothstep interpolation) for warps,
// film grain, vinyl grooves and paint texture.
#pragma once

#include <cstdint>

namespace gen {

class ValueNoise {
public:
    explicit ValueNoise(uint64_t key);

    // Smooth value in [0, 1] with features about one unit apart.
    float at(float x, float y) const;
    // Sum of `octaves` layers, each twice as fine and half as strong; result in [0, 1].
    float fractal(float x, float y, int octaves) const;
    // Independent value in [0, 1] for one lattice cell.
    float cell(int x, int y) const;

private:
    uint64_t key_;
};

}  // namespace gen
