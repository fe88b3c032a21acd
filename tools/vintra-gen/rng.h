// The generator's own pseudo-random sequence: a fixed-start splitmix64, so every run of the
// generator draws the same numbers and every picture comes out byte-identical.
#pragma once

#include <cstdint>
#include <string_view>

namespace gen {

class Rng {
public:
    // `stream` picks an independent sequence; producers name theirs so they never share one.
    explicit Rng(uint64_t stream = 0);
    explicit Rng(std::string_view streamName);

    uint64_t next();
    // Uniform in [0, 1).
    double uniform();
    // Uniform in [lo, hi).
    double range(double lo, double hi);
    // Uniform integer in [0, n); n must be positive.
    int below(int n);
    // Roughly normal, mean 0, deviation 1 (sum of four uniforms).
    double normal();

private:
    uint64_t state_;
};

}  // namespace gen
