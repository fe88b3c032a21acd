// The graffiti pieces ("phlicks") and paint splats of the graffiti window, with their list.
// The window clears the frame to black and adds these pictures, so they are stored bright
// on black: black adds nothing.
#include <cmath>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "lists/tag_row.h"
#include "vintra-gen/lists/list_writer.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/need_lettering.h"
#include "vintra-gen/pictures/spray_can.h"
#include "vintra-gen/pictures/value_noise.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"
#include "vintra-gen/show_beats.h"

namespace gen {

namespace {

// Where the list's rows find their pictures.
const std::string kDirectory = data::inDataSet(data::kGraffitiList.directory);

constexpr int kSize = 512;
constexpr float kAspect = 0.75f;

struct Palette {
    Color top;
    Color bottom;
    Color outline;
    Color depth;
    Color glow;
};

const std::vector<Palette> kPalettes = {
    {{1.0f, 0.95f, 0.3f},
     {1.0f, 0.35f, 0.05f},
     {0.1f, 0.05f, 0.3f},
     {0.5f, 0.1f, 0.5f},
     {1.0f, 0.3f, 0.6f}},
    {{0.4f, 1.0f, 0.9f},
     {0.05f, 0.45f, 1.0f},
     {1.0f, 1.0f, 1.0f},
     {0.05f, 0.1f, 0.4f},
     {0.2f, 0.6f, 1.0f}},
    {{1.0f, 0.5f, 0.8f},
     {0.7f, 0.05f, 0.45f},
     {1.0f, 0.95f, 0.5f},
     {0.3f, 0.02f, 0.2f},
     {1.0f, 0.2f, 0.5f}},
    {{0.75f, 1.0f, 0.3f},
     {0.1f, 0.7f, 0.25f},
     {0.05f, 0.05f, 0.05f},
     {0.05f, 0.3f, 0.2f},
     {0.4f, 1.0f, 0.4f}},
};

Plane shifted(const Plane& source, float dx, float dy) {
    Plane out(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            float sx = x - dx;
            float sy = y - dy;
            if (sx >= 0 && sy >= 0 && sx < source.width() && sy < source.height()) {
                out.at(x, y) = source.sample(sx, sy);
            }
        }
    }
    return out;
}

// Four-pointed sparkle.
void sparkle(Plane& plane, Point c, float size) {
    plane.line({c.x - size * kAspect, c.y}, {c.x + size * kAspect, c.y}, 2.0f);
    plane.line({c.x, c.y - size}, {c.x, c.y + size}, 2.0f);
    plane.fillCircle(c.x, c.y, 3.0f);
}

Canvas piece(const Lettering& lettering, Rng& rng, const std::string& word,
             const Palette& colours) {
    Canvas canvas(kSize, kSize);
    TextStyle style{.pixelHeight = 190.0f,
                    .xScale = kAspect,
                    .slant = 0.22f,
                    .rotation = static_cast<float>(rng.range(-0.12, 0.12)),
                    .tracking = -12.0f};
    for (size_t i = 0; i < word.size(); ++i) {
        style.lift.push_back(static_cast<float>(rng.range(-22.0, 22.0)));
    }
    Point extent = lettering.measure(word, style);
    if (extent.x > 420.0f) {
        style.pixelHeight *= 420.0f / extent.x;
    }
    Plane letters = lettering.render(kSize, kSize, word, {256.0f, 250.0f}, style);
    letters.warp(ValueNoise(rng.next()), 6.0f, 46.0f);
    Plane outline = letters.grown(9);

    // Haze of sprayed colour behind the piece.
    Plane haze(kSize, kSize);
    SprayCan can(rng);
    for (int i = 0; i < 5; ++i) {
        std::vector<Point> path;
        float y = static_cast<float>(rng.range(170, 330));
        for (int k = 0; k < 5; ++k) {
            path.push_back({60.0f + k * 98.0f, y + static_cast<float>(rng.range(-40, 40))});
        }
        can.stroke(haze, path, 60.0f, 0.25f);
    }
    haze.blur(6);
    canvas.add(haze, scaled(colours.glow, 0.18f));

    // Block shadow: the outline pushed down and right in steps.
    for (int step = 8; step >= 1; --step) {
        Plane depth = shifted(outline, step * 1.6f, step * 2.0f);
        canvas.paint(depth, scaled(colours.depth, 0.5f + 0.06f * (8 - step)));
    }
    canvas.glow(outline, scaled(colours.glow, 0.55f), 12);
    canvas.paint(outline, colours.outline);
    canvas.paintGradient(letters, colours.top, colours.bottom, 170.0f, 330.0f);

    // Shine: light streaks across the upper part of each letter.
    Plane shine(kSize, kSize);
    for (int i = 0; i < 3; ++i) {
        float y = 195.0f + i * 9.0f + static_cast<float>(rng.range(-4, 4));
        shine.line({40.0f, y}, {470.0f, y - 30.0f}, 3.0f - i * 0.7f);
    }
    Plane inside = letters;
    inside.smoothStep(0.6f, 0.95f);
    for (size_t i = 0; i < shine.values().size(); ++i) {
        shine.values()[i] *= inside.values()[i];
    }
    canvas.add(shine, {0.6f, 0.6f, 0.6f});

    Plane drips(kSize, kSize);
    can.dripsUnder(drips, outline, 7, 60.0f, 3.0f);
    canvas.paint(drips, colours.outline);
    Plane sparkles(kSize, kSize);
    for (int i = 0; i < 4; ++i) {
        sparkle(sparkles,
                {static_cast<float>(rng.range(60, 450)), static_cast<float>(rng.range(110, 400))},
                static_cast<float>(rng.range(10, 22)));
    }
    canvas.glow(sparkles, {0.8f, 0.8f, 1.0f}, 4);
    canvas.add(sparkles, {1.0f, 1.0f, 1.0f});
    Plane speckles(kSize, kSize);
    for (int i = 0; i < 10; ++i) {
        can.speckle(
            speckles,
            {static_cast<float>(rng.range(60, 450)), static_cast<float>(rng.range(140, 360))},
            45.0f, 12, 1.4f);
    }
    canvas.paint(speckles, colours.top, 0.8f);
    canvas.vignette(0.25f);
    canvas.clamp01();
    return canvas;
}

Canvas splat(Rng& rng, Color colour) {
    Canvas canvas(kSize / 2, kSize / 2);
    Plane paint(kSize / 2, kSize / 2);
    paint.fillEllipse(128, 128, 40 * kAspect, 40);
    for (int i = 0; i < 14; ++i) {
        double a = rng.range(0.0, 6.283);
        double r = rng.range(40.0, 100.0);
        Point end{128.0f + static_cast<float>(std::cos(a) * r) * kAspect,
                  128.0f + static_cast<float>(std::sin(a) * r)};
        paint.line({128, 128}, end, static_cast<float>(rng.range(4, 12)));
        paint.fillCircle(end.x, end.y, static_cast<float>(rng.range(3, 9)));
    }
    paint.warp(ValueNoise(rng.next()), 3.0f, 12.0f);
    canvas.glow(paint, scaled(colour, 0.5f), 6);
    canvas.paint(paint, colour);
    canvas.clamp01();
    return canvas;
}

}  // namespace

void produceGraffiti(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
        return;
    }
    const std::vector<std::string> words = {"TARVEL", "KORRIN", "OSTREL", "ZORBEL",
                                            "QELVO",  "125BPM", "VINTRA", "PHLICK"};
    Rng rng("graffiti");
    for (size_t i = 0; i < words.size(); ++i) {
        Canvas canvas = piece(lettering, rng, words[i], kPalettes[i % kPalettes.size()]);
        JpegEncoder::write(out, kDirectory + "piece" + std::to_string(i + 1) + ".jpg", canvas);
    }
    JpegEncoder::write(out, kDirectory + "splat1.jpg", splat(rng, {1.0f, 0.3f, 0.55f}));
    JpegEncoder::write(out, kDirectory + "splat2.jpg", splat(rng, {0.3f, 0.85f, 1.0f}));

    ListWriter<TagRow> list;
    list.comment("Graffiti window (beats 89 to 162): a new piece every eight beats, each");
    list.comment("fading in on the bar before, so one piece leads and the last one fades.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    int slot = 0;
    for (double b = beats::kGraffitiStart - 1; b < beats::kGraffitiEnd; b += 8, ++slot) {
        list.add({.image = "piece" + std::to_string(slot % 8 + 1) + ".jpg",
                  .start = b,
                  .fadeIn = 1,
                  .hold = 6,
                  .fadeOut = 2,
                  .x = (slot % 3 - 1) * 0.12,
                  .y = slot % 2 == 0 ? 0.05 : -0.05,
                  .z = -2.7,
                  .rotation = 0,
                  .peak = 0.95,
                  .drift = -0.12});
    }
    list.comment("Paint splats on the off-beats, placed and turned by chance.");
    for (double b = beats::kGraffitiStart + 2; b < beats::kGraffitiEnd - 2; b += 4) {
        list.add({.image = static_cast<int>(b) % 8 < 4 ? "splat1.jpg" : "splat2.jpg",
                  .start = b,
                  .fadeIn = 0,
                  .hold = 0.5,
                  .fadeOut = 1.5,
                  .x = TagRow::kRandom,
                  .y = TagRow::kRandom,
                  .z = -3.5,
                  .rotation = TagRow::kRandom,
                  .peak = 0.7,
                  .drift = -1.0});
    }
    out.write(data::inDataSet(data::kGraffitiList.path), list.text());
}

}  // namespace gen
