// The information texts (title, credits, greetings) and their list.
#include <string>
#include <vector>

#include "base/data_file.h"
#include "lists/tag_row.h"
#include "vintra-gen/lists/list_writer.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/pictures/lettering.h"
#include "vintra-gen/pictures/need_lettering.h"
#include "vintra-gen/producers.h"

namespace gen {

namespace {

// Full-window pictures are stretched from a square to 4:3, so they are drawn narrower.
constexpr float kAspect = 0.75f;

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
    ListWriter<TagRow> list;
    list.comment("Information texts: dark words on a white card, drawn over everything. They");
    list.comment("cut in and out: a fading card would dim the whole frame on its way.");
    list.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    for (const InfoCard& card : cards) {
        Canvas canvas(512, 512, {1.0f, 1.0f, 1.0f});
        drawInfoCard(lettering, card, canvas);
        JpegEncoder::write(out, data::inDataSet(data::kInfoList.directory) + card.file, canvas);
        if (card.why[0] != '\0') {
            list.comment(card.why);
        }
        list.add({.image = card.file,
                  .start = card.start,
                  .fadeIn = 0.0,
                  // A hair short, so a card that follows at once never shares a frame.
                  .hold = card.beats - 0.05,
                  .fadeOut = 0.0,
                  .x = 0.0,
                  .y = 0.0,
                  .z = -3.2,
                  .rotation = 0.0,
                  .peak = 1.0,
                  .drift = -0.05});
    }
    out.write(data::inDataSet(data::kInfoList.path), list.text());
}

}  // namespace gen
