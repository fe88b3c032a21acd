// The drawable 3D model of the show: loads a 3DS file into meshes of faces and draws them in
// a shade type, after preparing what the lighting effects need across all faces (the light
// in object space and light textures; the neighbours of every face for shadow volumes).
#pragma once

#include "render/gl/gl.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "image/texture_cache.h"
#include "objects/mesh.h"
#include "objects/shade_type.h"
#include "objects/vector3.h"

class ModelImporter;

class NObject {
public:
    static constexpr int kBmpImage = 1000;
    static constexpr int kJpgImage = 1001;

    // Needs a current GL context: orientation starts as the current modelview matrix.
    NObject();

    bool load3DS(const char* path);
    // Builds the meshes from a model already read (what load3DS does after reading the file).
    void buildMeshes(ModelImporter& model);

    // kJpgImage selects the JPEG loader, anything else the BMP loader.
    void loadTexture(const char* path, int kind);
    void scale(double factor);
    void setLightRadius(double radius);
    void setRevealTotal(double total);
    void setRevealProgress(double progress);

    void initLight();
    // Also finds which meshes are closed surfaces (see Mesh::isClosed).
    void initShadow();

    // Draws the back faces of the meshes known to be closed culled, the others' both faces;
    // a shadow volume does its own culling.
    void setCullClosedMeshes(bool on) { cullClosedMeshes = on; }

    // The model will not change any more: its meshes draw what does not depend on the light
    // from display lists (see Mesh::freeze).
    void freeze();
    // Compiles ahead what drawing with this shade type will replay (see Mesh::prepare).
    void prepare(int shadeType);
    void prepare(ShadeType shadeType) { prepare(static_cast<int>(shadeType)); }

    void draw(int shadeType);
    void draw(ShadeType shadeType) { draw(static_cast<int>(shadeType)); }
    // draw(Texture) then draw(LightMap), under a white current colour: in one pass where the
    // meshes can (see Mesh::drawTexturedLightMapped).
    void drawTexturedLightMapped();
    // draw(Flat) then draw(LightMap), under a white current colour: in one pass where every
    // mesh can (see Mesh::drawFlatLightMapped), so the light map counts once per pixel.
    void drawFlatLightMapped();

    // Appends every face of every mesh, in mesh and face order.
    void collectFaces(std::vector<Face*>& list);

    size_t getMeshCount() const { return meshes.size(); }
    Mesh& getMesh(size_t i) { return *meshes[i]; }
    const Vector3* getLightVector() const { return lightVector.get(); }
    const float* getOrientation() const { return orientation; }
    // The box around every face's corners, in the object's own frame; false with no faces.
    bool bounds(Vector3& lowest, Vector3& highest) const;

private:
    void cullFor(const Mesh& mesh, int shadeType) const;
    // One pass over the meshes in the model's orientation, each culled as `culledAs` culls.
    void drawEachMesh(ShadeType culledAs, void (Mesh::*drawMesh)());
    struct TextureTransform {
        float uScale = 1.0f;
        float vScale = 1.0f;
        float uOffset = 0.0f;
        float vOffset = 0.0f;
    };

    void readMaterials(ModelImporter& model);
    bool refuses(int shadeType);
    void refreshLightVector();
    // A fresh light vector at the global light position; every face points at it.
    void shareNewLightVector();

    TextureCache::Handle texture;
    // The light picture with clamped edges, on both texture units.
    TextureCache::Handle lightTexture;
    float orientation[16];
    float inverseOrientation[16];
    std::vector<std::unique_ptr<Mesh>> meshes;
    std::vector<Face*> faces;
    std::map<uint32_t, TextureTransform> materialMapping;
    bool setTexCoordsOnLoad = false;
    std::unique_ptr<Vector3> lightVector;

    bool cullClosedMeshes = false;
    bool lightReady = false;
    bool textureReady = false;
    bool shadowReady = false;
    // Never set in this program: their shade types are always refused.
    bool displayListReady = false;
    bool environmentReady = false;
    bool bumpReady = false;
    bool radialReady = false;
    bool radialLightReady = false;
};
