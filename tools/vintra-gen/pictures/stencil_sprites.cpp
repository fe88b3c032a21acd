#include "vintra-gen/pictures/stencil_sprites.h"

#include "vintra-gen/pictures/spray_can.h"
#include "vintra-gen/pictures/value_noise.h"

namespace gen {

namespace {

const Color kWhite{1.0f, 1.0f, 1.0f};

}  // namespace

void sprayed(Plane& shape, Rng& rng) {
    shape.warp(ValueNoise(rng.next()), 2.0f, 10.0f);
    shape.blur(1);
    ValueNoise grain(rng.next());
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            float g = grain.at(x * 0.6f, y * 0.6f);
            shape.at(x, y) *= 0.78f + 0.22f * g;
        }
    }
    SprayCan can(rng);
    for (int i = 0; i < 5; ++i) {
        can.speckle(
            shape, {static_cast<float>(rng.range(60, 196)), static_cast<float>(rng.range(60, 196))},
            40.0f, 8, 1.1f);
    }
    shape.clamp01();
}

void storeNegative(Canvas& canvas, const Plane& shape, Color ink) {
    canvas.fill(kWhite);
    canvas.paint(shape, ink);
    canvas.invert();
    canvas.clamp01();
}

}  // namespace gen
