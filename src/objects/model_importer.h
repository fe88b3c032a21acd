// Abstract holder of a loaded model: its lights, meshes and materials, with name look-ups.
// A concrete reader fills the lists in LoadFile.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "objects/model_light.h"
#include "objects/model_material.h"
#include "objects/model_mesh.h"

class ModelImporter {
public:
    virtual ~ModelImporter() = default;
    virtual bool LoadFile(const char* path) = 0;
    virtual void Clear();

    size_t GetMaterialCount() const { return materials_.size(); }
    ModelMaterial& GetMaterial(size_t i);
    size_t GetMeshCount() const { return meshes_.size(); }
    ModelMesh& GetMesh(size_t i);
    size_t GetLightCount() const { return lights_.size(); }
    ModelLight& GetLight(size_t i);

    // The first item with exactly this name, or nullptr.
    ModelMaterial* FindMaterial(const std::string& name);

    // What a reader appends; a material takes its index in the list as its id.
    void AddMaterial(ModelMaterial material);
    void AddMesh(ModelMesh mesh) { meshes_.push_back(std::move(mesh)); }
    void AddLight(ModelLight light) { lights_.push_back(std::move(light)); }

protected:
    std::vector<ModelLight> lights_;
    std::vector<ModelMesh> meshes_;
    std::vector<ModelMaterial> materials_;
};
