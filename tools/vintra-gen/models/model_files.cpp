#include "vintra-gen/models/model_files.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "vintra-gen/models/morph_models.h"
#include "vintra-gen/models/text_extruder.h"
#include "vintra-gen/models/text_layouts.h"
#include "vintra-gen/models/tower_model.h"
#include "vintra-gen/models/turntable_models.h"

namespace gen {
namespace {

ThreeDsMaterial material(const std::string& name, const std::string& texture,
                         ThreeDsColor diffuse) {
    ThreeDsMaterial m;
    m.name = name;
    m.ambient = {static_cast<uint8_t>(diffuse.r / 3), static_cast<uint8_t>(diffuse.g / 3),
                 static_cast<uint8_t>(diffuse.b / 3)};
    m.diffuse = diffuse;
    m.specular = {230, 230, 230};
    m.texture = texture;
    return m;
}

bool write(OutputDirectory& out, const std::string& path, const ModelBuilder& model,
           const ThreeDsMaterial& mat) {
    ThreeDsModel file;
    file.materials.push_back(mat);
    file.objects.push_back(model.object(0));
    ThreeDsWriter writer;
    std::vector<uint8_t> bytes;
    if (!writer.write(file, bytes)) {
        std::fprintf(stderr, "vintra-gen: %s: %s\n", path.c_str(), writer.error().c_str());
        return false;
    }
    if (!out.write(path, bytes)) {
        std::fprintf(stderr, "vintra-gen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool fontMissing(const GlyphOutlines& font) {
    if (font.ready()) {
        return false;
    }
    std::fprintf(stderr, "vintra-gen: %s\n", font.error().c_str());
    return true;
}

}  // namespace

bool produceTurntableModels(OutputDirectory& out) {
    const std::string marble = data::kMorphTexture.inDataSet();
    bool ok = write(out, data::kTurntableBody.inDataSet(), TurntableModels::body(),
                    material("plinth", marble, {70, 70, 78}));
    ok = write(out, data::kTurntableUnderDisc.inDataSet(), TurntableModels::platter(),
               material("platter", marble, {200, 200, 205})) &&
         ok;
    ok = write(out, data::kTurntableDisc.inDataSet(), TurntableModels::record(),
               material("record", data::kTurntableLabel.inDataSet(), {255, 255, 255})) &&
         ok;
    return ok;
}

bool produceTitleModels(OutputDirectory& out) {
    GlyphOutlines font;
    if (fontMissing(font)) {
        return false;
    }
    const TextExtruder extruder(font);
    bool ok = true;
    for (const WordModel& word : TextLayouts::titles()) {
        ModelBuilder model(word.text);
        ok = extruder.extrude(word.text, word.placement, model) && ok;
        model.sortFacesLeftToRight();
        ok = write(out, word.file, model, material("title", word.texture, {240, 240, 240})) && ok;
    }
    return ok;
}

bool produceMorphModels(OutputDirectory& out) {
    const ThreeDsMaterial skin = material("skin", data::kMorphTexture.inDataSet(), {200, 190, 170});
    bool ok = write(out, data::kMorphStart.inDataSet(), MorphModels::shape(false), skin);
    return write(out, data::kMorphEnd.inDataSet(), MorphModels::shape(true), skin) && ok;
}

bool produceTowerModels(OutputDirectory& out) {
    bool ok = write(out, data::kTower.inDataSet(), TowerModel::build(),
                    material("stone", data::kTowerTexture.inDataSet(), {180, 175, 165}));
    GlyphOutlines font;
    if (fontMissing(font)) {
        return false;
    }
    const TextExtruder extruder(font);
    for (const WordModel& word : TextLayouts::signs()) {
        ModelBuilder model(word.text);
        ok = extruder.extrude(word.text, word.placement, model) && ok;
        ok = write(out, word.file, model, material("letters", word.texture, {255, 255, 255})) && ok;
    }
    return ok;
}

bool produceModels(OutputDirectory& out) {
    bool ok = produceTurntableModels(out);
    ok = produceTitleModels(out) && ok;
    ok = produceMorphModels(out) && ok;
    return produceTowerModels(out) && ok;
}

}  // namespace gen
