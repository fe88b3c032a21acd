// Noise textures: film grain for the overlays, the morphing model's and the tower's
// surfaces, and the soft light sprite.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/data_file.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"

namespace gen {

namespace {

constexpr int kSize = 256;

// Film grain around mid grey with a few scratches and dust specks.
Canvas filmNoise(Rng& rng, float contrast) {
    Canvas canvas(kSize, kSize);
    ValueNoise blotch(rng.next());
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float grain = static_cast<float>(rng.uniform() + rng.uniform() - 1.0);
            float v =
                0.5f + grain * contrast + (blotch.fractal(x / 40.0f, y / 40.0f, 3) - 0.5f) * 0.2f;
            canvas.setPixel(x, y, {v, v, v * 0.97f});
        }
    }
    Plane marks(kSize, kSize);
    for (int i = 0; i < 3; ++i) {
        float x = static_cast<float>(rng.range(10, 246));
        marks.line({x, 0}, {x + static_cast<float>(rng.range(-6, 6)), 256}, 1.2f);
    }
    for (int i = 0; i < 25; ++i) {
        marks.dab(static_cast<float>(rng.range(0, 256)), static_cast<float>(rng.range(0, 256)),
                  static_cast<float>(rng.range(1.0, 3.0)), 1.0f);
    }
    canvas.paint(marks, {0.95f, 0.95f, 0.95f}, 0.7f);
    canvas.clamp01();
    return canvas;
}

// Swirled bands of colour for the morphing model. The scene reaches the screen with its
// colours turned over and the lit skin never gets past about half its brightness, so a
// strong cyan shows as a red hide and the white veins as grey.
Canvas marble(uint64_t key) {
    Canvas canvas(kSize, kSize);
    ValueNoise noise(key);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float n = noise.fractal(x / 48.0f, y / 48.0f, 5);
            float band = 0.5f + 0.5f * std::sin((x + y) * 0.05f + n * 9.0f);
            Color hide{0.0f, 1.0f, 1.0f};
            Color vein{1.0f, 1.0f, 1.0f};
            Color c = mix(hide, vein, std::pow(band, 6.0f));
            canvas.setPixel(x, y, c);
        }
    }
    return canvas;
}

// Weathered concrete in courses, for the tower.
Canvas concrete(uint64_t key) {
    Canvas canvas(kSize, kSize);
    ValueNoise noise(key);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float n = noise.fractal(x / 20.0f, y / 20.0f, 5);
            float stain = noise.fractal(x / 90.0f + 7.0f, y / 30.0f, 3);
            float v = 0.35f + 0.35f * n - 0.15f * std::max(0.0f, stain - 0.55f) * 3.0f;
            bool joint = y % 64 < 2 || ((x + (y / 64) * 48) % 96) < 2;
            if (joint) {
                v *= 0.45f;
            }
            canvas.setPixel(x, y, {v * 1.02f, v, v * 0.94f});
        }
    }
    canvas.clamp01();
    return canvas;
}

// The light: the sparks' sprite, and the tower's light map, which spans the light radius
// (about 25 units between bursts) across. A bell that falls to half about a third of the way
// out makes a pool of light a few units wide around the light on the small tower, and
// reaches black at the clamped edge.
Canvas lightSprite() {
    constexpr float kSpread = 0.44f;
    const float edge = std::exp(-1.0f / (kSpread * kSpread));
    Canvas canvas(128, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            float dx = (x + 0.5f - 64.0f) / 64.0f;
            float dy = (y + 0.5f - 64.0f) / 64.0f;
            float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            float v = (std::exp(-d * d / (kSpread * kSpread)) - edge) / (1.0f - edge);
            canvas.setPixel(x, y, {v, v, v});
        }
    }
    return canvas;
}

}  // namespace

void produceNoiseTextures(OutputDirectory& out) {
    Rng rng("noise textures");
    JpegEncoder::write(out, data::kTowerNoise.inDataSet(), filmNoise(rng, 0.28f));
    JpegEncoder::write(out, data::kMorphTexture.inDataSet(), marble(rng.next()));
    JpegEncoder::write(out, data::kTowerTexture.inDataSet(), concrete(rng.next()));
    JpegEncoder::write(out, data::kLight.inDataSet(), lightSprite());
}

}  // namespace gen
