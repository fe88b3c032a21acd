// Model textures: the record label and the credit models' surfaces.
#include <cmath>
#include <string>

#include "base/data_file.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kPi = 3.14159265f;

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

void produceModelTextures(OutputDirectory& out) {
    Lettering lettering;
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return;
    }
    JpegEncoder::write(out, data::kTurntableLabel.inDataSet(), recordLabel(lettering));
    JpegEncoder::write(out, data::kCodedByTexture.inDataSet(),
                       brushed(11, {0.55f, 0.7f, 0.9f}, {0.1f, 0.2f, 0.4f}));
    JpegEncoder::write(out, data::kAuthorTexture.inDataSet(),
                       brushed(12, {1.0f, 0.75f, 0.3f}, {0.6f, 0.15f, 0.05f}));
    JpegEncoder::write(out, data::kTowerTextTexture.inDataSet(),
                       brushed(13, {1.0f, 0.95f, 0.8f}, {0.7f, 0.6f, 0.4f}));
}

}  // namespace gen
