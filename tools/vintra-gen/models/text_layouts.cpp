#include "vintra-gen/models/text_layouts.h"

#include <cmath>
#include <numbers>

namespace gen {
namespace {

struct Sign {
    const char* file;
    const char* text;
    const char* texture;
    float facing;  // bearing of the camera it faces, degrees from +x, counter-clockwise
    float aside;   // offset to the viewer's right of the tower, model units
    float height;  // model units
    float em;
};

WordModel upright(const Sign& s) {
    const double a = s.facing * std::numbers::pi / 180.0;
    const float c = static_cast<float>(std::cos(a));
    const float n = static_cast<float>(std::sin(a));
    const Pos out{c, n, 0};
    const Pos right{-n, c, 0};
    TextPlacement p;
    // Standing beside the tower, a little towards the camera, read left to right from there.
    p.frame = Frame{out * TextLayouts::kSignDistance + right * s.aside + Pos{0, 0, s.height},
                    right,
                    {0, 0, 1},
                    out};
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
    // Every sign stands on the side the scene's cameras look from, turned at most a little
    // off that bearing, so no camera ever sees a word from behind. They form four bands up
    // the tower, one for each cut, rising with the light: the cut that shows a band looks at
    // it, the others show it from the same side. Two columns, left and right of the shaft.
    constexpr float f = kSignBearing;
    const Sign signs[] = {
        {"codedby.3ds", "coded by", "coded_by.jpg", f - 8, -38, 32, 12},
        {"zorbel.3ds", "zorbel", "zorbel.jpg", f - 8, 38, 22, 17},
        {"tower/t1.3ds", "#korrin", "tower/text.jpg", f - 8, -36, 10, 10},
        {"tower/t2.3ds", "tarvel", "tower/text.jpg", f + 8, 38, 56, 14},
        {"tower/t3.3ds", "music", "tower/text.jpg", f + 8, -36, 48, 11},
        {"tower/t4.3ds", "graphics", "tower/text.jpg", f + 8, 42, 40, 11},
        {"tower/t5.3ds", "greetings", "tower/text.jpg", f - 8, -44, 78, 11},
        {"tower/t6.3ds", "all crews", "tower/text.jpg", f - 8, 44, 76, 11},
        {"tower/t7.3ds", "respect", "tower/text.jpg", f - 8, -40, 63, 11},
        {"tower/t8.3ds", "2026", "tower/text.jpg", f, 36, 98, 14},
        {"tower/t9.3ds", "the end", "tower/text.jpg", f, -40, 94, 16},
    };
    std::vector<WordModel> words;
    for (const Sign& s : signs) {
        words.push_back(upright(s));
    }
    return words;
}

}  // namespace gen
