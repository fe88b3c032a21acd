// The frame sequences: the dancing DJ ("nick"), the scratched record (Scratch1) and the
// chopped scratch waveform (Scratch2). Frame animations add their colour into the scene
// capture, which the show draws back inverted, so each frame is drawn as dark ink on white
// and stored as its negative. The player mirrors frames left to right: no writing on them.
#include <cmath>
#include <string>
#include <vector>

#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/spray_can.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;
const Color kInk{0.08f, 0.08f, 0.12f};
const Color kRed{0.8f, 0.12f, 0.12f};

void storeNegative(OutputDirectory& out, const std::string& path, Canvas& canvas) {
    canvas.clamp01();
    canvas.invert();
    JpegEncoder::write(out, path, canvas);
}

Point at(Point origin, float length, float angle) {
    return {origin.x + std::sin(angle) * length * kAspect, origin.y - std::cos(angle) * length};
}

// One frame of the DJ: 24 frames are four beats, so a beat is six frames.
void drawNick(Canvas& canvas, int frame) {
    float loop = 2.0f * kPi * frame / 24.0f;
    float beat = 2.0f * kPi * (frame % 6) / 6.0f;
    float bob = 7.0f * (1.0f - std::cos(beat)) * 0.5f;
    float sway = 6.0f * std::sin(loop);
    Plane body(kSize, kSize);
    Point hip{128.0f + sway * 0.3f, 178.0f};
    Point neck{128.0f + sway, 112.0f + bob};
    body.line(hip, neck, 14.0f);
    Point head{neck.x + sway * 0.3f, neck.y - 24.0f};
    body.fillEllipse(head.x, head.y, 19.0f * kAspect, 20.0f);
    // Headphones over the head.
    Plane phones(kSize, kSize);
    phones.fillRing(head.x, head.y, 20.0f, 26.0f);
    Plane lower(kSize, kSize);
    lower.fillPolygon({{0, head.y}, {256, head.y}, {256, 256}, {0, 256}});
    phones.cut(lower);
    phones.fillEllipse(head.x - 20.0f * kAspect, head.y, 6.0f, 10.0f);
    phones.fillEllipse(head.x + 20.0f * kAspect, head.y, 6.0f, 10.0f);
    // The scratching arm: the hand runs back and forth over the right platter.
    Point rightShoulder{neck.x + 14.0f, neck.y + 8.0f};
    Point rightHand{182.0f + 14.0f * std::sin(loop * 2.0f), 182.0f};
    Point rightElbow{(rightShoulder.x + rightHand.x) * 0.5f + 18.0f,
                     (rightShoulder.y + rightHand.y) * 0.5f + 6.0f};
    body.polyline({rightShoulder, rightElbow, rightHand}, 10.0f);
    body.fillCircle(rightHand.x, rightHand.y, 7.0f);
    // The other arm pumps up on every second beat and rests on the fader between.
    float pump = 0.5f - 0.5f * std::cos(loop * 2.0f);
    Point leftShoulder{neck.x - 14.0f, neck.y + 8.0f};
    Point leftElbow = at(leftShoulder, 34.0f, -2.2f + pump * 1.3f);
    Point leftHand = at(leftElbow, 32.0f, -2.6f + pump * 2.5f);
    body.polyline({leftShoulder, leftElbow, leftHand}, 10.0f);
    body.fillCircle(leftHand.x, leftHand.y, 7.0f);
    canvas.paint(body, kInk);
    canvas.paint(phones, kRed);
    // The deck in front of the legs, with two platters and a turning mark on each.
    Plane deck(kSize, kSize);
    deck.fillPolygon({{30, 186}, {226, 186}, {236, 226}, {20, 226}});
    canvas.paint(deck, kInk);
    for (int side = 0; side < 2; ++side) {
        Point c{side == 0 ? 82.0f : 174.0f, 198.0f};
        Plane platter(kSize, kSize);
        platter.fillEllipse(c.x, c.y, 34.0f, 9.0f);
        canvas.paint(platter, {0.55f, 0.55f, 0.6f});
        float turn = loop * (side == 0 ? 2.0f : 0.0f) + (side == 1 ? std::sin(loop * 2.0f) : 0.0f);
        Plane mark(kSize, kSize);
        mark.line(c, {c.x + std::sin(turn) * 30.0f, c.y - std::cos(turn) * 8.0f}, 3.0f);
        canvas.paint(mark, kRed);
    }
}

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
                c = wedge ? Color{0.95f, 0.9f, 0.8f} : kRed;
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
    canvas.paint(trail, kRed);
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
    canvas.paint(wave, kInk);
    Plane head(kSize, kSize);
    float x = 16.0f + std::fmod(frame * 15.0f, 224.0f);
    head.line({x, 30}, {x, 226}, 4.0f);
    canvas.paint(head, kRed);
}

}  // namespace

void produceNickFrames(OutputDirectory& out) {
    for (int frame = 0; frame < 24; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawNick(canvas, frame);
        storeNegative(out, "nick/nick" + std::to_string(frame + 1) + ".jpg", canvas);
    }
}

void produceScratchFrames(OutputDirectory& out) {
    ValueNoise wear(0x5C7A7C4ull);
    for (int frame = 0; frame < 40; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawRecordFrame(canvas, wear, frame);
        storeNegative(out, "Scratch1/Scratch" + std::to_string(frame + 1) + ".jpg", canvas);
    }
    Rng rng("scratch chops");
    for (int frame = 0; frame < 15; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawChop(canvas, rng, frame);
        storeNegative(out, "Scratch2/Scratch" + std::to_string(frame + 1) + ".jpg", canvas);
    }
}

}  // namespace gen
