#include "objects/model_importer.h"

#include <cassert>

namespace {

template <typename T>
T* findNamed(std::vector<T>& items, const std::string& name) {
    for (T& item : items) {
        if (item.IsNamed(name)) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace

void ModelImporter::Clear() {
    lights_.clear();
    meshes_.clear();
    materials_.clear();
}

ModelMaterial& ModelImporter::GetMaterial(size_t i) {
    assert(i < materials_.size() && "material index out of range");
    return materials_[i];
}

ModelMesh& ModelImporter::GetMesh(size_t i) {
    assert(i < meshes_.size() && "mesh index out of range");
    return meshes_[i];
}

ModelLight& ModelImporter::GetLight(size_t i) {
    assert(i < lights_.size() && "light index out of range");
    return lights_[i];
}

void ModelImporter::AddMaterial(ModelMaterial material) {
    materials_.push_back(std::move(material));
    materials_.back().SetId(static_cast<uint32_t>(materials_.size() - 1));
}

ModelMaterial* ModelImporter::FindMaterial(const std::string& name) {
    return findNamed(materials_, name);
}
