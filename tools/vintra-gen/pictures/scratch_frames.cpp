// The scratch frames: the scratched record (Scratch1) and the chopped scratch waveform
// (Scratch2).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/frame_sequences.h"
#include "vintra-gen/pictures/spray_can.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;

// The record under a scratch: it spins forwards, then is pushed back and forth.
float scratchAngle(int frame) {
    float t = frame / 40.0f;
    float spin = 2.0f * kPi * 3.0f * t;
    float chop = 0.9f * std::sin(2.0f * kPi * 6.0f * t) * (0.5f + 0.5f * std::sin(2.0f * kPi * t));
    return spin + chop;
}

void drawRecordFrame(Canvas& canvas, const ValueNoise& wear, int frame) {
    float angle = scratchAngle(frame);
    float speed = scratchAngle(frame + 1) - scratchAngle(frame > 0 ? frame - 1 : 39);
    const float cx = 128.0f;
    const float cy = 128.0f;
    const float radius = 112.0f;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float dx = (x + 0.5f - cx) / kAspect;
            float dy = y + 0.5f - cy;
            float r = std::sqrt(dx * dx + dy * dy);
            if (r > radius + 1.0f) {
                continue;
            }
            float a = std::atan2(dy, dx);
            float edge = std::min(1.0f, radius + 1.0f - r);
            Color c;
            if (r > radius * 0.36f) {
                float groove = 0.5f + 0.5f * std::sin(r * 2.4f);
                float shade = 0.08f + 0.05f * groove;
                // Wear marks turn with the record, the sheen stays with the light.
                float marks =
                    wear.at(std::cos(a - angle) * 6.0f + r * 0.05f, std::sin(a - angle) * 6.0f);
                shade += 0.08f * std::max(0.0f, marks - 0.55f) * 3.0f;
                float sheen = std::pow(std::abs(std::cos(a - 0.8f)), 24.0f);
                shade += 0.45f * sheen * (0.6f + 0.4f * groove);
                c = {shade, shade, shade * 1.1f};
            } else if (r > 3.5f) {
                float rel = std::remainder(a - angle, 2.0f * kPi);
                bool wedge = std::abs(rel) < 0.3f && r > radius * 0.12f;
                c = wedge ? Color{0.95f, 0.9f, 0.8f} : kFrameRed;
            } else {
                c = {1.0f, 1.0f, 1.0f};
            }
            canvas.setPixel(x, y, mix(canvas.pixel(x, y), c, edge));
        }
    }
    // Motion trail at the rim where the hand pushes, longer the faster the record moves.
    Plane trail(kSize, kSize);
    float length = std::min(1.2f, std::abs(speed) * 0.8f);
    std::vector<Point> arc;
    for (int i = 0; i <= 12; ++i) {
        float a = -0.6f + (speed > 0 ? 1.0f : -1.0f) * length * i / 12.0f;
        arc.push_back(
            {cx + std::cos(a) * (radius + 8.0f) * kAspect, cy + std::sin(a) * (radius + 8.0f)});
    }
    trail.polyline(arc, 5.0f);
    canvas.paint(trail, kFrameRed);
}

// A waveform chopped by the crossfader: fifteen frames of a transform scratch.
void drawChop(Canvas& canvas, Rng& rng, int frame) {
    Plane wave(kSize, kSize);
    Plane cut(kSize, kSize);
    float shift = frame * 11.0f;
    std::vector<Point> line;
    for (int x = 16; x <= 240; x += 2) {
        float t = (x + shift) * 0.06f;
        float envelope = 0.5f + 0.5f * std::sin((x + shift) * 0.013f);
        float y = 128.0f + std::sin(t) * 70.0f * envelope + std::sin(t * 3.7f) * 16.0f;
        line.push_back({static_cast<float>(x), y});
    }
    wave.polyline(line, 7.0f);
    // The fader opens and closes the sound: dark bands where it is shut.
    int gate = frame % 5;
    for (int band = 0; band < 6; ++band) {
        float x0 = 16.0f + band * 38.0f + gate * 5.0f;
        if ((band + frame) % 3 == 0) {
            cut.fillPolygon({{x0, 36}, {x0 + 22, 36}, {x0 + 22, 220}, {x0, 220}});
        }
    }
    wave.cut(cut);
    SprayCan can(rng);
    can.speckle(wave, {128, 128}, 60.0f, 20, 1.2f);
    canvas.paint(cut, {0.82f, 0.82f, 0.86f}, 0.5f);
    canvas.paint(wave, kFrameInk);
    Plane head(kSize, kSize);
    float x = 16.0f + std::fmod(frame * 15.0f, 224.0f);
    head.line({x, 30}, {x, 226}, 4.0f);
    canvas.paint(head, kFrameRed);
}

}  // namespace

void produceScratchFrames(OutputDirectory& out) {
    ValueNoise wear(0x5C7A7C4ull);
    for (int frame = 0; frame < 40; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawRecordFrame(canvas, wear, frame);
        storeFrame(out, data::kScratchFrames.inDataSet(frame + 1), canvas);
    }
    Rng rng("scratch chops");
    for (int frame = 0; frame < 15; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawChop(canvas, rng, frame);
        storeFrame(out, data::kLateScratchFrames.inDataSet(frame + 1), canvas);
    }
}

}  // namespace gen
