// Textures: film noise for the overlays, the morphing model's and the tower's surfaces,
// the soft light sprite, the record label and the credit models' surfaces.
#include <cmath>
#include <string>

#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

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

// The record on the turntable: vinyl to the edge, the label in the middle.
Canvas recordLabel(const Lettering& lettering) {
    Canvas canvas(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float dx = x + 0.5f - 128.0f;
            float dy = y + 0.5f - 128.0f;
            float r = std::sqrt(dx * dx + dy * dy);
            float a = std::atan2(dy, dx);
            float groove = 0.5f + 0.5f * std::sin(r * 2.2f);
            float sheen = std::pow(std::abs(std::cos(a - 0.7f)), 16.0f);
            float v = 0.06f + 0.05f * groove + 0.35f * sheen;
            Color c{v, v, v * 1.1f};
            if (r < 52.0f) {
                float t = r / 52.0f;
                c = mix(Color{1.0f, 0.55f, 0.1f}, Color{0.85f, 0.15f, 0.1f}, t * t);
                if (r > 48.0f) {
                    c = {0.95f, 0.9f, 0.8f};
                }
            }
            if (r < 3.0f) {
                c = {0.0f, 0.0f, 0.0f};
            }
            canvas.setPixel(x, y, c);
        }
    }
    TextStyle name{.pixelHeight = 22.0f};
    canvas.paint(lettering.render(kSize, kSize, "#Korrin", {128.0f, 112.0f}, name),
                 {1.0f, 0.97f, 0.9f});
    TextStyle small{.pixelHeight = 10.0f, .tracking = 1.0f};
    canvas.paint(lettering.render(kSize, kSize, "125 bpm", {128.0f, 146.0f}, small),
                 {0.2f, 0.05f, 0.02f});
    return canvas;
}

// Brushed gradient for the credit models.
Canvas brushed(uint64_t key, Color top, Color bottom) {
    Canvas canvas(kSize, kSize);
    ValueNoise noise(key);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float streak = noise.fractal(x / 60.0f, y / 1.5f, 3);
            float t = static_cast<float>(y) / (kSize - 1);
            Color c = mix(top, bottom, t);
            float shine = std::pow(std::abs(std::sin(t * kPi * 1.5f + 0.4f)), 6.0f) * 0.3f;
            c = scaled(c, 0.85f + 0.3f * streak);
            c = {c.r + shine, c.g + shine, c.b + shine};
            canvas.setPixel(x, y, c);
        }
    }
    canvas.clamp01();
    return canvas;
}

}  // namespace

void produceNoiseTextures(OutputDirectory& out) {
    Rng rng("noise textures");
    JpegEncoder::write(out, "noise7.jpg", filmNoise(rng, 0.28f));
    JpegEncoder::write(out, "noise2.jpg", marble(rng.next()));
    JpegEncoder::write(out, "tower/noise8.jpg", concrete(rng.next()));
    JpegEncoder::write(out, "light.jpg", lightSprite());
}

void produceModelTextures(OutputDirectory& out) {
    Lettering lettering;
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return;
    }
    JpegEncoder::write(out, "korrin.jpg", recordLabel(lettering));
    JpegEncoder::write(out, "coded_by.jpg", brushed(11, {0.55f, 0.7f, 0.9f}, {0.1f, 0.2f, 0.4f}));
    JpegEncoder::write(out, "zorbel.jpg", brushed(12, {1.0f, 0.75f, 0.3f}, {0.6f, 0.15f, 0.05f}));
    JpegEncoder::write(out, "tower/text.jpg", brushed(13, {1.0f, 0.95f, 0.8f}, {0.7f, 0.6f, 0.4f}));
}

}  // namespace gen
