// Where the show's lettered models stand: the title words under the title camera, and the
// credits and texts around the tower, each with its file and texture.
#pragma once

#include <string>
#include <vector>

#include "vintra-gen/models/text_extruder.h"

namespace gen {

struct WordModel {
    std::string file;
    std::string text;
    std::string texture;
    TextPlacement placement;
};

class TextLayouts {
public:
    // The five title words, one per line from the top. The title camera looks down the z axis
    // from z = 484 (up +y), and the layer's light stands at about (15, -57, 31), so the words lie
    // flat near z = 0 where its line of sight meets them, lit from the front.
    static std::vector<WordModel> titles();
    // The credits and the nine texts: upright signs beside the tower, all turned towards the
    // side the tower scene's cameras look from (kSignBearing).
    static std::vector<WordModel> signs();

    // The centre of the title block, where the title camera's line of sight meets the words'
    // front faces.
    static constexpr float kTitleX = 24.0f;
    static constexpr float kTitleY = 26.0f;
    static constexpr float kTitleEm = 50.0f;
    static constexpr float kTitleDepth = 12.0f;
    static constexpr float kTitlePitch = 64.0f;
    // The show moves "last minute" by this much along x; its model is built that far back.
    static constexpr float kLastMinuteOffset = 10.0f;
    // How far the signs stand out from the tower's axis towards their camera.
    static constexpr float kSignDistance = 20.0f;
    // Bearing (degrees from +x, counter-clockwise) of the side the signs face and the tower
    // scene's cameras look from; a sign turns at most a little off it.
    static constexpr float kSignBearing = 40.0f;
};

}  // namespace gen
