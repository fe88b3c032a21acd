#include "vintra-gen/models/text_layouts.h"

#include <cmath>
#include <numbers>

#include "base/data_file.h"

namespace gen {
namespace {

struct Sign {
    std::string file;
    const char* text;
    std::string texture;
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
        const DataFile& file;
        const char* text;
        float shiftX;
    } lines[] = {{data::kTitleOnceAgain, "once again", 0.0f},
                 {data::kTitleAnother, "another", 0.0f},
                 {data::kTitleLastMinute, "last minute", -kLastMinuteOffset},
                 {data::kTitleProduction, "production", 0.0f},
                 {data::kTitlePresentedBy, "presented by", 0.0f}};
    // The marble the morph wears; the show lights the words without it.
    const std::string marble = data::kMorphTexture.inDataSet();
    std::vector<WordModel> words;
    for (int i = 0; i < 5; ++i) {
        TextPlacement p;
        p.frame.origin = {kTitleX + lines[i].shiftX, kTitleY + (2 - i) * kTitlePitch, 0.0f};
        p.emSize = kTitleEm;
        p.depth = kTitleDepth;
        words.push_back({lines[i].file.inDataSet(), lines[i].text, marble, p});
    }
    return words;
}

std::vector<WordModel> TextLayouts::signs() {
    // Every sign stands on the side the scene's cameras look from, turned at most a little
    // off that bearing, so no camera ever sees a word from behind. They form four bands up
    // the tower, one for each cut, rising with the light: the cut that shows a band looks at
    // it, the others show it from the same side. Two columns, left and right of the shaft.
    constexpr float f = kSignBearing;
    const auto text = [](int number) { return data::kTowerTexts.inDataSet(number); };
    const std::string letters = data::kTowerTextTexture.inDataSet();
    const Sign signs[] = {
        {data::kCodedBy.inDataSet(), "coded by", data::kCodedByTexture.inDataSet(), f - 8, -38, 32,
         12},
        {data::kAuthor.inDataSet(), "zorbel", data::kAuthorTexture.inDataSet(), f - 8, 38, 22, 17},
        {text(1), "#korrin", letters, f - 8, -36, 10, 10},
        {text(2), "tarvel", letters, f + 8, 38, 56, 14},
        {text(3), "music", letters, f + 8, -36, 48, 11},
        {text(4), "graphics", letters, f + 8, 42, 40, 11},
        {text(5), "greetings", letters, f - 8, -44, 78, 11},
        {text(6), "all crews", letters, f - 8, 44, 76, 11},
        {text(7), "respect", letters, f - 8, -40, 63, 11},
        {text(8), "2026", letters, f, 36, 98, 14},
        {text(9), "the end", letters, f, -40, 94, 16},
    };
    std::vector<WordModel> words;
    for (const Sign& s : signs) {
        words.push_back(upright(s));
    }
    return words;
}

}  // namespace gen
