#include "vintra-gen/text_layouts.h"

#include <cmath>
#include <numbers>

namespace gen {
namespace {

struct Sign {
    const char* file;
    const char* text;
    const char* texture;
    float bearing;  // degrees from +x, counter-clockwise seen from above
    float height;   // model units
    float em;
};

WordModel upright(const Sign& s) {
    const double a = s.bearing * std::numbers::pi / 180.0;
    const float c = static_cast<float>(std::cos(a));
    const float n = static_cast<float>(std::sin(a));
    TextPlacement p;
    // Facing out from the tower: read left to right by a viewer outside looking in.
    p.frame = Frame{{TextLayouts::kSignRadius * c, TextLayouts::kSignRadius * n, s.height},
                    {-n, c, 0},
                    {0, 0, 1},
                    {c, n, 0}};
    p.emSize = s.em;
    p.depth = s.em * 0.22f;
    return {s.file, s.text, s.texture, p};
}

}  // namespace

std::vector<WordModel> TextLayouts::titles() {
    const struct {
        const char* file;
        const char* text;
        float shiftX;
    } lines[] = {{"text/once_again.3ds", "once again", 0.0f},
                 {"text/another.3ds", "another", 0.0f},
                 {"text/last_minute.3ds", "last minute", -kLastMinuteOffset},
                 {"text/production.3ds", "production", 0.0f},
                 {"text/presented_by.3ds", "presented by", 0.0f}};
    std::vector<WordModel> words;
    for (int i = 0; i < 5; ++i) {
        TextPlacement p;
        p.frame.origin = {kTitleX + lines[i].shiftX, kTitleY + (2 - i) * kTitlePitch, 0.0f};
        p.emSize = kTitleEm;
        p.depth = kTitleDepth;
        words.push_back({lines[i].file, lines[i].text, "noise2.jpg", p});
    }
    return words;
}

std::vector<WordModel> TextLayouts::signs() {
    const Sign signs[] = {
        {"codedby.3ds", "coded by", "coded_by.jpg", 15, 72, 13},
        {"zorbel.3ds", "zorbel", "zorbel.jpg", 15, 52, 20},
        {"tower/t1.3ds", "#korrin", "tower/text.jpg", 42, 100, 12},
        {"tower/t2.3ds", "tarvel", "tower/text.jpg", 135, 104, 16},
        {"tower/t3.3ds", "music", "tower/text.jpg", 126, 84, 12},
        {"tower/t4.3ds", "graphics", "tower/text.jpg", 145, 40, 12},
        {"tower/t5.3ds", "greetings", "tower/text.jpg", 210, 98, 13},
        {"tower/t6.3ds", "all crews", "tower/text.jpg", 220, 66, 12},
        {"tower/t7.3ds", "respect", "tower/text.jpg", 228, 34, 12},
        {"tower/t8.3ds", "2026", "tower/text.jpg", 305, 92, 16},
        {"tower/t9.3ds", "the end", "tower/text.jpg", 320, 55, 18},
    };
    std::vector<WordModel> words;
    for (const Sign& s : signs) {
        words.push_back(upright(s));
    }
    return words;
}

}  // namespace gen
