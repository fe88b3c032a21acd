#include "vintra-gen/rng.h"

namespace gen {

namespace {

uint64_t hashName(std::string_view name) {
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (char c : name) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

Rng::Rng(uint64_t stream) : state_(0x2545F4914F6CDD1Dull ^ (stream * 0x9E3779B97F4A7C15ull)) {}

Rng::Rng(std::string_view streamName) : Rng(hashName(streamName)) {}

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::range(double lo, double hi) {
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n) {
    return static_cast<int>(next() % static_cast<uint64_t>(n));
}

double Rng::normal() {
    return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508075688772;
}

}  // namespace gen
