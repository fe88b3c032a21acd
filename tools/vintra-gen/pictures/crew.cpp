// The crew's sprites: their name in bubble letters and their things, with their list.
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
#include "vintra-gen/pictures/stencil_sprites.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/rng.h"
#include "vintra-gen/show_beats.h"

namespace gen {

namespace {

// Where the list's rows find their pictures.
const std::string kDirectory = data::inDataSet(data::kCrewList.directory);

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;

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

}  // namespace

void produceCrew(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
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
        JpegEncoder::write(out, kDirectory + names[i] + ".jpg", canvas);
    }
    ListWriter<TagRow> list;
    list.comment("The crew's sprites, late in the show: after the tower, on every other bar.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    list.comment("The landing after the tower: the crew's things burst in, one a beat, from");
    list.comment("the corners to the middle, and leave together as the morphing model returns.");
    for (int i = 0; i < 8; ++i) {
        const double start = beats::kTowerEnd + i;
        const double reach = 1.0 - 0.1 * i;
        // The second round lands in the same corners nearer the middle: with the next
        // thing each, not a smaller double of the one already there.
        list.add({.image = names[static_cast<size_t>(1 + (i + i / 4) % 4)] + ".jpg",
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
    list.comment("The name first, big and slow, below the spider on the record.");
    list.add({.image = "qelvo.jpg",
              .start = 264,
              .fadeIn = 2,
              .hold = 8,
              .fadeOut = 2,
              .x = 0,
              .y = -0.7,
              .z = -2.6,
              .rotation = 0,
              .peak = 0.9,
              .drift = -0.1});
    list.comment("Then the crew's things, left and right in turn, beside the spider.");
    for (int i = 0; i < 14; ++i) {
        double start = 280.0 + i * 4;
        // The second round lands in the same corners nearer the middle: with the next
        // thing each, not a smaller double of the one already there.
        list.add({.image = names[static_cast<size_t>(1 + (i + i / 4) % 4)] + ".jpg",
                  .start = start,
                  .fadeIn = 0.5,
                  .hold = 2.5,
                  .fadeOut = 1,
                  .x = i % 2 == 0 ? -0.8 : 0.8,
                  .y = TagRow::kRandom,
                  .z = -3.0,
                  .rotation = i % 2 == 0 ? 8.0 : -8.0,
                  .peak = 0.85,
                  .drift = -0.25});
    }
    list.comment("The name again at the foot of the closing credits, clear of their lines.");
    list.add({.image = "qelvo.jpg",
              .start = 340,
              .fadeIn = 2,
              .hold = 20,
              .fadeOut = 4,
              .x = 0,
              .y = -0.95,
              .z = -3.4,
              .rotation = 0,
              .peak = 0.6,
              .drift = 0});
    out.write(data::inDataSet(data::kCrewList.path), list.text());
}

}  // namespace gen
