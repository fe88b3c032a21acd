// Pictures with words on them: the loading screens, the information texts (and their list)
// and the plain flash pictures (and the flash list).
#include <cmath>
#include <string>
#include <vector>

#include "vintra-gen/lists/flash_list_writer.h"
#include "vintra-gen/lists/tag_list_writer.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"
#include "vintra-gen/show_beats.h"

namespace gen {

namespace {

// Full-window pictures are stretched from a square to 4:3, so they are drawn narrower.
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;

bool needLettering(OutputDirectory& out, const Lettering& lettering) {
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return false;
    }
    return true;
}

// A ring sector between radii r0 and r1 from angle a0 to a1 (radians, clockwise from the top).
std::vector<Point> sector(Point c, float r0, float r1, float a0, float a1, float xScale) {
    std::vector<Point> points;
    int steps = std::max(4, static_cast<int>((a1 - a0) * 40));
    for (int i = 0; i <= steps; ++i) {
        float a = a0 + (a1 - a0) * i / steps;
        points.push_back({c.x + std::sin(a) * r1 * xScale, c.y - std::cos(a) * r1});
    }
    for (int i = steps; i >= 0; --i) {
        float a = a0 + (a1 - a0) * i / steps;
        points.push_back({c.x + std::sin(a) * r0 * xScale, c.y - std::cos(a) * r0});
    }
    return points;
}

// A vinyl record seen from above: black disc, grooves catching light, coloured label.
void drawRecord(Canvas& canvas, Point c, float radius, float xScale, Color label) {
    int w = canvas.width();
    int h = canvas.height();
    Plane disc(w, h);
    disc.fillEllipse(c.x, c.y, radius * xScale, radius);
    canvas.paint(disc, {0.02f, 0.02f, 0.025f});
    Plane grooves(w, h);
    for (float r = radius * 0.42f; r < radius * 0.97f; r += 3.0f) {
        Plane ring(w, h);
        ring.fillEllipse(c.x, c.y, r * xScale, r);
        Plane inner(w, h);
        inner.fillEllipse(c.x, c.y, (r - 1.0f) * xScale, r - 1.0f);
        ring.cut(inner);
        grooves.maximum(ring);
    }
    canvas.paint(grooves, {0.16f, 0.16f, 0.18f}, 0.8f);
    Plane sheen(w, h);
    sheen.fillPolygon(sector(c, radius * 0.45f, radius * 0.96f, 0.5f, 0.9f, xScale));
    sheen.fillPolygon(sector(c, radius * 0.45f, radius * 0.96f, 0.5f + kPi, 0.9f + kPi, xScale));
    sheen.blur(4);
    canvas.add(sheen, {0.12f, 0.12f, 0.14f});
    Plane labelPlane(w, h);
    labelPlane.fillEllipse(c.x, c.y, radius * 0.36f * xScale, radius * 0.36f);
    canvas.paint(labelPlane, label);
    Plane hole(w, h);
    hole.fillEllipse(c.x, c.y, 4.0f * xScale, 4.0f);
    canvas.paint(hole, {0.0f, 0.0f, 0.0f});
}

void drawLoadingScreen(const Lettering& lettering, int step, Canvas& canvas) {
    const int size = canvas.width();
    canvas.verticalGradient({0.05f, 0.05f, 0.12f}, {0.0f, 0.0f, 0.0f});
    Color orange{1.0f, 0.55f, 0.12f};
    Point centre{size * 0.5f, 336.0f};
    // Progress: three arcs around the record, one more lit on every screen.
    for (int i = 0; i < 3; ++i) {
        Plane arc(size, size);
        float a0 = i * 2.0f * kPi / 3.0f + 0.08f;
        arc.fillPolygon(
            sector(centre, 128.0f, 140.0f, a0, a0 + 2.0f * kPi / 3.0f - 0.16f, kAspect));
        if (i <= step) {
            canvas.glow(arc, scaled(orange, 0.9f), 6);
            canvas.paint(arc, {1.0f, 0.8f, 0.45f});
        } else {
            canvas.paint(arc, {0.18f, 0.18f, 0.22f});
        }
    }
    drawRecord(canvas, centre, 110.0f, kAspect, mix(orange, {0.9f, 0.1f, 0.2f}, step * 0.4f));
    TextStyle small{.pixelHeight = 34.0f, .xScale = kAspect, .tracking = 4.0f};
    Plane group = lettering.render(size, size, "#Korrin", {size * 0.5f, 62.0f}, small);
    canvas.paint(group, {0.75f, 0.78f, 0.85f});
    TextStyle big{.pixelHeight = 112.0f, .xScale = kAspect, .slant = 0.12f};
    Plane title = lettering.render(size, size, "tarvel", {size * 0.5f, 142.0f}, big);
    canvas.glow(title, scaled(orange, 0.8f), 10);
    canvas.paintGradient(title, {1.0f, 0.92f, 0.7f}, orange, 110.0f, 195.0f);
    std::string label = "loading " + std::to_string(step + 1) + "/3";
    TextStyle tiny{.pixelHeight = 22.0f, .xScale = kAspect, .tracking = 3.0f};
    canvas.paint(lettering.render(size, size, label, {size * 0.5f, 500.0f}, tiny),
                 {0.55f, 0.58f, 0.65f});
    canvas.clamp01();
}

struct InfoCard {
    const char* file;
    std::vector<const char*> lines;
    double start;
    double beats;
    const char* why;
};

// Information texts blend with (1 − colour, colour): white leaves the frame as it is and
// black paints black, so a white card with dark letters puts the words over the scene.
void drawInfoCard(const Lettering& lettering, const InfoCard& card, Canvas& canvas) {
    const int size = canvas.width();
    size_t count = card.lines.size();
    float first = count == 1 ? 120.0f : 84.0f;
    float others = 38.0f;
    float total = first + (count - 1) * others * 1.35f;
    float y = size * 0.5f - total * 0.5f + first * 0.5f;
    for (size_t i = 0; i < count; ++i) {
        TextStyle style{.pixelHeight = i == 0 ? first : others, .xScale = kAspect};
        Point extent = lettering.measure(card.lines[i], style);
        if (extent.x > size * 0.86f) {
            style.pixelHeight *= size * 0.86f / extent.x;
        }
        Plane words = lettering.render(size, size, card.lines[i], {size * 0.5f, y}, style);
        canvas.paint(words, i == 0 ? Color{0.0f, 0.0f, 0.0f} : Color{0.12f, 0.12f, 0.12f});
        y += (i == 0 ? first * 0.5f + others * 0.9f : others * 1.35f);
    }
}

}  // namespace

void produceLoadingScreens(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
        return;
    }
    for (int step = 0; step < 3; ++step) {
        Canvas canvas(512, 512);
        drawLoadingScreen(lettering, step, canvas);
        JpegEncoder::write(out, "loading/l" + std::to_string(step + 1) + ".jpg", canvas);
    }
}

void produceInfoTexts(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
        return;
    }
    const std::vector<InfoCard> cards = {
        {"presents.jpg", {"#Korrin", "presents"}, -8, 7, "lead-in, before the music"},
        {"tarvel.jpg", {"tarvel"}, 25, 15, "the title, once the opening words are written"},
        {"music.jpg", {"music", "Ostrel"}, 330, 8, "credits on the way out"},
        {"code.jpg", {"code", "Zorbel"}, 340, 8, ""},
        {"graphics.jpg", {"graphics", "Qelvo crew"}, 350, 8, ""},
        {"greetings.jpg", {"greetings"}, 360, 5, ""},
        {"greets.jpg", {"to", "Fenmoor - Halcyte", "Ombrel - Vaskin", "the 0.48 club"}, 365, 9, ""},
        {"theend.jpg", {"the end"}, 376, 10, "stays up until the show stops"},
    };
    TagListWriter list;
    list.comment("Information texts: dark words on a white card, drawn over everything. They");
    list.comment("cut in and out: a fading card would dim the whole frame on its way.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    for (const InfoCard& card : cards) {
        Canvas canvas(512, 512, {1.0f, 1.0f, 1.0f});
        drawInfoCard(lettering, card, canvas);
        JpegEncoder::write(out, std::string("info/") + card.file, canvas);
        if (card.why[0] != '\0') {
            list.comment(card.why);
        }
        list.add({.image = card.file,
                  .start = card.start,
                  .fadeIn = 0.0,
                  .hold = card.beats,
                  .fadeOut = 0.0,
                  .x = 0.0,
                  .y = 0.0,
                  .z = -3.2,
                  .rotation = 0.0,
                  .peak = 1.0,
                  .drift = -0.05});
    }
    out.write("info/info.txt", list.text());
}

void produceFlashes(OutputDirectory& out) {
    Canvas white(64, 64, {1.0f, 1.0f, 1.0f});
    Canvas black(64, 64, {0.0f, 0.0f, 0.0f});
    JpegEncoder::write(out, "flash/white.jpg", white);
    JpegEncoder::write(out, "flash/black.jpg", black);

    FlashListWriter list;
    list.comment("start fade-in hold fade-out peak kind(1 black, 0 white) beats");
    list.comment("White flashes on the drops.");
    for (double drop : {beats::kFirstDrop, beats::kGraffitiStart, beats::kGraffitiEnd,
                        beats::kTowerEnd, beats::kMorphReturn}) {
        list.add({.start = drop, .fadeIn = 0, .hold = 0.25, .fadeOut = 3, .peak = 1.0});
    }
    list.comment("Short white hits every eighth beat while the character dances.");
    for (double b = beats::kFirstDrop + 8; b < beats::kGraffitiStart - 2; b += 8) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1, .peak = 0.45});
    }
    list.comment("Every fourth beat inside the graffiti window, softer.");
    for (double b = beats::kGraffitiStart + 4; b < beats::kGraffitiEnd; b += 4) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1.5, .peak = 0.3});
    }
    list.comment("The last eighth of the show hits every eighth beat again.");
    for (double b = 296; b < 360; b += 8) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1, .peak = 0.4});
    }
    list.comment("Black flashes on the breaks: before the drops, into and out of the tower.");
    for (double brk : {beats::kFirstDrop - 2, beats::kGraffitiStart - 2, beats::kGraffitiEnd - 2,
                       beats::kTowerStart - 2.0}) {
        list.add(
            {.start = brk, .fadeIn = 1, .hold = 0.5, .fadeOut = 0.5, .peak = 1.0, .black = true});
    }
    list.add({.start = beats::kTowerEnd - 3,
              .fadeIn = 2,
              .hold = 0.5,
              .fadeOut = 0.5,
              .peak = 1.0,
              .black = true});
    out.write("flash/flash.txt", list.text());
}

}  // namespace gen
