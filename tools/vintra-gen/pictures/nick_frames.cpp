// The dancing DJ ("nick"): 24 frames, four beats.
#include <cmath>
#include <string>

#include "base/data_file.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/frame_sequences.h"
#include "vintra-gen/producers.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;

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
    canvas.paint(body, kFrameInk);
    canvas.paint(phones, kFrameRed);
    // The deck in front of the legs, with two platters and a turning mark on each.
    Plane deck(kSize, kSize);
    deck.fillPolygon({{30, 186}, {226, 186}, {236, 226}, {20, 226}});
    canvas.paint(deck, kFrameInk);
    for (int side = 0; side < 2; ++side) {
        Point c{side == 0 ? 82.0f : 174.0f, 198.0f};
        Plane platter(kSize, kSize);
        platter.fillEllipse(c.x, c.y, 34.0f, 9.0f);
        canvas.paint(platter, {0.55f, 0.55f, 0.6f});
        float turn = loop * (side == 0 ? 2.0f : 0.0f) + (side == 1 ? std::sin(loop * 2.0f) : 0.0f);
        Plane mark(kSize, kSize);
        mark.line(c, {c.x + std::sin(turn) * 30.0f, c.y - std::cos(turn) * 8.0f}, 3.0f);
        canvas.paint(mark, kFrameRed);
    }
}

}  // namespace

void produceNickFrames(OutputDirectory& out) {
    for (int frame = 0; frame < 24; ++frame) {
        Canvas canvas(kSize, kSize, {1.0f, 1.0f, 1.0f});
        drawNick(canvas, frame);
        storeFrame(out, data::kNickFrames.inDataSet(frame + 1), canvas);
    }
}

}  // namespace gen
