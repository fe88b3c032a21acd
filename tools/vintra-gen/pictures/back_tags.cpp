// The background tags: hand-written marker tags, with their list. The main scene is painted
// into a capture that the show draws back inverted, so the screen reads as dark ink on white
// paper; background tags are drawn with an inverted texture, so they are stored as they should
// look, dark ink on pure white (white adds nothing).
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

namespace gen {

namespace {

// Where the list's rows find their pictures.
const std::string kDirectory = data::inDataSet(data::kBackTagList.directory);

constexpr int kSize = 256;
constexpr float kAspect = 0.75f;
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

}  // namespace

void produceBackTags(OutputDirectory& out) {
    Lettering lettering;
    if (!needLettering(out, lettering)) {
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
        JpegEncoder::write(out, kDirectory + words[i] + ".jpg", canvas);
    }
    ListWriter<TagRow> list;
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
                  .x = TagRow::kRandom,
                  .y = TagRow::kRandom,
                  .z = -2.6,
                  .rotation = TagRow::kRandom,
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
                  .x = TagRow::kRandom,
                  .y = TagRow::kRandom,
                  .z = -3.0,
                  .rotation = 0.0,
                  .peak = 0.7,
                  .drift = TagRow::kRandom});
    }
    out.write(data::inDataSet(data::kBackTagList.path), list.text());
}

}  // namespace gen
