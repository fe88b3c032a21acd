// Marker tags and stencil sprites: the background tags, the front tags and the crew's
// sprites, each with its list.
//
// How they reach the screen decides how they are drawn. The main scene is painted into a
// capture that the show draws back inverted, so the screen reads as dark ink on white paper:
// - background tags are drawn with an inverted texture, so they are stored as they should
//   look, dark ink on pure white (white adds nothing);
// - front tags and crew sprites add their colour into the capture, so they are stored as
//   the negative of their look: light on pure black (black adds nothing).
#include <cmath>
#include <string>
#include <vector>

#include "vintra-gen/lists/tag_list_writer.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/spray_can.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"
#include "vintra-gen/show_beats.h"

namespace gen {

namespace {

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;
const Color kWhite{1.0f, 1.0f, 1.0f};

// A hand-written marker tag of one word, with a swoosh under it, drips and overspray.
Plane markerTag(const Lettering& lettering, Rng& rng, const std::string& word) {
    TextStyle style{.pixelHeight = 86.0f,
                    .xScale = kAspect,
                    .slant = 0.35f,
                    .rotation = static_cast<float>(rng.range(-0.22, 0.22)),
                    .tracking = -3.0f};
    for (size_t i = 0; i < word.size(); ++i) {
        style.lift.push_back(static_cast<float>(rng.range(-9.0, 9.0)));
    }
    Point extent = lettering.measure(word, style);
    if (extent.x > 200.0f) {
        style.pixelHeight *= 200.0f / extent.x;
    }
    Plane tag = lettering.render(kSize, kSize, word, {128.0f, 112.0f}, style);
    tag.warp(ValueNoise(rng.next()), 3.5f, 16.0f);
    SprayCan can(rng);
    float y = 168.0f + static_cast<float>(rng.range(-6.0, 10.0));
    std::vector<Point> swoosh = {{34.0f, y + 10.0f},
                                 {90.0f, y},
                                 {170.0f, y + 4.0f},
                                 {222.0f, y - 14.0f},
                                 {208.0f, y - 30.0f}};
    can.stroke(tag, swoosh, 7.0f, 1.4f);
    Plane body = tag;
    can.dripsUnder(tag, body, 5, 34.0f, 2.2f);
    for (int i = 0; i < 6; ++i) {
        can.speckle(
            tag, {static_cast<float>(rng.range(50, 206)), static_cast<float>(rng.range(70, 170))},
            30.0f, 6, 1.0f);
    }
    tag.clamp01();
    return tag;
}

// A five-pointed star centred on c.
std::vector<Point> star(Point c, float outer, float inner, float turn) {
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        float r = i % 2 == 0 ? outer : inner;
        float a = turn + i * kPi / 5.0f;
        points.push_back({c.x + std::sin(a) * r * kAspect, c.y - std::cos(a) * r});
    }
    return points;
}

// Roughens a clean shape into sprayed paint: soft edge, grain and a few speckles.
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

Plane frontShape(const Lettering& lettering, Rng& rng, int index) {
    Plane p(kSize, kSize);
    switch (index) {
        case 0: {  // crown
            p.fillPolygon(
                {{60, 180}, {52, 92}, {92, 136}, {128, 70}, {164, 136}, {204, 92}, {196, 180}});
            p.fillPolygon({{58, 188}, {198, 188}, {198, 206}, {58, 206}});
            break;
        }
        case 1:
            p.fillPolygon(star({128, 132}, 96, 40, 0.2f));
            break;
        case 2: {  // arrow pointing up and right
            std::vector<Point> arrow = {{70, 200},  {150, 120}, {126, 98}, {204, 60},
                                        {168, 138}, {146, 116}, {90, 218}};
            p.fillPolygon(arrow);
            break;
        }
        case 3: {
            TextStyle style{.pixelHeight = 120.0f, .xScale = kAspect, .tracking = 2.0f};
            p = lettering.render(kSize, kSize, "KRN", {128, 128}, style);
            Plane bars(kSize, kSize);  // stencil bridges
            bars.fillPolygon({{0, 122}, {256, 122}, {256, 132}, {0, 132}});
            p.cut(bars);
            break;
        }
        case 4: {  // a record with a label
            p.fillEllipse(128, 128, 100 * kAspect, 100);
            Plane label(kSize, kSize);
            label.fillRing(128, 128, 24, 36);
            p.cut(label);
            for (float r = 50; r < 96; r += 9) {
                Plane groove(kSize, kSize);
                groove.fillRing(128, 128, r, r + 2);
                p.cut(groove);
            }
            break;
        }
        default: {
            TextStyle style{.pixelHeight = 130.0f, .xScale = kAspect, .slant = 0.2f};
            p = lettering.render(kSize, kSize, "125", {128, 128}, style);
            break;
        }
    }
    sprayed(p, rng);
    return p;
}

Plane crewShape(const Lettering& lettering, Rng& rng, int index) {
    Plane p(kSize, kSize);
    switch (index) {
        case 0: {  // the crew's name in bubble letters: outline around a hollow
            TextStyle style{.pixelHeight = 92.0f,
                            .xScale = kAspect,
                            .slant = 0.1f,
                            .tracking = -6.0f,
                            .lift = {4, -6, 6, -4, 2}};
            Plane word = lettering.render(kSize, kSize, "QELVO", {128, 128}, style);
            Plane outline = word.grown(10);
            Plane inner = word;
            inner.blur(1);
            outline.cut(inner);
            p = outline;
            p.add(word, 0.35f);
            break;
        }
        case 1: {  // head with a cap and shades
            p.fillEllipse(128, 140, 62 * kAspect, 70);
            Plane cap(kSize, kSize);
            cap.fillPolygon({{78, 112}, {84, 74}, {128, 58}, {172, 74}, {178, 112}});
            cap.fillPolygon({{150, 104}, {214, 110}, {210, 122}, {150, 118}});
            p.maximum(cap);
            Plane shades(kSize, kSize);
            shades.fillEllipse(108, 136, 18 * kAspect, 12);
            shades.fillEllipse(148, 136, 18 * kAspect, 12);
            shades.line({108, 134}, {148, 134}, 4);
            Plane smile(kSize, kSize);
            smile.polyline(SprayCan::smooth({{108, 176}, {128, 186}, {150, 172}}, 2), 5);
            p.cut(smile);
            p.cut(shades);
            Plane lenses(kSize, kSize);
            lenses.fillEllipse(108, 136, 14 * kAspect, 8, 0.9f);
            lenses.fillEllipse(148, 136, 14 * kAspect, 8, 0.9f);
            p.maximum(lenses);
            break;
        }
        case 2: {  // boombox
            p.fillPolygon({{44, 96}, {212, 96}, {212, 196}, {44, 196}});
            p.line({84, 96}, {100, 62}, 8);
            p.line({100, 62}, {156, 62}, 8);
            p.line({156, 62}, {172, 96}, 8);
            Plane holes(kSize, kSize);
            holes.fillRing(86, 150, 4, 26);
            holes.fillRing(170, 150, 4, 26);
            holes.fillPolygon({{112, 110}, {144, 110}, {144, 128}, {112, 128}});
            p.cut(holes);
            break;
        }
        case 3: {  // spray can with a cloud
            p.fillPolygon({{100, 96}, {156, 96}, {156, 222}, {100, 222}});
            p.fillEllipse(128, 96, 28 * kAspect, 16);
            p.fillPolygon({{120, 62}, {136, 62}, {136, 84}, {120, 84}});
            Plane band(kSize, kSize);
            band.fillPolygon({{100, 130}, {156, 130}, {156, 140}, {100, 140}});
            p.cut(band);
            SprayCan can(rng);
            can.speckle(p, {170, 60}, 14, 60, 1.6f);
            can.speckle(p, {196, 46}, 20, 60, 1.4f);
            break;
        }
        default: {  // headphones
            p.fillRing(128, 130, 66, 80);
            Plane lower(kSize, kSize);
            lower.fillPolygon({{0, 134}, {256, 134}, {256, 256}, {0, 256}});
            p.cut(lower);
            p.fillEllipse(66, 160, 20 * kAspect, 38);
            p.fillEllipse(190, 160, 20 * kAspect, 38);
            break;
        }
    }
    sprayed(p, rng);
    return p;
}

// Light-on-black storage of a sprite whose look is `ink` on white.
void storeNegative(Canvas& canvas, const Plane& shape, Color ink) {
    canvas.fill(kWhite);
    canvas.paint(shape, ink);
    canvas.invert();
    canvas.clamp01();
}

}  // namespace

void produceBackTags(OutputDirectory& out) {
    Lettering lettering;
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return;
    }
    const std::vector<std::string> words = {"tarvel", "korrin", "zorbel", "qelvo",
                                            "ostrel", "krn",    "vntr",   "b125"};
    const std::vector<Color> inks = {
        {0.05f, 0.05f, 0.08f}, {0.55f, 0.05f, 0.1f}, {0.05f, 0.12f, 0.45f}, {0.08f, 0.08f, 0.08f}};
    Rng rng("back tags");
    for (size_t i = 0; i < words.size(); ++i) {
        Canvas canvas(kSize, kSize, kWhite);
        canvas.paint(markerTag(lettering, rng, words[i]), inks[i % inks.size()]);
        canvas.clamp01();
        JpegEncoder::write(out, "tags/256/bra/" + words[i] + ".jpg", canvas);
    }
    TagListWriter list;
    list.comment("Background tags: dark marker tags on white, under the first minute.");
    list.comment("Tags starting from beat 44 come back 262 beats later, in the last minute.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    list.comment("The opening: one tag every four beats while the title words are written.");
    for (int i = 0; i < 6; ++i) {
        list.add({.image = words[static_cast<size_t>(i)] + ".jpg",
                  .start = 4.0 + i * 4,
                  .fadeIn = 1,
                  .hold = 5,
                  .fadeOut = 2,
                  .x = i % 2 == 0 ? -0.35 : 0.35,
                  .y = (i % 3 - 1) * 0.3,
                  .z = -2.8,
                  .rotation = (i % 2 == 0 ? -8.0 : 6.0),
                  .peak = 0.8,
                  .drift = -0.15});
    }
    list.comment("Placed by chance: two tags each bar until the graffiti takes over.");
    for (int b = 44; b < 88; b += 2) {
        list.add({.image = words[static_cast<size_t>(b / 2) % words.size()] + ".jpg",
                  .start = static_cast<double>(b),
                  .fadeIn = 0.5,
                  .hold = 1.5,
                  .fadeOut = 1,
                  .x = kRandom,
                  .y = kRandom,
                  .z = -2.6,
                  .rotation = kRandom,
                  .peak = 0.75,
                  .drift = -0.3});
    }
    list.comment("Under the graffiti window these are hidden; they are here for their return");
    list.comment("262 beats later, in the last twenty seconds.");
    for (int b = 100; b < 126; b += 4) {
        list.add({.image = words[static_cast<size_t>(b / 4) % words.size()] + ".jpg",
                  .start = static_cast<double>(b),
                  .fadeIn = 1,
                  .hold = 2,
                  .fadeOut = 1,
                  .x = kRandom,
                  .y = kRandom,
                  .z = -3.0,
                  .rotation = 0.0,
                  .peak = 0.7,
                  .drift = kRandom});
    }
    out.write("tags/256/tagback.txt", list.text());
}

void produceFrontTags(OutputDirectory& out) {
    Lettering lettering;
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return;
    }
    const std::vector<std::string> names = {"crown", "star", "arrow", "krn", "record", "125"};
    const std::vector<Color> inks = {
        {0.85f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.12f}, {0.05f, 0.25f, 0.7f}};
    Rng rng("front tags");
    for (size_t i = 0; i < names.size(); ++i) {
        Canvas canvas(kSize, kSize);
        storeNegative(canvas, frontShape(lettering, rng, static_cast<int>(i)),
                      inks[i % inks.size()]);
        JpegEncoder::write(out, "tags/front/" + names[i] + ".jpg", canvas);
    }
    TagListWriter list;
    list.comment("Front tags: stencil symbols over the scene. Every row comes back 228 and");
    list.comment("248 beats later. None start in the graffiti window: there they would be");
    list.comment("drawn a second time with the colours turned over, as bright squares.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    list.comment("Accents on the opening bars.");
    for (int i = 0; i < 4; ++i) {
        list.add({.image = names[static_cast<size_t>(i)] + ".jpg",
                  .start = 16.0 + i * 8,
                  .fadeIn = 0.5,
                  .hold = 1.5,
                  .fadeOut = 1,
                  .x = i % 2 == 0 ? 0.45 : -0.45,
                  .y = 0.35,
                  .z = -3.2,
                  .rotation = 0.0,
                  .peak = 0.9,
                  .drift = -0.4});
    }
    list.comment("On the beat with the dancer, placed by chance.");
    for (int b = 60; b < 86; b += 4) {
        list.add({.image = names[static_cast<size_t>(b / 4) % names.size()] + ".jpg",
                  .start = static_cast<double>(b),
                  .fadeIn = 0.25,
                  .hold = 0.75,
                  .fadeOut = 1,
                  .x = kRandom,
                  .y = kRandom,
                  .z = -3.0,
                  .rotation = kRandom,
                  .peak = 0.8,
                  .drift = -0.5});
    }
    list.comment("With the morphing model, before the tower.");
    for (int b = 164; b < 196; b += 8) {
        list.add({.image = names[static_cast<size_t>(b / 8) % names.size()] + ".jpg",
                  .start = static_cast<double>(b),
                  .fadeIn = 1,
                  .hold = 3,
                  .fadeOut = 2,
                  .x = kRandom,
                  .y = kRandom,
                  .z = -3.4,
                  .rotation = 0.0,
                  .peak = 0.7,
                  .drift = -0.2});
    }
    out.write("tags/front/tagfront.txt", list.text());
}

void produceCrew(OutputDirectory& out) {
    Lettering lettering;
    if (!lettering.ok()) {
        out.fail(lettering.error());
        return;
    }
    const std::vector<std::string> names = {"qelvo", "head", "boombox", "can", "phones"};
    const std::vector<Color> inks = {
        {0.1f, 0.1f, 0.14f}, {0.7f, 0.08f, 0.15f}, {0.06f, 0.2f, 0.55f}};
    Rng rng("crew");
    for (size_t i = 0; i < names.size(); ++i) {
        Canvas canvas(kSize, kSize);
        storeNegative(canvas, crewShape(lettering, rng, static_cast<int>(i)),
                      inks[i % inks.size()]);
        JpegEncoder::write(out, "qelvo/" + names[i] + ".jpg", canvas);
    }
    TagListWriter list;
    list.comment("The crew's sprites, late in the show: after the tower, on every other bar.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    list.comment("The landing after the tower: the crew's things burst in, one a beat, from");
    list.comment("the corners to the middle, and leave together as the morphing model returns.");
    for (int i = 0; i < 8; ++i) {
        const double start = beats::kTowerEnd + i;
        const double reach = 1.0 - 0.1 * i;
        list.add({.image = names[static_cast<size_t>(1 + i % 4)] + ".jpg",
                  .start = start,
                  .fadeIn = 0,
                  .hold = beats::kMorphReturn - start,
                  .fadeOut = 1,
                  .x = (i % 2 == 0 ? -1.3 : 1.3) * reach,
                  .y = (i / 2 % 2 == 0 ? 0.75 : -0.75) * reach,
                  .z = -4.6 + 0.1 * i,
                  .rotation = (i % 2 == 0 ? 12.0 : -12.0) * (i % 3 - 1),
                  .peak = 0.95,
                  .drift = -0.2});
    }
    list.comment("The name first, big and slow.");
    list.add({.image = "qelvo.jpg",
              .start = 264,
              .fadeIn = 2,
              .hold = 8,
              .fadeOut = 2,
              .x = 0,
              .y = 0.1,
              .z = -2.6,
              .rotation = 0,
              .peak = 0.9,
              .drift = -0.1});
    list.comment("Then the crew's things, left and right in turn.");
    for (int i = 0; i < 14; ++i) {
        double start = 280.0 + i * 4;
        list.add({.image = names[static_cast<size_t>(1 + i % 4)] + ".jpg",
                  .start = start,
                  .fadeIn = 0.5,
                  .hold = 2.5,
                  .fadeOut = 1,
                  .x = i % 2 == 0 ? -0.45 : 0.45,
                  .y = kRandom,
                  .z = -3.0,
                  .rotation = i % 2 == 0 ? 8.0 : -8.0,
                  .peak = 0.85,
                  .drift = -0.25});
    }
    list.comment("The name again under the closing credits.");
    list.add({.image = "qelvo.jpg",
              .start = 340,
              .fadeIn = 2,
              .hold = 20,
              .fadeOut = 4,
              .x = 0,
              .y = -0.35,
              .z = -3.4,
              .rotation = 0,
              .peak = 0.6,
              .drift = 0});
    out.write("qelvo/Qelvo.txt", list.text());
}

}  // namespace gen
