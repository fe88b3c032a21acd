// The front tags: stencil symbols sprayed over the scene, with their list.
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
#include "vintra-gen/pictures/stencil_sprites.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"

namespace gen {

namespace {

// Where the list's rows find their pictures.
const std::string kDirectory = data::inDataSet(data::kFrontTagList.directory);

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
constexpr float kPi = 3.14159265f;

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

}  // namespace

void produceFrontTags(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
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
        JpegEncoder::write(out, kDirectory + names[i] + ".jpg", canvas);
    }
    ListWriter<TagRow> list;
    list.comment("Front tags: stencil symbols over the scene. Every row comes back 228 and");
    list.comment("248 beats later. None start in the graffiti window: there they would be");
    list.comment("drawn a second time with the colours turned over, as bright squares.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    list.comment("Accents on the opening bars, in the lower corners: when they come back the");
    list.comment("spider stands on the record in the upper half. Timed to come back in the tower");
    list.comment("(where they are not drawn) or around the crew's name, never over it.");
    const double accents[] = {4, 12, 30, 33};
    for (int i = 0; i < 4; ++i) {
        list.add({.image = names[static_cast<size_t>(i)] + ".jpg",
                  .start = accents[i],
                  .fadeIn = 0.5,
                  .hold = 1.5,
                  .fadeOut = 1,
                  .x = i % 2 == 0 ? 0.85 : -0.85,
                  .y = -0.6,
                  .z = -3.2,
                  .rotation = 0.0,
                  .peak = 0.9,
                  .drift = -0.4});
    }
    list.comment("On the beat with the dancer, round the corners: they come back over the");
    list.comment("spider on the record, which fills the middle.");
    for (int b = 60; b < 86; b += 4) {
        const int corner = (b - 60) / 4;
        list.add({.image = names[static_cast<size_t>(b / 4) % names.size()] + ".jpg",
                  .start = static_cast<double>(b),
                  .fadeIn = 0.25,
                  .hold = 0.75,
                  .fadeOut = 1,
                  .x = corner % 2 == 0 ? -0.85 : 0.85,
                  .y = corner / 2 % 2 == 0 ? 0.6 : -0.6,
                  .z = -3.0,
                  .rotation = TagRow::kRandom,
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
                  .x = TagRow::kRandom,
                  .y = TagRow::kRandom,
                  .z = -3.4,
                  .rotation = 0.0,
                  .peak = 0.7,
                  .drift = -0.2});
    }
    out.write(data::inDataSet(data::kFrontTagList.path), list.text());
}

}  // namespace gen
