#include "vintra-gen/pictures/value_noise.h"

#include <cmath>

namespace gen {

ValueNoise::ValueNoise(uint64_t key) : key_(key * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

float ValueNoise::cell(int x, int y) const {
    uint64_t h = key_ ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0xBF58476D1CE4E5B9ull) ^
                 (static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0x94D049BB133111EBull);
    h ^= h >> 31;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return static_cast<float>(h & 0xFFFFFF) * (1.0f / 16777215.0f);
}

float ValueNoise::at(float x, float y) const {
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    float a = cell(ix, iy);
    float b = cell(ix + 1, iy);
    float c = cell(ix, iy + 1);
    float d = cell(ix + 1, iy + 1);
    float top = a + (b - a) * tx;
    float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float ValueNoise::fractal(float x, float y, int octaves) const {
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += at(x, y) * weight;
        total += weight;
        weight *= 0.5f;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 5.1f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

}  // namespace gen
